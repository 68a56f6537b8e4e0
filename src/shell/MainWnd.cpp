// The main window.
#include "shell/MainWnd.h"

#include "containers/base/ViewContainer.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/lists/ItemFilter.h"
#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "editing/base/DialogEx.h"
#include "shell/CentralArea.h"
#include "shell/CommandArt.h"
#include "shell/DataFileCommands.h"
#include "shell/MainCommands.h"
#include "shell/MainFrame.h"
#include "shell/MainWndLayout.h"
#include "shell/ShellCommands.h"
#include "shell/TrayArt.h"
#include "shell/reminders/ReminderWindows.h"
#include "toolkit/bars/CaptionBar.h"
#include "toolkit/bars/FlatReBar.h"
#include "toolkit/bars/ItemsStatusBar.h"
#include "toolkit/bars/LinkBar.h"
#include "toolkit/bars/ToolBarEx.h"
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/menus/MenuBarEx.h"
#include "toolkit/menus/MenuEx.h"
#include "toolkit/style/MenuLook.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <malloc.h>

namespace {

QString Common()
{
    return GetConstString(ConstName::Common);
}

struct ViewCommand
{
    int id;
    int kind;
};

constexpr ViewCommand kViewCommands[] = {
    {ShellCmd::ViewDay, 1},   {ShellCmd::ViewMultiDay, 2},  {ShellCmd::ViewWorkWeek, 2}, {ShellCmd::ViewWeek, 3},
    {ShellCmd::ViewMonth, 4}, {ShellCmd::ViewYear, 5},      {ShellCmd::ViewEventList, 6}, {ShellCmd::ViewTasks, 7},
};

// The toolbar's buttons (0: a separator).
const QList<int> kToolbarCommands = {
    ShellCmd::NewEventDefault, ShellCmd::NewTask, 0,
    ShellCmd::ViewDay, ShellCmd::ViewWorkWeek, ShellCmd::ViewWeek, ShellCmd::ViewMonth, ShellCmd::ViewYear,
    ShellCmd::ViewEventList, ShellCmd::ViewTasks, 0,
    ShellCmd::Find, 0,
    ShellCmd::PrintPreview, ShellCmd::Print,
};

// The buttons of the small bar that floats while full screen is on.
const QList<int> kFullScreenBarCommands = {ShellCmd::ViewDay, ShellCmd::ViewWorkWeek, ShellCmd::ViewWeek,
                                           ShellCmd::ViewMonth, 0, ShellCmd::FullScreen};

// Every command with an accelerator: they work while the menu bar is hidden too.
const QList<int> kAccelerators = {
    ShellCmd::FileNew,     ShellCmd::FileOpen,     ShellCmd::Print,     ShellCmd::Cut,     ShellCmd::Copy,
    ShellCmd::Paste,       ShellCmd::Delete,       ShellCmd::Find,      ShellCmd::ViewDay, ShellCmd::ViewWorkWeek,
    ShellCmd::ViewMonth,   ShellCmd::NavigatorBar, ShellCmd::DetailsPane, ShellCmd::FullScreen,
    ShellCmd::GoToDate,    ShellCmd::Refresh,      ShellCmd::HelpTopics,
};

// The handheld synchronisation modules: none exists on this platform.
bool IsSyncModuleInstalled(int)
{
    return false;
}

QImage StripFor(const QList<int> &commands, int size)
{
    QList<int> images;
    for (int id : commands)
        if (id != 0)
            images.append(id);
    return DrawCommandStrip(images, size);
}

bool IsCalendarKind(int kind)
{
    return kind >= 1 && kind <= 5;
}

QPointer<CMainWnd> g_mainWnd;

} // namespace

CMainWnd *CMainWnd::Instance()
{
    return g_mainWnd.data();
}

void BringProgramToFront(QWidget *window)
{
    QWidget *target = CMainWnd::Instance();
    if (!target)
        target = CDialogEx::GetCurrentDialog();
    if (!target)
        target = window;
    if (!target)
        return;
    if (target->isMinimized())
        target->showNormal();
    // The window's last active pop-up: a dialog of its own that is showing.
    QWidget *front = target;
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->parentWidget() &&
                                                           modal->parentWidget()->window() == target)
        front = modal;
    front->raise();
    front->activateWindow();
}

void SetInfoBarTitle(const QString &text)
{
    if (CMainWnd *window = CMainWnd::Instance())
        window->InfoBar()->SetTitle(text);
}

