#include "containers/tasks/TaskPadFilter.h"

#include "core/items/TaskItem.h"
#include "core/system/Profile.h"

int CTaskPadFilter::ReadView(int stored)
{
    switch (stored) {
    case ViewOverdue:
    case ViewSelectedDays:
    case ViewCompletedOnDays:
    case ViewToday:
        return stored;
    default:
        return ViewAll;
    }
}

bool CTaskPadFilter::ShowsNoDueChecked() const
{
    return view != ViewOverdue && (includeNoDue || view == ViewCompletedOnDays);
}

bool CTaskPadFilter::ShowsCompletedChecked() const
{
    return view != ViewOverdue && (includeCompleted || view == ViewCompletedOnDays);
}

bool CTaskPadFilter::IncludeCommandsEnabled() const
{
    return view != ViewOverdue && view != ViewCompletedOnDays;
}

bool CTaskPadFilter::Accepts(const CTaskItem &task, const CDateTime &periodStart, const CDateTime &periodEnd,
                             const CDateTime &today) const
{
    const bool hasDue = task.HasDueDate();
    const bool completed = task.IsCompleted();
    const CDateTime due = task.GetDueDate().DatePart();
    switch (view) {
    case ViewAll:
        if (!hasDue && !includeNoDue)
            return false;
        return includeCompleted || !completed;
    case ViewOverdue:
        return hasDue && !completed && due < today;
    case ViewSelectedDays:
        if ((!hasDue && !includeNoDue) || (completed && !includeCompleted))
            return false;
        if (!hasDue)
            return true;
        if (due < periodStart)
            return false;
        if (due < periodEnd)
            return true;
        return task.HasStartDate() && task.GetStartDate().DatePart() < periodEnd;
    case ViewCompletedOnDays: {
        if (!completed)
            return false;
        const CDateTime done = task.GetCompletedDate().DatePart();
        return !(done < periodStart) && done < periodEnd;
    }
    case ViewToday: {
        if ((!hasDue && !includeNoDue) || (completed && !includeCompleted))
            return false;
        if (completed) {
            const CDateTime done = task.GetCompletedDate();
            return done.IsValid() && done.Value() != 0.0 && done.DatePart() == today;
        }
        if (!hasDue || !(due > today))
            return true;
        // Due later: shown once started, or, with no start date, unless "FlSD" asks for one.
        if (task.HasStartDate())
            return task.GetStartDate().DatePart() < today;
        return !dueLaterNeedsStart;
    }
    default:
        return false;
    }
}

void CTaskPadFilter::Load(const QString &section)
{
    view = ReadView(GetProfileInt(section, QStringLiteral("FltT"), view));
    includeNoDue = GetProfileInt(section, QStringLiteral("FlND"), includeNoDue ? 1 : 0) != 0;
    includeCompleted = GetProfileInt(section, QStringLiteral("FlCD"), includeCompleted ? 1 : 0) != 0;
    dueLaterNeedsStart = GetProfileInt(section, QStringLiteral("FlSD"), dueLaterNeedsStart ? 1 : 0) != 0;
}

void CTaskPadFilter::Save(const QString &section) const
{
    WriteProfileInt(section, QStringLiteral("FltT"), view);
    WriteProfileInt(section, QStringLiteral("FlND"), includeNoDue ? 1 : 0);
    WriteProfileInt(section, QStringLiteral("FlCD"), includeCompleted ? 1 : 0);
}
