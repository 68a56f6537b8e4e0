// The tray frame: tray icon and menu, hot keys, timers, Restore and Exit.
#include "shell/MainFrame.h"

#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "core/system/Profile.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/system/AppSettings.h"
#include "editing/event/DocumentEventStore.h"
#include "editing/base/DialogEx.h"
#include "editing/event/EditEventDlg.h"
#include "shell/MainWnd.h"
#include "shell/ShellCommands.h"
#include "shell/TrayArt.h"
#include "shell/TrayNoticeDlg.h"
#include "shell/X11HotKeyGrabber.h"
#include "shell/reminders/ReminderWindows.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <limits>
#include <malloc.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {
// The frame and the application as one link of a command route.
class CFrameRouteTail : public ICommandTarget
{
  public:
    explicit CFrameRouteTail(CMainFrame &frame) : m_frame(frame) {}
    bool OnCommand(int id) override { return m_frame.RunCommand(id); }
    // The last link: a command neither handles comes back disabled, as the route would say.
    bool OnUpdateCommand(int id, CCmdUI &ui) override
    {
        ui = m_frame.CommandState(id);
        return true;
    }

  private:
    CMainFrame &m_frame;
};
} // namespace

CMainFrame::CMainFrame(CCalendarDocument &document, QObject *parent)
    : QObject(parent), m_document(document), m_routeTail(std::make_unique<CFrameRouteTail>(*this))
{
    m_grabber = new CX11HotKeyGrabber(this);
    m_hotKeys = std::make_unique<CHotKeySet>(*m_grabber);
    connect(m_grabber, &CX11HotKeyGrabber::HotKeyPressed, this, &CMainFrame::OnHotKey);
    // Reminders that come due in the document's queue open their windows here.
    m_reminders = std::make_unique<CReminderWindows>(m_document);
    m_reminders->SetMainWindowProvider([this]() -> QWidget * { return m_mainWnd; });
    m_document.SetReminderWindowHost(m_reminders.get());
}

CMainFrame::~CMainFrame()
{
    m_document.SetReminderWindowHost(nullptr);
    m_reminders.reset();
    for (auto &[id, timer] : m_timers)
        delete timer;
    if (m_clockFd >= 0)
        ::close(m_clockFd);
}

bool CMainFrame::Create()
{
    if (GetProfileInt(ConstName::Common, ConstName::KRS, 1) != 0)
        m_remindersOn = GetProfileInt(ConstName::Common, ConstName::RE, 1) != 0;
    m_hotKeys->LoadFromSettings();
    BuildTrayMenu();
    WatchClock();
    return true;
}

void CMainFrame::BuildTrayMenu()
{
    m_trayMenu = std::make_unique<QMenu>();
    auto add = [this](QMenu *menu, const QString &text, int id) {
        QAction *action = menu->addAction(text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        return action;
    };
    QMenu *menu = m_trayMenu.get();
    QAction *restore = add(menu, QStringLiteral("&Restore"), ShellCmd::Restore);
    QFont bold = restore->font();
    bold.setBold(true);
    restore->setFont(bold); // the default item
    menu->addSeparator();
    QMenu *newEvent = menu->addMenu(QStringLiteral("&New Event"));
    newEvent->setObjectName(QStringLiteral("newEventMenu"));
    QMenu *newRecurring = menu->addMenu(QStringLiteral("New Re&curring Event"));
    newRecurring->setObjectName(QStringLiteral("newRecurringMenu"));
    add(menu, QStringLiteral("New &Task"), ShellCmd::NewTask);
    menu->addSeparator();
    QMenu *sound = menu->addMenu(QStringLiteral("&Sound"));
    add(sound, QStringLiteral("&Enable"), ShellCmd::SoundEnable);
    add(sound, QStringLiteral("&Disable"), ShellCmd::SoundDisable);
    add(menu, QStringLiteral("&Minimize All Reminders"), ShellCmd::MinimiseAllReminders);
    add(menu, QStringLiteral("Restore &All Reminders"), ShellCmd::RestoreAllReminders);
    add(menu, QStringLiteral("&Enable Reminders"), ShellCmd::EnableReminders)->setCheckable(true);
    menu->addSeparator();
    add(menu, QStringLiteral("&Options..."), ShellCmd::Options);
    QMenu *help = menu->addMenu(QStringLiteral("&Help"));
    add(help, QStringLiteral("&Help Topics"), ShellCmd::HelpTopics);
    add(help, QStringLiteral("&Technical Support"), ShellCmd::Support);
    add(help, QStringLiteral("Subscribe to the Newsletter"), ShellCmd::Newsletter);
    add(help, QStringLiteral("Tessivo on the &Web"), ShellCmd::Web);
    help->addSeparator();
    add(help, QStringLiteral("&About..."), ShellCmd::About);
    menu->addSeparator();
    add(menu, QStringLiteral("E&xit"), ShellCmd::Exit);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::PrepareTrayMenu);
    connect(menu, &QMenu::aboutToHide, this, [this] {
        if (!m_mainWnd)
            malloc_trim(0); // sitting in the tray: give memory back
    });
}

