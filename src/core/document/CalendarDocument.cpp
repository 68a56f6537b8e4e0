// CCalendarDocument: opening, converting and closing data files, and the item operations
// that keep reminders and views in step. The reminder queue lives in CalendarDocumentReminders.cpp.
#include "core/document/CalendarDocument.h"

#include "core/system/ConstStrings.h"
#include "core/document/DateNavigatorSink.h"
#include "core/dates/DateRules.h"
#include "core/items/DisplayItem.h"
#include "core/document/DocumentShell.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/document/MainWindowSink.h"
#include "core/system/Messages.h"
#include "core/document/PasswordPrompt.h"
#include "core/system/Profile.h"
#include "core/document/ReminderWindowHost.h"
#include "core/system/StringTable.h"
#include "core/system/SystemUtilities.h"
#include "core/items/TaskItem.h"
#include "core/storage/VersionBlock.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::uint32_t kFirstFormat = 0x00010001;
constexpr std::uint32_t kSecondFormat = 0x00010004;

constexpr int kReadOnlyTitle = 58015;
constexpr int kReadOnlyMessage = 58016;
constexpr int kFirstFormatExtension = 59218;
constexpr int kConvertQuestion = 59219;
constexpr int kSecondFormatExtension = 59258;
constexpr int kLockedAskReadOnly = 59368;
constexpr int kReadOnlyAskReadOnly = 59369;
constexpr int kDamagedOpensReadOnly = IDS_DAMAGED_OPENS_READ_ONLY;

CCalendarDocument *g_applicationDocument = nullptr;

// Runs the wait cursor for the life of the object.
class WaitCursor
{
  public:
    explicit WaitCursor(IDocumentShell *shell) : m_shell(shell)
    {
        if (m_shell)
            m_shell->SetWaitCursor(true);
    }
    ~WaitCursor()
    {
        if (m_shell)
            m_shell->SetWaitCursor(false);
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

  private:
    IDocumentShell *m_shell;
};

QString CanonicalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool HasEndBefore(const CCalendarItem &item, const CDateTime &date)
{
    return (item.GetRecurrenceFlags() & 0x2000000u) != 0 && item.GetPatternEnd().IsValid() &&
           item.GetPatternEnd() < date;
}

} // namespace

QString ConvertedCopyPath(const QString &path, std::uint32_t formatVersion)
{
    const QFileInfo info(path);
    QString base = path;
    const QString suffix = info.suffix();
    if (!suffix.isEmpty())
        base.chop(suffix.size() + 1);
    const int extension = formatVersion == kFirstFormat ? kFirstFormatExtension : kSecondFormatExtension;
    return base + QStringLiteral("_saved.") + LoadResString(extension);
}

bool IsSameDataFilePath(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return CanonicalPath(a) == CanonicalPath(b);
}

HRESULT HandleSessionError(HRESULT code)
{
    if (CCalendarDocument *document = CCalendarDocument::GetApplicationDocument())
        return document->HandleSessionError(code);
    return ReportError(code);
}

CCalendarDocument::CCalendarDocument() = default;

CCalendarDocument::~CCalendarDocument()
{
    KillReminderTimers();
    ClearQueue();
    if (g_applicationDocument == this) {
        g_applicationDocument = nullptr;
        SetDataFileOpenQuery({});
        SetReminderWindowsEnabler({});
        SetItemTypeCatalog(nullptr);
    }
}

void CCalendarDocument::RegisterAsApplicationDocument()
{
    g_applicationDocument = this;
    SetDataFileOpenQuery([this] { return IsOpen(); });
    SetReminderWindowsEnabler([this](bool enable) { EnableReminderWindows(enable); });
    SetItemTypeCatalog(&m_itemTypes);
}

