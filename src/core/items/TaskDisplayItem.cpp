// Task display item: construction as kind 2 and copying with the task's own members.
#include "core/items/TaskDisplayItem.h"

#include <utility>

CTaskDisplayItem::CTaskDisplayItem()
{
    SetKind(KindTask);
}

CTaskDisplayItem::CTaskDisplayItem(int itemTypeIndex, const QString &itemTypeName, const CDateTime &start,
                                   const CDateSpan &duration)
    : CDisplayItem(KindTask, itemTypeIndex, itemTypeName, start, duration)
{
}

CTaskDisplayItem::CTaskDisplayItem(const CTaskDisplayItem &other) : CDisplayItem(other)
{
    m_status = other.m_status;
    m_percentComplete = other.m_percentComplete;
    m_priority = other.m_priority;
    m_completedDate = other.m_completedDate;
    m_reminderTime = other.m_reminderTime;
}

CTaskDisplayItem::CTaskDisplayItem(CTaskDisplayItem &&other) noexcept
    : CDisplayItem(std::move(other)), m_status(other.m_status), m_percentComplete(other.m_percentComplete),
      m_priority(other.m_priority), m_completedDate(other.m_completedDate),
      m_reminderTime(other.m_reminderTime)
{
}

void CTaskDisplayItem::CopyFrom(const CDisplayItem &other)
{
    CDisplayItem::CopyFrom(other);
    if (const auto *t = dynamic_cast<const CTaskDisplayItem *>(&other)) {
        m_status = t->m_status;
        m_percentComplete = t->m_percentComplete;
        m_priority = t->m_priority;
        m_completedDate = t->m_completedDate;
        m_reminderTime = t->m_reminderTime;
    }
}

std::unique_ptr<CDisplayItem> CTaskDisplayItem::Clone() const
{
    return std::make_unique<CTaskDisplayItem>(*this);
}
