// CCalendarDocument: the open calendar. It owns the data file, the item types, the master
// category and location lists and the queue of today's reminders; every write of an item goes
// through it so that the reminder queue, the reminder windows and the views stay in step.
#pragma once

#include "core/lists/CategoryList.h"
#include "core/storage/DataFile.h"
#include "core/dates/DateTime.h"
#include "core/lists/ItemTypeList.h"
#include "core/lists/MasterList.h"
#include "core/document/ReminderEntry.h"
#include "core/system/ResultCode.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

class CCalendarItem;
class CCipher;
class CDisplayItem;
class CEventItem;
class CItemRef;
class CTaskItem;
class IDateNavigatorSink;
class IDocumentShell;
class IMainWindowSink;
class IPasswordPrompt;
class IReminderWindow;
class IReminderWindowHost;
class ITimerPort;
class ITipWindowSink;

// String id of the warning that a file with a broken block chain opens read-only.
inline constexpr int IDS_DAMAGED_OPENS_READ_ONLY = 61901;

class CCalendarDocument
{
  public:
    // Timer ids the document arms on the frame.
    static constexpr int kScanTimer = 3;
    static constexpr int kDueTimer = 4;
    static constexpr int kScanDelayMs = 60000;
    static constexpr int kDueIntervalMs = 20000;

    CCalendarDocument();
    ~CCalendarDocument();
    CCalendarDocument(const CCalendarDocument &) = delete;
    CCalendarDocument &operator=(const CCalendarDocument &) = delete;

    // ---- Ports (null: not there) ----
    void SetMainWindow(IMainWindowSink *sink) { m_mainWindow = sink; }
    void SetDateNavigator(IDateNavigatorSink *sink) { m_navigator = sink; }
    void SetPasswordPrompt(IPasswordPrompt *prompt) { m_passwordPrompt = prompt; }
    void SetShell(IDocumentShell *shell) { m_shell = shell; }
    // The frame's timers; null while there is no frame.
    void SetTimerPort(ITimerPort *timers) { m_timers = timers; }
    void SetReminderWindowHost(IReminderWindowHost *host) { m_windowHost = host; }
    void SetTipWindow(ITipWindowSink *tip) { m_tipWindow = tip; }

    // Makes this the program's document: HandleSessionError, the open-file query of the error
    // boxes, the reminder-window enabling around modal boxes and the item type catalog use it.
    void RegisterAsApplicationDocument();
    static CCalendarDocument *GetApplicationDocument();

    // ---- File ----

    // Opens a data file. An empty path takes the last file of the settings (1 when there is
    // none). With a key the password text is ignored. With prompt a protected file asks for
    // its password. Older formats are converted after the user agreed (silent: without
    // asking); a copy of the old file is always kept beside it.
    HRESULT OpenCalendarFile(const QString &path, const QString &password = QString(),
                             const CCipher *key = nullptr, bool prompt = true, bool readOnly = false,
                             bool silentConversion = false);
    // The last file, read-only when Shift is held (the caller tells) or "OROA" is set.
    HRESULT OpenLastCalendarFile(bool shiftHeld);
    void CloseCalendarFile();
    // Deletes any file at the path and creates a new data file there.
    static HRESULT CreateFreshDataFile(const QString &path, const QString &title, const QString &password);

    bool IsOpen() const { return m_open; }
    bool IsReadOnly() const { return m_file.IsReadOnly(); }
    static void ShowReadOnlyMessage();
    // Always false: nothing here tells that another process uses the file.
    bool IsStoreShared() const { return false; }
    QString GetMainWindowTitle() const;

    CDataFile &GetDataFile() { return m_file; }
    CItemTypeList &GetItemTypes() { return m_itemTypes; }
    CMasterList &GetMasterList() { return m_masterList; }
    CCategoryList &GetLocationList() { return m_locationList; }
    HRESULT LoadItemTypes() { return m_itemTypes.Load(m_file); }
    HRESULT SaveItemTypes() { return m_itemTypes.Save(m_file); }
    HRESULT LoadMasterList() { return m_masterList.Load(m_file); }
    HRESULT LoadLocationList() { return m_locationList.Load(m_file); }

