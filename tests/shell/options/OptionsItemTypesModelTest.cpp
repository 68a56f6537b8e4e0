// The Item Types page's working copy on a real data file: delete, restore, defaults, the limit
// of 100, the gradient switch, and an apply whose store fails.
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/document/CalendarDocument.h"
#include "core/storage/FixedObjectStore.h"
#include "core/system/Profile.h"
#include "shell/options/ItemTypeBlobs.h"
#include "shell/options/ItemTypeEditorPort.h"
#include "shell/options/OptionsItemTypesModel.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The data file with its writes refused, as a full disk would.
class RefusingStore : public IFixedObjectStore
{
  public:
    explicit RefusingStore(IFixedObjectStore &file) : m_file(file) {}
    HRESULT ReadFixedObject(int id, QByteArray &data) override { return m_file.ReadFixedObject(id, data); }
    HRESULT WriteFixedObject(int, const QByteArray &) override { return 0x80070070; } // disk full
    std::uint32_t GetFormatVersion() const override { return m_file.GetFormatVersion(); }

  private:
    IFixedObjectStore &m_file;
};

class ItemTypesModelTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        const QString path = m_dir.filePath("calendar.qv0");
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(path, "Personal Calendar", ""), S_OK);
        ASSERT_EQ(m_doc.OpenCalendarFile(path, "", nullptr, false), S_OK);
        CItemFilter filter;
        filter.SetName("Celebrations");
        filter.SetItemTypeNames({"BIRTHDAY", "Anniversary"});
        ASSERT_TRUE(List().AddFilter(filter));
        filter.SetName("Birthdays only");
        filter.SetItemTypeNames({"birthday"});
        ASSERT_TRUE(List().AddFilter(filter));
        ASSERT_EQ(m_doc.SaveItemTypes(), S_OK);
        m_model.Load(&List(), false, 1 << 24);
    }
    void TearDown() override { m_doc.CloseCalendarFile(); }

    CItemTypeList &List() { return m_doc.GetItemTypes(); }
    // What the data file holds now, as a blob of the current layout.
    QByteArray FileBlob() { return StoredItemTypesBlob(m_doc); }
    QByteArray ListBlob() { return ItemTypesBlob(List()); }
    ItemTypeEditRequest NewType(const QString &name)
    {
        ItemTypeEditRequest request =
            m_model.MakeCreateRequest(ImagePixels(32 * 32, 0xFF0000FF), ImagePixels(16 * 16, 0xFF0000FF));
        request.type.SetName(name);
        return request;
    }
    QStringList ListedNames() const
    {
        QStringList names;
        for (int p = 0; p < m_model.GetCount(); ++p)
            names << m_model.GetTypeAt(p)->GetName();
        return names;
    }

    TempProfile m_profile;
    FakeMessagePort m_messages;
    QTemporaryDir m_dir;
    CCalendarDocument m_doc;
    COptionsItemTypesModel m_model;
};

TEST_F(ItemTypesModelTest, ListsTheTypesByNameIgnoringCase)
{
    ASSERT_EQ(m_model.GetCount(), 11);
    ASSERT_TRUE(m_model.AddFromEditor(NewType("aardvark watch")));
    const QStringList names = ListedNames();
    EXPECT_EQ(names.first(), "aardvark watch");
    EXPECT_EQ(m_model.GetTypeAt(m_model.GetSelection())->GetName(), "aardvark watch");
    for (int i = 1; i < names.size(); ++i)
        EXPECT_LE(names[i - 1].compare(names[i], Qt::CaseInsensitive), 0);
    EXPECT_TRUE(m_model.IsModified());
}

TEST_F(ItemTypesModelTest, DeletingTheDefaultEventTypeHandsTheRoleToTheFirstAndCleansFilters)
{
    int birthday = m_model.FindPosition("Birthday");
    ASSERT_GE(birthday, 0);
    m_model.SetDefaultEvent(birthday);
    ASSERT_TRUE(m_model.Delete(birthday));
    EXPECT_EQ(m_model.FindPosition("Birthday"), -1);
    EXPECT_EQ(m_model.GetCount(), 10);
    EXPECT_TRUE(m_model.GetTypeAt(0)->HasFlag(CItemType::kFlagDefaultEvent));
    int defaults = 0;
    for (int p = 0; p < m_model.GetCount(); ++p)
        defaults += m_model.GetTypeAt(p)->HasFlag(CItemType::kFlagDefaultEvent);
    EXPECT_EQ(defaults, 1);
    EXPECT_EQ(m_model.GetSelection(), birthday); // the next one moved into its place

    const auto &filters = m_model.GetFilters();
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0]->GetItemTypeNames(), QStringList({"Anniversary"}));
    // The filter that named only the deleted type keeps choosing its (now undefined) items.
    EXPECT_TRUE(filters[1]->GetItemTypeNames().isEmpty());
    EXPECT_TRUE(filters[1]->HasFlag(CItemFilter::FF_UNDEFINED_TYPE));
    EXPECT_FALSE(filters[1]->AllItemTypes());

    // The icons moved down with their types.
    for (int p = 0; p < m_model.GetCount(); ++p)
        ASSERT_NE(m_model.GetSmallIconAt(p), nullptr);
}

