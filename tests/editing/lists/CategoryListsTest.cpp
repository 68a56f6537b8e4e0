// Category names, the Categories dialog's rows and ticks, and the master category and location
// list editors round-tripping through a temporary data file.
#include "core/document/DocumentTestSupport.h"

#include "common/FakeFixedObjectStore.h"
#include "core/lists/CategoryList.h"
#include "core/lists/MasterList.h"
#include "editing/base/EditingStrings.h"
#include "editing/lists/CategoriesDlg.h"
#include "editing/lists/CategoriesPicker.h"
#include "editing/lists/CategoryNames.h"
#include "editing/lists/MasterListDefaults.h"
#include "editing/lists/NamedListEditor.h"
#include "editing/lists/NamedListMenu.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>

namespace {

using document_test::DocumentFixture;

TEST(CategoryNamesTest, SplitTable)
{
    struct Case
    {
        const char *text;
        QStringList names;
    } cases[] = {
        {"b;A;a", {"A", "b"}},
        {"A; B; a", {"A", "B"}}, // equal ignoring case though not neighbours after sorting
        {"  Gifts,\tPhone\tCalls ,, Gifts ", {"Gifts", "Phone Calls"}},
        {"", {}},
        {" ; , ", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CCategoryNames::Split(QString::fromUtf8(c.text)), c.names) << c.text;
    EXPECT_EQ(CCategoryNames::Join(QStringLiteral("b;a;c")), QStringLiteral("a, b, c"));
    EXPECT_EQ(CCategoryNames::DefaultNames().size(), 8);
}

TEST(CategoriesPickerTest, LocalNamesShowTheSuffixAndComeBackWithout)
{
    FakeMessagePort messages;
    CCategoriesPicker picker({QStringLiteral("Business"), QStringLiteral("Personal")},
                             QStringLiteral("personal, Zoo"));
    ASSERT_EQ(picker.GetRows().size(), 3u);
    EXPECT_EQ(picker.GetRowText(0), QStringLiteral("Business"));
    EXPECT_EQ(picker.GetRowText(2), QStringLiteral("Zoo ( local )"));
    EXPECT_FALSE(picker.GetRows()[0].checked);
    EXPECT_TRUE(picker.GetRows()[1].checked) << "ticked though the case differs";
    picker.Toggle(0);
    QString result;
    ASSERT_TRUE(picker.Accept(result));
    EXPECT_EQ(result, QStringLiteral("Business, Personal, Zoo"));

    picker.Refill({QStringLiteral("Business")});
    EXPECT_EQ(picker.Collect(), QStringLiteral("Business, Personal, Zoo"))
        << "ticks survive a new master list";
}

TEST(CategoriesPickerTest, TextOfFiveHundredTwelveCharactersIsRefused)
{
    FakeMessagePort messages;
    QStringList names;
    for (int i = 0; i < 43; ++i)
        names.append(QStringLiteral("Category%1").arg(i, 2, 10, QLatin1Char('0'))); // 10 + ", " each
    CCategoriesPicker picker(names, names.join(QLatin1Char(',')));
    QString result;
    EXPECT_FALSE(picker.Accept(result));
    EXPECT_EQ(messages.LastText(), EditingText(EditText::TooManyCategories));
    picker.SetChecked(0, false);
    EXPECT_TRUE(picker.Accept(result));
    EXPECT_EQ(result.size(), 42 * 10 + 41 * 2);
}

class NamedListEditorTest : public DocumentFixture
{
  public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        CreateAndOpen();
    }
    QStringList Names(const CCategoryListBase &list)
    {
        QStringList names;
        for (int i = 0; i < list.GetCount(); ++i)
            names.append(list.GetAt(i)->GetName());
        return names;
    }
    void Reopen()
    {
        m_doc.CloseCalendarFile();
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    }
};

TEST_F(NamedListEditorTest, CategoriesAddOnceDeleteAndRoundTripThroughTheFile)
{
    CNamedListEditor editor(CNamedListEditor::Kind::Categories, m_doc.GetMasterList());
    editor.Reset();
    EXPECT_EQ(editor.Add(QStringLiteral("travel; Travel ; business")), 1) << "Business is there already";
    EXPECT_EQ(editor.GetRows().first(), QStringLiteral("Business"));
    editor.SelectRow(editor.GetRows().indexOf(QStringLiteral("Waiting")));
    editor.DeleteSelected();
    EXPECT_EQ(editor.GetSelectedRow(), editor.GetRowCount() - 1) << "the row before is selected";
    ASSERT_EQ(editor.Save(m_doc.GetMasterList(), m_doc.GetDataFile()), S_OK);
    const QStringList saved = Names(m_doc.GetMasterList());

    Reopen();
    EXPECT_EQ(Names(m_doc.GetMasterList()), saved);
    EXPECT_EQ(saved, (QStringList{"Business", "Gifts", "Holiday", "Ideas", "Miscellaneous", "Personal",
                                  "Phone Calls", "Travel"}));
    EXPECT_GE(m_doc.GetMasterList().Find(QStringLiteral("TRAVEL"), false), 0);
}

// The Categories dialog is where the master list is read: a file without one gets the default
// names there, stored in the file before anything else is changed.
TEST_F(NamedListEditorTest, CategoriesDialogGivesAFileWithoutAListTheDefaultsSaved)
{
    FakeMessagePort messages;
    ASSERT_EQ(m_doc.GetMasterList().GetCount(), 0) << "a new file holds no categories";
    {
        CCategoriesDlg dialog(&m_doc.GetMasterList(), &m_doc.GetDataFile(), QStringLiteral("Garden"));
        EXPECT_EQ(dialog.GetList()->count(), 9) << "eight defaults and the item's own name";
    }
    const QStringList defaults = Names(m_doc.GetMasterList());
    EXPECT_EQ(defaults.size(), 8);
    EXPECT_TRUE(messages.shown.isEmpty());

    Reopen();
    EXPECT_EQ(Names(m_doc.GetMasterList()), defaults) << "saved without OK being pressed";
}

TEST_F(NamedListEditorTest, LocationsAreWholeTextsAndClearedByRemoveAll)
{
    CNamedListEditor editor(CNamedListEditor::Kind::Locations, m_doc.GetLocationList());
    EXPECT_EQ(editor.Add(QStringLiteral(" Room 2; upstairs ")), 1);
    EXPECT_EQ(editor.Add(QStringLiteral("room 2; UPSTAIRS")), 0);
    EXPECT_EQ(editor.Add(QStringLiteral("Attic")), 1);
    ASSERT_EQ(editor.Save(m_doc.GetLocationList(), m_doc.GetDataFile()), S_OK);
    Reopen();
    EXPECT_EQ(Names(m_doc.GetLocationList()), (QStringList{"Attic", "Room 2; upstairs"}));

    CNamedListEditor again(CNamedListEditor::Kind::Locations, m_doc.GetLocationList());
    again.SelectRow(0);
    again.DeleteSelected();
    again.SelectRow(0);
    again.DeleteSelected();
    EXPECT_EQ(again.GetRowCount(), 0);
    EXPECT_FALSE(again.CanDelete());
    // Never saved (Cancel): the stored list stays.
    Reopen();
    EXPECT_EQ(m_doc.GetLocationList().GetCount(), 2);
}

TEST(NamedListEditorSave, FailedSaveLeavesTheListAsTheFileHoldsIt)
{
    FakeFixedObjectStore store;
    CMasterList list;
    list.Add(CCategory(QStringLiteral("Kept")));
    CNamedListEditor editor(CNamedListEditor::Kind::Categories, list);
    editor.Add(QStringLiteral("New"));
    store.writeResult = HRESULT(0x80070070);
    EXPECT_NE(editor.Save(list, store), S_OK);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->GetName(), QStringLiteral("Kept"));
}