void CMainFrame::PrepareTrayMenu()
{
    // The item-type lists of New Event and New Recurring Event follow the open file.
    for (const auto &[name, first] : {std::pair{QStringLiteral("newEventMenu"), ShellCmd::NewEventFirst},
                                      std::pair{QStringLiteral("newRecurringMenu"), ShellCmd::NewRecurringFirst}}) {
        QMenu *sub = m_trayMenu->findChild<QMenu *>(name);
        if (!sub)
            continue;
        sub->clear();
        if (m_document.IsOpen()) {
            CItemTypeList &types = m_document.GetItemTypes();
            for (int i = 0; i < types.GetTypeCount() && i < 100; ++i) {
                QAction *action = sub->addAction(types.GetType(i)->GetName());
                action->setData(first + i);
                const int id = first + i;
                connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
                if (first == ShellCmd::NewEventFirst && i == types.GetDefaultEventType()) {
                    QFont bold = action->font();
                    bold.setBold(true);
                    action->setFont(bold);
                }
            }
        }
        sub->setEnabled(!sub->isEmpty() && CommandState(first).enabled);
    }
    // While an error box is up the menu offers nothing.
    const bool boxOpen = GetMessageBoxNesting() > 0;
    std::function<void(QMenu *)> update = [&](QMenu *menu) {
        for (QAction *action : menu->actions()) {
            if (action->menu()) {
                update(action->menu());
                continue;
            }
            if (action->isSeparator() || !action->data().isValid())
                continue;
            const CCmdUI ui = CommandState(action->data().toInt());
            action->setEnabled(ui.enabled && !boxOpen);
            if (action->isCheckable())
                action->setChecked(ui.checked);
        }
    };
    update(m_trayMenu.get());
}

void CMainFrame::AddTrayIcon()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return; // no tray here: the program lives on in its main window
    }
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(this);
        m_tray->setContextMenu(m_trayMenu.get());
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            // Many tray hosts send only a click, not a double click.
            if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
                RunCommand(ShellCmd::Restore);
        });
    }
    UpdateTrayIcon();
    m_tray->show();
}

void CMainFrame::RemoveTrayIconAndDisableReminders()
{
    if (m_tray)
        m_tray->hide();
    m_document.EnableReminderWindows(false);
}

int CMainFrame::CurrentTrayIcon() const
{
    return ChooseTrayIcon(GetProfileInt(ConstName::Common, ConstName::OTI, 0) != 0, m_remindersOn);
}

void CMainFrame::UpdateTrayIcon()
{
    if (!m_tray)
        return;
    m_tray->setIcon(MakeTrayIcon(CurrentTrayIcon()));
    QString tip = m_document.IsOpen() ? m_document.GetMainWindowTitle() : GetConstString(ConstName::ProgramName);
    m_tray->setToolTip(tip.left(63));
}

void CMainFrame::ToggleReminders()
{
    m_remindersOn = !m_remindersOn;
    WriteProfileInt(ConstName::Common, ConstName::RE, m_remindersOn ? 1 : 0);
    UpdateTrayIcon();
}

