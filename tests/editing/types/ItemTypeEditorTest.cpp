// The item type editor: its name checks and flag rule, a type edited in the window surviving a
// reopen of the data file (name, flags, colours, the 60-byte font, sound and an icon read from an
// ".ico" file), the Change Icon dialog, the item-type field, and renders.
#include "core/document/DocumentTestSupport.h"

#include "../DialogRenders.h"
#include "common/TempProfile.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "editing/base/EditingStrings.h"
#include "editing/types/ChangeIconDlg.h"
#include "editing/types/EditItemTypeDlg.h"
#include "editing/types/ItemTypeEdit.h"
#include "fuzz/IconFileFuzzInput.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

using namespace document_test;

TEST(ItemTypeEditorRules, NameChecks)
{
    const QStringList names = {QStringLiteral("Birthday"), QStringLiteral("Meeting")};
    CItemTypeEditor editor(names, CItemType(QStringLiteral("Meeting")), 1);
    EXPECT_EQ(editor.CheckName(QStringLiteral("   ")), EditText::TypeNameMissing);
    EXPECT_EQ(editor.CheckName(QStringLiteral(" birthDAY ")), EditText::TypeNameTaken);
    EXPECT_EQ(editor.CheckName(QStringLiteral("MEETING")), 0) << "its own name, case aside";
    CItemTypeEditor added(names, CItemType(), -1);
    EXPECT_EQ(added.CheckName(QStringLiteral("meeting")), EditText::TypeNameTaken);
    EXPECT_EQ(added.CheckName(QStringLiteral("Call")), 0);
}

TEST(ItemTypeEditorRules, FlagsAreRebuiltFromTheChecksKeepingTheirOwn)
{
    ItemTypeChecks checks;
    checks.ownFont = true;
    checks.busyDays = true;
    // 0x08, 0x10 and 0x100 stay; 0x40, 0x200 and the unchecked ones go.
    EXPECT_EQ(CItemTypeEditor::RebuildFlags(0x1FF | 0x200, checks), 0x08u | 0x10 | 0x100 | 0x02 | 0x80);
    EXPECT_EQ(CItemTypeEditor::RebuildFlags(0, ItemTypeChecks{true, false, true, true, false}),
              0x01u | 0x04 | 0x20);
}

TEST(ItemTypeEditorRules, CustomColoursNeedExactlySixtyFourBytes)
{
    TempProfile profile;
    EXPECT_EQ(CItemTypeEditor::LoadCustomColors()[5], 0xFFFFFFu);
    CItemTypeEditor::CustomColors colors;
    colors.fill(0x102030);
    colors[15] = 0xABCDEF;
    ASSERT_TRUE(CItemTypeEditor::SaveCustomColors(colors));
    EXPECT_EQ(CItemTypeEditor::LoadCustomColors(), colors);
    WriteProfileBinary(QStringLiteral("Common"), QStringLiteral("CCS"), QByteArray(60, '\x11'));
    EXPECT_EQ(CItemTypeEditor::LoadCustomColors()[0], 0xFFFFFFu);
}

class ItemTypeEditorTest : public DocumentFixture
{
  public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        CreateAndOpen();
        ASSERT_TRUE(m_files.isValid());
    }
    QString WriteFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QStringList Names()
    {
        QStringList names;
        for (int i = 0; i < m_doc.GetItemTypes().GetTypeCount(); ++i)
            names << m_doc.GetItemTypes().GetType(i)->GetName();
        return names;
    }
    QTemporaryDir m_files;
};

TEST_F(ItemTypeEditorTest, AnEditedTypeSurvivesAReopen)
{
    CItemTypeList &types = m_doc.GetItemTypes();
    ASSERT_GT(types.GetTypeCount(), 1);
    const int index = 0;
    ImagePixels large, small;
    ASSERT_TRUE(types.GetTypeIcons(index, large, small));
    CEditItemTypeDlg dialog(Names(), *types.GetType(index), index, small, large);
    const QString ico = WriteFile(QStringLiteral("star.ico"), IconFileFuzz::IconFile({{16, 8}, {32, 8}}));
    ASSERT_TRUE(dialog.TakeIcon(ico, 0));
    dialog.findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("  Garden  "));
    dialog.TakeTextColor(0x00102030);
    dialog.TakeBackColor(0x00C0D0E0);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(14);
    font.setBold(true);
    font.setItalic(true);
    dialog.TakeFont(font);
    CReminderSound sound;
    sound.SetMode(CReminderSound::SoundFile);
    sound.SetPath(QStringLiteral("/nowhere/bell.wav"));
    dialog.Editor().Type().SetSound(sound);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);

    ItemTypeArray copies;
    CImageList largeList, smallList;
    ASSERT_TRUE(types.CopyTypes(copies, largeList, smallList));
    *copies[std::size_t(index)] = dialog.GetItemType();
    ASSERT_TRUE(largeList.Replace(index, dialog.GetLargeIcon()));
    ASSERT_TRUE(smallList.Replace(index, dialog.GetSmallIcon()));
    ASSERT_TRUE(types.SetTypes(copies, largeList, smallList));
    ASSERT_EQ(m_doc.SaveItemTypes(), S_OK);
    const LogFont storedFont = dialog.GetItemType().GetFont();

    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    const int found = m_doc.GetItemTypes().FindType(QStringLiteral("Garden"));
    ASSERT_GE(found, 0);
    const CItemType &t = *m_doc.GetItemTypes().GetType(found);
    EXPECT_TRUE(t.HasFlag(CItemType::kFlagOwnColors));
    EXPECT_TRUE(t.HasFlag(CItemType::kFlagOwnFont));
    EXPECT_EQ(t.GetTextColor(), 0x00102030u);
    EXPECT_EQ(t.GetFillColor(), 0x00C0D0E0u);
    EXPECT_EQ(t.GetFont(), storedFont);
    EXPECT_EQ(t.GetFont().FaceName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(t.GetFont().weight, 700);
    EXPECT_EQ(t.GetFont().italic, 1);
    EXPECT_EQ(t.GetSound().GetPath(), QStringLiteral("/nowhere/bell.wav"));
    ASSERT_TRUE(m_doc.GetItemTypes().GetTypeIcons(found, large, small));
    EXPECT_EQ(small, dialog.GetSmallIcon());
    EXPECT_EQ(large, dialog.GetLargeIcon());
    EXPECT_EQ(small[1 * 16 + 1], 0xFFC03020u) << "the diagonal of the icon file";
}

