// The main window.
#include "shell/MainWnd.h"

#include "core/document/CalendarDocument.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "shell/CentralArea.h"
#include "shell/DataFileCommands.h"
#include "shell/MainFrame.h"
#include "shell/MainWndLayout.h"
#include "shell/ShellCommands.h"
#include "shell/TrayArt.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QString Common()
{
    return GetConstString(ConstName::Common);
}

struct ViewCommand
{
    int id;
    int kind;
    const char *menuText;
    const char *toolText;
    const char *keys;
};

constexpr ViewCommand kViewCommands[] = {
    {ShellCmd::ViewDay, 1, "&Day", "Day", "Alt+1"},
    {ShellCmd::ViewMultiDay, 2, "M&ulti-day", "Multi-day", ""},
    {ShellCmd::ViewWorkWeek, 2, "&Work Week", "Work Week", "Alt+-"},
    {ShellCmd::ViewWeek, 3, "W&eek", "Week", "Alt+7"},
    {ShellCmd::ViewMonth, 4, "&Month", "Month", "Alt+="},
    {ShellCmd::ViewYear, 5, "&Year", "Year", ""},
    {ShellCmd::ViewEventList, 6, "Event &List", "Event List", ""},
    {ShellCmd::ViewTasks, 7, "&Tasks", "Tasks", ""},
};

} // namespace

CMainWnd::CMainWnd(CCalendarDocument &document, CMainFrame &frame)
    : m_document(document), m_frame(frame)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(MakeProgramIcon());
    setMinimumSize(600, 454);
    m_recent.ReadList(CProfile::Instance());
    m_fileCommands = std::make_unique<CDataFileCommands>(m_document, m_recent, [this] { DataFileChanged(); }, this);

    auto *client = new QWidget(this);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_infoBar = new QLabel(client);
    m_infoBar->setObjectName(QStringLiteral("infoBar"));
    m_infoBar->setContentsMargins(10, 4, 10, 4);
    m_infoBar->setAutoFillBackground(true);
    QPalette band = m_infoBar->palette();
    band.setColor(QPalette::Window, QColor(0x2f, 0x5d, 0x9e));
    band.setColor(QPalette::WindowText, Qt::white);
    m_infoBar->setPalette(band);
    QFont bandFont = m_infoBar->font();
    bandFont.setBold(true);
    bandFont.setPointSizeF(bandFont.pointSizeF() * 1.15);
    m_infoBar->setFont(bandFont);
    column->addWidget(m_infoBar);
    m_central = MakeCentralArea(m_document, client);
    column->addWidget(m_central->Widget(), 1);
    setCentralWidget(client);

    BuildMenus();
    BuildToolBar();
    m_countPane = new QLabel(this);
    statusBar()->addPermanentWidget(m_countPane);
    statusBar()->showMessage(tr("Ready"));

    const StartView start = ChooseStartView(GetProfileInt(Common(), QStringLiteral("SView"), 0),
                                            GetProfileInt(Common(), QStringLiteral("LView"), 1),
                                            GetProfileInt(QStringLiteral("MDay"), QStringLiteral("MDN"), 5),
                                            GetProfileInt(QStringLiteral("MDay"), QStringLiteral("WW"), 0) != 0);
    ShowView(start.kind, start.days, start.workWeek);
    m_toolBar->setVisible(GetProfileInt(Common(), QStringLiteral("Toolbar"), 1) != 0);
    m_infoBar->setVisible(GetProfileInt(Common(), QStringLiteral("Infobar"), 1) != 0);
    statusBar()->setVisible(GetProfileInt(Common(), QStringLiteral("Statusbar"), 1) != 0);
    if (m_document.IsOpen())
        AddRecentFile(m_document.GetDataFile().GetPath());
    m_document.SetMainWindow(this);
    DataFileChanged();
}

CMainWnd::~CMainWnd()
{
    m_document.SetMainWindow(nullptr);
}

QAction *CMainWnd::AddCommand(QMenu *menu, const QString &text, int id, const QKeySequence &keys)
{
    QAction *action = menu->addAction(text);
    action->setData(id);
    if (!keys.isEmpty())
        action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    return action;
}

