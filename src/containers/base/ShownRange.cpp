#include "containers/base/ShownRange.h"

#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"
#include "core/items/TaskItem.h"

CDateTime CShownRange::End() const
{
    CDateTime end = start;
    AddDays(end, dayCount);
    return end;
}

bool CShownRange::Contains(const CCalendarItem &item) const
{
    if (item.HasFlag(CCalendarItem::FlagHidden) && !showHidden)
        return false;
    if (item.HasFlag(CCalendarItem::FlagDeleted))
        return false;
    const CDateTime end = End();
    if (item.GetKind() == CCalendarItem::KindEvent) {
        const auto &event = static_cast<const CEventItem &>(item);
        if (!event.IsRecurring()) {
            if (event.GetStart() > end)
                return false;
            if (event.GetStart() + event.GetDuration() > start)
                return true;
            // A zero-length event at midnight is an all-day mark of its day.
            return event.GetStart() == event.GetStart().DatePart() && event.GetDuration().Value() == 0.0;
        }
        if (event.HasFlag(FlagAlwaysInRange))
            return true;
        if (event.GetStart() > end)
            return false;
        if ((event.GetRecurrenceFlags() & PatternHasEnd) == 0)
            return true;
        return event.GetPatternEnd() > start;
    }
    if (item.GetKind() == CCalendarItem::KindTask) {
        const auto &task = static_cast<const CTaskItem &>(item);
        if (!includeTasksWithDue || !task.HasDueDate())
            return false;
        if (task.IsCompleted() && !includeCompleted)
            return false;
        if (task.GetDueDate() < start)
            return false;
        if (task.GetDueDate() < end)
            return true;
        return tasksFromStart && task.HasStartDate() && task.GetStartDate() < end;
    }
    return false;
}
