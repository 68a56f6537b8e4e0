#include "containers/tasks/TaskPadDeleteRule.h"

#include "containers/base/ContainerStrings.h"
#include "core/items/DisplayItem.h"

CTaskPadDeleteRule::Step CTaskPadDeleteRule::Decide(const std::vector<const CDisplayItem *> &tasks,
                                                    bool confirmDeletion, QString &text)
{
    text.clear();
    if (tasks.empty() || !confirmDeletion)
        return Step::Delete;
    if (tasks.size() > 1) {
        text = ContainerText::WithCount(58003, int(tasks.size()));
        return Step::Ask;
    }
    const CDisplayItem &task = *tasks.front();
    if (task.HasFlag(CDisplayItem::FlagLocked)) {
        text = ContainerText::WithSubject(61259, task.GetSubject());
        return Step::Refuse;
    }
    if (task.HasFlag(CDisplayItem::FlagRecurring) && !task.HasFlag(CDisplayItem::FlagChanged))
        return Step::Delete;
    text = ContainerText::WithSubject(58002, task.GetSubject());
    return Step::Ask;
}
