// Display items of a task: the views' item for a range of days and the print styles' item, both
// made from the task's display values.
#include "core/items/TaskItem.h"

#include "core/items/TaskDisplayItem.h"

#include <new>

static_assert(CTaskItem::DisplayRecurring == CDisplayItem::FlagRecurring &&
                  CTaskItem::DisplaySeriesClosed == CDisplayItem::FlagChanged &&
                  CTaskItem::DisplayReminder == CDisplayItem::FlagReminder &&
                  CTaskItem::DisplayAllDay == CDisplayItem::FlagAllDay &&
                  CTaskItem::DisplayKeepMark == CDisplayItem::FlagKeepMark &&
                  CTaskItem::DisplayHasDue == CDisplayItem::FlagHasDue &&
                  CTaskItem::DisplayHasStart == CDisplayItem::FlagHasStart &&
                  CTaskItem::DisplayCompleted == CDisplayItem::FlagCompleted &&
                  CTaskItem::DisplayOverdue == CDisplayItem::FlagOverdue &&
                  CTaskItem::DisplayHasNotes == CDisplayItem::FlagNotes &&
                  CTaskItem::DisplayReminderMoment == CDisplayItem::FlagReminderTime &&
                  CTaskItem::DisplayLocked == CDisplayItem::FlagLocked &&
                  CTaskItem::DisplayNotPrivate == CDisplayItem::FlagOwnItem,
              "a task's display flags are those of its display item");

namespace {
std::unique_ptr<CDisplayItem> FromValues(const TaskDisplayValues &v)
{
    std::unique_ptr<CTaskDisplayItem> item;
    try {
        item = std::make_unique<CTaskDisplayItem>();
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
    item->SetItemRef(v.recordId);
    item->SetSubject(v.text);
    item->SetNotes(v.details);
    // The builder decided every flag, the one-bar flag included.
    item->SetFlags(v.flags);
    item->SetCreated(v.created);
    item->SetStamp(v.modified);
    item->SetOccurrenceDate(v.occurrenceDate);
    item->SetStart(v.shownStart);
    item->SetEnd(v.shownEnd);
    item->SetReminderTime(v.reminderMoment);
    item->SetCompletedDate(v.completedDate);
    item->SetStatus(v.status);
    item->SetPercentComplete(v.percentComplete);
    item->SetPriority(v.priority);
    item->SetItemTypeIndex(v.itemTypeIndex);
    item->SetItemTypeName(v.itemTypeName);
    item->SetCategories(v.categories);
    return item;
}
} // namespace

bool CTaskItem::MakeDisplayItemInRange(std::unique_ptr<CDisplayItem> *target, int detailsMode,
                                       const CDateTime &rangeStart, int dayCount) const
{
    if (!IsShownInRange(rangeStart, dayCount))
        return false;
    if (!target)
        return true;
    *target = FromValues(GetDisplayValues(DisplayBuilder::View, detailsMode));
    return *target != nullptr;
}

std::unique_ptr<CDisplayItem> CTaskItem::MakeDisplayItem(int detailsMode, bool noDetails) const
{
    return FromValues(GetDisplayValues(DisplayBuilder::Print, detailsMode, noDetails));
}
