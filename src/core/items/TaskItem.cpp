// Task item: dates and completion, reminder check, copies and conversion from events, next
// due dates of recurring tasks, and the values of its display item.
#include "core/items/TaskItem.h"

#include "core/system/AppSettings.h"
#include "core/dates/DateRules.h"
#include "core/items/DisplayNotes.h"
#include "core/items/EventItem.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/StringTable.h"

namespace {
const CDateSpan kOneDay(1.0);

bool IsMidnight(const CDateTime &t)
{
    CDateTime::Parts p;
    return t.GetParts(p) && p.hour == 0 && p.minute == 0 && p.second == 0;
}

// The date `days` days after the date, or `months` months after it keeping its day (the
// month's last day when shorter).
CDateTime DaysLater(CDateTime date, long days)
{
    AddDays(date, days);
    return date;
}
bool MonthsLater(const CDateTime &from, int months, CDateTime &out)
{
    CDateTime date = from;
    if (!AddMonths(date, from.GetDay(), months))
        return false;
    out = date;
    return true;
}
} // namespace

QString GetPriorityName(int priority)
{
    static constexpr int kIds[] = {59419, 59420, 59423, 59421, 59422};
    return priority >= 0 && priority <= 4 ? LoadResString(kIds[priority]) : QString();
}

QString GetTaskStatusName(int status)
{
    return status >= 0 && status <= 4 ? LoadResString(59395 + status) : QString();
}

int PriorityToSortOrder(int priority)
{
    return priority >= 0 && priority <= 4 ? 4 - priority : -1;
}

CTaskItem::CTaskItem()
{
    SetKind(KindTask);
}

CTaskItem::CTaskItem(std::uint32_t recordId) : CTaskItem()
{
    SetRecordId(recordId);
}

CTaskItem::~CTaskItem() = default;

void CTaskItem::CopyFromItem(const CCalendarItem &other)
{
    CopyFromItem(other, CDateTime());
}

void CTaskItem::CopyFromItem(const CCalendarItem &other, const CDateTime &occurrence)
{
    if (const auto *task = dynamic_cast<const CTaskItem *>(&other)) {
        Copy(*task);
        SetRecordId(0);
        SetDataFileStamp(0);
        SetUniqueId(QString());
        SetKeepMark(0);
        return;
    }
    if (const auto *event = dynamic_cast<const CEventItem *>(&other))
        CopyFromEvent(*event, occurrence);
}

void CTaskItem::CopyFromEvent(const CEventItem &event, const CDateTime &occurrence)
{
    CDateTime start = event.GetStart();
    CDateSpan duration = event.GetDuration();
    QString subject = event.GetSubject();
    QString notes = event.GetNotes();
    if (occurrence.Value() != 0.0 && event.IsRecurring()) {
        const int index = event.FindExceptionIndex(occurrence);
        if (index >= 0) {
            const CRecurrenceException &x = *event.GetExceptionAt(index);
            start = x.newStart;
            duration = x.duration;
            if (x.overrideFlags & CRecurrenceException::OverrideSubject)
                subject = x.subject;
            if (x.overrideFlags & CRecurrenceException::OverrideNotes)
                notes = x.notes;
        } else {
            CDateTime::Parts day, time;
            if (occurrence.GetParts(day) && start.GetParts(time))
                start = CDateTime(day.year, day.month, day.day, time.hour, time.minute, 0);
        }
    }
    // An event that ends at midnight ends on the day before: an all-day event is due on its
    // last day, not the next.
    CDateTime end = start + duration;
    if (duration > CDateSpan(0.0) && IsMidnight(end))
        end = end - CDateSpan(0, 0, 1, 0);
    SetDueDate(end);
    SetStartDate(start);
    SetSubject(subject);
    SetNotes(notes);
    if (event.HasFlag(FlagReminderWindowSize)) {
        const std::uint32_t size = event.GetReminderWindowSize();
        SetReminderWindowSize(true, int(size & 0xFFFF), int(size >> 16));
    }
    if (event.HasFlag(FlagEditorWindowSize)) {
        const std::uint32_t size = event.GetEditorWindowSize();
        SetEditorWindowSize(true, int(size & 0xFFFF), int(size >> 16));
    }
    SetItemTypeIndex(event.GetItemTypeIndex());
    SetItemTypeName(event.GetItemTypeName());
    SetCategories(event.GetCategories());
    SetFlag(FlagLocked, event.HasFlag(FlagLocked));
}

