// CTaskDisplayItem: a task as views and printing show it, with its status fields, completion
// date and reminder moment.
#pragma once

#include "core/items/DisplayItem.h"

class CTaskDisplayItem : public CDisplayItem
{
  public:
    CTaskDisplayItem();
    // A task shown from `start` for `duration` (FlagAllDay when a day or more).
    CTaskDisplayItem(int itemTypeIndex, const QString &itemTypeName, const CDateTime &start,
                     const CDateSpan &duration);
    CTaskDisplayItem(const CTaskDisplayItem &other);
    CTaskDisplayItem(CTaskDisplayItem &&other) noexcept;

    void CopyFrom(const CDisplayItem &other) override;
    std::unique_ptr<CDisplayItem> Clone() const override;

    int GetStatus() const { return m_status; }
    void SetStatus(int status) { m_status = status; }
    int GetPercentComplete() const { return m_percentComplete; }
    void SetPercentComplete(int percent) { m_percentComplete = percent; }
    int GetPriority() const { return m_priority; }
    void SetPriority(int priority) { m_priority = priority; }
    // Meaningful with FlagCompleted.
    const CDateTime &GetCompletedDate() const { return m_completedDate; }
    void SetCompletedDate(const CDateTime &t) { m_completedDate = t; }
    // Meaningful with FlagReminderTime.
    const CDateTime &GetReminderTime() const { return m_reminderTime; }
    void SetReminderTime(const CDateTime &t) { m_reminderTime = t; }

  private:
    int m_status = 0;
    int m_percentComplete = 0;
    int m_priority = 2;
    CDateTime m_completedDate;
    CDateTime m_reminderTime;
};