CCalendarDocument *CCalendarDocument::GetApplicationDocument()
{
    return g_applicationDocument;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

HRESULT CCalendarDocument::OpenCalendarFile(const QString &path, const QString &password, const CCipher *key,
                                            bool prompt, bool readOnly, bool silentConversion)
{
    if (m_open && IsSameDataFilePath(path, m_file.GetPath()))
        return QV_E_ALREADY_OPEN;
    CloseCalendarFile();

    QString filePath = path;
    if (filePath.isEmpty()) {
        filePath = GetProfileString(ConstName::Common, ConstName::L0);
        if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
            return S_FALSE;
    }

    HRESULT hr = OpenFileItself(filePath, password, key, prompt, readOnly, silentConversion);
    if (hr == S_OK && !m_file.IsReadOnly())
        hr = FillMissingUniqueIds();
    if (hr != S_OK) {
        CloseCalendarFile();
        return hr;
    }

    m_open = true; // the scan only works on an open calendar
    hr = RescanReminders();
    if (hr == S_OK && !path.isEmpty() && m_timers && ArmReminderTimer() == 0)
        hr = QV_E_NO_RESOURCES;
    if (hr != S_OK) {
        CloseCalendarFile();
        return hr;
    }
    WriteProfileString(ConstName::Common, ConstName::L0, filePath);
    return S_OK;
}

HRESULT CCalendarDocument::OpenLastCalendarFile(bool shiftHeld)
{
    const bool readOnly = shiftHeld || GetProfileInt(ConstName::Common, ConstName::OROA, 0) != 0;
    return OpenCalendarFile(QString(), QString(), nullptr, true, readOnly, false);
}

HRESULT CCalendarDocument::OpenFileItself(const QString &path, const QString &password, const CCipher *key,
                                          bool prompt, bool readOnly, bool silentConversion)
{
    HRESULT hr = m_file.Open(path, readOnly);
    const HRESULT sharing = HresultFromSystem(SystemError::SharingViolation);
    const HRESULT denied = HresultFromSystem(SystemError::AccessDenied);
    if ((hr == sharing || hr == denied) && !readOnly) {
        const QString question = LoadResString(hr == sharing ? kLockedAskReadOnly : kReadOnlyAskReadOnly);
        const int answer = ShowMessageBox(nullptr, true, question, MessageIcon::Question,
                                          MessageButtons::YesNo, 0, m_mainWindow == nullptr);
        if (answer == MessageResult::Yes)
            hr = m_file.Open(path, true);
    }
    if (hr == S_OK && !m_file.IsBackupCopy())
        hr = m_file.Validate();
    if (hr == QV_E_DAMAGED && !readOnly) {
        // A broken block chain allows reading only: say so at the open, not at the first
        // save, and open the file that way.
        m_file.Close();
        ShowWarning(kDamagedOpensReadOnly);
        return OpenFileItself(path, password, key, prompt, true, silentConversion);
    }
    if (m_file.IsOpen() && m_file.IsBackupCopy())
        return QV_E_BACKUP_FILE;
    const std::uint32_t version = m_file.GetFormatVersion();
    const bool needsConversion =
        hr == QV_E_BAD_VERSION && (version == kFirstFormat || version == kSecondFormat);
    if (hr != S_OK && !needsConversion)
        return hr;

    if (m_file.GetPasswordState() == CDataFile::PasswordRequired) {
        if (prompt) {
            const int answer = m_passwordPrompt
                                   ? m_passwordPrompt->PromptPassword(m_file, path, m_file.GetTitle())
                                   : MessageResult::Cancel;
            if (answer != MessageResult::Ok)
                return QV_E_WRONG_PASSWORD;
        } else {
            hr = key ? m_file.CheckPassword(*key) : m_file.CheckPassword(password);
            if (hr != S_OK)
                return hr;
        }
    }

    if (needsConversion) {
        hr = ConvertOlderFile(path, silentConversion);
        if (hr != S_OK)
            return hr;
    }
    return LoadLists();
}

HRESULT CCalendarDocument::LoadLists()
{
    // A reader finds no data in lists that no writer has stored yet: those start out as a
    // writer would make them, without being written.
    const bool reader = m_file.IsReadOnly();
    HRESULT hr = m_itemTypes.Load(m_file);
    if (hr == QV_E_ITEM_LOAD && reader)
        hr = m_itemTypes.CreatePredefinedTypes();
    if (hr == S_OK) {
        hr = m_masterList.Load(m_file);
        if (hr == QV_E_ITEM_LOAD && reader)
            hr = S_OK;
    }
    if (hr == S_OK) {
        hr = m_locationList.Load(m_file);
        if (hr == QV_E_ITEM_LOAD && reader)
            hr = S_OK;
    }
    return hr;
}

HRESULT CCalendarDocument::ConvertOlderFile(const QString &path, bool silent)
{
    if (m_file.IsReadOnly())
        return QV_E_BAD_VERSION;
    const std::uint32_t version = m_file.GetFormatVersion();
    const QString copyPath = ConvertedCopyPath(path, version);
    if (!silent) {
        const QString question = LoadResString(kConvertQuestion).replace(QStringLiteral("%s"), copyPath);
        const int answer =
            ShowMessageBox(nullptr, true, question, MessageIcon::Question, MessageButtons::YesNo, 0, true);
        if (answer != MessageResult::Yes)
            return QV_E_BAD_VERSION;
    }
    // The copy is kept even when converting silently: an interrupted conversion leaves a file
    // that is refused, and the copy is then the only readable one.
    std::error_code error;
    std::filesystem::copy_file(path.toStdString(), copyPath.toStdString(),
                               std::filesystem::copy_options::none, error);
    if (error) {
        if (!silent)
            ShowErrorText(SystemErrorText(SystemCodeFromErrno(error.value())));
        return QV_E_QUIET_17;
    }

    HRESULT hr = m_file.SetConvertedFlag(true);
    if (hr != S_OK)
        return hr;
    m_file.SetWriteThrough(false);

    hr = m_file.EnumEvents([this](std::uint32_t id) {
        CEventItem event(id);
        HRESULT result = m_file.LoadEvent(event);
        if (result != S_OK)
            return result;
        if (event.GetUniqueId().isEmpty())
            event.SetUniqueId(MakeUniqueId());
        return m_file.SaveEvent(event);
    });
    if (hr == S_OK && version == kSecondFormat) {
        hr = m_file.EnumTasks([this](std::uint32_t id) {
            CTaskItem task(id);
            HRESULT result = m_file.LoadTask(task);
            if (result != S_OK)
                return result;
            if (task.GetUniqueId().isEmpty())
                task.SetUniqueId(MakeUniqueId());
            return m_file.SaveTask(task);
        });
    }
    m_file.SetWriteThrough(true);
    if (hr == S_OK)
        hr = m_file.Flush();
    if (hr == S_OK)
        hr = m_itemTypes.Load(m_file);
    if (hr == S_OK)
        hr = m_masterList.Convert(m_file);
    if (hr == S_OK)
        hr = m_locationList.Convert(m_file);
    if (hr == S_OK && version == kFirstFormat) {
        for (int i = 0; i < m_itemTypes.GetTypeCount(); ++i) {
            CItemType *type = m_itemTypes.GetType(i);
            type->SetFlags(type->GetFlags() | CItemType::kFlagConverted);
        }
        hr = m_itemTypes.Save(m_file);
    }
    if (hr == S_OK && m_shell)
        hr = m_shell->SavePublishOptions(m_file);
    if (hr == S_OK)
        hr = m_file.WriteFormatVersion(kCurrentFormatVersion);
    // Last step: from here on the file is whole again, so the mark no longer stands for a
    // conversion that was cut off.
    if (hr == S_OK)
        hr = m_file.SetConvertedFlag(false);
    if (hr == S_OK)
        hr = m_file.Flush();
    return hr;
}

HRESULT CCalendarDocument::FillMissingUniqueIds()
{
    // Items of files written by other tools may lack a unique id; they get one now, with the
    // horizon at now so that storing queues nothing for later today.
    const CDateTime savedHorizon = m_horizon;
    m_horizon = GetNow();
    m_file.SetWriteThrough(false);
    HRESULT hr = m_file.EnumEvents([this](std::uint32_t id) {
        CEventItem event(id);
        HRESULT result = m_file.LoadEvent(event);
        if (IsUnreadableRecord(result))
            return S_OK; // the reminder scan reports it
        if (result != S_OK || !event.GetUniqueId().isEmpty())
            return result;
        event.SetUniqueId(MakeUniqueId());
        return StoreEvent(event, false);
    });
    if (hr == QV_E_WALK_STOPPED)
        hr = S_OK;
    if (hr == S_OK) {
        hr = m_file.EnumTasks([this](std::uint32_t id) {
            CTaskItem task(id);
            HRESULT result = m_file.LoadTask(task);
            if (IsUnreadableRecord(result))
                return S_OK;
            if (result != S_OK || !task.GetUniqueId().isEmpty())
                return result;
            task.SetUniqueId(MakeUniqueId());
            return StoreTask(task, false);
        });
    }
    m_horizon = savedHorizon;
    ClearQueue();
    m_file.SetWriteThrough(true);
    const HRESULT flushed = m_file.Flush();
    return hr != S_OK ? hr : flushed;
}

void CCalendarDocument::CloseCalendarFile()
{
    m_open = false;
    KillReminderTimers();
    while (IReminderWindow *window = FindReminderWindow())
        window->Close();
    ClearQueue();
    m_horizon = CDateTime(0.0);
    m_itemTypes.RemoveAll();
    m_masterList.Clear();
    m_locationList.Clear();
    m_file.Close();
}

HRESULT CCalendarDocument::CreateFreshDataFile(const QString &path, const QString &title,
                                               const QString &password)
{
    QFile::remove(path);
    return CDataFile().Create(path, title, password);
}

void CCalendarDocument::ShowReadOnlyMessage()
{
    ShowWarning(kReadOnlyMessage);
}

QString CCalendarDocument::GetMainWindowTitle() const
{
    QString title;
    if (m_open)
        title = m_file.GetTitle();
    if (m_open && m_file.IsReadOnly())
        title += LoadResString(kReadOnlyTitle);
    return title + QStringLiteral(" - ") + GetConstString(ConstName::ProgramName);
}

HRESULT CCalendarDocument::HandleSessionError(HRESULT code)
{
    if (m_shell)
        m_shell->CloseSessionWindows();
    CloseCalendarFile();
    if (m_mainWindow) {
        m_mainWindow->UpdateTitle();
        m_mainWindow->RefreshViews(true, false);
        m_mainWindow->ClearItemCount();
        if (code != S_OK && code != S_FALSE && !IsQuietCode(code) && m_shell)
            m_shell->RunIdleOnce();
    }
    return ReportError(code);
}

// ---------------------------------------------------------------------------------------------
// Loading and storing

HRESULT CCalendarDocument::LoadEvent(CEventItem &event)
{
    return m_file.LoadEvent(event);
}

HRESULT CCalendarDocument::LoadTask(CTaskItem &task)
{
    return m_file.LoadTask(task);
}

CDateTime CCalendarDocument::EffectiveHorizon() const
{
    if (m_horizon.IsValid() && m_horizon.Value() != 0.0)
        return m_horizon;
    const CDateTime now = GetNow();
    return CDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 23, 59, 59);
}

