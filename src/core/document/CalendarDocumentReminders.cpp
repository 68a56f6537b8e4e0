// CCalendarDocument: the queue of today's reminders, the two timers that drive it, the
// reminder windows and their answers (dismiss, complete, snooze).
#include "core/document/CalendarDocument.h"

#include "core/system/CrashReportFlag.h"
#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/document/MainWindowSink.h"
#include "core/system/Messages.h"
#include "core/document/ReminderWindowHost.h"
#include "core/items/TaskItem.h"
#include "core/document/TimerPort.h"
#include "core/document/TipWindowSink.h"

#include <algorithm>

namespace {

constexpr int kCannotShowReminder = 58034;

CDateTime OccurrenceEnd(const CEventItem &event, const CDateTime &occurrence)
{
    CDateTime start;
    CDateTime end;
    event.GetOccurrenceEnd(occurrence, start, end);
    return end;
}

bool EndedWithoutWindow(const CEventItem &event, const CDateTime &occurrence, const CDateTime &now)
{
    return event.HasFlag(CCalendarItem::FlagNoWindowAfterTime) && OccurrenceEnd(event, occurrence) <= now;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Queue

bool CCalendarDocument::IsUnreadableRecord(HRESULT hr)
{
    return hr == QV_E_CORRUPT || hr == QV_E_BAD_DATA_TYPE || hr == QV_E_DECIPHER_CHECK ||
           hr == QV_E_ITEM_LOAD || hr == QV_E_NO_ENTRY;
}

bool CCalendarDocument::QueueReminder(const CCalendarItem &item)
{
    if (IsReadOnly())
        return false;
    try {
        auto entry = std::make_unique<CReminderEntry>();
        entry->kind = int(item.GetKind());
        entry->recordId = item.GetRecordId();
        entry->itemTypeIndex = item.GetItemTypeIndex();
        entry->occurrence = item.GetNextReminderOccurrence();
        entry->due = item.GetNextReminderTime();
        entry->subject = item.GetSubject();
        entry->serial = m_nextSerial++;
        m_queue.push_back(std::move(entry));
    } catch (const std::bad_alloc &) {
        return false;
    }
    if (m_tipWindow && m_tipWindow->IsVisible())
        m_tipWindow->AddEntry(*m_queue.back());
    return true;
}

bool CCalendarDocument::DequeueReminder(std::uint32_t recordId)
{
    if (recordId == 0)
        return false;
    if (m_tipWindow && m_tipWindow->IsVisible())
        m_tipWindow->RemoveEntry(recordId);
    const auto it = std::find_if(m_queue.begin(), m_queue.end(),
                                 [recordId](const auto &entry) { return entry->recordId == recordId; });
    if (it == m_queue.end())
        return false;
    m_queue.erase(it);
    return true;
}

void CCalendarDocument::ClearQueue()
{
    m_queue.clear();
}

void CCalendarDocument::RemoveQueueEntry(std::uint64_t serial)
{
    const auto it = std::find_if(m_queue.begin(), m_queue.end(),
                                 [serial](const auto &entry) { return entry->serial == serial; });
    if (it != m_queue.end())
        m_queue.erase(it);
}

void CCalendarDocument::NoteUnreadable(std::uint32_t recordId, HRESULT code)
{
    if (m_unreadableReported.insert(recordId).second && m_pendingUnreadable == S_OK)
        m_pendingUnreadable = code;
}

void CCalendarDocument::ReportUnreadable()
{
    const HRESULT code = m_pendingUnreadable;
    m_pendingUnreadable = S_OK;
    if (code == S_OK)
        return;
    ++m_timerBoxNesting;
    ReportError(code);
    --m_timerBoxNesting;
}

HRESULT CCalendarDocument::ScanOneEvent(std::uint32_t recordId)
{
    CEventItem event(recordId);
    const HRESULT hr = LoadEvent(event);
    if (IsUnreadableRecord(hr)) {
        NoteUnreadable(recordId, hr);
        return S_OK;
    }
    if (hr != S_OK)
        return hr;
    if (!FindPendingReminder(event))
        return S_OK;
    if (EndedWithoutWindow(event, event.GetNextReminderOccurrence(), GetNow()))
        return DismissEventReminder(recordId, event.GetNextReminderOccurrence());
    QueueReminder(event);
    return S_OK;
}

HRESULT CCalendarDocument::ScanOneTask(std::uint32_t recordId)
{
    CTaskItem task(recordId);
    const HRESULT hr = LoadTask(task);
    if (IsUnreadableRecord(hr)) {
        NoteUnreadable(recordId, hr);
        return S_OK;
    }
    if (hr != S_OK)
        return hr;
    if (FindPendingReminder(task))
        QueueReminder(task);
    return S_OK;
}

HRESULT CCalendarDocument::ScanReminders()
{
    if (IsCrashReportInProgress() || !m_open || IsReadOnly())
        return S_OK;
    const CDateTime now = GetNow();
    const CDateTime horizon(now.GetYear(), now.GetMonth(), now.GetDay(), 23, 59, 59);
    if (m_horizon.Value() != 0.0 && m_horizon >= horizon)
        return S_OK;

    ClearQueue();
    const CDateTime oldHorizon = m_horizon;
    m_horizon = horizon;
    HRESULT hr = EnumAllEvents([this](std::uint32_t id) { return ScanOneEvent(id); });
    if (hr == S_OK)
        hr = EnumAllTasks([this](std::uint32_t id) { return ScanOneTask(id); });
    if (hr != S_OK) {
        m_horizon = oldHorizon;
        return hr;
    }
    ReportUnreadable();
    if (m_tipWindow && m_tipWindow->IsVisible())
        m_tipWindow->Refill(m_queue);
    return S_OK;
}

HRESULT CCalendarDocument::RescanReminders()
{
    m_horizon = CDateTime(0.0);
    return ScanReminders();
}

HRESULT CCalendarDocument::ShowDueReminders()
{
    if (IsCrashReportInProgress() || m_horizon.Value() == 0.0)
        return S_OK;
    const CDateTime now = GetNow();

    // Showing and dismissing change the queue; walk a snapshot, latest queued first.
    std::vector<std::uint64_t> due;
    for (auto it = m_queue.rbegin(); it != m_queue.rend(); ++it) {
        if ((*it)->due <= now)
            due.push_back((*it)->serial);
    }
    for (const std::uint64_t serial : due) {
        const auto it = std::find_if(m_queue.begin(), m_queue.end(),
                                     [serial](const auto &entry) { return entry->serial == serial; });
        if (it == m_queue.end())
            continue; // gone meanwhile
        const CReminderEntry entry = **it;

        CItemRef holder(entry.kind);
        CCalendarItem *item = holder.GetItem();
        if (!item)
            return E_OUT_OF_MEMORY;
        item->SetRecordId(entry.recordId);
        holder.SetRecordId(entry.recordId);
        HRESULT hr = entry.kind == CCalendarItem::KindEvent ? LoadEvent(*holder.GetEvent())
                                                            : LoadTask(*holder.GetTask());
        if (IsUnreadableRecord(hr)) {
            NoteUnreadable(entry.recordId, hr);
            RemoveQueueEntry(serial);
            continue;
        }
        if (hr != S_OK)
            return hr;
        item->SetNextReminderOccurrence(entry.occurrence);
        item->SetNextReminderTime(entry.due);
        holder.SetOccurrenceDate(entry.occurrence);

        if (entry.kind == CCalendarItem::KindEvent &&
            EndedWithoutWindow(*holder.GetEvent(), entry.occurrence, now)) {
            // Its store takes the entry out of the queue and may queue the next one.
            hr = DismissEventReminder(entry.recordId, entry.occurrence);
            if (hr != S_OK)
                return hr;
            continue;
        }
        hr = ShowReminderWindow(holder);
        if (hr != S_OK)
            return hr;
        if (m_tipWindow && m_tipWindow->IsVisible())
            m_tipWindow->RemoveEntry(entry.recordId);
        RemoveQueueEntry(serial);
    }
    ReportUnreadable();

    if (m_windowHost) {
        for (IReminderWindow *window : m_windowHost->GetWindows()) {
            if (window->TimeTick(now) != 0)
                break;
        }
    }
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// Timers

int CCalendarDocument::ArmReminderTimer()
{
    if (!m_timers)
        return 0;
    m_scanTimer = m_timers->SetTimer(kScanTimer, kScanDelayMs);
    return m_scanTimer;
}

void CCalendarDocument::KillReminderTimers()
{
    if (m_timers) {
        if (m_scanTimer != 0)
            m_timers->KillTimer(m_scanTimer);
        if (m_dueTimer != 0)
            m_timers->KillTimer(m_dueTimer);
    }
    m_scanTimer = 0;
    m_dueTimer = 0;
}

bool CCalendarDocument::OnTimer(int timerId, bool remindersOn)
{
    if (m_timerBoxNesting != 0)
        return true;
    if (timerId != 0 && timerId == m_scanTimer) {
        if (m_timers)
            m_timers->KillTimer(m_scanTimer);
        m_scanTimer = 0;
        m_dueTimer = m_timers ? m_timers->SetTimer(kDueTimer, kDueIntervalMs) : 0;
        if (m_dueTimer == 0)
            QuitWithCode(QV_E_NO_RESOURCES);
        return true;
    }
    if (timerId == 0 || timerId != m_dueTimer)
        return false;
    if (!remindersOn || !m_open || m_dueBusy)
        return true;

    m_dueBusy = true;
    HRESULT hr = ShowDueReminders();
    if (hr == S_OK)
        hr = ScanReminders();
    m_dueBusy = false;

    if (hr == QV_E_NO_REMINDER_WINDOW) {
        if (!m_noWindowReported) {
            m_noWindowReported = true;
            ++m_timerBoxNesting;
            ShowError(kCannotShowReminder);
            --m_timerBoxNesting;
        }
    } else if (hr != S_OK) {
        // A failing data file closes the calendar and is reported; the program goes on.
        ++m_timerBoxNesting;
        HandleSessionError(hr);
        --m_timerBoxNesting;
    }
    return true;
}

void CCalendarDocument::OnTimeChange()
{
    ForgetTimeZone();
    UpdateToday();
    const HRESULT hr = RescanReminders();
    if (hr != S_OK)
        HandleSessionError(hr);
}

// ---------------------------------------------------------------------------------------------
// Reminder windows

IReminderWindow *CCalendarDocument::FindReminderWindow(std::uint32_t recordId, bool match,
                                                       bool skipMinimised) const
{
    if (!m_windowHost)
        return nullptr;
    for (IReminderWindow *window : m_windowHost->GetWindows()) {
        if (skipMinimised && window->IsMinimised())
            continue;
        if (recordId != 0 && (window->GetRecordId() == recordId) != match)
            continue;
        return window;
    }
    return nullptr;
}

bool CCalendarDocument::CloseReminderWindow(std::uint32_t recordId)
{
    if (recordId == 0)
        return false;
    IReminderWindow *window = FindReminderWindow(recordId, true, false);
    if (!window)
        return false;
    window->Close();
    return true;
}

HRESULT CCalendarDocument::ShowReminderWindow(CItemRef &holder)
{
    if (FindReminderWindow(holder.GetRecordId(), true, false))
        return S_OK;
    return CreateReminderWindow(holder);
}

HRESULT CCalendarDocument::CreateReminderWindow(CItemRef &holder)
{
    if (m_creatingWindow)
        return QV_E_ALREADY_OPEN;
    if (!m_windowHost)
        return QV_E_NO_REMINDER_WINDOW;
    m_creatingWindow = true;
    const bool created = m_windowHost->CreateReminder(holder);
    m_creatingWindow = false;
    if (!created)
        return QV_E_NO_REMINDER_WINDOW;
    m_noWindowReported = false;
    return S_OK;
}

HRESULT CCalendarDocument::RecreateReminderWindows()
{
    while (IReminderWindow *window = FindReminderWindow())
        window->Close();
    return RescanReminders();
}

void CCalendarDocument::EnableReminderWindows(bool enable)
{
    m_windowsEnabled = enable;
    if (!m_windowHost)
        return;
    for (IReminderWindow *window : m_windowHost->GetWindows())
        window->Enable(enable);
}

// ---------------------------------------------------------------------------------------------
// Answers of a reminder window

HRESULT CCalendarDocument::DismissEventReminder(std::uint32_t recordId, const CDateTime &occurrence,
                                                bool storeSize, int width, int height)
{
    CEventItem event(recordId);
    HRESULT hr = LoadEvent(event);
    if (hr != S_OK)
        return hr;
    if (storeSize)
        event.SetReminderWindowSize(true, width, height);
    if (!event.IsRecurring())
        event.ClearReminder();
    event.ClearSnooze();
    event.SetHandledUpTo(GetNow());
    hr = StoreEvent(event, false);
    if (hr == S_OK && m_mainWindow)
        m_mainWindow->NotifyItemRescheduled(event, occurrence);
    return hr;
}

HRESULT CCalendarDocument::CompleteTaskFromReminder(std::uint32_t recordId, bool storeSize, int width,
                                                    int height)
{
    if (IsReadOnly()) {
        if (IMessagePort *port = GetMessagePort())
            port->Beep();
        return S_OK;
    }
    CTaskItem task(recordId);
    const HRESULT hr = LoadTask(task);
    if (hr != S_OK)
        return hr;
    if (storeSize)
        task.SetReminderWindowSize(true, width, height);
    return CompleteTask(task, false);
}

HRESULT CCalendarDocument::SnoozeEventReminder(std::uint32_t recordId, const CDateTime &occurrence,
                                               const CDateSpan &span, bool beforeStart, bool storeSize,
                                               int width, int height, bool &pastNext)
{
    CEventItem event(recordId);
    HRESULT hr = LoadEvent(event);
    if (hr != S_OK)
        return hr;
    const CDateTime now = GetNow();
    const CDateTime until = beforeStart ? occurrence - span : now + span;
    if (!beforeStart) {
        if (event.IsRecurring()) {
            const CDateTime next = event.NextPatternDate(occurrence);
            if (next.IsValid() && next > occurrence && next - event.GetReminderLead() <= until) {
                pastNext = true;
                return QV_E_REFUSED;
            }
        }
        if (event.HasFlag(CCalendarItem::FlagNoWindowAfterTime) && OccurrenceEnd(event, occurrence) < until) {
            pastNext = false;
            return QV_E_REFUSED;
        }
    }
    event.SetReminderWindowSize(storeSize, width, height);
    event.SetSnooze(until, occurrence, span, now);
    hr = StoreEvent(event, false);
    if (hr == S_OK && m_mainWindow)
        m_mainWindow->RefreshItemInView(event);
    return hr;
}

HRESULT CCalendarDocument::SnoozeTaskReminder(std::uint32_t recordId, const CDateTime &taskDate,
                                              const CDateSpan &span, bool beforeDate, bool storeSize,
                                              int width, int height)
{
    CTaskItem task(recordId);
    HRESULT hr = LoadTask(task);
    if (hr != S_OK)
        return hr;
    const CDateTime now = GetNow();
    const CDateTime until = beforeDate ? taskDate - span : now + span;
    task.SetReminderWindowSize(storeSize, width, height);
    task.SetSnooze(until, taskDate, span, now);
    hr = StoreTask(task, false);
    if (hr == S_OK && m_mainWindow)
        m_mainWindow->RefreshItemInView(task);
    return hr;
}