    // ---- Items ----

    HRESULT LoadEvent(CEventItem &event);
    HRESULT LoadTask(CTaskItem &task);
    HRESULT StoreEvent(CEventItem &event, bool closeWindow);
    HRESULT StoreTask(CTaskItem &task, bool closeWindow);
    // Stores the held item with its reminder window closed; the holder gets the record id. An
    // edited occurrence of a series becomes a new event and is deleted from the series.
    HRESULT SaveEventRef(CItemRef &holder);
    HRESULT SaveTaskRef(CItemRef &holder);
    HRESULT SaveItemRef(CItemRef &holder);
    // A new event or task of the entry's kind in the holder, loaded by the entry's record id.
    HRESULT LoadItemRef(CItemRef &holder, const CDisplayItem &entry);
    HRESULT LoadItemRef(CItemRef &holder, int kind, std::uint32_t recordId);

    // With keepMark the record stays, marked deleted.
    HRESULT DeleteEvent(std::uint32_t recordId, bool keepMark, bool closeWindow);
    HRESULT DeleteTask(std::uint32_t recordId, bool keepMark, bool closeWindow);
    HRESULT DeleteOccurrence(std::uint32_t recordId, const CDateTime &occurrence, bool stamp,
                             bool closeWindow);
    // One occurrence of a task: a recurring task moves on to its next due date; the last one
    // (or a task that does not recur) is deleted.
    HRESULT DeleteTaskOccurrence(std::uint32_t recordId, bool closeWindow);
    HRESULT DeleteEventAndNotify(std::uint32_t recordId, const CDateTime &occurrence, bool keepMark,
                                 bool oneOccurrence);
    HRESULT DeleteTaskAndNotify(std::uint32_t recordId, const CDateTime &occurrence, bool keepMark,
                                bool oneOccurrence);

    HRESULT ToggleTaskCompleted(CItemRef &holder, bool allowUndo);
    HRESULT ConvertEventToTask(CItemRef &holder, bool openEditor);
    HRESULT ConvertTaskToEvent(CItemRef &holder, bool openEditor);

    using RecordCallback = std::function<HRESULT(std::uint32_t recordId)>;
    HRESULT EnumAllEvents(const RecordCallback &callback);
    HRESULT EnumAllTasks(const RecordCallback &callback);
    HRESULT CollectItemIds(int kind, std::vector<ItemStamp> &ids, std::size_t capacity);
    HRESULT CollectItemFingerprints(int kind, std::vector<ItemFingerprint> &prints);
    HRESULT CountItemsOfKind(int kind, int &count);

    // Closes the pop-ups and the file after a failed operation on the data file, refreshes the
    // main window and reports the code; returns it.
    HRESULT HandleSessionError(HRESULT code);
    // Load results that concern one record only (damaged or vanished): such an item is passed
    // over by the walks at open and in the reminder cycle, and the rest go on.
    static bool IsUnreadableRecord(HRESULT hr);

    // ---- Reminder queue ----

    bool QueueReminder(const CCalendarItem &item);
    bool DequeueReminder(std::uint32_t recordId);
    HRESULT ScanReminders();
    HRESULT RescanReminders();
    HRESULT ShowDueReminders();
    const std::vector<std::unique_ptr<CReminderEntry>> &GetQueue() const { return m_queue; }
    const CDateTime &GetScanHorizon() const { return m_horizon; }

    // ---- Timers ----

    int ArmReminderTimer();
    // Every timer of the frame comes here; true when it was one of the document's.
    bool OnTimer(int timerId, bool remindersOn);
    void KillReminderTimers();
    // The wall clock jumped: today moves and the queue is rebuilt.
    void OnTimeChange();
    int GetScanTimerId() const { return m_scanTimer; }
    int GetDueTimerId() const { return m_dueTimer; }

    // ---- Reminder windows ----