void CMainWnd::BuildMenus()
{
    QMenuBar *bar = menuBar();
    m_fileMenu = bar->addMenu(tr("&File"));
    QMenu *file = m_fileMenu;
    AddCommand(file, tr("&New..."), ShellCmd::FileNew, QKeySequence::New);
    AddCommand(file, tr("&Open..."), ShellCmd::FileOpen, QKeySequence::Open);
    AddCommand(file, tr("&Close"), ShellCmd::FileClose);
    file->addSeparator();
    AddCommand(file, tr("&Rename Calendar..."), ShellCmd::Rename);
    AddCommand(file, tr("Change Pass&word..."), ShellCmd::ChangePassword);
    AddCommand(file, tr("Properties..."), ShellCmd::Properties);
    file->addSeparator();
    AddCommand(file, tr("&Import and Export..."), ShellCmd::ImportExport);
    AddCommand(file, tr("&Back Up..."), ShellCmd::BackUp);
    AddCommand(file, tr("&Restore Backup..."), ShellCmd::RestoreBackup);
    AddCommand(file, tr("&Archive..."), ShellCmd::Archive);
    file->addSeparator();
    AddCommand(file, tr("Save as Web Pa&ge..."), ShellCmd::SaveAsWebPage);
    QMenu *preview = file->addMenu(tr("Print Pre&view"));
    preview->setObjectName(QStringLiteral("previewMenu"));
    AddCommand(file, tr("&Print..."), ShellCmd::Print, QKeySequence::Print);
    file->addSeparator();
    QMenu *recentHolder = file->addMenu(tr("Recent &Files"));
    recentHolder->setObjectName(QStringLiteral("recentMenu"));
    file->addSeparator();
    AddCommand(file, tr("Close &Window"), ShellCmd::CloseWindow);
    AddCommand(file, tr("E&xit"), ShellCmd::Exit);
    connect(file, &QMenu::aboutToShow, this, [this, file, preview, recentHolder] {
        preview->clear();
        for (const auto &[id, text] : PrintPreviewMenu(m_central->ActiveViewKind()))
            AddCommand(preview, QString::fromLatin1(text), id);
        FillRecentFiles(recentHolder);
        UpdateActions(file->actions());
        UpdateActions(preview->actions());
        preview->setEnabled(false); // printing is not part of the program yet
    });

    QMenu *view = bar->addMenu(tr("&View"));
    for (const ViewCommand &v : kViewCommands)
        AddCommand(view, QString::fromLatin1(v.menuText), v.id, QKeySequence(QString::fromLatin1(v.keys)))
            ->setCheckable(true);
    view->addSeparator();
    AddCommand(view, tr("&Find..."), ShellCmd::Find, QKeySequence::Find);
    AddCommand(view, tr("Go to &Today"), ShellCmd::GoToToday);
    view->addSeparator();
    AddCommand(view, tr("&Toolbar"), ShellCmd::ToggleToolbar)->setCheckable(true);
    AddCommand(view, tr("&Information Bar"), ShellCmd::ToggleInfoBar)->setCheckable(true);
    AddCommand(view, tr("&Status Bar"), ShellCmd::ToggleStatusBar)->setCheckable(true);
    AddCommand(view, tr("&Full Screen"), ShellCmd::FullScreen, QKeySequence(Qt::Key_F11))->setCheckable(true);
    connect(view, &QMenu::aboutToShow, this, [this, view] { UpdateActions(view->actions()); });

    QMenu *filter = bar->addMenu(tr("Fi&lter"));
    AddCommand(filter, tr("&Show ALL"), ShellCmd::ShowAll);
    AddCommand(filter, tr("&Define Filters..."), ShellCmd::DefineFilters);
    connect(filter, &QMenu::aboutToShow, this, [this, filter] { UpdateActions(filter->actions()); });

    QMenu *tools = bar->addMenu(tr("&Tools"));
    AddCommand(tools, tr("&Enable Reminders"), ShellCmd::EnableReminders)->setCheckable(true);
    AddCommand(tools, tr("&Minimize All Reminders"), ShellCmd::MinimiseAllReminders);
    AddCommand(tools, tr("Restore &All Reminders"), ShellCmd::RestoreAllReminders);
    tools->addSeparator();
    AddCommand(tools, tr("&Options..."), ShellCmd::Options);
    connect(tools, &QMenu::aboutToShow, this, [this, tools] { UpdateActions(tools->actions()); });

    QMenu *help = bar->addMenu(tr("&Help"));
    AddCommand(help, tr("&Help Topics"), ShellCmd::HelpTopics, QKeySequence::HelpContents);
    AddCommand(help, tr("&Technical Support"), ShellCmd::Support);
    AddCommand(help, tr("Tessivo on the &Web"), ShellCmd::Web);
    help->addSeparator();
    AddCommand(help, tr("&About..."), ShellCmd::About);
    connect(help, &QMenu::aboutToShow, this, [this, help] { UpdateActions(help->actions()); });
}

