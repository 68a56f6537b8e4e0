// Drag item: the record of one dragged entry.
#include "core/items/DragItem.h"

#include "core/items/DisplayItem.h"
#include "core/system/PrintfText.h"
#include "core/system/StringTable.h"

CDragItem::CDragItem(const CDisplayItem &entry)
    : kind(entry.GetKind()), recordId(entry.GetItemRef()), occurrenceDate(entry.GetOccurrenceDate()),
      movedStart(entry.GetNewStart()), itemTypeIndex(entry.GetItemTypeIndex()), stamp(entry.GetStamp())
{
    const std::uint32_t shown = entry.GetFlags();
    if (shown & CDisplayItem::FlagReminder)
        flags |= FlagReminder;
    if (shown & CDisplayItem::FlagRecurring)
        flags |= FlagOneOccurrence;
    if (shown & CDisplayItem::FlagChanged)
        flags |= FlagChanged;
    if (shown & CDisplayItem::FlagCompleted)
        flags |= FlagCompleted;
    flags |= shown & (FlagLocked | FlagNotes);

    const CDateSpan oneDay(1.0);
    const bool task = kind == CDisplayItem::KindTask;
    if (!task || (entry.HasFlag(CDisplayItem::FlagHasDue) && entry.HasFlag(CDisplayItem::FlagHasStart))) {
        start = entry.GetStart();
        duration = entry.GetEnd() - entry.GetStart();
    } else if (entry.HasFlag(CDisplayItem::FlagHasDue)) {
        start = entry.GetEnd() - oneDay;
        duration = oneDay;
    } else {
        start = TodayForDisplay();
        duration = oneDay;
    }

    text = entry.GetSubject() + FormatAgeSuffix(entry.GetAge());
    if (!entry.GetLocation().isEmpty())
        text += PrintfText(LoadResString(61264), {entry.GetLocation()});
}
