// The Categories, Master Category List and Location List dialogs offscreen: their buttons, a
// failed save that keeps the dialog open, and renders.
#include "../DialogRenders.h"

#include "common/FakeFixedObjectStore.h"
#include "common/FakeMessagePort.h"
#include "core/lists/CategoryList.h"
#include "core/lists/MasterList.h"
#include "editing/lists/CategoriesDlg.h"
#include "editing/lists/NamedListDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(ListDialogsTest, CategoriesDialogTicksAndReturnsTheText)
{
    FakeMessagePort messages;
    FakeFixedObjectStore file;
    CMasterList master;
    for (const char *name : {"Business", "Gifts", "Holiday", "Personal", "Phone Calls"})
        master.Add(CCategory(QString::fromUtf8(name)));
    CCategoriesDlg dialog(&master, &file, QStringLiteral("gifts; Garden"));
    QListWidget *list = dialog.GetList();
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Garden ( local )"));
    list->item(0)->setCheckState(Qt::Checked);
    RenderDialog(dialog, "categories");
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), QStringLiteral("Business, Garden, Gifts"));
}

// Defaults that cannot be stored are reported and the dialog still opens on them; a read-only
// file (which has no list to give) offers them quietly, without writing.
TEST(ListDialogsTest, CategoriesDialogReportsDefaultsThatCannotBeSaved)
{
    FakeMessagePort messages;
    FakeFixedObjectStore file;
    file.writeResult = HRESULT(0x80070070); // disk full
    CMasterList master;
    CCategoriesDlg dialog(&master, &file, QString());
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(dialog.GetList()->count(), 8);

    FakeFixedObjectStore readOnly;
    readOnly.readResult = QV_E_ITEM_LOAD;
    CMasterList empty;
    CCategoriesDlg quiet(&empty, &readOnly, QString());
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(readOnly.writes, 0);
    EXPECT_EQ(quiet.GetList()->count(), 8);
}

TEST(ListDialogsTest, AddIsTheDefaultWhileTheEditHoldsText)
{
    FakeMessagePort messages;
    FakeFixedObjectStore file;
    CCategoryList places;
    CNamedListDlg dialog(CNamedListEditor::Kind::Locations, places, file);
    auto *add = dialog.findChild<QPushButton *>(QStringLiteral("add"));
    EXPECT_FALSE(add->isEnabled());
    dialog.GetEdit()->setText(QStringLiteral("Library"));
    EXPECT_TRUE(add->isEnabled());
    EXPECT_TRUE(add->isDefault());
    dialog.OnAdd();
    EXPECT_EQ(dialog.GetList()->count(), 1);
    EXPECT_FALSE(add->isDefault());
    dialog.GetList()->setCurrentRow(0);
    dialog.OnDelete();
    EXPECT_EQ(dialog.GetList()->count(), 0);
    EXPECT_FALSE(dialog.findChild<QPushButton *>(QStringLiteral("delete"))->isEnabled());
}

TEST(ListDialogsTest, FailedSaveIsReportedAndTheDialogStaysOpen)
{
    FakeMessagePort messages;
    FakeFixedObjectStore file;
    file.writeResult = HRESULT(0x80070070);
    CMasterList master;
    master.Add(CCategory(QStringLiteral("Kept")));
    CNamedListDlg dialog(CNamedListEditor::Kind::Categories, master, file);
    dialog.GetEdit()->setText(QStringLiteral("Added"));
    dialog.OnAdd();
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(messages.shown.isEmpty());
    ASSERT_EQ(master.GetCount(), 1);
    EXPECT_EQ(master.GetAt(0)->GetName(), QStringLiteral("Kept"));

    file.writeResult = S_OK;
    dialog.accept();
    EXPECT_EQ(master.GetCount(), 2);
}

TEST(ListDialogsTest, Renders)
{
    FakeMessagePort messages;
    messages.answer = MessageResult::Ok;
    FakeFixedObjectStore file;
    CMasterList master;
    CNamedListDlg categories(CNamedListEditor::Kind::Categories, master, file);
    categories.OnReset();
    EXPECT_EQ(categories.GetList()->count(), 8);
    RenderDialog(categories, "master_category_list");
    CCategoryList places;
    CNamedListDlg locations(CNamedListEditor::Kind::Locations, places, file);
    for (const char *name : {"Conference room", "Home office", "Library"}) {
        locations.GetEdit()->setText(QString::fromUtf8(name));
        locations.OnAdd();
    }
    RenderDialog(locations, "location_list");
}

} // namespace