void ShowInfoBarText(const QString &text)
{
    if (CMainWnd *window = CMainWnd::Instance())
        window->InfoBar()->SetToolButtonText(text);
}

void SetInfoBarMode(int viewKind)
{
    if (CMainWnd *window = CMainWnd::Instance())
        window->InfoBar()->SetViewMode(viewKind);
}

CMainWnd::CMainWnd(CCalendarDocument &document, CMainFrame &frame)
    : CFrameWndEx(CCommandTable::Instance()), m_document(document), m_frame(frame)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("mainWindow"));
    g_mainWnd = this;
    setWindowIcon(MakeProgramIcon());
    setMinimumSize(600, 454);
    AddMainCommands(Table());
    CCaptionBar::AddDefaultCommands(Table());
    AddMainCommandImages(Table());
    for (const ViewCommand &v : kViewCommands)
        Table().Action(v.id)->setCheckable(true);
    for (int id = ShellCmd::MultiDayFirst; id <= ShellCmd::MultiDayLast; ++id)
        Table().Action(id)->setCheckable(true);
    Table().Router().RegisterTarget(this, this);
    Table().Router().SetApplicationTarget(&m_frame.RouteTail());

    m_recent.ReadList(CProfile::Instance());
    m_fileCommands = std::make_unique<CDataFileCommands>(m_document, m_recent, [this] { DataFileChanged(); }, this);
    // The views read the switch program-wide.
    CViewContainer::SetShowingHiddenItems(GetProfileInt(Common(), QStringLiteral("SHE"), 0) != 0);
    UpdateToday(); // the information bar names today's period

    BuildMenus();
    BuildBars();
    LoadFrame(GetConstString(ConstName::ProgramName), kAccelerators);

    const StartView start = ChooseStartView(GetProfileInt(Common(), QStringLiteral("SView"), 0),
                                            GetProfileInt(Common(), QStringLiteral("LView"), 1),
                                            GetProfileInt(QStringLiteral("MDay"), QStringLiteral("MDN"), 5),
                                            GetProfileInt(QStringLiteral("MDay"), QStringLiteral("WW"), 0) != 0);
    ShowView(start.kind, start.days, start.workWeek);
    SetToolbarShown(GetProfileInt(Common(), QStringLiteral("Toolbar"), 1) != 0);
    m_infoBar->setVisible(GetProfileInt(Common(), QStringLiteral("Infobar"), 1) != 0);
    m_statusBar->setVisible(GetProfileInt(Common(), QStringLiteral("Statusbar"), 1) != 0);
    if (m_document.IsOpen())
        AddRecentFile(m_document.GetDataFile().GetPath());
    m_document.SetMainWindow(this);
    DataFileChanged();
}

CMainWnd::~CMainWnd()
{
    DestroyFullScreenBar();
    m_document.SetMainWindow(nullptr);
    CCommandRouter &router = Table().Router();
    router.UnregisterTarget(this);
    // The frame goes on in the tray; the route of a later window names it again.
    router.SetApplicationTarget(nullptr);
    malloc_trim(0); // sitting in the tray: give memory back
}

// ---- Menus ----