HRESULT CCalendarDocument::StoreEvent(CEventItem &event, bool closeWindow)
{
    const std::uint32_t id = event.GetRecordId();
    if (closeWindow && id != 0)
        CloseReminderWindow(id);
    DequeueReminder(id);

    const CDateTime now = GetNow();
    const CDateTime handled = event.GetHandledUpTo();
    if (id == 0 || !handled.IsValid() || handled.Value() == 0.0) {
        event.SetCreatedTime(now);
        CDateTime handledUpTo = now;
        if (event.IsRecurring()) {
            // Reminders of occurrences from tomorrow on that fall due before tomorrow starts
            // must still come: handle only up to the reminder of the occurrence before.
            CDateTime tomorrow = EffectiveHorizon().DatePart();
            AddDays(tomorrow, 1);
            const CDateTime first = event.PatternDateOnOrAfter(tomorrow);
            if (first.IsValid() && first - event.GetReminderLead() <= tomorrow) {
                const CDateTime before = event.PrevPatternDate(first);
                if (before.IsValid())
                    handledUpTo = before - event.GetReminderLead();
            }
        }
        event.SetHandledUpTo(handledUpTo);
    }
    event.SetModified(now);

    const HRESULT hr = m_file.SaveEvent(event);
    if (hr != S_OK)
        return hr;
    if (!event.HasFlag(CCalendarItem::FlagDeleted) && m_horizon.Value() != 0.0 && FindPendingReminder(event))
        QueueReminder(event);
    if (m_navigator)
        m_navigator->UpdateItemDays(event, true);
    return S_OK;
}