void CMainWnd::BuildToolBar()
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle *style = QApplication::style();
    auto add = [this](const QIcon &icon, const QString &text, int id) {
        QAction *action = m_toolBar->addAction(icon, text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        return action;
    };
    add(style->standardIcon(QStyle::SP_FileIcon), tr("New"), ShellCmd::FileNew);
    add(style->standardIcon(QStyle::SP_DialogOpenButton), tr("Open"), ShellCmd::FileOpen);
    m_toolBar->addSeparator();
    for (const ViewCommand &v : kViewCommands)
        if (v.id != ShellCmd::ViewMultiDay && v.id != ShellCmd::ViewYear)
            add(QIcon(), QString::fromLatin1(v.toolText), v.id)->setCheckable(true);
    m_toolBar->addSeparator();
    add(style->standardIcon(QStyle::SP_FileDialogContentsView), tr("Preview"), ShellCmd::PrintPreview);
    add(QIcon(), tr("Print"), ShellCmd::Print);
    // Toolbars are updated after input settles.
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { UpdateActions(m_toolBar->actions()); });
    timer->start(500);
    UpdateActions(m_toolBar->actions());
}

void CMainWnd::FillRecentFiles(QMenu *menu)
{
    menu->clear();
    for (int i = 0; i < m_recent.GetSize(); ++i) {
        const QString text = m_recent.GetMenuText(i);
        if (!text.isEmpty())
            AddCommand(menu, text, ShellCmd::RecentFirst + i);
    }
    menu->setEnabled(!menu->isEmpty());
}

void CMainWnd::UpdateActions(const QList<QAction *> &actions)
{
    for (QAction *action : actions) {
        if (action->isSeparator() || action->menu() || !action->data().isValid())
            continue;
        const CCmdUI ui = CommandState(action->data().toInt());
        action->setEnabled(ui.enabled);
        if (action->isCheckable())
            action->setChecked(ui.checked);
    }
}

bool CMainWnd::RunCommand(int id)
{
    if (!CommandState(id).enabled)
        return false;
    if (OnCommand(id))
        return true;
    return m_frame.RunCommand(id);
}

CCmdUI CMainWnd::CommandState(int id)
{
    CCmdUI ui;
    if (OnUpdateCommand(id, ui))
        return ui;
    return m_frame.CommandState(id);
}

bool CMainWnd::OnCommand(int id)
{
    if (id >= ShellCmd::RecentFirst && id <= ShellCmd::RecentLast) {
        m_fileCommands->OnRecent(id - ShellCmd::RecentFirst);
        return true;
    }
    for (const ViewCommand &v : kViewCommands)
        if (v.id == id) {
            ShowView(v.kind, v.id == ShellCmd::ViewWorkWeek ? 5 : 0, v.id == ShellCmd::ViewWorkWeek);
            return true;
        }
    switch (id) {
    case ShellCmd::FileNew:
        m_fileCommands->OnNew();
        return true;
    case ShellCmd::FileOpen:
        m_fileCommands->OnOpen();
        return true;
    case ShellCmd::FileClose:
        if (!m_fullScreen)
            m_fileCommands->OnClose();
        return true;
    case ShellCmd::Rename:
        m_fileCommands->OnRename();
        return true;
    case ShellCmd::ChangePassword:
        m_fileCommands->OnChangePassword();
        return true;
    case ShellCmd::Properties:
        m_fileCommands->OnProperties();
        return true;
    case ShellCmd::ToggleToolbar:
        m_toolBar->setVisible(!m_toolBar->isVisible());
        return true;
    case ShellCmd::ToggleInfoBar:
        m_infoBar->setVisible(!m_infoBar->isVisible());
        return true;
    case ShellCmd::ToggleStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    case ShellCmd::FullScreen:
        SetFullScreen(!m_fullScreen);
        return true;
    case ShellCmd::CloseWindow:
        close();
        return true;
    default:
        return false;
    }
}

