// The main window on a data file: its render, the layout it keeps, full screen, and the
// data-file commands with scripted answers.
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"
#include "shell/CentralArea.h"
#include "shell/DataFileCommands.h"
#include "shell/MainFrame.h"
#include "shell/MainWnd.h"
#include "shell/ShellCommands.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class MainWndTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        m_path = m_dir.filePath("calendar.qv0");
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(m_path, "Personal Calendar", ""), S_OK);
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path, "", nullptr, false), S_OK);
        for (const char *subject : {"Team meeting", "Dentist", "Lunch with Ann"}) {
            CEventItem event;
            event.SetSubject(subject);
            event.SetStart(CDateTime(2024, 5, 14, 10, 0));
            ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
        }
        CTaskItem task;
        task.SetSubject("File the tax return");
        ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);
        m_frame = std::make_unique<CMainFrame>(m_doc);
        m_frame->Create();
        m_frame->Restore();
        ASSERT_NE(Window(), nullptr);
    }
    void TearDown() override
    {
        delete Window();
        m_frame.reset();
        m_doc.CloseCalendarFile();
    }
    CMainWnd *Window() const { return m_frame->GetMainWnd(); }
    CDataFileCommands::Asks NoAsks()
    {
        CDataFileCommands::Asks asks;
        asks.chooseNewPath = [](QWidget *, const QString &, QString &) { return false; };
        asks.chooseOpenPath = [](QWidget *, const QString &, QString &, bool &) { return false; };
        asks.newFileDetails = [this](QWidget *, QString &, QString &) {
            ++m_detailsAsked;
            return false;
        };
        asks.newPassword = [](QWidget *, QString &) { return false; };
        asks.newName = [](QWidget *, QString &) { return false; };
        asks.shiftHeld = [] { return false; };
        return asks;
    }
    static QString RenderFolder()
    {
        const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("renders");
        QDir().mkpath(folder);
        return folder;
    }

    TempProfile m_profile;
    FakeMessagePort m_messages;
    QTemporaryDir m_dir;
    QString m_path;
    CCalendarDocument m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    int m_detailsAsked = 0;
};

TEST_F(MainWndTest, RendersWithItsBarsAndTheOpenFile)
{
    CMainWnd *w = Window();
    w->resize(900, 600);
    QApplication::processEvents();
    EXPECT_EQ(w->windowTitle(), "Personal Calendar - Tessivo");
    EXPECT_TRUE(w->menuBar()->isVisible());
    EXPECT_TRUE(w->statusBar()->isVisible());
    const QImage image = w->grab().toImage();
    EXPECT_TRUE(image.save(RenderFolder() + "/shell_main_window.png"));

    // The File menu as it drops down, prepared for the open file.
    QMenu *file = w->menuBar()->findChildren<QMenu *>().value(0);
    for (QMenu *menu : w->menuBar()->findChildren<QMenu *>())
        if (menu->title() == "&File")
            file = menu;
    ASSERT_NE(file, nullptr);
    file->popup(w->mapToGlobal(QPoint(0, w->menuBar()->height())));
    QApplication::processEvents();
    EXPECT_TRUE(file->grab().toImage().save(RenderFolder() + "/shell_main_window_file_menu.png"));
    file->hide();
}

TEST_F(MainWndTest, LayoutSurvivesClosingAndRestoring)
{
    CMainWnd *w = Window();
    w->resize(820, 560);
    w->RunCommand(ShellCmd::ViewMonth);
    w->RunCommand(ShellCmd::ToggleToolbar);
    w->SaveLayout();
    delete w;
    m_frame->Restore();
    CMainWnd *again = Window();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->CentralArea().ActiveViewKind(), 4);
    EXPECT_FALSE(again->findChild<QToolBar *>("toolBar")->isVisible());
    EXPECT_EQ(again->size(), QSize(820, 560));
}