HRESULT CCalendarDocument::StoreTask(CTaskItem &task, bool closeWindow)
{
    const std::uint32_t id = task.GetRecordId();
    if (closeWindow && id != 0)
        CloseReminderWindow(id);
    DequeueReminder(id);

    const CDateTime now = GetNow();
    if (id == 0) {
        task.SetCreatedTime(now);
        task.SetHandledUpTo(now);
    }
    task.SetModified(now);

    const HRESULT hr = m_file.SaveTask(task);
    if (hr != S_OK)
        return hr;
    if (!task.HasFlag(CCalendarItem::FlagDeleted) && m_horizon.Value() != 0.0 && FindPendingReminder(task))
        QueueReminder(task);
    return S_OK;
}

bool CCalendarDocument::FindPendingReminder(CCalendarItem &item) const
{
    const CDateTime horizon = EffectiveHorizon();
    CDateTime occurrence;
    CDateTime due;
    if (item.GetKind() == CCalendarItem::KindEvent) {
        bool snoozed = false;
        if (!static_cast<CEventItem &>(item).FindReminder(0, horizon, due, occurrence, snoozed))
            return false;
    } else if (item.GetKind() == CCalendarItem::KindTask) {
        if (!static_cast<CTaskItem &>(item).IsReminderDue(horizon, false, &occurrence, &due))
            return false;
    } else {
        return false;
    }
    item.SetNextReminderOccurrence(occurrence);
    item.SetNextReminderTime(due);
    return true;
}