void CMainWnd::BuildMenus()
{
    using namespace ShellCmd;
    CMenuBarEx *bar = MenuBar();
    auto addAll = [](CMenuEx *menu, std::initializer_list<int> ids) {
        for (int id : ids)
            menu->AddCommand(id);
    };

    m_fileMenu = bar->AddMenu(QStringLiteral("&File"));
    addAll(m_fileMenu, {FileNew, FileOpen, FileClose, 0, Rename, ChangePassword, Properties, 0, ImportExport,
                        BackUp, RestoreBackup, Archive, 0, SaveAsWebPage});
    CMenuEx *pageSetup = m_fileMenu->AddSubMenu(QStringLiteral("Page Set&up"));
    addAll(pageSetup, {PageSetupDay, PageSetupMultiDay, PageSetupWeek, PageSetupMonth, PageSetupYear,
                       PageSetupTable, PageSetupDetails, PageSetupMemo});
    m_previewMenu = m_fileMenu->AddSubMenu(QStringLiteral("Print Pre&view"));
    m_previewMenu->menuAction()->setIcon(Table().Action(PrintPreview)->icon());
    addAll(m_fileMenu, {Print, 0});
    m_recentMenu = m_fileMenu->AddSubMenu(QStringLiteral("Recent &Files"));
    addAll(m_fileMenu, {0, CloseWindow, Exit});

    m_editMenu = bar->AddMenu(QStringLiteral("&Edit"));
    m_newEventMenu = m_editMenu->AddSubMenu(QStringLiteral("New &Event"));
    m_newEventMenu->menuAction()->setIcon(Table().Action(NewEventDefault)->icon());
    m_newRecurringMenu = m_editMenu->AddSubMenu(QStringLiteral("New Re&curring Event"));
    addAll(m_editMenu, {NewTask, 0, OpenItem, ItemProperties, 0, Cut, Copy, Paste, Delete, 0});
    m_changeTypeMenu = m_editMenu->AddSubMenu(QStringLiteral("Change Item &Type"));
    addAll(m_editMenu, {ConvertToTask, ConvertToEvent, Lock, Unlock, MarkComplete, 0, Find});

    m_viewMenu = bar->AddMenu(QStringLiteral("&View"));
    m_currentViewMenu = m_viewMenu->AddSubMenu(QStringLiteral("Current &View"));
    addAll(m_viewMenu, {0, HiddenItems, 0, ViewDay, ViewWorkWeek});
    CMenuEx *multiDay = m_viewMenu->AddSubMenu(QStringLiteral("M&ulti-day"));
    multiDay->menuAction()->setIcon(Table().Action(ViewMultiDay)->icon());
    for (int id = MultiDayFirst; id <= MultiDayLast; ++id)
        multiDay->AddCommand(id);
    addAll(m_viewMenu, {ViewWeek, ViewMonth, ViewYear, ViewEventList, ViewTasks, 0});
    m_filterMenu = m_viewMenu->AddSubMenu(QStringLiteral("Fi&lter"));
    m_filterMenu->AddSubMenu(QStringLiteral("Item &Type"));
    m_filterMenu->AddSubMenu(QStringLiteral("&Category"));
    addAll(m_filterMenu, {0, IncludePast, 0, ShowAll, DefineFilters});
    addAll(m_viewMenu, {0, NavigatorBar, TaskPad, DetailsPane, ShowInDayView, 0, ToggleToolbar, ToggleInfoBar,
                        ToggleStatusBar, FullScreen, 0, CustomizeView});

    CMenuEx *go = bar->AddMenu(QStringLiteral("&Go"));
    addAll(go, {GoToToday, GoToDate, 0, Previous, Next, 0, Refresh});

    // The fifth menu holds the handheld modules that are installed, and goes when none is.
    const std::vector<int> sync = SyncMenuCommands(IsSyncModuleInstalled(SyncPocketPc),
                                                   IsSyncModuleInstalled(SyncSmartphone),
                                                   IsSyncModuleInstalled(PalmSettings));
    if (!sync.empty()) {
        CMenuEx *syncMenu = bar->AddMenu(QStringLiteral("&Synchronize"));
        for (int id : sync)
            syncMenu->AddCommand(id);
    }

    m_toolsMenu = bar->AddMenu(QStringLiteral("&Tools"));
    m_soundMenu = m_toolsMenu->AddSubMenu(QStringLiteral("&Sound"));
    addAll(m_soundMenu, {SoundEnable, SoundDisable});
    addAll(m_toolsMenu, {EnableReminders, MinimiseAllReminders, RestoreAllReminders, 0, Options});

    CMenuEx *help = bar->AddMenu(QStringLiteral("&Help"));
    addAll(help, {HelpTopics, 0, Web, Support, Newsletter, 0, About});

    // The rebuilds run after the route's own update (connected when the menu was made); each
    // rebuilt menu is passed through the route again.
    for (CMenuEx *menu : {m_fileMenu, m_editMenu, m_viewMenu, m_toolsMenu, m_filterMenu})
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { PrepareMenu(menu); });
}

CMenuEx *CMainWnd::TopMenu(const QString &title) const
{
    for (QAction *action : MenuBar()->actions())
        if (action->menu() && action->menu()->title() == title)
            return qobject_cast<CMenuEx *>(action->menu());
    return nullptr;
}

void CMainWnd::PrepareMenu(CMenuEx *menu)
{
    if (menu == m_fileMenu)
        PrepareFileMenu();
    else if (menu == m_editMenu)
        PrepareEditMenu();
    else if (menu == m_viewMenu)
        PrepareViewMenu();
    else if (menu == m_toolsMenu)
        PrepareToolsMenu();
    else if (menu == m_filterMenu)
        FillFilterMenu(menu);
    Table().Router().UpdateActions(menu->actions());
}