bool CMainFrame::RunCommand(int id)
{
    const CCmdUI ui = CommandState(id);
    if (!ui.enabled)
        return false;
    QList<ICommandTarget *> route{this};
    if (m_appTarget)
        route << m_appTarget;
    return RouteCommand(route, id);
}

CCmdUI CMainFrame::CommandState(int id)
{
    QList<ICommandTarget *> route{this};
    if (m_appTarget)
        route << m_appTarget;
    return RouteUpdate(route, id);
}

void CMainFrame::NewEvent(int id)
{
    if (!m_document.IsOpen() || GetMessageBoxNesting() > 0)
        return;
    CItemTypeList &types = m_document.GetItemTypes();
    int type = types.GetDefaultEventType();
    if (id >= ShellCmd::NewRecurringFirst)
        type = id - ShellCmd::NewRecurringFirst;
    else if (id >= ShellCmd::NewEventFirst)
        type = id - ShellCmd::NewEventFirst;
    auto holder = std::make_unique<CItemRef>(CCalendarItem::KindEvent);
    CEventItem *event = holder->GetEvent();
    event->SetItemType(type);
    const CItemType *itemType = type >= 0 && type < types.GetTypeCount() ? types.GetType(type) : nullptr;
    const AppSettings &settings = ProgramSettings();
    const NewEventPlan plan = PlanNewEvent(CDateTime::FromQDateTime(QDateTime::currentDateTime()),
                                           itemType ? itemType->GetName() : QString(), settings.newEventsAllDay != 0,
                                           settings.defaultDurationMinutes, settings.newItemsWithoutReminder != 0);
    event->SetStart(plan.start);
    event->SetDuration(CDateSpan(0, 0, plan.durationMinutes, 0));
    if (plan.reminderOn)
        event->SetFlag(CCalendarItem::FlagReminder, true);
    if (!m_eventStore)
        m_eventStore = std::make_unique<CDocumentEventStore>(m_document);
    const EventEditorContext context{m_eventStore.get(), &m_document.GetMasterList(), &m_document.GetDataFile()};
    QWidget *parent = m_mainWnd && m_mainWnd->isVisible() ? m_mainWnd.data() : nullptr;
    CEditEventDlg::OpenEventEditor(std::move(holder), context, parent, id >= ShellCmd::NewRecurringFirst, false,
                                   false, false);
}

bool CMainFrame::OnCommand(int id)
{
    if (id >= ShellCmd::NewEventDefault && id < ShellCmd::NewRecurringFirst + ShellCmd::ListRangeSize) {
        NewEvent(id);
        return true;
    }
    switch (id) {
    case ShellCmd::Restore:
        Restore();
        return true;
    case ShellCmd::Exit:
        Close();
        return true;
    default:
        return false;
    }
}

bool CMainFrame::OnUpdateCommand(int id, CCmdUI &ui)
{
    if (id >= ShellCmd::NewEventDefault && id < ShellCmd::NewRecurringFirst + ShellCmd::ListRangeSize) {
        const int types = m_document.IsOpen() ? m_document.GetItemTypes().GetTypeCount() : 0;
        const int index = id >= ShellCmd::NewRecurringFirst ? id - ShellCmd::NewRecurringFirst
                          : id >= ShellCmd::NewEventFirst   ? id - ShellCmd::NewEventFirst
                                                            : 0;
        ui.Enable(m_document.IsOpen() && !m_document.IsReadOnly() && index < std::max(types, 1) &&
                  GetMessageBoxNesting() == 0);
        return true;
    }
    switch (id) {
    case ShellCmd::Restore:
    case ShellCmd::Exit:
        ui.Enable(true);
        return true;
    default:
        return false;
    }
}

void CMainFrame::Restore()
{
    if (m_mainWnd) {
        m_mainWnd->BringToFront();
        return;
    }
    m_mainWnd = new CMainWnd(m_document, *this);
    m_mainWnd->ShowFromLayout();
    if (!m_document.IsOpen() && m_startupError != S_OK) {
        const HRESULT code = m_startupError;
        m_startupError = S_OK;
        m_document.HandleSessionError(code);
    }
}

