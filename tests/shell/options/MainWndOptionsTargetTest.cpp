// The main window's side of the Options dialog's OK on a real window: the toolbar follows
// "TLI", the views are refreshed, and nothing is asked of a window that is gone.
#include "shell/options/MainWndOptionsTarget.h"
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/document/CalendarDocument.h"
#include "core/system/Profile.h"
#include "shell/MainFrame.h"
#include "shell/MainWnd.h"
#include "shell/options/OptionsCommand.h"
#include "shell/options/OptionsDlg.h"

#include <QApplication>

#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

TEST(MainWndOptionsTargetTest, ToolBarFollowsTheIconSizeAndAClosedWindowIsLeftAlone)
{
    TempProfile profile;
    FakeMessagePort messages;
    QTemporaryDir dir;
    const QString path = dir.filePath("calendar.qv0");
    CCalendarDocument doc;
    ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(path, "Personal Calendar", ""), S_OK);
    ASSERT_EQ(doc.OpenCalendarFile(path, "", nullptr, false), S_OK);
    CMainFrame frame(doc);
    frame.Create();
    CMainWndOptionsTarget target(frame);
    EXPECT_FALSE(target.HasWindow());
    target.RebuildToolBar(); // no window: nothing happens
    target.RefreshViews();

    frame.Restore();
    ASSERT_TRUE(target.HasWindow());
    QToolBar *bar = frame.GetMainWnd()->findChild<QToolBar *>("toolBar");
    ASSERT_NE(bar, nullptr);
    WriteProfileInt("Common", "TLI", 0);
    target.RebuildToolBar();
    EXPECT_EQ(bar->iconSize(), QSize(16, 16));
    WriteProfileInt("Common", "TLI", 1);
    target.RebuildToolBar();
    EXPECT_EQ(bar->iconSize(), QSize(24, 24));
    target.LayOutPanes();
    target.RefreshPaneColors();
    target.RefreshViews();
    delete frame.GetMainWnd();
    EXPECT_FALSE(target.HasWindow());
    doc.CloseCalendarFile();
}

TEST(OptionsCommandTest, FromTheTrayTheDialogRunsOnItsOwnAndOnlyOnce)
{
    TempProfile profile;
    FakeMessagePort messages;
    CCalendarDocument doc;
    CMainFrame frame(doc);
    frame.Create();
    auto dialogs = [] {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += qobject_cast<COptionsDlg *>(widget) && widget->isVisible();
        return count;
    };
    EXPECT_EQ(RunOptionsCommand(doc, frame), 0);
    EXPECT_EQ(dialogs(), 1);
    EXPECT_EQ(RunOptionsCommand(doc, frame), 0); // the open one comes to the front
    EXPECT_EQ(dialogs(), 1);
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<COptionsDlg *>(widget))
            dialog->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialogs(), 0);
}

} // namespace
