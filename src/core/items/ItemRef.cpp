// Item holder: the item it owns, the shells made from view entries and the items made from a
// view's draft.
#include "core/items/ItemRef.h"

#include "core/dates/DateRules.h"
#include "core/items/DisplayItem.h"
#include "core/items/DragItem.h"
#include "core/items/EventItem.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/items/TaskItem.h"

namespace {
std::unique_ptr<CCalendarItem> NewItem(int kind)
{
    if (kind == CCalendarItem::KindEvent)
        return std::make_unique<CEventItem>();
    if (kind == CCalendarItem::KindTask)
        return std::make_unique<CTaskItem>();
    return nullptr;
}
} // namespace

CItemRef::CItemRef() = default;

CItemRef::CItemRef(int kind) : m_item(NewItem(kind)) {}

CItemRef::CItemRef(const CDisplayItem &entry)
    : m_recordId(entry.GetItemRef()), m_occurrenceDate(entry.GetOccurrenceDate()), m_stamp(entry.GetStamp())
{
    if (entry.GetKind() == CCalendarItem::KindEvent) {
        auto event = std::make_unique<CEventItem>();
        event->SetStart(entry.GetStart());
        event->SetDuration(entry.GetEnd() - entry.GetStart());
        m_item = std::move(event);
    } else if (entry.GetKind() == CCalendarItem::KindTask) {
        m_item = std::make_unique<CTaskItem>(entry.GetItemRef());
    }
    SetOneOccurrence(entry.HasFlag(CDisplayItem::FlagRecurring));
}

CItemRef::CItemRef(CItemRef &&) noexcept = default;
CItemRef &CItemRef::operator=(CItemRef &&) noexcept = default;
CItemRef::~CItemRef() = default;

bool CItemRef::CreateFromViewDraft(const CDragItem &draft)
{
    m_item.reset();
    // A draft being dragged shows where it is going, not where it came from.
    const bool moved = draft.movedStart.IsValid() && draft.movedStart.Value() != 0.0;
    const CDateTime start = moved ? draft.movedStart : draft.start;
    std::unique_ptr<CCalendarItem> item;
    if (draft.kind == CCalendarItem::KindEvent) {
        auto event = std::make_unique<CEventItem>();
        event->SetStart(start);
        event->SetDuration(draft.duration);
        item = std::move(event);
    } else if (draft.kind == CCalendarItem::KindTask) {
        auto task = std::make_unique<CTaskItem>();
        // Due on the draft's last day, and never before the day it starts on: a draft shorter
        // than a day (a resize shrunk to nothing) is due on its own day.
        CDateTime due = start + draft.duration - CDateSpan(1.0);
        if (due < start)
            due = start;
        task->SetDueDate(due);
        if (draft.duration >= CDateSpan(1.0))
            task->SetStartDate(start);
        if (draft.flags & CDragItem::FlagCompleted)
            task->MarkCompleted(GetNow());
        item = std::move(task);
    } else {
        return false;
    }

    item->SetItemTypeIndex(draft.itemTypeIndex);
    ItemTypeInfo type;
    if (const IItemTypeCatalog *types = GetItemTypeCatalog();
        types && types->GetTypeInfo(draft.itemTypeIndex, type))
        item->SetItemTypeName(type.name);
    item->SetSubject(draft.text);
    if (draft.flags & CDragItem::FlagReminder)
        item->SetFlag(CCalendarItem::FlagReminder, true);
    if (draft.flags & CDragItem::FlagLocked)
        item->SetFlag(CCalendarItem::FlagLocked, true);

    m_item = std::move(item);
    m_recordId = draft.recordId;
    m_occurrenceDate = draft.occurrenceDate;
    m_stamp = draft.stamp;
    SetOneOccurrence((draft.flags & CDragItem::FlagOneOccurrence) != 0);
    return true;
}

CEventItem *CItemRef::GetEvent() const
{
    return dynamic_cast<CEventItem *>(m_item.get());
}

CTaskItem *CItemRef::GetTask() const
{
    return dynamic_cast<CTaskItem *>(m_item.get());
}

CEventItem *CItemRef::NewEvent()
{
    m_item.reset();
    m_item = std::make_unique<CEventItem>();
    return static_cast<CEventItem *>(m_item.get());
}

CTaskItem *CItemRef::NewTask()
{
    m_item.reset();
    m_item = std::make_unique<CTaskItem>();
    return static_cast<CTaskItem *>(m_item.get());
}

void CItemRef::SetItem(std::unique_ptr<CCalendarItem> item)
{
    m_item = std::move(item);
}

std::unique_ptr<CCalendarItem> CItemRef::ReleaseItem()
{
    return std::move(m_item);
}