TEST_F(ItemTypesModelTest, RestoreBringsBackDeletedPredefinedTypesAndKeepsChangedOnes)
{
    const int birthday = m_model.FindPosition("Birthday");
    ItemTypeEditRequest edit;
    ASSERT_TRUE(m_model.MakeEditRequest(m_model.FindPosition("Appointment"), edit));
    edit.type.SetTextColor(0x123456);
    ASSERT_TRUE(m_model.ReplaceFromEditor(edit));
    ASSERT_TRUE(m_model.Delete(birthday));
    EXPECT_EQ(m_model.Restore(), 1);
    const int restored = m_model.FindPosition("Birthday");
    ASSERT_GE(restored, 0);
    EXPECT_FALSE(m_model.GetTypeAt(restored)->HasFlag(CItemType::kFlagDefaultEvent));
    EXPECT_FALSE(m_model.GetTypeAt(restored)->HasFlag(CItemType::kFlagDefaultTask));
    EXPECT_EQ(m_model.GetTypeAt(m_model.FindPosition("Appointment"))->GetTextColor(), 0x123456u);
    EXPECT_EQ(m_model.Restore(), 0); // nothing missing now
}

TEST_F(ItemTypesModelTest, AtOneHundredTypesNothingMoreIsAdded)
{
    for (int i = 0; m_model.GetCount() < 100; ++i)
        ASSERT_TRUE(m_model.AddFromEditor(NewType(QStringLiteral("Custom %1").arg(i))));
    EXPECT_FALSE(m_model.CanCreate());
    EXPECT_FALSE(m_model.AddFromEditor(NewType("One too many")));
    ASSERT_TRUE(m_model.Delete(m_model.FindPosition("Birthday")));
    EXPECT_TRUE(m_model.CanCreate());
    ASSERT_TRUE(m_model.AddFromEditor(NewType("Back to a hundred")));
    EXPECT_EQ(m_model.Restore(), 0);
    EXPECT_EQ(m_model.GetCount(), 100);
}

TEST_F(ItemTypesModelTest, WithoutAFileOrReadOnlyNothingCanBeChanged)
{
    COptionsItemTypesModel none;
    none.Load(nullptr, false, 1 << 24);
    EXPECT_FALSE(none.HasFile());
    EXPECT_FALSE(none.CanCreate());
    EXPECT_FALSE(none.CanRestore());
    COptionsItemTypesModel readOnly;
    readOnly.Load(&List(), true, 1 << 24);
    EXPECT_EQ(readOnly.GetCount(), 11);
    EXPECT_FALSE(readOnly.CanCreate());
    EXPECT_FALSE(readOnly.CanChange());
    EXPECT_FALSE(readOnly.Delete(0));
}

TEST_F(ItemTypesModelTest, GradientIsOffAndFixedOnPaletteDisplays)
{
    COptionsItemTypesModel palette;
    palette.Load(&List(), false, 256);
    EXPECT_FALSE(palette.IsGradientOn());
    EXPECT_FALSE(palette.IsGradientEnabled());
    palette.SetGradient(true);
    EXPECT_FALSE(palette.IsGradientOn());
}

TEST_F(ItemTypesModelTest, ChangingOnlyTheGradientIsSaved)
{
    EXPECT_TRUE(m_model.IsGradientOn()); // "UG" missing: on
    EXPECT_FALSE(m_model.IsModified());
    m_model.SetGradient(false);
    EXPECT_TRUE(m_model.IsModified());
    const QByteArray before = FileBlob();
    EXPECT_EQ(m_model.Apply(List(), m_doc.GetDataFile()), S_OK);
    EXPECT_EQ(GetProfileInt("Common", "UG", 1), 0);
    EXPECT_TRUE(m_model.GradientChanged());
    EXPECT_EQ(FileBlob(), before); // the types were not rewritten
}

TEST_F(ItemTypesModelTest, ApplyStoresTheListInListOrder)
{
    ASSERT_TRUE(m_model.AddFromEditor(NewType("Zebra crossing")));
    ASSERT_TRUE(m_model.AddFromEditor(NewType("aardvark watch")));
    m_model.SetDefaultTask(m_model.FindPosition("Zebra crossing"));
    ASSERT_TRUE(m_model.Delete(m_model.FindPosition("Birthday")));
    ASSERT_EQ(m_model.Apply(List(), m_doc.GetDataFile()), S_OK);
    EXPECT_TRUE(m_model.WasApplied());
    EXPECT_EQ(FileBlob(), ListBlob());
    ASSERT_EQ(List().GetTypeCount(), 12);
    for (int i = 0; i < List().GetTypeCount(); ++i)
        EXPECT_EQ(List().GetType(i)->GetName(), ListedNames()[i]);
    EXPECT_EQ(List().GetType(List().GetDefaultTaskType())->GetName(), "Zebra crossing");
    EXPECT_EQ(List().GetFilter(1)->GetItemTypeNames(), QStringList());
}

TEST_F(ItemTypesModelTest, AFailedStoreLeavesTheFileAndTheDocumentInAgreement)
{
    const QByteArray before = FileBlob();
    ASSERT_TRUE(m_model.AddFromEditor(NewType("Never stored")));
    ASSERT_TRUE(m_model.Delete(m_model.FindPosition("Birthday")));
    RefusingStore refusing(m_doc.GetDataFile());
    EXPECT_EQ(m_model.Apply(List(), refusing), HRESULT(0x80070070));
    EXPECT_FALSE(m_model.WasApplied());
    EXPECT_EQ(FileBlob(), before);
    EXPECT_EQ(ListBlob(), before);
    EXPECT_EQ(List().FindType("Never stored"), -1);
    EXPECT_GE(List().FindType("Birthday"), 0);

    // The working copy is whole: OK can be pressed again once the file takes writes.
    EXPECT_EQ(m_model.Apply(List(), m_doc.GetDataFile()), S_OK);
    EXPECT_GE(List().FindType("Never stored"), 0);
    EXPECT_EQ(FileBlob(), ListBlob());
}

} // namespace