bool CTaskItem::GetTaskDates(CDateTime &startDate, CDateTime &dueDate) const
{
    startDate = m_startDate;
    dueDate = m_dueDate;
    return true;
}

void CTaskItem::SetDueDate(const CDateTime &date)
{
    m_dueDate = DateOnly(date);
    SetFlag(TF_HAS_DUE, true);
}

bool CTaskItem::SetStartDate(const CDateTime &date)
{
    const CDateTime day = DateOnly(date);
    if (!HasDueDate() || day > m_dueDate) {
        SetFlag(TF_HAS_START, false);
        return false;
    }
    m_startDate = day;
    SetFlag(TF_HAS_START, true);
    return true;
}

void CTaskItem::SetCompletionDate(const CDateTime &date)
{
    m_completedDate = DateOnly(date);
}

void CTaskItem::MarkCompleted(const CDateTime &date)
{
    m_status = StatusCompleted;
    m_percentComplete = 100;
    SetFlag(TF_COMPLETED, true);
    SetCompletionDate(date);
    ClearReminder();
}

void CTaskItem::ClearCompleted()
{
    if (!IsCompleted())
        return;
    m_status = StatusNotStarted;
    m_percentComplete = 0;
    SetFlag(TF_COMPLETED, false);
}

bool CTaskItem::IsOverdue() const
{
    return !IsCompleted() && HasDueDate() && m_dueDate < GetToday();
}

bool CTaskItem::IsReminderDue(const CDateTime &when, bool force, CDateTime *occurrence,
                              CDateTime *reminderTime, bool *snoozed) const
{
    if (HasFlag(FlagDeleted))
        return false;
    CDateTime moment, occurrenceDate;
    const bool isSnoozed = HasFlag(FlagSnoozed);
    if (snoozed)
        *snoozed = isSnoozed;
    if (isSnoozed) {
        moment = GetSnoozedUntil();
        occurrenceDate = GetSnoozedOccurrence();
        if (moment > when && !force)
            return false;
    } else {
        if (!HasFlag(FlagReminder))
            return false;
        moment = m_reminderTime;
        occurrenceDate = DateOnly(m_reminderTime);
        if (when < moment && !force)
            return false;
    }
    if (occurrence)
        *occurrence = occurrenceDate;
    if (reminderTime)
        *reminderTime = moment;
    return true;
}

bool CTaskItem::GetNextDueDate(const CDateTime &from, CDateTime &next) const
{
    if (!IsRecurring() || !HasDueDate() || HasFlag(TF_SERIES_CLOSED))
        return false;
    const CRecurrencePattern &pattern = GetPattern();
    const long interval = pattern.GetInterval();
    const std::uint32_t period = pattern.Period();
    const std::uint32_t kind = pattern.Kind();
    if (kind == Recur::Regenerate) {
        switch (period) {
        case Recur::Daily:
            next = DaysLater(from, interval);
            return true;
        case Recur::Weekly:
            next = DaysLater(from, 7 * interval);
            return true;
        case Recur::Monthly:
            return MonthsLater(from, int(interval), next);
        case Recur::Yearly:
            return MonthsLater(from, 12 * int(interval), next);
        default:
            return false;
        }
    }
    const bool byDate = kind == Recur::ByDate;
    const bool nthWeekday = kind == Recur::NthWeekday;
    switch (period) {
    case Recur::Daily:
        if (!byDate)
            return false;
        next = DaysLater(m_dueDate, interval);
        return true;
    case Recur::Weekly:
        if (!byDate)
            return false;
        next = NextPatternDate(m_dueDate);
        return true;
    case Recur::Monthly:
    case Recur::Yearly:
        if (!byDate && !nthWeekday)
            return false;
        next = NextPatternDate(m_dueDate);
        return true;
    default:
        return false;
    }
}

bool CTaskItem::GetNextOccurrenceAfter(const CDateTime &date, CDateTime &next) const
{
    if (!IsRecurring() || !HasDueDate() || HasFlag(TF_SERIES_CLOSED))
        return false;
    const CRecurrencePattern &pattern = GetPattern();
    const std::uint32_t kind = pattern.Kind();
    if (kind == Recur::Regenerate)
        return false;
    switch (pattern.Period()) {
    case Recur::Daily:
    case Recur::Weekly:
        if (kind != Recur::ByDate)
            return false;
        break;
    case Recur::Monthly:
    case Recur::Yearly:
        if (kind != Recur::ByDate && kind != Recur::NthWeekday)
            return false;
        break;
    default:
        return false;
    }
    const CDateTime result = NextPatternDate(PatternDateOnOrAfter(date));
    if (pattern.HasEndDate() && result > pattern.GetEnd())
        return false;
    next = result;
    return true;
}

