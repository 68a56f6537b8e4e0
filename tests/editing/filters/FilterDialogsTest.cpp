// The Define Filters and Edit Filter dialogs offscreen: create, rename refusal, delete, the
// result of Apply Filter, and renders.
#include "../DialogRenders.h"

#include "common/FakeFixedObjectStore.h"
#include "common/FakeMessagePort.h"
#include "core/lists/ItemTypeList.h"
#include "editing/filters/FilterEditDlg.h"
#include "editing/filters/FilterListDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class FilterDialogsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(types.CreatePredefinedTypes(), S_OK);
        CItemFilter work;
        work.SetName(QStringLiteral("Work"));
        work.SetCategoryNames({QStringLiteral("Business")});
        types.AddFilter(work);
        CItemFilter home;
        home.SetName(QStringLiteral("home things"));
        home.SetFlags(CItemFilter::FF_UNDEFINED_TYPE | CItemFilter::FF_TYPES_ALL_BUT | CItemFilter::FF_OR);
        home.SetCategoryNames({QStringLiteral("Personal")});
        types.AddFilter(home);
    }
    FakeMessagePort messages;
    FakeFixedObjectStore file;
    CItemTypeList types;
    const QStringList categories{QStringLiteral("Business"), QStringLiteral("Personal")};
};

TEST_F(FilterDialogsTest, RowsSortedDetailsShownAndApplyGivesTheName)
{
    CFilterListDlg dialog(file, types, categories);
    ASSERT_EQ(dialog.GetList()->count(), 2);
    EXPECT_EQ(dialog.GetList()->item(0)->text(), QStringLiteral("home things"));
    dialog.GetList()->setCurrentRow(1);
    RenderDialog(dialog, "filter_list");
    dialog.accept();
    EXPECT_EQ(dialog.GetResult(), QStringLiteral("Work"));
}

TEST_F(FilterDialogsTest, DeleteIsStoredOnClose)
{
    messages.answer = MessageResult::Yes;
    CFilterListDlg dialog(file, types, categories);
    dialog.GetList()->setCurrentRow(1);
    dialog.OnDelete();
    EXPECT_EQ(dialog.GetList()->count(), 1);
    EXPECT_EQ(dialog.GetList()->currentRow(), 0) << "the new last row";
    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "closing after a change ends with OK";
    EXPECT_TRUE(dialog.GetResult().isEmpty());
    EXPECT_EQ(types.GetFilterCount(), 1);
    EXPECT_GE(file.writes, 1);
}

TEST_F(FilterDialogsTest, EditorRefusesAnotherFiltersNameInAnyCase)
{
    CItemFilter edited;
    edited.CopyFrom(*types.GetFilter(0));
    CFilterEditDlg dialog(edited, 0, {QStringLiteral("Work"), QStringLiteral("home things")},
                          {QStringLiteral("Appointment"), QStringLiteral("Meeting")}, categories);
    dialog.GetNameEdit()->setText(QStringLiteral("HOME THINGS"));
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.LastText(),
              QStringLiteral("Another filter with this name already exists. Enter a different name."));
    dialog.GetNameEdit()->setText(QStringLiteral("WORK"));
    dialog.accept();
    EXPECT_EQ(edited.GetName(), QStringLiteral("WORK")) << "its own name in another case is fine";
}

TEST_F(FilterDialogsTest, EditorRenders)
{
    CItemFilter fresh;
    CFilterEditDlg create(fresh, -1, {}, {QStringLiteral("Appointment"), QStringLiteral("Birthday")},
                          categories);
    EXPECT_EQ(create.windowTitle(), QStringLiteral("Create a New Filter"));
    EXPECT_FALSE(create.GetTypeList()->isEnabled());
    create.ChooseTypes(FilterChoice::SelectedOnly);
    create.GetTypeList()->item(1)->setCheckState(Qt::Checked);
    RenderDialog(create, "filter_edit");
}

} // namespace
