#include "toolkit/navigator/DayDropMover.h"

#include "core/document/CalendarDocument.h"
#include "core/document/TransferFormat.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"

namespace {

// The day at the time of day of `time`.
CDateTime OnDay(const CDateTime &day, const CDateTime &time)
{
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), time.GetHour(), time.GetMinute(),
                     time.GetSecond());
}

} // namespace

HRESULT CDayDropMover::Drop(const std::vector<CDragItem> &items, const CDateTime &day, bool copy)
{
    m_changed = m_unchanged = 0;
    if (!day.IsValid())
        return QV_E_INTERNAL;
    if (m_document.IsReadOnly()) {
        CCalendarDocument::ShowReadOnlyMessage();
        return S_FALSE;
    }
    for (const CDragItem &item : items) {
        const HRESULT hr = item.kind == CCalendarItem::KindTask ? DropTask(item, day, copy) : DropEvent(item, day, copy);
        if (hr != S_OK)
            return hr;
    }
    return S_OK;
}

HRESULT CDayDropMover::DropEvent(const CDragItem &item, const CDateTime &day, bool copy)
{
    CEventItem event(item.recordId);
    HRESULT hr = m_document.LoadEvent(event);
    if (hr != S_OK)
        return hr;
    const CDateTime newStart = OnDay(day, item.start);
    const bool oneOccurrence = event.IsRecurring() && (item.flags & CDragItem::FlagOneOccurrence);
    if (copy) {
        CEventItem duplicate;
        if (oneOccurrence) {
            if (PrepareEventForTransfer(event, item.occurrenceDate, item.start, item.start + item.duration, false,
                                        duplicate) != Transfer::TagEvent)
                duplicate.CopyFromItem(event);
        } else {
            duplicate.CopyFromItem(event);
        }
        ClearStoredIdentity(duplicate);
        duplicate.RemoveRecurrence();
        duplicate.SetStart(newStart);
        duplicate.SetDuration(item.duration);
        hr = m_document.StoreEvent(duplicate, false);
    } else {
        if (event.HasFlag(CCalendarItem::FlagLocked)) {
            ++m_unchanged;
            return S_OK;
        }
        if (oneOccurrence) {
            CRecurrenceException *exception = event.GetException(item.occurrenceDate, true);
            if (!exception)
                return E_OUT_OF_MEMORY;
            exception->newStart = newStart;
            exception->duration = item.duration;
            if (event.ValidateMovedOccurrence(*exception, false) != 0) {
                ++m_unchanged;
                return S_OK;
            }
        } else {
            event.RemoveRecurrence();
            event.SetStart(newStart);
            event.SetDuration(item.duration);
        }
        event.ClearSnooze();
        hr = m_document.StoreEvent(event, false);
    }
    if (hr == S_OK)
        ++m_changed;
    return hr;
}

HRESULT CDayDropMover::DropTask(const CDragItem &item, const CDateTime &day, bool copy)
{
    CTaskItem task(item.recordId);
    HRESULT hr = m_document.LoadTask(task);
    if (hr != S_OK)
        return hr;
    if (!copy && task.HasFlag(CCalendarItem::FlagLocked)) {
        ++m_unchanged;
        return S_OK;
    }
    // The day becomes the due date; a start date keeps its distance to it.
    const CDateTime due = day.DatePart();
    const bool keepsStart = task.HasFlag(CCalendarItem::TaskFlagHasStart) && task.HasDueDate();
    const CDateSpan lead = keepsStart ? task.GetDueDate().DatePart() - task.GetStartDate().DatePart() : CDateSpan();
    task.SetDueDate(due);
    if (keepsStart)
        task.SetStartDate((due - lead).DatePart());
    if (copy) {
        ClearStoredIdentity(task);
        task.RemoveRecurrence();
    } else {
        task.ClearSnooze();
    }
    hr = m_document.StoreTask(task, false);
    if (hr == S_OK)
        ++m_changed;
    return hr;
}