    // The first reminder window (topmost first): any, or with a record id the first whose id
    // equals it (match) or differs from it; minimised ones passed over when asked.
    IReminderWindow *FindReminderWindow(std::uint32_t recordId = 0, bool match = true,
                                        bool skipMinimised = false) const;
    bool CloseReminderWindow(std::uint32_t recordId);
    HRESULT ShowReminderWindow(CItemRef &holder);
    HRESULT CreateReminderWindow(CItemRef &holder);
    HRESULT RecreateReminderWindows();
    void EnableReminderWindows(bool enable);
    bool AreReminderWindowsEnabled() const { return m_windowsEnabled; }

    // ---- Answers of a reminder window ----

    HRESULT DismissEventReminder(std::uint32_t recordId, const CDateTime &occurrence, bool storeSize = false,
                                 int width = 0, int height = 0);
    HRESULT CompleteTaskFromReminder(std::uint32_t recordId, bool storeSize = false, int width = 0,
                                     int height = 0);
    // Refused with 0x80040501 past the next occurrence's reminder (pastNext true) or past the
    // end of an event that shows no window after its time (pastNext false).
    HRESULT SnoozeEventReminder(std::uint32_t recordId, const CDateTime &occurrence, const CDateSpan &span,
                                bool beforeStart, bool storeSize, int width, int height, bool &pastNext);
    HRESULT SnoozeTaskReminder(std::uint32_t recordId, const CDateTime &taskDate, const CDateSpan &span,
                               bool beforeDate, bool storeSize, int width, int height);

  private:
    HRESULT OpenFileItself(const QString &path, const QString &password, const CCipher *key, bool prompt,
                           bool readOnly, bool silentConversion);
    HRESULT ConvertOlderFile(const QString &path, bool silent);
    HRESULT LoadLists();
    HRESULT FillMissingUniqueIds();
    // The item's next pending reminder no later than the horizon into its working fields.
    bool FindPendingReminder(CCalendarItem &item) const;
    HRESULT CompleteTask(CTaskItem &task, bool allowUndo);
    CDateTime EffectiveHorizon() const;
    void ClearQueue();
    void RemoveQueueEntry(std::uint64_t serial);
    // A record that cannot be read is passed over; the first time it is met it is reported.
    void NoteUnreadable(std::uint32_t recordId, HRESULT code);
    void ReportUnreadable();
    HRESULT ScanOneEvent(std::uint32_t recordId);
    HRESULT ScanOneTask(std::uint32_t recordId);

    // Reminder state.
    int m_scanTimer = 0;
    int m_dueTimer = 0;
    int m_timerBoxNesting = 0;
    bool m_dueBusy = false;
    bool m_creatingWindow = false;
    bool m_windowsEnabled = true;
    bool m_noWindowReported = false;
    CDateTime m_horizon{0.0};
    std::vector<std::unique_ptr<CReminderEntry>> m_queue;
    std::uint64_t m_nextSerial = 1;
    std::set<std::uint32_t> m_unreadableReported;
    HRESULT m_pendingUnreadable = S_OK;

    CDataFile m_file;
    bool m_open = false;
    CItemTypeList m_itemTypes;
    CMasterList m_masterList;
    CCategoryList m_locationList;

    IMainWindowSink *m_mainWindow = nullptr;
    IDateNavigatorSink *m_navigator = nullptr;
    IPasswordPrompt *m_passwordPrompt = nullptr;
    IDocumentShell *m_shell = nullptr;
    ITimerPort *m_timers = nullptr;
    IReminderWindowHost *m_windowHost = nullptr;
    ITipWindowSink *m_tipWindow = nullptr;
};

// The program's document (RegisterAsApplicationDocument) closes its file and reports the
// code; with no document the code is only reported.
HRESULT HandleSessionError(HRESULT code);

// Where the copy of an older data file is kept: the path without its extension, "_saved",
// and the extension of that format ("qv1" or "qv2").
QString ConvertedCopyPath(const QString &path, std::uint32_t formatVersion);
// Whether two paths name the same file: compared after making them canonical, case-sensitively.
bool IsSameDataFilePath(const QString &a, const QString &b);
