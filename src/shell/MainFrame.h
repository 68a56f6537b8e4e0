// CMainFrame: the program's never-visible owner of the tray icon and its menu, the global hot
// keys, the document's timers and the visible main window, which it creates on Restore.
// Closing the main window leaves the program here in the tray; closing the frame ends it.
#pragma once

#include "core/document/TimerPort.h"
#include "core/system/ResultCode.h"
#include "shell/HotKeySet.h"
#include "shell/TrayRules.h"
#include "toolkit/commands/CommandTarget.h"

#include <QObject>
#include <QPointer>
#include <map>
#include <memory>

class CCalendarDocument;
class CDocumentEventStore;
class CMainWnd;
class CReminderWindows;
class CX11HotKeyGrabber;
class QMenu;
class QSocketNotifier;
class QSystemTrayIcon;
class QTimer;

class CMainFrame : public QObject, public ITimerPort, public ICommandTarget
{
    Q_OBJECT

  public:
    explicit CMainFrame(CCalendarDocument &document, QObject *parent = nullptr);
    ~CMainFrame() override;

    // Reads the reminders switch, grabs the hot keys, watches the clock. The tray icon comes
    // with AddTrayIcon.
    bool Create();
    void AddTrayIcon();
    // Before the crash report: the tray icon goes and no reminder window takes input.
    void RemoveTrayIconAndDisableReminders();
    bool HasTrayIcon() const { return m_tray != nullptr; }

    // The application's command target (commands the frame does not handle go there).
    void SetApplicationTarget(ICommandTarget *target) { m_appTarget = target; }
    // Runs a command through the frame and then the application.
    bool RunCommand(int id);
    CCmdUI CommandState(int id);
    // The end of the main window's command route: the frame, then the application.
    ICommandTarget &RouteTail() { return *m_routeTail; }

    // Creates or shows the main window. The start-up error is reported when the new window
    // finds no data file open.
    void Restore();
    CMainWnd *GetMainWnd() const { return m_mainWnd; }
    void SetStartupError(HRESULT code) { m_startupError = code; }
    // Ends the program: refused (false) while a modal dialog runs, so that an editor's
    // changes are never dropped under it and nothing writes to a closed file.
    bool Close();

    // "nohide": closing the main window ends the program.
    void SetNoHide(bool on) { m_noHide = on; }
    bool NoHide() const { return m_noHide; }
    // Tells the person that the program goes on in the tray after its window closed.
    void ShowTrayNotice();

    bool AreRemindersOn() const { return m_remindersOn; }
    void ToggleReminders();
    // The tray icon and tip for the current reminder state and document title.
    void UpdateTrayIcon();
    int CurrentTrayIcon() const;

    // New Event (the default type, or by type index) and New Recurring Event: an event planned
    // for now in its editor, under the main window when it shows.
    void NewEvent(int id);

    CHotKeySet &HotKeys() { return *m_hotKeys; }
    void OnHotKey(int id);

    // ITimerPort: the document's timers.
    int SetTimer(int timerId, int milliseconds) override;
    void KillTimer(int id) override;
    // Every timer comes here: today is settled, an hour change goes to the main window, then
    // the document.
    void OnTimer(int timerId);
    // The wall clock was set or the time zone changed.
    void OnTimeChange();

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, CCmdUI &ui) override;

    // The open reminder windows, which the document opens as reminders come due.
    CReminderWindows &Reminders() const { return *m_reminders; }

    QMenu *TrayMenu() const { return m_trayMenu.get(); }
    // Fills and enables the tray menu as it is about to show.
    void PrepareTrayMenu();

  signals:
    void Closed();

  private:
    void BuildTrayMenu();
    void WatchClock();
    void OnClockNotifier();

    CCalendarDocument &m_document;
    ICommandTarget *m_appTarget = nullptr;
    std::unique_ptr<ICommandTarget> m_routeTail;
    std::unique_ptr<CDocumentEventStore> m_eventStore;
    QPointer<CMainWnd> m_mainWnd;
    HRESULT m_startupError = S_OK;
    bool m_remindersOn = true;
    bool m_closing = false;
    bool m_noHide = false;
    CHourWatch m_hourWatch;
    int m_lastDayOfYear = -1;
    std::map<int, QTimer *> m_timers;
    QSystemTrayIcon *m_tray = nullptr;
    std::unique_ptr<QMenu> m_trayMenu;
    CX11HotKeyGrabber *m_grabber = nullptr;
    std::unique_ptr<CHotKeySet> m_hotKeys;
    int m_clockFd = -1;
    QSocketNotifier *m_clockNotifier = nullptr;
    std::unique_ptr<CReminderWindows> m_reminders;
};