HRESULT CCalendarDocument::SaveEventRef(CItemRef &holder)
{
    CEventItem *event = holder.GetEvent();
    if (!event)
        return QV_E_ALREADY_OPEN;
    if (holder.IsOneOccurrence() && event->GetRecordId() == 0 && holder.GetRecordId() != 0) {
        // An edited occurrence of a series: a new event of its own, gone from the series.
        const std::uint32_t seriesId = holder.GetRecordId();
        HRESULT hr = StoreEvent(*event, true);
        if (hr != S_OK)
            return hr;
        hr = DeleteOccurrence(seriesId, holder.GetOccurrenceDate(), true, false);
        holder.SetRecordId(event->GetRecordId());
        holder.SetOneOccurrence(false);
        return hr;
    }
    const HRESULT hr = StoreEvent(*event, true);
    if (hr == S_OK)
        holder.SetRecordId(event->GetRecordId());
    return hr;
}

HRESULT CCalendarDocument::SaveTaskRef(CItemRef &holder)
{
    CTaskItem *task = holder.GetTask();
    if (!task)
        return QV_E_ALREADY_OPEN;
    const HRESULT hr = StoreTask(*task, true);
    if (hr == S_OK)
        holder.SetRecordId(task->GetRecordId());
    return hr;
}

HRESULT CCalendarDocument::SaveItemRef(CItemRef &holder)
{
    if (holder.GetEvent())
        return SaveEventRef(holder);
    if (holder.GetTask())
        return SaveTaskRef(holder);
    return QV_E_16;
}

HRESULT CCalendarDocument::LoadItemRef(CItemRef &holder, const CDisplayItem &entry)
{
    return LoadItemRef(holder, entry.GetKind(), entry.GetItemRef());
}

HRESULT CCalendarDocument::LoadItemRef(CItemRef &holder, int kind, std::uint32_t recordId)
{
    if (kind == CCalendarItem::KindEvent) {
        CEventItem *event = holder.NewEvent();
        event->SetRecordId(recordId);
        holder.SetRecordId(recordId);
        return LoadEvent(*event);
    }
    if (kind == CCalendarItem::KindTask) {
        CTaskItem *task = holder.NewTask();
        task->SetRecordId(recordId);
        holder.SetRecordId(recordId);
        return LoadTask(*task);
    }
    return QV_E_16;
}

// ---------------------------------------------------------------------------------------------
// Deleting

HRESULT CCalendarDocument::DeleteEvent(std::uint32_t recordId, bool keepMark, bool closeWindow)
{
    if (closeWindow)
        CloseReminderWindow(recordId);
    DequeueReminder(recordId);
    if (keepMark) {
        CEventItem event(recordId);
        HRESULT hr = LoadEvent(event);
        if (hr != S_OK)
            return hr;
        event.SetFlag(CCalendarItem::FlagDeleted, true);
        if (m_navigator)
            m_navigator->RemoveItemDays(recordId, true);
        return StoreEvent(event, closeWindow);
    }
    const HRESULT hr = m_file.DeleteEvent(recordId);
    if (m_navigator)
        m_navigator->RemoveItemDays(recordId, true);
    return hr;
}