void CMainWnd::PrepareFileMenu()
{
    // The print styles a view kind prints in.
    m_previewMenu->clear();
    for (const auto &[id, text] : PrintPreviewMenu(m_central->ActiveViewKind()))
        m_previewMenu->AddCommand(id);
    m_recentMenu->clear();
    for (int i = 0; i < m_recent.GetSize(); ++i) {
        const QString text = m_recent.GetMenuText(i);
        if (text.isEmpty())
            continue;
        const int id = ShellCmd::RecentFirst + i;
        Table().Add(id, text, QStringLiteral("Opens this data file.\n") + m_recent.GetPath(i));
        m_recentMenu->AddCommand(id);
    }
    m_recentMenu->menuAction()->setEnabled(!m_recentMenu->isEmpty());
    Table().Router().UpdateActions(m_previewMenu->actions());
    Table().Router().UpdateActions(m_recentMenu->actions());
}

void CMainWnd::FillNamedCommands(CMenuEx *menu, int firstId, const QStringList &names, const QString &prompt,
                                 int boldIndex)
{
    menu->clear();
    for (int i = 0; i < names.size() && i < ShellCmd::ListRangeSize; ++i) {
        QString text = names[i];
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        Table().Add(firstId + i, text, prompt.arg(names[i]) + QLatin1Char('\n') + names[i]);
        QAction *action = menu->AddCommand(firstId + i);
        QFont font = action->font();
        font.setBold(i == boldIndex); // the menu's default item
        action->setFont(font);
    }
    menu->menuAction()->setEnabled(!menu->isEmpty());
    Table().Router().UpdateActions(menu->actions());
}

void CMainWnd::PrepareEditMenu()
{
    QStringList types;
    int defaultType = -1;
    if (m_document.IsOpen()) {
        CItemTypeList &list = m_document.GetItemTypes();
        for (int i = 0; i < list.GetTypeCount(); ++i)
            types << list.GetType(i)->GetName();
        defaultType = list.GetDefaultEventType();
    }
    FillNamedCommands(m_newEventMenu, ShellCmd::NewEventFirst, types, tr("Creates a new %1 event."), defaultType);
    FillNamedCommands(m_newRecurringMenu, ShellCmd::NewRecurringFirst, types,
                      tr("Creates a new recurring %1 event."));
    FillNamedCommands(m_changeTypeMenu, ShellCmd::ChangeTypeFirst, types,
                      tr("Gives the selected items the item type %1."));
}

void CMainWnd::PrepareViewMenu()
{
    const int kind = m_central->ActiveViewKind();
    // "Current View": the active view's own commands.
    m_currentViewMenu->clear();
    for (int id : CurrentViewCommands(kind))
        m_currentViewMenu->AddCommand(id);
    Table().Router().UpdateActions(m_currentViewMenu->actions());
    m_currentViewMenu->menuAction()->setEnabled(!m_currentViewMenu->isEmpty());
    // Showing a listed item in the Day view belongs to the lists.
    Table().Action(ShellCmd::ShowInDayView)->setVisible(KeepsShowInDayCommand(kind));
    FillFilterMenu(m_filterMenu);
}

void CMainWnd::PrepareToolsMenu()
{
    // The Sound item shows whether the reminders sound.
    const int image = ProgramSettings().soundOn ? ShellCmd::SoundEnable : ShellCmd::SoundDisable;
    m_soundMenu->menuAction()->setIcon(Table().Action(image)->icon());
}

