// Pasting the private item format: re-dating and storing the items read from it.
#include "core/document/TransferPaste.h"

#include "core/items/EventItem.h"
#include "core/system/Messages.h"
#include "core/items/TaskItem.h"
#include "core/document/TransferFormat.h"

#include <cmath>
#include <vector>

namespace {
constexpr int kTimeGrid = 1;
constexpr int kBanner = 2;

bool IsListView(int kind)
{
    return kind == 6 || kind == 7;
}

// Whole days between two dates at 00:00.
long DaysBetween(const CDateTime &from, const CDateTime &to)
{
    return std::lround((to.DatePart() - from.DatePart()).GetTotalDays());
}

// The date moved by whole days, rebuilt from its parts so equal dates stay bit-identical.
CDateTime AddDays(const CDateTime &date, long days)
{
    CDateTime::Parts p;
    if (!date.GetParts(p))
        return date;
    const CDateTime day = CDateTime(p.year, p.month, p.day) + CDateSpan(double(days));
    CDateTime::Parts q;
    day.GetParts(q);
    return CDateTime(q.year, q.month, q.day, p.hour, p.minute, p.second);
}

CDateTime AtTime(const CDateTime &day, int hour, int minute, int second = 0)
{
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), hour, minute, second);
}

// A task date from the clipboard that can stand for a day of the calendar: clipboard bytes come
// from any process, and a zero or out-of-range value is no date the task was given.
bool IsUsableDay(const CDateTime &date)
{
    return date.IsValid() && date.Value() != 0.0 && !(date < DateRange::Min()) &&
           !(date.DatePart() > DateRange::Max());
}
} // namespace

void CTransferPaste::RedateTask(CTaskItem &task, const CDateTime &targetDate)
{
    const CDateTime target = targetDate.DatePart();
    if (!task.HasDueDate()) {
        task.SetDueDate(target);
        return;
    }
    const CDateTime oldDue = task.GetDueDate();
    long shift = 0;
    if (task.HasStartDate()) {
        shift = DaysBetween(task.GetStartDate(), target);
        task.SetDueDate(AddDays(oldDue, shift));
        task.SetStartDate(target);
    } else {
        shift = DaysBetween(oldDue, target);
        task.SetDueDate(target);
    }
    // The reminder keeps its lead before the due date.
    if (task.HasFlag(CCalendarItem::FlagReminder))
        task.SetReminderTime(AddDays(task.GetReminderTime(), shift));
}

void CTransferPaste::TaskToEvent(const CTaskItem &task, bool eventListView, CEventItem &event)
{
    event.SetItemTypeName(task.GetItemTypeName());
    event.SetItemTypeIndex(task.GetItemTypeIndex());
    event.SetSubject(task.GetSubject());
    event.SetNotes(task.GetNotes());
    // A due date that is no day leaves the times of a new event, as no due date does; a start
    // that is no day or lies after the due date is left out, as no start date is.
    if (!eventListView || !task.HasDueDate() || !IsUsableDay(task.GetDueDate()))
        return;
    const CDateTime due = task.GetDueDate().DatePart();
    if (task.HasStartDate() && IsUsableDay(task.GetStartDate()) && !(task.GetStartDate().DatePart() > due)) {
        const CDateTime start = task.GetStartDate().DatePart();
        event.SetStart(start);
        event.SetDuration(CDateSpan(double(DaysBetween(start, due) + 1)));
    } else {
        // The task shows on its due day; so does the event.
        event.SetStart(due);
        event.SetDuration(CDateSpan(1.0));
    }
}

void CTransferPaste::PlaceEvent(CEventItem &event, bool series)
{
    if (series)
        ClearStoredIdentity(event);
    const int kind = m_target.viewKind;
    if (IsListView(kind))
        return;
    const CDateTime start = event.GetStart();
    if (series) {
        event.RemoveRecurrence();
        event.SetStart(AtTime(m_target.firstCellDate, start.GetHour(), start.GetMinute(), start.GetSecond()));
    } else {
        if (!m_haveOffset) {
            if (m_target.navigatorDay.IsValid())
                m_offset = AtTime(m_target.navigatorDay, start.GetHour(), start.GetMinute()) - start;
            else if (m_target.hasSelectedEntry)
                m_offset = m_target.selectedEntryStart - start;
            else if (kind == 3 || kind == 4 || kind == 5)
                m_offset = AtTime(m_target.firstCellDate, start.GetHour(), start.GetMinute()) - start;
            else
                // A time grid cell carries its row's time, which the event takes.
                m_offset = m_target.firstCellDate - start;
            m_haveOffset = true;
        }
        event.RemoveRecurrence();
        // Rebuilt from its parts: the offset arithmetic must not leave a fraction of a second.
        CDateTime moved = start + m_offset;
        CDateTime::Parts p;
        if (moved.GetParts(p))
            moved = CDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second);
        event.SetStart(moved);
    }
    if (kind == kBanner) {
        event.SetStart(event.GetStart().DatePart());
        if (event.GetDuration().GetTotalDays() < 1.0)
            event.SetDuration(CDateSpan(1.0));
    } else if (kind == kTimeGrid && event.GetDuration().GetTotalDays() >= 1.0) {
        event.SetDuration(m_target.shownSpan);
    }
}

HRESULT CTransferPaste::PasteTask(CTaskItem &task)
{
    const int container = m_target.containerKind;
    if (container == 8) {
        ClearStoredIdentity(task);
        const HRESULT hr = m_sink.StoreTask(task);
        if (Failed(hr))
            return hr;
        m_sink.AddItemToView(task, false);
        return S_OK;
    }
    if (container == 6) {
        CEventItem event;
        m_sink.InitNewEventTimes(event);
        TaskToEvent(task, m_target.viewKind == 6, event);
        const HRESULT hr = m_sink.StoreEvent(event);
        if (Failed(hr))
            return hr;
        m_sink.AddItemToView(event, false);
        return S_OK;
    }
    RedateTask(task, m_target.firstCellDate);
    ClearStoredIdentity(task);
    const HRESULT hr = m_sink.StoreTask(task);
    if (Failed(hr))
        return hr;
    const bool offer = container >= 1 && container <= 4;
    m_sink.AddItemToView(task, offer);
    m_offeredToTaskPad = m_offeredToTaskPad || offer;
    return S_OK;
}

HRESULT CTransferPaste::PasteEvent(CEventItem &event, bool series)
{
    PlaceEvent(event, series);
    const HRESULT hr = m_sink.StoreEvent(event);
    if (Failed(hr))
        return hr;
    m_sink.AddItemToView(event, false);
    return S_OK;
}

HRESULT CTransferPaste::Paste(const QByteArray &bytes)
{
    std::vector<TransferRecord> records;
    const HRESULT read = ReadTransferBytes(bytes, m_target.formatVersion, m_target.types, records);
    if (read == QV_E_BAD_DATA_TYPE) {
        ShowWarning(IDS_PASTE_DAMAGED);
        return S_FALSE;
    }
    if (read == E_OUT_OF_MEMORY)
        return read;
    for (TransferRecord &record : records) {
        HRESULT hr = S_OK;
        if (record.tag == Transfer::TagTask)
            hr = PasteTask(static_cast<CTaskItem &>(*record.item));
        else
            hr = PasteEvent(static_cast<CEventItem &>(*record.item), record.tag == Transfer::TagSeries);
        if (Failed(hr))
            return hr;
    }
    return S_OK;
}