// A blob that claims more entries than its bytes can hold fails at once instead of reading on.
TEST(MasterListBlob, EntryCountIsBoundedByTheBlob)
{
    CMasterList list;
    list.Add(CCategory(QStringLiteral("One")));
    QByteArray blob;
    ASSERT_EQ(list.BuildBlob(blob), S_OK);
    // The count follows the doubled tag and length, the zero word and the format word.
    const int countAt = 24;
    blob[countAt] = char(0xFF);
    blob[countAt + 1] = char(0xFF);
    blob[countAt + 2] = char(0xFF);
    blob[countAt + 3] = char(0x7F);
    CMasterList back;
    EXPECT_NE(back.ReadBlob(blob, true), S_OK);
    EXPECT_LE(back.GetCount(), 1);
}

} // namespace

namespace {

TEST(MasterListDefaultsTest, AFileWithoutAListGetsTheDefaultsSaved)
{
    FakeFixedObjectStore store;
    CMasterList list;
    ASSERT_EQ(CMasterListDefaults::Load(list, store), S_OK);
    EXPECT_EQ(list.GetCount(), 8);
    EXPECT_EQ(store.writes, 1);
    CMasterList again;
    ASSERT_EQ(again.Load(store), S_OK);
    EXPECT_EQ(again.GetCount(), 8) << "already saved";
}

TEST(MasterListDefaultsTest, AReadOnlyFileWithoutAListOffersTheDefaultsUnsaved)
{
    FakeFixedObjectStore store;
    store.readResult = QV_E_ITEM_LOAD; // what a read-only file answers for a missing object
    CMasterList list;
    ASSERT_EQ(CMasterListDefaults::Load(list, store), S_OK);
    EXPECT_EQ(list.GetCount(), 8);
    EXPECT_EQ(list.GetAt(0)->GetName(), QStringLiteral("Business"));
    EXPECT_EQ(store.writes, 0);

    // A writable file whose save fails still offers the defaults and reports the failure.
    FakeFixedObjectStore full;
    full.writeResult = HRESULT(0x80070070);
    CMasterList offered;
    EXPECT_EQ(CMasterListDefaults::Load(offered, full), HRESULT(0x80070070));
    EXPECT_EQ(offered.GetCount(), 8);
    // Other read failures leave the list empty and are returned.
    FakeFixedObjectStore broken;
    broken.readResult = HRESULT(0x80070005);
    CMasterList none;
    EXPECT_EQ(CMasterListDefaults::Load(none, broken), HRESULT(0x80070005));
    EXPECT_EQ(none.GetCount(), 0);
}

TEST(NamedListMenuTest, AmpersandsDoubledAndEmptyListShowsNone)
{
    CCategoryList places;
    QMenu empty;
    EXPECT_EQ(CNamedListMenu::Insert(empty, places, 500), 1);
    EXPECT_EQ(empty.actions().first()->text(), QStringLiteral("< none >"));
    EXPECT_FALSE(empty.actions().first()->isEnabled());
    places.Add(CCategory(QStringLiteral("R&D lab")));
    QMenu menu;
    EXPECT_EQ(CNamedListMenu::Insert(menu, places, 500), 1);
    EXPECT_EQ(menu.actions().first()->text(), QStringLiteral("R&&D lab"));
    EXPECT_EQ(menu.actions().first()->data().toInt(), 500);
}

} // namespace
