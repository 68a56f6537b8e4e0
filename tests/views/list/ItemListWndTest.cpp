// The list view's window: its scroll bars follow the view and move it, the layout is saved
// when it goes; and the Field Chooser window over its model.
#include "views/list/ItemListWnd.h"
#include "common/TempProfile.h"
#include "core/system/Profile.h"
#include "views/list/EventListWnd.h"
#include "views/list/FieldChooserDlg.h"
#include "views/list/ListFixture.h"
#include "views/support/ViewFakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace listfixture;

TEST(ItemListWndTest, ScrollBarsFollowTheViewAndMoveIt)
{
    TempProfile profile;
    CEventListWnd view;
    {
        CItemListWnd wnd(view);
        wnd.resize(400, 200);
        for (int i = 0; i < 50; ++i)
            view.AddEntry(
                EventEntry(std::uint32_t(i + 1), QStringLiteral("item %1").arg(i), CDateTime(2024, 5, 1)));
        view.Refresh(true);
        wnd.UpdateScrollBars();
        ASSERT_FALSE(wnd.VerticalBar()->isHidden());
        ASSERT_FALSE(wnd.HorizontalBar()->isHidden()); // the default columns are wider than 400
        EXPECT_LT(wnd.ClientRect().width(), 400);
        EXPECT_EQ(wnd.VerticalBar()->maximum(), 50 - view.RowsPerPage());

        wnd.VerticalBar()->setValue(10);
        EXPECT_EQ(view.GetFirstVisibleRow(), 10);
        wnd.HorizontalBar()->setValue(wnd.HorizontalBar()->maximum());
        EXPECT_EQ(view.GetHorzPos(), view.Columns().TotalWidth() - wnd.ClientRect().width());

        view.ScrollVertically(CItemListCtrl::Scroll::Top);
        wnd.UpdateScrollBars();
        EXPECT_EQ(wnd.VerticalBar()->value(), 0);
        const QDir dir(QCoreApplication::applicationDirPath());
        dir.mkpath(QStringLiteral("renders"));
        wnd.grab().save(dir.filePath(QStringLiteral("renders/list_window.png")));
        view.SortByColumn(view.Columns().VisualIndexOf(4), CItemListCtrl::SortRequest::Descending);
    }
    // The window saved the layout as it went.
    EXPECT_EQ(GetProfileInt("List", "Cols", 0), 12);
    EXPECT_EQ(GetProfileInt("List", "Dir", 1), 0);
}

TEST(FieldChooserDlgTest, ChecksAndMovesReachTheResult)
{
    CFieldChooserDlg dlg({0, 4, 20, 16}, {4, 16});
    dlg.SetFieldOrder({(330u << 16) | 4, (140u << 16) | 20});
    auto *list = dlg.findChild<QListWidget *>("fields");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "Subject");
    list->item(3)->setCheckState(Qt::Checked); // "Start"
    dlg.MoveDown();                            // Subject below Location
    dlg.accept();
    EXPECT_EQ(dlg.GetFieldOrder(),
              (std::vector<std::uint32_t>{(140u << 16) | 20, (330u << 16) | 4, (119u << 16) | 16}));

    dlg.Restore();
    EXPECT_EQ(list->item(0)->text(), "Subject");
    EXPECT_EQ(list->item(1)->text(), "Start");
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(2)->checkState(), Qt::Unchecked);
}

// Fields added, removed and reordered in the Field Chooser reach the view, and a view made
// afresh (the next start of the program) shows them.
TEST(FieldChooserDlgTest, ChosenColumnsOutliveTheView)
{
    TempProfile profile;
    std::vector<std::uint32_t> chosen;
    {
        CEventListWnd view;
        view.LoadViewOptions();
        CFieldChooserDlg dlg(view);
        auto *list = dlg.findChild<QListWidget *>("fields");
        ASSERT_NE(list, nullptr);
        ASSERT_GT(list->count(), view.Columns().Count());
        EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
        list->item(0)->setCheckState(Qt::Unchecked);               // removes the first column
        list->item(list->count() - 1)->setCheckState(Qt::Checked); // adds a field not shown
        list->setCurrentRow(list->count() - 1);
        dlg.MoveUp(); // and moves it up one
        const QDir dir(QCoreApplication::applicationDirPath());
        dir.mkpath(QStringLiteral("renders"));
        dlg.grab().save(dir.filePath(QStringLiteral("renders/field_chooser.png")));
        dlg.accept();
        chosen = dlg.GetFieldOrder();
        dlg.ApplyTo(view);
        EXPECT_EQ(view.Columns().FieldValues(), chosen);
    }
    CEventListWnd again;
    again.LoadViewOptions();
    EXPECT_EQ(again.Columns().FieldValues(), chosen);
}
