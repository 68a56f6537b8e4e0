// CItemSummary: what the plain block of an event or task record holds, kept small, for the
// enumerations that keep a summary of every item. The plain block carries no texts (subject,
// notes and the rest live in the enciphered part), so the summary is a handful of words and
// dates; an event or task as a summary load fills it is made from it on demand, and the whole
// item is loaded by its record id.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/CalendarItem.h"

#include <cstdint>
#include <memory>

class CEventItem;
class CMemoryStream;
class CTaskItem;

class CItemSummary
{
  public:
    CItemSummary() = default;

    // The plain block of a record of the current layout, from a stream standing at its tag;
    // the same checks and archive causes as the items' ReadSummary. The record id is the
    // caller's (it is not in the record).
    void ReadEvent(CMemoryStream &stream, std::uint32_t recordId);
    void ReadTask(CMemoryStream &stream, std::uint32_t recordId);
    // The summary fields of an item in memory, the dates with their statuses (records of the
    // older layout are read whole into an item and summarised from it).
    static CItemSummary FromEvent(const CEventItem &event);
    static CItemSummary FromTask(const CTaskItem &task);

    // The item as a summary load gives it: the plain-block fields set, everything else as a
    // new item has it (CDataFile::LoadWholeItem loads the whole one). MakeItem gives the event
    // or task by kind, null for an empty summary.
    CEventItem ToEvent() const;
    CTaskItem ToTask() const;
    std::unique_ptr<CCalendarItem> MakeItem() const;

    // CCalendarItem::KindEvent, KindTask, or KindNone for a summary that holds nothing.
    std::uint32_t GetKind() const { return m_kind; }
    bool IsEvent() const { return m_kind == CCalendarItem::KindEvent; }
    bool IsTask() const { return m_kind == CCalendarItem::KindTask; }
    std::uint32_t GetRecordId() const { return m_recordId; }

    std::uint32_t GetFlags() const { return m_flags; }
    bool HasFlag(std::uint32_t bit) const { return (m_flags & bit) != 0; }
    bool IsRecurring() const { return HasFlag(CCalendarItem::FlagRecurring); }
    std::uint32_t GetReservedValue() const { return m_reserved; }
    std::uint32_t GetDataFileStamp() const { return m_dataFileStamp; }
    std::uint32_t GetKeepMark() const { return m_keepMark; }

    std::uint32_t GetRecurrenceFlags() const { return m_patternWord; }
    std::uint16_t GetRecurrenceInterval() const { return m_patternInterval; }
    std::uint16_t GetRecurrenceDayNumber() const { return m_patternDayNumber; }
    // An event's pattern starts at its start.
    CDateTime GetPatternStart() const;
    CDateTime GetPatternEnd() const;

    CDateSpan GetSnoozeInterval() const { return SpanAt(SnoozeInterval); }
    CDateTime GetSnoozedUntil() const { return DateAt(SnoozedUntil); }
    CDateTime GetSnoozedOccurrence() const { return DateAt(SnoozedOccurrence); }
    CDateTime GetHandledUpTo() const { return DateAt(HandledUpTo); }

    // Event fields; zero for a task.
    CDateTime GetStart() const { return IsEvent() ? DateAt(EventStart) : CDateTime(); }
    CDateSpan GetDuration() const { return IsEvent() ? SpanAt(EventDuration) : CDateSpan(); }
    CDateSpan GetReminderLead() const { return IsEvent() ? SpanAt(EventReminderLead) : CDateSpan(); }
    // Exceptions the whole record holds (the summary has none of them).
    std::uint32_t GetExceptionCount() const { return IsEvent() ? m_kindWord : 0; }

    // Task fields; zero for an event.
    CDateTime GetDueDate() const { return IsTask() ? DateAt(TaskDue) : CDateTime(); }
    CDateTime GetStartDate() const { return IsTask() ? DateAt(TaskStart) : CDateTime(); }
    CDateTime GetCompletedDate() const { return IsTask() ? DateAt(TaskCompleted) : CDateTime(); }
    CDateTime GetReminderTime() const { return IsTask() ? DateAt(TaskReminderTime) : CDateTime(); }
    int GetStatus() const { return IsTask() ? static_cast<int>(m_kindWord) : 0; }

  private:
    // The dates as doubles with their statuses two bits each (a summary read gives valid ones;
    // a loaded item may hold others). Slots 0..3 differ by kind, the others are shared.
    enum DateSlot
    {
        EventStart = 0,
        EventDuration = 1,
        EventReminderLead = 2,
        TaskDue = 0,
        TaskStart = 1,
        TaskCompleted = 2,
        TaskReminderTime = 3,
        PatternStart = 4, // tasks only
        PatternEnd = 5,
        SnoozeInterval = 6,
        SnoozedUntil = 7,
        SnoozedOccurrence = 8,
        HandledUpTo = 9,
        DateSlots = 10
    };

    CDateTime DateAt(int slot) const;
    CDateSpan SpanAt(int slot) const;
    void PutSlot(int slot, double value, int status);
    void PutDate(int slot, const CDateTime &date);
    void PutSpan(int slot, const CDateSpan &span);
    // The kind, id, flags, reserved word and file stamp every plain block starts with.
    void ReadHead(CMemoryStream &stream, int kind, std::uint32_t recordId);
    // The fields that close the plain block of both records.
    void ReadReminderState(CMemoryStream &stream);
    void TakeCommon(const CCalendarItem &item);
    void GiveCommon(CCalendarItem &item) const;

    double m_dates[DateSlots] = {};
    std::uint32_t m_dateStatus = 0;
    std::uint32_t m_recordId = 0;
    std::uint32_t m_flags = 0;
    std::uint32_t m_reserved = 0;
    std::uint32_t m_dataFileStamp = 0;
    std::uint32_t m_keepMark = 0;
    std::uint32_t m_patternWord = 0;
    std::uint16_t m_patternInterval = 0;
    std::uint16_t m_patternDayNumber = 0;
    // An event's exception count, a task's status.
    std::uint32_t m_kindWord = 0;
    std::uint8_t m_kind = 0;
};
