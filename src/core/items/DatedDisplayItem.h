// CDatedDisplayItem: a display item of an event for lists and printing, which also knows the
// series' next occurrence and the next reminder moment.
#pragma once

#include "core/items/DisplayItem.h"

class CDatedDisplayItem : public CDisplayItem
{
  public:
    using CDisplayItem::CDisplayItem;
    CDatedDisplayItem(const CDatedDisplayItem &other);
    CDatedDisplayItem(CDatedDisplayItem &&other) noexcept;

    void CopyFrom(const CDisplayItem &other) override;
    std::unique_ptr<CDisplayItem> Clone() const override;

    // Start of the occurrence to show for the event: the next one from today, else the last one.
    const CDateTime &GetNextDate() const { return m_nextDate; }
    void SetNextDate(const CDateTime &t) { m_nextDate = t; }
    // Meaningful with FlagReminderTime.
    const CDateTime &GetReminderTime() const { return m_reminderTime; }
    void SetReminderTime(const CDateTime &t) { m_reminderTime = t; }

  private:
    CDateTime m_nextDate;
    CDateTime m_reminderTime;
};
