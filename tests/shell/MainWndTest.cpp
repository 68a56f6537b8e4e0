// The main window on a data file: its render, the layout it keeps, full screen, and the
// data-file commands with scripted answers.
#include "common/FakeMessagePort.h"
#include "common/TempProfile.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"
#include "editing/event/EditEventDlg.h"
#include "shell/CentralArea.h"
#include "shell/MainBaseArea.h"
#include "containers/base/ViewContainer.h"
#include "containers/mainbase/MainBasePointers.h"
#include "containers/preview/EventPreviewBar.h"
#include "containers/preview/PreviewPane.h"
#include "editing/base/NotesEdit.h"
#include "core/items/DisplayItem.h"
#include "views/base/CalendarViewCtrl.h"
#include "shell/DataFileCommands.h"
#include "shell/MainFrame.h"
#include "shell/MainWnd.h"
#include "shell/MainWndLayout.h"
#include "shell/SampleCalendar.h"
#include "shell/ShellCommands.h"
#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"
#include "core/system/Profile.h"
#include "toolkit/bars/CaptionBar.h"
#include "toolkit/bars/ItemsStatusBar.h"
#include "toolkit/bars/ToolBarEx.h"
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/menus/MenuEx.h"
#include "toolkit/menus/MenuLookStyle.h"
#include "toolkit/style/MenuLook.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QLabel>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainWndTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        if (!qobject_cast<CMenuLookStyle *>(QApplication::style()))
            QApplication::setStyle(new CMenuLookStyle);
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
    w->RunCommand(ShellCmd::HiddenItems);
    w->SaveLayout();
    delete w;
    m_frame->Restore();
    CMainWnd *again = Window();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->CentralArea().ActiveViewKind(), 4);
    EXPECT_FALSE(again->findChild<QToolBar *>("toolBar")->isVisible());
    EXPECT_EQ(again->size(), QSize(820, 560));
    EXPECT_TRUE(again->CommandState(ShellCmd::HiddenItems).checked);
}

