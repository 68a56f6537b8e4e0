// CPatternDisplayItem: a display item that also carries its series' recurrence text, for the
// columns of the list views.
#pragma once

#include "core/items/DisplayItem.h"

class CPatternDisplayItem : public CDisplayItem
{
  public:
    using CDisplayItem::CDisplayItem;
    CPatternDisplayItem(const CPatternDisplayItem &other);
    CPatternDisplayItem(CPatternDisplayItem &&other) noexcept;

    void CopyFrom(const CDisplayItem &other) override;
    std::unique_ptr<CDisplayItem> Clone() const override;

    const QString &GetRecurrenceText() const { return m_recurrenceText; }
    void SetRecurrenceText(const QString &text) { m_recurrenceText = text; }

  private:
    QString m_recurrenceText;
};