HRESULT CCalendarDocument::DeleteTask(std::uint32_t recordId, bool keepMark, bool closeWindow)
{
    if (closeWindow)
        CloseReminderWindow(recordId);
    DequeueReminder(recordId);
    if (keepMark) {
        CTaskItem task(recordId);
        HRESULT hr = LoadTask(task);
        if (hr != S_OK)
            return hr;
        task.SetFlag(CCalendarItem::FlagDeleted, true);
        if (m_navigator)
            m_navigator->RemoveItemDays(recordId, true);
        return StoreTask(task, closeWindow);
    }
    const HRESULT hr = m_file.DeleteTask(recordId);
    if (m_navigator)
        m_navigator->RemoveItemDays(recordId, true);
    return hr;
}

HRESULT CCalendarDocument::DeleteOccurrence(std::uint32_t recordId, const CDateTime &occurrence, bool stamp,
                                            bool closeWindow)
{
    CEventItem event(recordId);
    HRESULT hr = LoadEvent(event);
    if (hr != S_OK)
        return hr;
    CRecurrenceException *exception = event.GetException(occurrence, true);
    if (!exception)
        return E_OUT_OF_MEMORY;
    exception->newStart = occurrence;
    exception->SetDeleted(true);
    if (event.HasFlag(CCalendarItem::FlagSnoozed) && event.GetSnoozedOccurrence() == occurrence)
        event.ClearSnooze();
    if (stamp)
        exception->SetModifiedTime(GetNow());
    if (m_navigator)
        m_navigator->RemoveItemDays(recordId, true);
    return StoreEvent(event, closeWindow);
}

HRESULT CCalendarDocument::DeleteTaskOccurrence(std::uint32_t recordId, bool closeWindow)
{
    if (closeWindow)
        CloseReminderWindow(recordId);
    DequeueReminder(recordId);
    CTaskItem task(recordId);
    HRESULT hr = LoadTask(task);
    if (hr != S_OK)
        return hr;
    const bool keep = task.GetKeepMark() != 0;
    if (!task.IsRecurring() || task.HasFlag(CTaskItem::TF_SERIES_CLOSED))
        return DeleteTask(recordId, keep, closeWindow);
    CDateTime next;
    if (!task.GetNextDueDate(
            GetToday().IsValid() && GetToday().Value() != 0.0 ? GetToday() : GetNow().DatePart(), next) ||
        HasEndBefore(task, next))
        return DeleteTask(recordId, keep, closeWindow);
    task.MoveToDueDate(next);
    hr = StoreTask(task, closeWindow);
    if (hr == S_OK && m_mainWindow)
        m_mainWindow->RefreshItemInView(task);
    return hr;
}

HRESULT CCalendarDocument::DeleteEventAndNotify(std::uint32_t recordId, const CDateTime &occurrence,
                                                bool keepMark, bool oneOccurrence)
{
    const HRESULT hr = oneOccurrence ? DeleteOccurrence(recordId, occurrence, true, false)
                                     : DeleteEvent(recordId, keepMark, true);
    if (hr == S_OK && m_mainWindow)
        m_mainWindow->NotifyItemChanged(recordId, occurrence, oneOccurrence, true);
    return hr;
}

HRESULT CCalendarDocument::DeleteTaskAndNotify(std::uint32_t recordId, const CDateTime &occurrence,
                                               bool keepMark, bool oneOccurrence)
{
    const HRESULT hr =
        oneOccurrence ? DeleteTaskOccurrence(recordId, true) : DeleteTask(recordId, keepMark, true);
    if (hr == S_OK && m_mainWindow)
        m_mainWindow->NotifyItemChanged(recordId, occurrence, oneOccurrence, true);
    return hr;
}

// ---------------------------------------------------------------------------------------------
// Completing and converting

HRESULT CCalendarDocument::ToggleTaskCompleted(CItemRef &holder, bool allowUndo)
{
    if (IsReadOnly()) {
        if (IMessagePort *port = GetMessagePort())
            port->Beep();
        return S_OK;
    }
    CTaskItem *task = holder.GetTask();
    if (!task)
        return QV_E_16;
    if (holder.GetRecordId() != 0)
        task->SetRecordId(holder.GetRecordId());
    const HRESULT hr = LoadTask(*task);
    if (hr != S_OK)
        return hr;
    return CompleteTask(*task, allowUndo);
}