bool CMainWnd::OnUpdateCommand(int id, CCmdUI &ui)
{
    const bool open = m_document.IsOpen();
    const bool writable = open && !m_document.IsReadOnly();
    if (id >= ShellCmd::RecentFirst && id <= ShellCmd::RecentLast) {
        ui.Enable(!m_recent.GetPath(id - ShellCmd::RecentFirst).isEmpty());
        return true;
    }
    for (const ViewCommand &v : kViewCommands)
        if (v.id == id) {
            ui.Enable(open);
            ui.SetCheck(open && m_central->ActiveViewKind() == v.kind && v.id != ShellCmd::ViewMultiDay);
            return true;
        }
    switch (id) {
    case ShellCmd::FileNew:
    case ShellCmd::FileOpen:
    case ShellCmd::CloseWindow:
        ui.Enable(true);
        return true;
    case ShellCmd::FileClose:
    case ShellCmd::Properties:
        ui.Enable(open);
        return true;
    case ShellCmd::Rename:
    case ShellCmd::ChangePassword:
        ui.Enable(writable);
        return true;
    // Connected when importing, backup, publishing and printing are part of the program.
    case ShellCmd::ImportExport:
    case ShellCmd::BackUp:
    case ShellCmd::RestoreBackup:
    case ShellCmd::Archive:
    case ShellCmd::SaveAsWebPage:
    case ShellCmd::PrintPreview:
    case ShellCmd::Print:
    case ShellCmd::Find:
    case ShellCmd::GoToToday:
    case ShellCmd::ShowAll:
    case ShellCmd::DefineFilters:
        ui.Enable(false);
        return true;
    case ShellCmd::ToggleToolbar:
        ui.SetCheck(m_toolBar->isVisible());
        ui.Enable(!m_fullScreen);
        return true;
    case ShellCmd::ToggleInfoBar:
        ui.SetCheck(m_infoBar->isVisible());
        ui.Enable(!m_fullScreen);
        return true;
    case ShellCmd::ToggleStatusBar:
        ui.SetCheck(statusBar()->isVisible());
        ui.Enable(!m_fullScreen);
        return true;
    case ShellCmd::FullScreen:
        ui.SetCheck(m_fullScreen);
        ui.Enable(open);
        return true;
    default:
        if (id >= 32901 && id <= 32906) { // print preview by style
            ui.Enable(false);
            return true;
        }
        return false;
    }
}

void CMainWnd::ShowView(int kind, int days, bool workWeek)
{
    m_central->ShowView(kind, days, workWeek);
    static const char *const kNames[] = {"Day", "Multi-day", "Week", "Month", "Year", "Event List", "Tasks", "Search"};
    const QString name = QString::fromLatin1(kNames[std::clamp(kind, 1, 8) - 1]);
    m_infoBar->setText(m_document.IsOpen() ? name + QStringLiteral("  —  ") + m_document.GetDataFile().GetTitle()
                                           : tr("No data file"));
    UpdateActions(m_toolBar ? m_toolBar->actions() : QList<QAction *>());
}

void CMainWnd::DataFileChanged()
{
    m_central->AttachDataFile();
    ShowView(m_central->ActiveViewKind());
    UpdateTitle();
    UpdateItemCount();
}

void CMainWnd::UpdateItemCount()
{
    if (!m_document.IsOpen()) {
        m_countPane->clear();
        return;
    }
    int events = 0, tasks = 0;
    m_document.CountItemsOfKind(1, events);
    m_document.CountItemsOfKind(2, tasks);
    m_countPane->setText(tr("Items: %1").arg(events + tasks));
}

