// Pattern display item: copying with the recurrence text.
#include "core/items/PatternDisplayItem.h"

#include <utility>

CPatternDisplayItem::CPatternDisplayItem(const CPatternDisplayItem &other) : CDisplayItem(other)
{
    m_recurrenceText = other.m_recurrenceText;
}

CPatternDisplayItem::CPatternDisplayItem(CPatternDisplayItem &&other) noexcept
    : CDisplayItem(std::move(other)), m_recurrenceText(std::move(other.m_recurrenceText))
{
}

void CPatternDisplayItem::CopyFrom(const CDisplayItem &other)
{
    CDisplayItem::CopyFrom(other);
    if (const auto *p = dynamic_cast<const CPatternDisplayItem *>(&other))
        m_recurrenceText = p->m_recurrenceText;
}

std::unique_ptr<CDisplayItem> CPatternDisplayItem::Clone() const
{
    return std::make_unique<CPatternDisplayItem>(*this);
}