TEST_F(MainWndTest, FullScreenHidesTheBarsAndGivesBackExactlyThoseThatWereShown)
{
    CMainWnd *w = Window();
    w->RunCommand(ShellCmd::ToggleInfoBar); // the information bar was hidden before
    w->SetFullScreen(true);
    EXPECT_TRUE(w->IsFullScreenOn());
    // The small floating bar to leave full screen, one pixel inside the work area at first.
    auto *bar = w->findChild<CToolBarEx *>("fullScreenBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(bar->Button(ShellCmd::FullScreen), nullptr);
    bar->move(bar->pos() + QPoint(30, 40));
    const QPoint moved = bar->pos();
    EXPECT_FALSE(w->menuBar()->isVisible());
    EXPECT_FALSE(w->statusBar()->isVisible());
    EXPECT_FALSE(w->CommandState(ShellCmd::ToggleToolbar).enabled);
    w->RunCommand(ShellCmd::FileClose); // nothing while full screen is on
    EXPECT_TRUE(m_doc.IsOpen());
    w->SetFullScreen(false);
    EXPECT_EQ(w->findChild<CToolBarEx *>("fullScreenBar"), nullptr);
    EXPECT_EQ(UnpackBarPoint(GetProfileInt("Common", "FSxy", 0)), moved); // where it goes next time
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

TEST_F(MainWndTest, NewEventOpensTheEditorOnAnEventPlannedForNow)
{
    CMainWnd *w = Window();
    w->show();
    QString title;
    bool loaded = false;
    QTimer::singleShot(0, w, [&] {
        auto *editor = qobject_cast<CEditEventDlg *>(QApplication::activeModalWidget());
        if (!editor)
            return;
        title = editor->windowTitle();
        loaded = editor->IsLoaded();
        editor->reject();
    });
    EXPECT_TRUE(w->CommandState(ShellCmd::NewEventDefault).enabled);
    EXPECT_TRUE(w->RunCommand(ShellCmd::NewEventFirst + 2));
    EXPECT_TRUE(loaded);
    EXPECT_FALSE(title.isEmpty());
    int events = 0;
    ASSERT_EQ(m_doc.CountItemsOfKind(1, events), S_OK);
    EXPECT_EQ(events, 3); // cancelled: nothing stored
    // Without a writable file there is nothing to put it in.
    w->RunCommand(ShellCmd::FileClose);
    EXPECT_FALSE(w->CommandState(ShellCmd::NewEventDefault).enabled);
}

// The ids of every command in a menu and its sub-menus.
QList<int> MenuCommands(QMenu *menu)
{
    QList<int> ids;
    for (QAction *action : menu->actions()) {
        if (action->menu())
            ids += MenuCommands(action->menu());
        else if (CommandIdOf(action))
            ids << CommandIdOf(action);
    }
    return ids;
}

TEST_F(MainWndTest, EveryFileCommandHasItsEntryAndThoseNotBuiltAreDisabled)
{
    CMainWnd *w = Window();
    QStringList titles;
    for (QAction *action : w->menuBar()->actions())
        titles << action->text();
    // No handheld module here: the fifth menu is gone.
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Go", "&Tools", "&Help"}));

    CMenuEx *file = w->TopMenu("&File");
    ASSERT_NE(file, nullptr);
    w->PrepareMenu(file);
    const QList<int> inFile = MenuCommands(file);
    const QList<int> working = {57600, 57601, 57602, 32921, 32819, 34807};
    const QList<int> notYet = {32784, 32825, 34728, 34723, 32893, 34818, 34790, 34819, 34820,
                               34742, 34821, 32898, 32899, 32901, 32904, 32906, 57607};
    for (int id : working + notYet) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(inFile.contains(id));
        EXPECT_EQ(w->CommandState(id).enabled, working.contains(id));
    }
    // The menu shows what the route says.
    EXPECT_FALSE(CCommandTable::Instance().Action(ShellCmd::ImportExport)->isEnabled());
    EXPECT_TRUE(CCommandTable::Instance().Action(ShellCmd::FileOpen)->isEnabled());
    // A disabled command cannot run, from a menu's action or from the window.
    EXPECT_FALSE(w->RunCommand(ShellCmd::Print));
    CCommandTable::Instance().Action(ShellCmd::BackUp)->trigger();
    EXPECT_TRUE(m_doc.IsOpen());
    // The recent list holds the open file.
    EXPECT_TRUE(inFile.contains(ShellCmd::RecentFirst));
    // The filter and view commands are in the View menu.
    CMenuEx *view = w->TopMenu("&View");
    w->PrepareMenu(view);
    const QList<int> inView = MenuCommands(view);
    for (int id : {32895, 34732, 32803, 34724, 32804, 32802, 34738, 32894, 34746, 32868, 32880, 59392, 32801,
                   59393, 32813, 32814, 34789, 34855})
        EXPECT_TRUE(inView.contains(id)) << id;
}

TEST_F(MainWndTest, MenusAreRebuiltForTheActiveViewKind)
{
    CMainWnd *w = Window();
    CMenuEx *file = w->TopMenu("&File");
    CMenuEx *view = w->TopMenu("&View");
    QMenu *preview = nullptr;
    for (QAction *action : file->actions())
        if (action->text() == "Print Pre&view")
            preview = action->menu();
    ASSERT_NE(preview, nullptr);
    auto visible = [](int id) { return CCommandTable::Instance().Action(id)->isVisible(); };

    w->RunCommand(ShellCmd::ViewMonth);
    w->PrepareMenu(file);
    w->PrepareMenu(view);
    EXPECT_EQ(preview->actions().size(), 8);
    EXPECT_FALSE(visible(ShellCmd::ShowInDayView));
    EXPECT_FALSE(visible(ShellCmd::IncludePast));
    QMenu *current = view->actions().first()->menu();
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(MenuCommands(current).contains(32891));
    EXPECT_TRUE(w->CommandState(ShellCmd::HiddenItems).enabled); // the third item, for calendar views
    EXPECT_TRUE(w->CommandState(ShellCmd::ViewMonth).checked);

    w->RunCommand(ShellCmd::ViewEventList);
    w->PrepareMenu(file);
    w->PrepareMenu(view);
    ASSERT_EQ(preview->actions().size(), 2);
    EXPECT_EQ(CommandIdOf(preview->actions()[0]), 32904);
    EXPECT_TRUE(visible(ShellCmd::ShowInDayView));
    EXPECT_TRUE(visible(ShellCmd::IncludePast));
    EXPECT_FALSE(MenuCommands(current).contains(32891));
    EXPECT_FALSE(w->CommandState(ShellCmd::HiddenItems).enabled);
    EXPECT_FALSE(w->CommandState(ShellCmd::ViewMonth).checked);

    // The item-type lists follow the open file, the default type first in weight.
    CMenuEx *edit = w->TopMenu("&Edit");
    w->PrepareMenu(edit);
    QMenu *newEvent = edit->actions().first()->menu();
    ASSERT_NE(newEvent, nullptr);
    const int types = m_doc.GetItemTypes().GetTypeCount();
    ASSERT_GT(types, 0);
    EXPECT_EQ(newEvent->actions().size(), types);
    EXPECT_EQ(newEvent->actions()[0]->text(), m_doc.GetItemTypes().GetType(0)->GetName());
    EXPECT_TRUE(newEvent->actions()[m_doc.GetItemTypes().GetDefaultEventType()]->font().bold());
    EXPECT_TRUE(MenuCommands(view).contains(ShellCmd::FilterTypeFirst + types - 1));
    EXPECT_FALSE(MenuCommands(view).contains(ShellCmd::FilterTypeFirst + types));
}

TEST_F(MainWndTest, MenuToolbarAndAcceleratorReachTheWindowThroughTheRoute)
{
    CMainWnd *w = Window();
    w->show();
    QApplication::setActiveWindow(w);
    // A menu item.
    CCommandTable::Instance().Action(ShellCmd::ViewWeek)->trigger();
    EXPECT_EQ(w->CentralArea().ActiveViewKind(), 3);
    // A toolbar button, checked for its view.
    QToolButton *month = w->ToolBar()->Button(ShellCmd::ViewMonth);
    ASSERT_NE(month, nullptr);
    month->click();
    EXPECT_EQ(w->CentralArea().ActiveViewKind(), 4);
    CCommandTable::Instance().Router().UpdateBars();
    EXPECT_TRUE(month->isChecked());
    EXPECT_FALSE(w->ToolBar()->Button(ShellCmd::ViewWeek)->isChecked());
    EXPECT_FALSE(w->ToolBar()->Button(ShellCmd::Print)->isEnabled());
    // The Multi-day days and Find, then back from the search.
    EXPECT_TRUE(w->RunCommand(ShellCmd::MultiDayFirst + 1)); // 3 days
    EXPECT_EQ(w->CentralArea().ActiveViewKind(), 2);
    EXPECT_TRUE(w->CommandState(ShellCmd::MultiDayFirst + 1).checked);
    EXPECT_FALSE(w->CommandState(ShellCmd::ViewWorkWeek).checked);
    EXPECT_TRUE(w->RunCommand(ShellCmd::Find));
    EXPECT_EQ(w->CentralArea().ActiveViewKind(), 8);
    EXPECT_EQ(w->InfoBar()->GetMode(), CCaptionBar::OtherMode);
    EXPECT_TRUE(w->RunCommand(ShellCmd::LeaveSearch));
    EXPECT_EQ(w->CentralArea().ActiveViewKind(), 2);
    EXPECT_TRUE(w->CommandState(ShellCmd::MultiDayFirst + 1).checked);
    // The tray frame's commands come at the end of the route.
    EXPECT_TRUE(w->CommandState(ShellCmd::Exit).enabled);
    EXPECT_FALSE(w->CommandState(ShellCmd::Cut).enabled); // no view to cut from yet
    // The views reach the information bar through the window.
    SetInfoBarTitle("Wednesday, December 9");
    EXPECT_EQ(w->InfoBar()->TitleLabel()->text(), "Wednesday, December 9");
    SetInfoBarMode(7);
    EXPECT_EQ(w->InfoBar()->GetMode(), CCaptionBar::TasksMode);
}

// A locale change reaches the window: the information bar names the period in the new language.
TEST_F(MainWndTest, LocaleChangeRenamesThePeriod)
{
    CMainWnd *w = Window();
    ASSERT_TRUE(w->RunCommand(ShellCmd::ViewMonth));
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(w, &change);
    const QString title = w->InfoBar()->TitleLabel()->text();
    QLocale::setDefault(before);
    QApplication::sendEvent(w, &change);
    EXPECT_EQ(title, QLocale(QLocale::German).standaloneMonthName(GetToday().ToQDateTime().date().month()) + " " +
                         QString::number(GetToday().ToQDateTime().date().year()));
}

// The main window on the first start's sample calendar, as a person sees it: the gallery's
// screenshots of the day, month and tasks views and of an open menu.
TEST(MainWndRender, SampleCalendarInDayMonthAndTasks)
{
    if (!qobject_cast<CMenuLookStyle *>(QApplication::style()))
        QApplication::setStyle(new CMenuLookStyle);
    // The bars' shading spans a desktop screen, wider than the offscreen one.
    CMenuLook::Instance().UpdateColors(QApplication::palette(), CMenuLook::Instance().GetOptions(), 1920);
    // The first start's work week, Monday to Friday, as the program applies it before any window.
    struct WorkWeekGuard
    {
        int before = GetWorkWeekMask();
        WorkWeekGuard() { SetWorkWeekMask(62); }
        ~WorkWeekGuard() { SetWorkWeekMask(before); }
    } workWeek;
    TempProfile profile;
    FakeMessagePort messages;
    QTemporaryDir dir;
    const QString path = dir.filePath("calendar.qv0");
    ASSERT_TRUE(CreateSampleDataFile(path, "Personal Calendar", GetToday()));
    CCalendarDocument doc;
    ASSERT_EQ(doc.OpenCalendarFile(path, "", nullptr, false), S_OK);
    CMainFrame frame(doc);
    frame.Create();
    frame.Restore();
    CMainWnd *w = frame.GetMainWnd();
    ASSERT_NE(w, nullptr);
    w->resize(1180, 740);
    const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("renders");
    QDir().mkpath(folder);
    for (const auto &[id, name] : {std::pair{ShellCmd::ViewDay, "day"}, std::pair{ShellCmd::ViewMonth, "month"},
                                   std::pair{ShellCmd::ViewTasks, "tasks"}}) {
        ASSERT_TRUE(w->RunCommand(id));
        CCommandTable::Instance().Router().UpdateBars();
        QApplication::processEvents();
        EXPECT_TRUE(w->grab().toImage().save(folder + QStringLiteral("/shell_main_window_%1.png").arg(name)));
    }
    EXPECT_EQ(w->StatusBar()->CountPane()->text(), "6 items"); // the sample's tasks

    // The main base window at a desktop size with the Date Navigator, the TaskPad and the details
    // pane beside and below the views.
    w->resize(1280, 760);
    for (const auto &[id, name] : {std::pair{ShellCmd::ViewDay, "day"}, std::pair{ShellCmd::ViewWorkWeek, "workweek"},
                                   std::pair{ShellCmd::ViewMonth, "month"}, std::pair{ShellCmd::ViewTasks, "tasks"},
                                   std::pair{ShellCmd::ViewEventList, "eventlist"}}) {
        ASSERT_TRUE(w->RunCommand(id));
        for (int pane : {ShellCmd::NavigatorBar, ShellCmd::DetailsPane}) {
            const CCmdUI state = w->CommandState(pane);
            if (state.enabled && !state.checked)
                EXPECT_TRUE(w->RunCommand(pane));
        }
        if (id == ShellCmd::ViewMonth) {
            // Tab selects the first entry of the month, and the details pane below shows it.
            auto *area = dynamic_cast<CMainBaseArea *>(&w->CentralArea());
            ASSERT_NE(area, nullptr);
            CCalendarViewCtrl *view = area->ActiveContainer()->GetViewCtrl();
            ASSERT_NE(view, nullptr);
            view->OnKeyDown(Qt::Key_Tab, 0);
            QApplication::processEvents();
            const CDisplayItem *first = view->GetEntry(view->GetFirstSelectedEntry());
            ASSERT_NE(first, nullptr);
            CPreviewPane *preview = CMainBasePointers::PreviewPane();
            ASSERT_NE(preview, nullptr);
            EXPECT_TRUE(preview->isVisible());
            EXPECT_EQ(preview->EventBar()->Subject()->toPlainText(), first->GetSubject());
        }
        CCommandTable::Instance().Router().UpdateBars();
        QApplication::processEvents();
        EXPECT_TRUE(w->grab().toImage().save(folder + QStringLiteral("/shell_main_base_%1.png").arg(name)));
    }
    EXPECT_TRUE(w->CommandState(ShellCmd::DetailsPane).checked);

    // The View menu as it drops down in the tasks view, drawn below the window's top.
    CMenuEx *view = w->TopMenu("&View");
    view->popup(w->mapToGlobal(QPoint(60, w->menuBar()->height())));
    QApplication::processEvents();
    const QImage window = w->grab().toImage();
    const QImage menu = view->grab().toImage();
    QImage sheet(window.width(), std::max(window.height(), menu.height() + 40), QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(0, 0, window);
    p.drawImage(60, w->menuBar()->geometry().bottom() + 1, menu);
    p.end();
    EXPECT_TRUE(sheet.save(folder + "/shell_main_window_view_menu.png"));
    view->hide();
    delete w;
    doc.CloseCalendarFile();
}

} // namespace
