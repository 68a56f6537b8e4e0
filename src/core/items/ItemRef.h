// CItemRef: the owning handle through which views, lists and commands pass one calendar item:
// the item (an event or a task, or none), its record id and, for one occurrence of a series,
// which occurrence is meant.
#pragma once

#include "core/dates/DateTime.h"

#include <cstdint>
#include <memory>

class CCalendarItem;
class CDisplayItem;
class CDragItem;
class CEventItem;
class CTaskItem;

class CItemRef
{
  public:
    CItemRef();
    // Kind 1 holds a new empty event, kind 2 a new empty task, any other kind nothing.
    explicit CItemRef(int kind);
    // A shell for the entry's item: an event with the entry's start and length, or an empty task
    // with its record id; the caller loads the stored item by record id.
    explicit CItemRef(const CDisplayItem &entry);
    CItemRef(const CItemRef &) = delete;
    CItemRef &operator=(const CItemRef &) = delete;
    CItemRef(CItemRef &&) noexcept;
    CItemRef &operator=(CItemRef &&) noexcept;
    virtual ~CItemRef();

    // Holds a new item built from the record a view fills while a new item is dragged out or
    // typed, or while an entry is resized; false, holding nothing, for a kind that is neither.
    bool CreateFromViewDraft(const CDragItem &draft);

    CCalendarItem *GetItem() const { return m_item.get(); }
    CEventItem *GetEvent() const;
    CTaskItem *GetTask() const;
    // Delete the held item and hold a new empty one.
    CEventItem *NewEvent();
    CTaskItem *NewTask();
    // Holds the given item (a loaded one) instead of the current one.
    void SetItem(std::unique_ptr<CCalendarItem> item);
    std::unique_ptr<CCalendarItem> ReleaseItem();

    std::uint32_t GetRecordId() const { return m_recordId; }
    void SetRecordId(std::uint32_t id) { m_recordId = id; }
    // Key date of the occurrence meant.
    const CDateTime &GetOccurrenceDate() const { return m_occurrenceDate; }
    void SetOccurrenceDate(const CDateTime &date) { m_occurrenceDate = date; }
    // The item's modification stamp as the view entry knew it.
    const CDateTime &GetStamp() const { return m_stamp; }
    void SetStamp(const CDateTime &stamp) { m_stamp = stamp; }
    // Set when the handle stands for one occurrence of a series.
    bool IsOneOccurrence() const { return (m_flags & kOneOccurrence) != 0; }
    void SetOneOccurrence(bool on)
    {
        m_flags = on ? (m_flags | kOneOccurrence) : (m_flags & ~kOneOccurrence);
    }

  private:
    static constexpr std::uint32_t kOneOccurrence = 0x1;

    std::unique_ptr<CCalendarItem> m_item;
    std::uint32_t m_recordId = 0;
    CDateTime m_occurrenceDate;
    CDateTime m_stamp;
    std::uint32_t m_flags = 0;
};