TEST_F(MainWndTest, FullScreenHidesTheBarsAndGivesBackExactlyThoseThatWereShown)
{
    CMainWnd *w = Window();
    w->RunCommand(ShellCmd::ToggleInfoBar); // the information bar was hidden before
    w->SetFullScreen(true);
    EXPECT_TRUE(w->IsFullScreenOn());
    EXPECT_FALSE(w->menuBar()->isVisible());
    EXPECT_FALSE(w->statusBar()->isVisible());
    EXPECT_FALSE(w->CommandState(ShellCmd::ToggleToolbar).enabled);
    w->RunCommand(ShellCmd::FileClose); // nothing while full screen is on
    EXPECT_TRUE(m_doc.IsOpen());
    w->SetFullScreen(false);
    EXPECT_TRUE(w->menuBar()->isVisible());
    EXPECT_TRUE(w->statusBar()->isVisible());
    EXPECT_TRUE(w->findChild<QToolBar *>("toolBar")->isVisible());
    EXPECT_FALSE(w->findChild<QWidget *>("infoBar")->isVisible());
}

TEST_F(MainWndTest, NewOntoTheOpenFileIsRefused)
{
    CDataFileCommands::Asks asks = NoAsks();
    asks.chooseNewPath = [this](QWidget *, const QString &, QString &path) {
        path = QDir(m_dir.path()).filePath("./calendar.qv0"); // the same file, spelt differently
        return true;
    };
    Window()->FileCommands().SetAsks(asks);
    Window()->RunCommand(ShellCmd::FileNew);
    EXPECT_EQ(m_detailsAsked, 0);
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.LastText().contains("open now"));
    int events = 0;
    ASSERT_EQ(m_doc.CountItemsOfKind(1, events), S_OK);
    EXPECT_EQ(events, 3);
}

TEST_F(MainWndTest, OpenReadOnlyAndTheRecentList)
{
    const QString other = m_dir.filePath("other.qv0");
    ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(other, "Other", ""), S_OK);
    CDataFileCommands::Asks asks = NoAsks();
    asks.chooseOpenPath = [&](QWidget *, const QString &, QString &path, bool &readOnly) {
        path = other;
        readOnly = true;
        return true;
    };
    Window()->FileCommands().SetAsks(asks);
    Window()->RunCommand(ShellCmd::FileOpen);
    EXPECT_TRUE(m_doc.IsReadOnly());
    EXPECT_EQ(m_doc.GetDataFile().GetTitle(), "Other");
    EXPECT_TRUE(Window()->windowTitle().startsWith("Other"));
    EXPECT_FALSE(Window()->CommandState(ShellCmd::Rename).enabled);
    EXPECT_FALSE(Window()->CommandState(ShellCmd::ChangePassword).enabled);
    EXPECT_EQ(Window()->RecentFiles().GetPath(0), other);
    EXPECT_EQ(Window()->RecentFiles().GetPath(1), m_path);

    // The entry of the open file reopens nothing.
    Window()->RunCommand(ShellCmd::RecentFirst);
    EXPECT_TRUE(m_doc.IsReadOnly());

    // A vanished file: No keeps its entry, Yes removes it.
    ASSERT_TRUE(QFile::remove(m_path));
    m_messages.answer = MessageResult::No;
    Window()->RunCommand(ShellCmd::RecentFirst + 1);
    EXPECT_EQ(Window()->RecentFiles().GetPath(1), m_path);
    m_messages.answer = MessageResult::Yes;
    Window()->RunCommand(ShellCmd::RecentFirst + 1);
    EXPECT_TRUE(Window()->RecentFiles().GetPath(1).isEmpty());
    EXPECT_EQ(m_doc.GetDataFile().GetTitle(), "Other"); // still open
}

TEST_F(MainWndTest, CloseLeavesNoFileAndDisablesTheFileCommands)
{
    Window()->RunCommand(ShellCmd::FileClose);
    EXPECT_FALSE(m_doc.IsOpen());
    EXPECT_EQ(Window()->windowTitle(), "Tessivo");
    EXPECT_FALSE(Window()->CommandState(ShellCmd::Properties).enabled);
    EXPECT_TRUE(Window()->CommandState(ShellCmd::FileOpen).enabled);
    EXPECT_FALSE(Window()->CommandState(ShellCmd::Print).enabled);
    Window()->resize(900, 600);
    QApplication::processEvents();
    EXPECT_TRUE(Window()->grab().toImage().save(RenderFolder() + "/shell_main_window_no_file.png"));
}

TEST_F(MainWndTest, ExitIsRefusedWhileAModalDialogRuns)
{
    QDialog dialog(Window());
    bool closed = true;
    QTimer::singleShot(0, &dialog, [&] {
        closed = m_frame->Close();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_FALSE(closed);
    EXPECT_TRUE(m_doc.IsOpen());
    EXPECT_NE(Window(), nullptr);
}

} // namespace