bool CTaskItem::MoveToDueDate(const CDateTime &newDue)
{
    if (!IsRecurring() || HasFlag(TF_SERIES_CLOSED) || !HasDueDate() || IsCompleted())
        return false;
    const CDateTime oldDue = m_dueDate;
    SetDueDate(newDue);
    ClearSnooze();
    if (HasStartDate())
        SetStartDate(m_dueDate - (oldDue - m_startDate));
    if (HasFlag(FlagReminder))
        m_reminderTime = m_dueDate - (oldDue - m_reminderTime);
    m_status = StatusNotStarted;
    m_percentComplete = 0;
    return true;
}

bool CTaskItem::OverlapsRange(const CDateTime &start, const CDateTime &end) const
{
    if (start == end || !HasDueDate())
        return false;
    const CDateTime &first = HasStartDate() ? m_startDate : m_dueDate;
    // The task lasts through its due day, as its display item does: a range that opens on
    // the due day meets it.
    return start < m_dueDate + kOneDay && first < end;
}

bool CTaskItem::IsShownInRange(const CDateTime &rangeStart, int dayCount) const
{
    if (dayCount <= 0 || !HasDueDate())
        return false;
    if (m_dueDate < rangeStart)
        return false;
    const CDateTime rangeEnd = rangeStart + CDateSpan(double(dayCount));
    if (m_dueDate < rangeEnd)
        return true;
    return ProgramSettings().tasksOverStartToDue != 0 && HasStartDate() && m_startDate < rangeEnd;
}

TaskDisplayValues CTaskItem::GetDisplayValues(DisplayBuilder builder, int detailsMode, bool noDetails) const
{
    TaskDisplayValues v;
    v.recordId = GetRecordId();
    v.text = GetSubject();
    v.text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const int mode = noDetails ? 0 : detailsMode;
    if (mode == 0) {
        if (!GetNotes().isEmpty())
            v.flags |= DisplayHasNotes;
    } else {
        // Only the views cut long notes; printing keeps them whole outside the one-line mode.
        v.details = (mode == 1 || builder == DisplayBuilder::View) ? DisplayNotesText(GetNotes(), mode)
                                                                   : NotesWithoutTrailingBreaks(GetNotes());
        if (mode == 1 || mode == 2 ? !v.details.isEmpty() : !GetNotes().isEmpty())
            v.flags |= DisplayHasNotes;
    }
    v.created = GetCreatedTime();
    v.modified = GetModified();

    v.shownStart = m_dueDate;
    if (HasDueDate()) {
        v.flags |= DisplayHasDue;
        v.occurrenceDate = m_dueDate;
        v.shownEnd = m_dueDate + kOneDay;
    }
    const bool fromStart = builder == DisplayBuilder::Print || ProgramSettings().tasksOverStartToDue != 0;
    if (HasStartDate() && fromStart) {
        v.flags |= DisplayHasStart;
        v.shownStart = m_startDate;
    }
    if (builder == DisplayBuilder::View && HasDueDate() && v.shownEnd - v.shownStart >= kOneDay)
        v.flags |= DisplayAllDay;

    if (IsRecurring())
        v.flags |= DisplayRecurring;
    if (HasFlag(TF_SERIES_CLOSED))
        v.flags |= DisplaySeriesClosed;
    if (HasFlag(FlagReminder))
        v.flags |= DisplayReminder;
    if (GetKeepMark() != 0)
        v.flags |= DisplayKeepMark;
    if (IsReminderDue(GetNow(), true, nullptr, &v.reminderMoment))
        v.flags |= DisplayReminderMoment;
    if (HasFlag(FlagLocked))
        v.flags |= DisplayLocked;
    v.flags |= DisplayNotPrivate;

    v.status = m_status;
    v.percentComplete = m_percentComplete;
    v.priority = m_priority;
    if (IsCompleted()) {
        v.flags |= DisplayCompleted;
        v.completedDate = m_completedDate;
    } else if (IsOverdue()) {
        v.flags |= DisplayOverdue;
    }
    v.itemTypeIndex = GetItemTypeIndex();
    v.itemTypeName = GetItemTypeName();
    v.categories = GetCategories();
    return v;
}