void CMainWnd::FillFilterMenu(CMenuEx *menu)
{
    QStringList types, categories, filters;
    if (m_document.IsOpen()) {
        CItemTypeList &list = m_document.GetItemTypes();
        for (int i = 0; i < list.GetTypeCount(); ++i)
            types << list.GetType(i)->GetName();
        for (int i = 0; i < list.GetFilterCount(); ++i)
            filters << list.GetFilter(i)->GetName();
        CMasterList &master = m_document.GetMasterList();
        for (int i = 0; i < master.GetCount(); ++i)
            categories << master.GetAt(i)->GetName();
    }
    QList<CMenuEx *> subMenus;
    for (QAction *action : menu->actions())
        if (auto *sub = qobject_cast<CMenuEx *>(action->menu()))
            subMenus << sub;
    if (subMenus.size() >= 2) {
        FillNamedCommands(subMenus[0], ShellCmd::FilterTypeFirst, types, tr("Shows only the %1 items."));
        FillNamedCommands(subMenus[1], ShellCmd::FilterCategoryFirst, categories,
                          tr("Shows only the items of the category %1."));
    }
    // The saved filters stand before "Show ALL".
    for (QAction *action : menu->actions()) {
        const int id = CommandIdOf(action);
        if (id >= ShellCmd::SavedFilterFirst && id < ShellCmd::SavedFilterFirst + ShellCmd::ListRangeSize)
            menu->removeAction(action);
    }
    for (int i = 0; i < filters.size() && i < ShellCmd::ListRangeSize; ++i) {
        QString text = filters[i];
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        Table().Add(ShellCmd::SavedFilterFirst + i, text, tr("Applies the saved filter %1.\n%1").arg(filters[i]));
        menu->InsertCommandBefore(ShellCmd::ShowAll, ShellCmd::SavedFilterFirst + i);
    }
    // "Include Past Items" and the separator after it belong to the Event List.
    const bool keepPast = FilterMenuKeepsIncludePast(m_central->ActiveViewKind());
    const QList<QAction *> items = menu->actions();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (CommandIdOf(items[i]) != ShellCmd::IncludePast)
            continue;
        items[i]->setVisible(keepPast);
        if (menu == m_filterMenu && i + 1 < items.size() && items[i + 1]->isSeparator())
            items[i + 1]->setVisible(keepPast);
    }
    Table().Router().UpdateActions(menu->actions());
}

// ---- Bars ----

void CMainWnd::BuildBars()
{
    const bool large = GetProfileInt(Common(), QStringLiteral("TLI"), 1) != 0;
    const int imageSize = large ? 24 : 16;

    m_rebar = new CFlatReBar;
    m_rebar->setObjectName(QStringLiteral("reBar"));
    m_toolBar = new CToolBarEx(Table(), tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->LoadToolBar(kToolbarCommands);
    m_toolBar->SetImageBitmap(StripFor(kToolbarCommands, imageSize), QSize(imageSize, imageSize), 0x00FF00FF);
    m_toolBar->setIconSize(QSize(imageSize, imageSize));
    // Find and the print buttons show their images alone: the row keeps room for the views.
    for (int id : {ShellCmd::Find, ShellCmd::PrintPreview, ShellCmd::Print})
        if (QToolButton *button = m_toolBar->Button(id))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // One band row: the toolbar, then the link bar at its right end.
    auto *row = new QWidget;
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(0);
    rowLayout->addWidget(m_toolBar, 1);
    m_linkBar = new CLinkBar(&Table().Router());
    m_linkBar->setObjectName(QStringLiteral("linkBar"));
    m_linkBar->setFixedWidth(m_linkBar->Link(CLinkBar::kCmdWebAddress)->sizeHint().width() + 16);
    rowLayout->addWidget(m_linkBar, 0, Qt::AlignVCenter);
    m_rebar->AddBand(row);

    m_infoBar = new CCaptionBar(Table());
    m_infoBar->setObjectName(QStringLiteral("infoBar"));
    m_infoBar->setMinimumHeight(34);
    m_infoBar->SetToolButtonText(QString()); // no filter button while no view applies one
    connect(m_infoBar, &CCaptionBar::filterMenuAboutToShow, this, [this](CMenuEx *menu) { FillFilterMenu(menu); });

    m_statusBar = new CItemsStatusBar(this);
    setStatusBar(m_statusBar);
    m_statusBar->showMessage(tr("Ready"));

    auto *client = new QWidget(this);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_rebar);
    column->addWidget(m_infoBar);
    CentralAreaParts parts;
    parts.infoBar = m_infoBar;
    parts.statusBar = m_statusBar;
    parts.reminders = &m_frame.Reminders();
    m_central = MakeCentralArea(m_document, parts, client);
    column->addWidget(m_central->Widget(), 1);
    setCentralWidget(client);
}

bool CMainWnd::ToolbarShown() const
{
    return m_rebar->isVisibleTo(const_cast<CMainWnd *>(this));
}

void CMainWnd::SetToolbarShown(bool on)
{
    // The toolbar command shows or hides the whole rebar with both its bands.
    m_rebar->setVisible(on);
}

// ---- Commands ----

bool CMainWnd::RunCommand(int id)
{
    const QList<ICommandTarget *> route = Table().Router().Route(this);
    if (!RouteUpdate(route, id).enabled)
        return false;
    return RouteCommand(route, id);
}

CCmdUI CMainWnd::CommandState(int id)
{
    return RouteUpdate(Table().Router().Route(this), id);
}