HRESULT CCalendarDocument::CompleteTask(CTaskItem &task, bool allowUndo)
{
    const CDateTime today = GetNow().DatePart();
    if (!task.IsRecurring() || task.HasFlag(CTaskItem::TF_SERIES_CLOSED)) {
        if (task.IsCompleted()) {
            if (!allowUndo)
                return S_OK;
            task.ClearCompleted();
        } else {
            task.MarkCompleted(today);
        }
    } else {
        CDateTime next;
        if (!task.GetNextDueDate(today, next))
            return S_OK;
        if (HasEndBefore(task, next)) {
            task.SetFlag(CTaskItem::TF_SERIES_CLOSED, true);
            task.MarkCompleted(today);
        } else {
            // The finished instance stays as a completed copy; the series moves on.
            CTaskItem done;
            done.Copy(task);
            done.SetRecordId(0);
            done.SetUniqueId(QString());
            done.SetDataFileStamp(0);
            done.SetFlag(CTaskItem::TF_SERIES_CLOSED, true);
            done.MarkCompleted(today);
            task.SetKeepMark(0);
            HRESULT hr = StoreTask(done, false);
            if (hr != S_OK)
                return hr;
            if (m_mainWindow)
                m_mainWindow->RefreshItemInView(done);
            task.MoveToDueDate(next);
        }
    }
    const HRESULT hr = StoreTask(task, true);
    if (hr == S_OK && m_mainWindow)
        m_mainWindow->RefreshItemInView(task);
    return hr;
}

HRESULT CCalendarDocument::ConvertEventToTask(CItemRef &holder, bool openEditor)
{
    if (IsReadOnly())
        return S_OK;
    WaitCursor wait(m_shell);
    const std::uint32_t id = holder.GetRecordId();
    CEventItem event(id);
    HRESULT hr = LoadEvent(event);
    if (hr != S_OK)
        return hr;
    auto task = std::make_unique<CTaskItem>();
    task->CopyFromItem(event, holder.GetOccurrenceDate());
    hr = StoreTask(*task, false);
    if (hr != S_OK)
        return hr;
    hr = DeleteEventAndNotify(id, holder.GetOccurrenceDate(), event.GetKeepMark() != 0, false);
    if (hr != S_OK)
        return hr;
    if (m_mainWindow)
        m_mainWindow->RefreshItemInView(*task);
    holder.SetRecordId(task->GetRecordId());
    holder.SetOneOccurrence(false);
    holder.SetItem(std::move(task));
    if (openEditor && m_shell)
        m_shell->OpenItemEditor(holder, false);
    return S_OK;
}

HRESULT CCalendarDocument::ConvertTaskToEvent(CItemRef &holder, bool openEditor)
{
    if (IsReadOnly())
        return S_OK;
    WaitCursor wait(m_shell);
    const std::uint32_t id = holder.GetRecordId();
    CTaskItem task(id);
    HRESULT hr = LoadTask(task);
    if (hr != S_OK)
        return hr;
    auto event = std::make_unique<CEventItem>();
    event->CopyFromItem(task);
    hr = StoreEvent(*event, false);
    if (hr != S_OK)
        return hr;
    hr = DeleteTaskAndNotify(id, CDateTime(), task.GetKeepMark() != 0, false);
    if (hr != S_OK)
        return hr;
    if (m_mainWindow)
        m_mainWindow->RefreshItemInView(*event);
    holder.SetRecordId(event->GetRecordId());
    holder.SetItem(std::move(event));
    if (openEditor && m_shell)
        m_shell->OpenItemEditor(holder, false);
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// Enumerations

HRESULT CCalendarDocument::EnumAllEvents(const RecordCallback &callback)
{
    return m_file.EnumEvents(callback);
}

HRESULT CCalendarDocument::EnumAllTasks(const RecordCallback &callback)
{
    return m_file.EnumTasks(callback);
}

HRESULT CCalendarDocument::CollectItemIds(int kind, std::vector<ItemStamp> &ids, std::size_t capacity)
{
    return m_file.CollectItemStamps(kind, ids, capacity);
}

HRESULT CCalendarDocument::CollectItemFingerprints(int kind, std::vector<ItemFingerprint> &prints)
{
    return m_file.CollectFingerprints(kind, prints, std::size_t(-1));
}

HRESULT CCalendarDocument::CountItemsOfKind(int kind, int &count)
{
    return m_file.CountItems(kind, count);
}
