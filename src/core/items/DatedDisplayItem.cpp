// Dated display item: copying with the next date and reminder moment.
#include "core/items/DatedDisplayItem.h"

#include <utility>

CDatedDisplayItem::CDatedDisplayItem(const CDatedDisplayItem &other) : CDisplayItem(other)
{
    m_nextDate = other.m_nextDate;
    m_reminderTime = other.m_reminderTime;
}

CDatedDisplayItem::CDatedDisplayItem(CDatedDisplayItem &&other) noexcept
    : CDisplayItem(std::move(other)), m_nextDate(other.m_nextDate), m_reminderTime(other.m_reminderTime)
{
}

void CDatedDisplayItem::CopyFrom(const CDisplayItem &other)
{
    CDisplayItem::CopyFrom(other);
    if (const auto *d = dynamic_cast<const CDatedDisplayItem *>(&other)) {
        m_nextDate = d->m_nextDate;
        m_reminderTime = d->m_reminderTime;
    }
}

std::unique_ptr<CDisplayItem> CDatedDisplayItem::Clone() const
{
    return std::make_unique<CDatedDisplayItem>(*this);
}