TEST_F(ItemTypeEditorTest, OkRefusesATakenNameAndABrokenIconChangesNothing)
{
    CItemTypeList &types = m_doc.GetItemTypes();
    ImagePixels large, small;
    types.GetTypeIcons(0, large, small);
    CEditItemTypeDlg dialog(Names(), *types.GetType(0), 0, small, large);
    dialog.findChild<QLineEdit *>(QStringLiteral("name"))->setText(Names().at(1).toUpper());
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::TypeNameTaken));

    QByteArray lying = IconFileFuzz::IconFile({{16, 8}, {32, 8}});
    lying[4] = char(0x40); // claims 64 images
    EXPECT_FALSE(dialog.TakeIcon(WriteFile(QStringLiteral("lying.ico"), lying), 0));
    EXPECT_FALSE(dialog.TakeIcon(WriteFile(QStringLiteral("short.ico"), lying.left(30)), 0));
    EXPECT_FALSE(dialog.TakeIcon(WriteFile(QStringLiteral("tool.dll"), QByteArray("MZ")), 0));
    EXPECT_EQ(dialog.GetSmallIcon(), small);
}

TEST_F(ItemTypeEditorTest, ChangeIconDialog)
{
    CChangeIconDlg dialog;
    EXPECT_EQ(dialog.GetIndex(), -1);
    EXPECT_GE(dialog.IconCount(), 20) << "the program's icon library";
    const int count = dialog.IconCount();

    const QString notIcons = WriteFile(QStringLiteral("notes.txt"), QByteArray("not an icon"));
    dialog.TakeBrowsedFile(notIcons);
    EXPECT_EQ(m_messages.LastText(),
              QStringLiteral("The file %1 contains no icons.").arg(QDir::toNativeSeparators(notIcons)));
    EXPECT_EQ(dialog.IconCount(), count) << "the list stays";

    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("icons"));
    list->clearSelection();
    list->setCurrentItem(nullptr);
    dialog.accept();
    EXPECT_EQ(m_messages.beeps, 1);
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    dialog.SelectIcon(3);
    emit list->itemDoubleClicked(list->item(3));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetIndex(), 3);
    ImagePixels small, large;
    EXPECT_TRUE(LoadIconFromFile(dialog.GetPath(), 3, small, large));

    CChangeIconDlg browsed;
    browsed.TakeBrowsedFile(WriteFile(QStringLiteral("own.ico"), IconFileFuzz::Seed()));
    EXPECT_EQ(browsed.IconCount(), 1);
    EXPECT_EQ(browsed.GetPath(), m_files.filePath(QStringLiteral("own.ico")));
}

TEST_F(ItemTypeEditorTest, Renders)
{
    CItemTypeList &types = m_doc.GetItemTypes();
    ImagePixels large, small;
    types.GetTypeIcons(1, large, small);
    CItemType type = *types.GetType(1);
    type.SetFlags(type.GetFlags() | CItemType::kFlagOwnColors);
    type.SetTextColor(0x00400000);
    type.SetFillColor(0x00A0E0FF);
    CEditItemTypeDlg dialog(Names(), type, 1, small, large);
    RenderDialog(dialog, "item_type_editor");

    CChangeIconDlg icons;
    RenderDialog(icons, "change_icon");

    SetItemTypeCatalog(&types);
    CItemTypeEdit field;
    field.resize(220, 22);
    const int colored = types.FindType(type.GetName());
    ASSERT_GE(colored, 0);
    ItemTypeArray copies;
    CImageList l, s;
    types.CopyTypes(copies, l, s);
    *copies[std::size_t(colored)] = type;
    types.SetTypes(copies, l, s);
    field.SetItemType(type.GetName());
    EXPECT_TRUE(field.UsesGradient());
    EXPECT_EQ(field.GetBackColor(), 0x00A0E0FFu);
    RenderDialog(field, "item_type_field");
    field.SetGradient(false);
    EXPECT_FALSE(field.UsesGradient()) << "a screen of 256 colours paints flat";
    field.SetItemType(QStringLiteral("No such type"));
    EXPECT_EQ(field.GetTypeIndex(), -1);
    SetItemTypeCatalog(nullptr);
}

} // namespace