bool CMainFrame::Close()
{
    if (m_closing)
        return true;
    if (QWidget *modal = QApplication::activeModalWidget()) {
        // An editor or another modal dialog is running: ending now would drop its changes and
        // let its OK write to a closed file. Show it instead.
        modal->raise();
        modal->activateWindow();
        QApplication::beep();
        return false;
    }
    m_closing = true;
    // An editor that runs without the main window goes first, by its own Cancel path, before
    // the file it writes to closes.
    if (QDialog *dialog = CDialogEx::GetCurrentDialog())
        dialog->reject();
    m_hotKeys->ReleaseAll();
    if (m_mainWnd) {
        m_mainWnd->CloseForExit();
        delete m_mainWnd;
    }
    m_document.KillReminderTimers();
    m_document.CloseCalendarFile();
    if (m_tray)
        m_tray->hide();
    emit Closed();
    return true;
}

void CMainFrame::OnHotKey(int id)
{
    switch (id) {
    case HotKeyId::Restore:
        RunCommand(ShellCmd::Restore);
        break;
    case HotKeyId::NewEvent:
        RunCommand(ShellCmd::Restore);
        RunCommand(ShellCmd::NewEventDefault);
        break;
    case HotKeyId::NewTask:
        RunCommand(ShellCmd::Restore);
        RunCommand(ShellCmd::NewTask);
        break;
    case HotKeyId::MinimiseReminders:
        if (m_document.IsOpen())
            RunCommand(m_document.FindReminderWindow(0, false, true) ? ShellCmd::MinimiseAllReminders
                                                                               : ShellCmd::RestoreAllReminders);
        break;
    case HotKeyId::StopSounds:
        if (m_document.IsOpen())
            RunCommand(ShellCmd::StopAllSounds);
        break;
    default:
        break;
    }
}

int CMainFrame::SetTimer(int timerId, int milliseconds)
{
    QTimer *&timer = m_timers[timerId];
    if (!timer) {
        timer = new QTimer();
        QObject::connect(timer, &QTimer::timeout, this, [this, timerId] { OnTimer(timerId); });
    }
    timer->start(milliseconds);
    return timerId;
}

void CMainFrame::KillTimer(int id)
{
    auto it = m_timers.find(id);
    if (it != m_timers.end())
        it->second->stop();
}

void CMainFrame::OnTimer(int timerId)
{
    UpdateToday();
    const QDateTime now = QDateTime::currentDateTime();
    if (m_hourWatch.Update(now.time().hour()) && m_mainWnd)
        m_mainWnd->OnHourChanged();
    if (timerId == CCalendarDocument::kScanTimer)
        UpdateTrayIcon();
    m_lastDayOfYear = now.date().dayOfYear();
    m_document.OnTimer(timerId, m_remindersOn);
}

namespace {
// Arms a timer far in the future that the kernel cancels when the wall clock is set.
bool ArmClockTimer(int fd)
{
    itimerspec farAway{};
    farAway.it_value.tv_sec = std::numeric_limits<time_t>::max() / 2;
    return timerfd_settime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &farAway, nullptr) == 0;
}
} // namespace

void CMainFrame::WatchClock()
{
    m_clockFd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_clockFd < 0)
        return;
    if (!ArmClockTimer(m_clockFd)) {
        ::close(m_clockFd);
        m_clockFd = -1;
        return;
    }
    m_clockNotifier = new QSocketNotifier(m_clockFd, QSocketNotifier::Read, this);
    connect(m_clockNotifier, &QSocketNotifier::activated, this, &CMainFrame::OnClockNotifier);
}

void CMainFrame::OnClockNotifier()
{
    std::uint64_t expirations = 0;
    // Reading fails with ECANCELED after a clock change; the timer must be armed again.
    (void)::read(m_clockFd, &expirations, sizeof expirations);
    ArmClockTimer(m_clockFd);
    OnTimeChange();
}

void CMainFrame::OnTimeChange()
{
    m_document.OnTimeChange();
    if (m_mainWnd)
        m_mainWnd->OnTimeChange();
}

void CMainFrame::ShowTrayNotice()
{
    if (!m_tray || !CTrayNoticeDlg::IsWanted())
        return;
    CTrayNoticeDlg notice;
    notice.exec();
}