void CMainWnd::AddRecentFile(const QString &path)
{
    m_recent.Add(path);
    m_recent.WriteList(CProfile::Instance());
}

void CMainWnd::UpdateTitle()
{
    setWindowTitle(m_document.IsOpen() ? m_document.GetMainWindowTitle() : GetConstString(ConstName::ProgramName));
    m_frame.UpdateTrayIcon();
}

void CMainWnd::RefreshItemInView(const CCalendarItem &)
{
    UpdateItemCount();
}

void CMainWnd::NotifyItemRescheduled(const CCalendarItem &, const CDateTime &)
{
    UpdateItemCount();
}

void CMainWnd::NotifyItemChanged(std::uint32_t, const CDateTime &, bool, bool)
{
    m_central->AttachDataFile();
    UpdateItemCount();
}

void CMainWnd::RefreshViews(bool, bool)
{
    DataFileChanged();
}

void CMainWnd::ClearItemCount()
{
    m_countPane->clear();
}

void CMainWnd::OnHourChanged()
{
    m_central->TimeChanged();
}

void CMainWnd::OnTimeChange()
{
    m_central->TimeChanged();
}

void CMainWnd::ShowFromLayout()
{
    QByteArray geometry;
    if (!GetProfileBinary(Common(), GetConstString(ConstName::Data1), geometry) || !restoreGeometry(geometry))
        resize(960, 680);
    show();
    BringToFront();
}

void CMainWnd::BringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void CMainWnd::SaveLayout()
{
    WriteProfileBinary(Common(), GetConstString(ConstName::Data1), saveGeometry());
    WriteProfileInt(Common(), QStringLiteral("LView"), m_central->ActiveViewKind());
    WriteProfileInt(Common(), QStringLiteral("Toolbar"), m_toolBar->isVisible() ? 1 : 0);
    WriteProfileInt(Common(), QStringLiteral("Infobar"), m_infoBar->isVisible() ? 1 : 0);
    WriteProfileInt(Common(), QStringLiteral("Statusbar"), statusBar()->isVisible() ? 1 : 0);
    CProfile::Instance().Sync();
}

void CMainWnd::SetFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    if (on) {
        m_fullScreenState = SaveFullScreenState(isMaximized(), m_toolBar->isVisible(), m_infoBar->isVisible(),
                                                statusBar()->isVisible());
        m_savedGeometry = geometry();
        m_toolBar->hide();
        m_infoBar->hide();
        statusBar()->hide();
        menuBar()->hide();
        showFullScreen();
        m_fullScreen = true;
        return;
    }
    m_toolBar->setVisible(m_fullScreenState & FullScreenState::Toolbar);
    m_infoBar->setVisible(m_fullScreenState & FullScreenState::InfoBar);
    statusBar()->setVisible(m_fullScreenState & FullScreenState::StatusBar);
    menuBar()->show();
    if (m_fullScreenState & FullScreenState::Maximised)
        showMaximized();
    else {
        showNormal();
        setGeometry(m_savedGeometry);
    }
    m_fullScreen = false;
    m_fullScreenState = 0;
}

void CMainWnd::CloseForExit()
{
    m_exiting = true;
    SetFullScreen(false);
    SaveLayout();
    hide();
}

void CMainWnd::closeEvent(QCloseEvent *event)
{
    if (m_exiting) {
        event->accept();
        return;
    }
    SetFullScreen(false);
    SaveLayout();
    const bool exitOnClose = GetProfileInt(Common(), GetConstString(ConstName::MWMX), 0) != 0 && !m_closedByMinimise;
    // Without a tray there is nothing to come back from: closing ends the program.
    if (m_frame.NoHide() || exitOnClose || !m_frame.HasTrayIcon()) {
        event->ignore();
        QTimer::singleShot(0, &m_frame, [frame = &m_frame] { frame->Close(); });
        return;
    }
    event->accept();
    if (GetProfileInt(Common(), QStringLiteral("X"), 1) != 0)
        m_frame.ShowTrayNotice();
}

void CMainWnd::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized() && m_frame.HasTrayIcon() && GetProfileInt(Common(), GetConstString(ConstName::MWHM), 0) != 0) {
        m_closedByMinimise = true;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}