bool CMainWnd::OnCommand(int id)
{
    using namespace ShellCmd;
    if (id >= RecentFirst && id <= RecentLast) {
        m_fileCommands->OnRecent(id - RecentFirst);
        return true;
    }
    if (id >= MultiDayFirst && id <= MultiDayLast) {
        ShowView(2, id - 32866, false);
        return true;
    }
    if (id == NavigatorBar || id == TaskPad || id == DetailsPane) {
        m_central->TogglePane(id);
        UpdateItemCount();
        return true;
    }
    for (const ViewCommand &v : kViewCommands)
        if (v.id == id) {
            if (id == ViewWorkWeek)
                ShowView(2, 5, true);
            else if (id == ViewMultiDay)
                ShowView(2, m_multiDays, m_workWeek);
            else
                ShowView(v.kind);
            return true;
        }
    switch (id) {
    case FileNew:
        m_fileCommands->OnNew();
        return true;
    case FileOpen:
        m_fileCommands->OnOpen();
        return true;
    case FileClose:
        if (!m_fullScreen)
            m_fileCommands->OnClose();
        return true;
    case Rename:
        m_fileCommands->OnRename();
        return true;
    case ChangePassword:
        m_fileCommands->OnChangePassword();
        return true;
    case Properties:
        m_fileCommands->OnProperties();
        return true;
    case Find:
        if (m_central->ActiveViewKind() != 8) {
            m_kindBeforeSearch = m_central->ActiveViewKind();
            ShowView(8);
        }
        return true;
    case LeaveSearch:
        if (m_kindBeforeSearch == 2)
            ShowView(2, m_multiDays, m_workWeek);
        else
            ShowView(m_kindBeforeSearch >= 3 && m_kindBeforeSearch <= 7 ? m_kindBeforeSearch : 1);
        return true;
    case HiddenItems:
        CViewContainer::SetShowingHiddenItems(!CViewContainer::IsShowingHiddenItems());
        m_central->Reload();
        return true;
    case ToggleToolbar:
        SetToolbarShown(!ToolbarShown());
        return true;
    case ToggleInfoBar:
        m_infoBar->setVisible(!m_infoBar->isVisibleTo(this));
        return true;
    case ToggleStatusBar:
        m_statusBar->setVisible(!m_statusBar->isVisibleTo(this));
        return true;
    case FullScreen:
        SetFullScreen(!m_fullScreen);
        return true;
    case CloseWindow:
        close();
        return true;
    default:
        return false;
    }
}

bool CMainWnd::OnUpdateCommand(int id, CCmdUI &ui)
{
    using namespace ShellCmd;
    const bool open = m_document.IsOpen();
    const bool writable = open && !m_document.IsReadOnly();
    const int kind = m_central->ActiveViewKind();
    if (id >= RecentFirst && id <= RecentLast) {
        ui.Enable(!m_recent.GetPath(id - RecentFirst).isEmpty());
        return true;
    }
    if (id >= MultiDayFirst && id <= MultiDayLast) {
        ui.Enable(open);
        ui.SetCheck(open && kind == 2 && !m_workWeek && m_multiDays == id - 32866);
        return true;
    }
    // Filters by item type, category and saved filter act on the active view container.
    if (id >= FilterTypeFirst && id < SavedFilterFirst + ListRangeSize) {
        ui.Enable(false);
        return true;
    }
    for (const ViewCommand &v : kViewCommands)
        if (v.id == id) {
            ui.Enable(open && (id != ViewWorkWeek || ProgramSettings().workDays != 0));
            const bool multiDay = open && kind == 2;
            if (id == ViewWorkWeek)
                ui.SetCheck(multiDay && m_workWeek);
            else if (id == ViewMultiDay)
                ui.SetCheck(multiDay && !m_workWeek);
            else
                ui.SetCheck(open && kind == v.kind);
            return true;
        }
    switch (id) {
    case FileNew:
    case FileOpen:
    case CloseWindow:
        ui.Enable(true);
        return true;
    case FileClose:
    case Properties:
        ui.Enable(open);
        return true;
    case Rename:
    case ChangePassword:
        ui.Enable(writable);
        return true;
    case Find:
        ui.Enable(open);
        ui.SetCheck(open && kind == 8);
        return true;
    case LeaveSearch:
        ui.Enable(kind == 8);
        return true;
    case HiddenItems:
        ui.Enable(open && IsCalendarKind(kind));
        ui.SetCheck(CViewContainer::IsShowingHiddenItems());
        return true;
    // Connected when printing, publishing, importing, backup and archive are part of the program.
    case ImportExport:
    case BackUp:
    case RestoreBackup:
    case Archive:
    case SaveAsWebPage:
    case PageSetupDay:
    case PageSetupMultiDay:
    case PageSetupWeek:
    case PageSetupMonth:
    case PageSetupYear:
    case PageSetupTable:
    case PageSetupDetails:
    case PageSetupMemo:
    case PrintPreview:
    case PreviewDay:
    case PreviewMultiDay:
    case PreviewWeek:
    case PreviewMonth:
    case PreviewYear:
    case PreviewTable:
    case PreviewDetails:
    case PreviewMemo:
    case Print:
    // The active view container's: enabled once the views stand in the window.
    case GoToToday:
    case CustomizeView:
    case ShowAll:
    case DefineFilters:
    case IncludePast:
    case ShowInDayView:
        ui.Enable(false);
        return true;
    case NavigatorBar:
    case TaskPad:
    case DetailsPane: {
        bool checked = false;
        ui.Enable(m_central->PaneState(id, checked));
        ui.SetCheck(checked);
        return true;
    }
    case ToggleToolbar:
        ui.SetCheck(ToolbarShown());
        ui.Enable(!m_fullScreen);
        return true;
    case ToggleInfoBar:
        ui.SetCheck(m_infoBar->isVisibleTo(this));
        ui.Enable(!m_fullScreen);
        return true;
    case ToggleStatusBar:
        ui.SetCheck(m_statusBar->isVisibleTo(this));
        ui.Enable(!m_fullScreen);
        return true;
    case FullScreen:
        ui.SetCheck(m_fullScreen);
        ui.Enable(open || m_fullScreen);
        return true;
    default:
        return false;
    }
}

// ---- Views ----

void CMainWnd::ShowView(int kind, int days, bool workWeek)
{
    if (kind == 2) {
        m_workWeek = workWeek;
        if (days >= 2 && !workWeek)
            m_multiDays = std::clamp(days, 2, 14);
    }
    m_central->ShowView(kind, kind == 2 ? (m_workWeek ? 5 : m_multiDays) : days, kind == 2 && m_workWeek);
    UpdateInfoBar();
    UpdateItemCount();
    Table().Router().UpdateBars();
}

void CMainWnd::UpdateInfoBar()
{
    const int kind = m_central->ActiveViewKind();
    m_infoBar->SetViewMode(kind);
    m_infoBar->SetTitle(m_document.IsOpen()
                            ? ViewCaption(kind, m_multiDays, m_workWeek, GetToday().ToQDateTime().date(), QLocale())
                            : tr("No data file is open"));
}

void CMainWnd::DataFileChanged()
{
    m_central->AttachDataFile();
    ShowView(m_central->ActiveViewKind());
    UpdateTitle();
}

void CMainWnd::UpdateItemCount()
{
    if (!m_document.IsOpen()) {
        m_statusBar->SetItemCount(-1);
        return;
    }
    // The count pane tells what the view lists: tasks in the Tasks view, events elsewhere.
    if (m_central->UpdateCountPane())
        return;
    int count = 0;
    m_document.CountItemsOfKind(m_central->ActiveViewKind() == 7 ? 2 : 1, count);
    m_statusBar->SetItemCount(count);
}

void CMainWnd::AddRecentFile(const QString &path)
{
    m_recent.Add(path);
    m_recent.WriteList(CProfile::Instance());
}

void CMainWnd::UpdateTitle()
{
    setWindowTitle(m_document.IsOpen() ? m_document.GetMainWindowTitle() : GetConstString(ConstName::ProgramName));
    UpdateInfoBar();
    m_frame.UpdateTrayIcon();
}

void CMainWnd::RefreshItemInView(const CCalendarItem &item)
{
    m_central->ItemStored(item);
    UpdateItemCount();
}

void CMainWnd::NotifyItemRescheduled(const CCalendarItem &item, const CDateTime &occurrence)
{
    m_central->ItemRescheduled(item, occurrence);
    UpdateItemCount();
}

void CMainWnd::NotifyItemChanged(std::uint32_t recordId, const CDateTime &occurrence, bool oneOccurrence, bool)
{
    m_central->ItemRemoved(recordId, occurrence, oneOccurrence);
    UpdateItemCount();
}

void CMainWnd::RefreshViews(bool rebind, bool)
{
    if (rebind) {
        DataFileChanged();
        return;
    }
    m_central->Reload();
    UpdateItemCount();
}

void CMainWnd::ClearItemCount()
{
    m_statusBar->SetItemCount(-1);
}

void CMainWnd::OnHourChanged()
{
    m_central->TimeChanged();
    UpdateInfoBar();
}

void CMainWnd::OnTimeChange()
{
    m_central->TimeChanged();
    UpdateInfoBar();
}

// ---- Placement and layout ----

void CMainWnd::ShowFromLayout()
{
    QByteArray geometry;
    if (!GetProfileBinary(Common(), GetConstString(ConstName::Data1), geometry) || !restoreGeometry(geometry))
        resize(1180, 740);
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
    WriteProfileInt(Common(), QStringLiteral("SHE"), CViewContainer::IsShowingHiddenItems() ? 1 : 0);
    WriteProfileInt(Common(), QStringLiteral("Toolbar"), ToolbarShown() ? 1 : 0);
    WriteProfileInt(Common(), QStringLiteral("Infobar"), m_infoBar->isVisibleTo(this) ? 1 : 0);
    WriteProfileInt(Common(), QStringLiteral("Statusbar"), m_statusBar->isVisibleTo(this) ? 1 : 0);
    if (m_central->ActiveViewKind() == 2) {
        WriteProfileInt(QStringLiteral("MDay"), QStringLiteral("MDN"), m_multiDays);
        WriteProfileInt(QStringLiteral("MDay"), QStringLiteral("WW"), m_workWeek ? 1 : 0);
    }
    CProfile::Instance().Sync();
}

void CMainWnd::SetFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    if (on) {
        m_fullScreenState = SaveFullScreenState(isMaximized(), ToolbarShown(), m_infoBar->isVisibleTo(this),
                                                m_statusBar->isVisibleTo(this));
        m_savedGeometry = geometry();
        SetToolbarShown(false);
        m_infoBar->hide();
        m_statusBar->hide();
        MenuBar()->hide();
        showFullScreen();
        CreateFullScreenBar();
        m_fullScreen = true;
        return;
    }
    DestroyFullScreenBar();
    SetToolbarShown(m_fullScreenState & FullScreenState::Toolbar);
    m_infoBar->setVisible(m_fullScreenState & FullScreenState::InfoBar);
    m_statusBar->setVisible(m_fullScreenState & FullScreenState::StatusBar);
    MenuBar()->show();
    if (m_fullScreenState & FullScreenState::Maximised)
        showMaximized();
    else {
        showNormal();
        setGeometry(m_savedGeometry);
    }
    m_fullScreen = false;
    m_fullScreenState = 0;
}

void CMainWnd::CreateFullScreenBar()
{
    // A small floating bar to switch views and leave full screen, where it was last put.
    auto *bar = new CToolBarEx(Table(), tr("Full Screen"), this);
    bar->setObjectName(QStringLiteral("fullScreenBar"));
    bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    bar->LoadToolBar(kFullScreenBarCommands);
    bar->SetImageBitmap(StripFor(kFullScreenBarCommands, 16), QSize(16, 16), 0x00FF00FF);
    const QScreen *screen = QGuiApplication::screenAt(m_savedGeometry.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect();
    bar->move(PlaceFullScreenBar(GetProfileInt(Common(), QStringLiteral("FSxy"), 0), work));
    bar->show();
    m_fullScreenBar = bar;
}

void CMainWnd::DestroyFullScreenBar()
{
    if (!m_fullScreenBar)
        return;
    WriteProfileInt(Common(), QStringLiteral("FSxy"), PackBarPoint(m_fullScreenBar->pos()));
    delete m_fullScreenBar;
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
    // The notice comes once the window is gone.
    QTimer::singleShot(0, &m_frame, [frame = &m_frame] { frame->ShowTrayNotice(); });
}

void CMainWnd::changeEvent(QEvent *event)
{
    CFrameWndEx::changeEvent(event);
    if (event->type() == QEvent::LocaleChange || event->type() == QEvent::ApplicationPaletteChange ||
        event->type() == QEvent::ThemeChange) {
        // The dates read in the locale's formats and the menus and views draw in the desktop's
        // colours: both are taken again.
        if (event->type() == QEvent::LocaleChange)
            BuildLocaleFormats();
        else
            CMenuLook::Instance().UpdateColors(QApplication::palette(), CMenuLook::Instance().GetOptions(),
                                               screen() ? screen()->geometry().width() : 1920);
        m_central->SettingsChanged();
        UpdateInfoBar();
        update();
        return;
    }
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized() && m_frame.HasTrayIcon() && GetProfileInt(Common(), GetConstString(ConstName::MWHM), 0) != 0) {
        m_closedByMinimise = true;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}
