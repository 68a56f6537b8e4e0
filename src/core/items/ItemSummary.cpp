// The compact summary: reading it from a record's plain block, taking it from an item and
// making the item a summary load gives.
#include "core/items/ItemSummary.h"

#include "core/items/EventItem.h"
#include "core/items/ItemRecord.h"
#include "core/items/TaskItem.h"
#include "core/storage/MemoryStream.h"

using ItemRecord::CRecordReader;

CDateTime CItemSummary::DateAt(int slot) const
{
    CDateTime date(m_dates[slot]);
    date.SetStatus(static_cast<CDateTime::Status>((m_dateStatus >> (2 * slot)) & 3));
    return date;
}

CDateSpan CItemSummary::SpanAt(int slot) const
{
    CDateSpan span(m_dates[slot]);
    span.SetStatus(static_cast<CDateSpan::Status>((m_dateStatus >> (2 * slot)) & 3));
    return span;
}

void CItemSummary::PutSlot(int slot, double value, int status)
{
    m_dates[slot] = value;
    m_dateStatus = (m_dateStatus & ~(3u << (2 * slot))) | (std::uint32_t(status & 3) << (2 * slot));
}

void CItemSummary::PutDate(int slot, const CDateTime &date)
{
    PutSlot(slot, date.Value(), int(date.GetStatus()));
}

void CItemSummary::PutSpan(int slot, const CDateSpan &span)
{
    PutSlot(slot, span.Value(), int(span.GetStatus()));
}

CDateTime CItemSummary::GetPatternStart() const
{
    if (IsEvent())
        return DateAt(EventStart);
    return IsTask() ? DateAt(PatternStart) : CDateTime();
}

CDateTime CItemSummary::GetPatternEnd() const
{
    return DateAt(PatternEnd);
}

void CItemSummary::ReadHead(CMemoryStream &s, int kind, std::uint32_t recordId)
{
    m_kind = static_cast<std::uint8_t>(kind);
    m_recordId = recordId;
    m_flags = s.ReadUInt32();
    m_reserved = s.ReadUInt32();
    m_dataFileStamp = s.ReadUInt32();
}

void CItemSummary::ReadReminderState(CMemoryStream &s)
{
    PutSpan(SnoozeInterval, CDateSpan(s.ReadDouble()));
    PutDate(SnoozedUntil, CDateTime(s.ReadDouble()));
    PutDate(SnoozedOccurrence, CDateTime(s.ReadDouble()));
    PutDate(HandledUpTo, CDateTime(s.ReadDouble()));
    m_keepMark = s.ReadUInt32();
}

// The layouts below are the ones CEventItem::Write and CTaskItem::Write give the plain block,
// read with the same adjustments as the items' own readers.
void CItemSummary::ReadEvent(CMemoryStream &stream, std::uint32_t recordId)
{
    CItemSummary read;
    CRecordReader record(stream, CEventItem::RecordTag, ItemRecord::Bound::PlainBlock);
    CMemoryStream &s = record.Stream();
    read.ReadHead(s, CCalendarItem::KindEvent, recordId);
    read.PutDate(EventStart, ItemRecord::WholeSeconds(CDateTime(s.ReadDouble())));
    read.PutSpan(EventDuration, ItemRecord::StoredDuration(CDateSpan(s.ReadDouble())));
    read.m_patternWord = s.ReadUInt32();
    read.m_patternInterval = s.ReadUInt16();
    read.m_patternDayNumber = s.ReadUInt16();
    read.PutDate(PatternEnd, CDateTime(s.ReadDouble()));
    read.m_kindWord = s.ReadUInt32();
    read.PutSpan(EventReminderLead, CDateSpan(s.ReadDouble()));
    read.ReadReminderState(s);
    s.Skip(60);
    record.Done();
    *this = read;
}

void CItemSummary::ReadTask(CMemoryStream &stream, std::uint32_t recordId)
{
    CItemSummary read;
    CRecordReader record(stream, CTaskItem::RecordTag, ItemRecord::Bound::PlainBlock);
    CMemoryStream &s = record.Stream();
    read.ReadHead(s, CCalendarItem::KindTask, recordId);
    read.PutDate(TaskDue, CDateTime(s.ReadDouble()));
    read.PutDate(TaskStart, CDateTime(s.ReadDouble()));
    read.PutDate(TaskCompleted, CDateTime(s.ReadDouble()));
    read.m_kindWord = s.ReadUInt32();
    read.m_patternWord = s.ReadUInt32();
    read.m_patternInterval = s.ReadUInt16();
    read.m_patternDayNumber = s.ReadUInt16();
    read.PutDate(PatternStart, CDateTime(s.ReadDouble()));
    read.PutDate(PatternEnd, CDateTime(s.ReadDouble()));
    read.PutDate(TaskReminderTime, CDateTime(s.ReadDouble()));
    read.ReadReminderState(s);
    s.Skip(44);
    record.Done();
    *this = read;
}

void CItemSummary::TakeCommon(const CCalendarItem &item)
{
    m_recordId = item.GetRecordId();
    m_flags = item.GetFlags();
    m_reserved = item.GetReservedValue();
    m_dataFileStamp = item.GetDataFileStamp();
    m_keepMark = item.GetKeepMark();
    const CRecurrencePattern &pattern = item.GetPattern();
    m_patternWord = pattern.GetWord();
    m_patternInterval = pattern.GetInterval();
    m_patternDayNumber = pattern.GetDayNumber();
    PutDate(PatternEnd, pattern.GetEnd());
    PutSpan(SnoozeInterval, item.GetSnoozeInterval());
    PutDate(SnoozedUntil, item.GetSnoozedUntil());
    PutDate(SnoozedOccurrence, item.GetSnoozedOccurrence());
    PutDate(HandledUpTo, item.GetHandledUpTo());
}

void CItemSummary::GiveCommon(CCalendarItem &item) const
{
    item.SetFlags(m_flags);
    item.SetReservedValue(m_reserved);
    item.SetDataFileStamp(m_dataFileStamp);
    item.SetKeepMark(m_keepMark);
    CRecurrencePattern pattern;
    pattern.SetWord(m_patternWord);
    pattern.SetInterval(m_patternInterval);
    pattern.SetDayNumber(m_patternDayNumber);
    pattern.SetStart(GetPatternStart());
    pattern.SetEnd(GetPatternEnd());
    item.SetPattern(pattern);
    item.SetSnoozeInterval(GetSnoozeInterval());
    item.SetSnoozedUntil(GetSnoozedUntil());
    item.SetSnoozedOccurrence(GetSnoozedOccurrence());
    item.SetHandledUpTo(GetHandledUpTo());
}

CItemSummary CItemSummary::FromEvent(const CEventItem &event)
{
    CItemSummary summary;
    summary.m_kind = CCalendarItem::KindEvent;
    summary.TakeCommon(event);
    summary.PutDate(EventStart, event.GetStart());
    summary.PutSpan(EventDuration, event.GetDuration());
    summary.PutSpan(EventReminderLead, event.GetReminderLead());
    summary.m_kindWord = std::uint32_t(event.GetExceptionCount());
    return summary;
}

CItemSummary CItemSummary::FromTask(const CTaskItem &task)
{
    CItemSummary summary;
    summary.m_kind = CCalendarItem::KindTask;
    summary.TakeCommon(task);
    summary.PutDate(TaskDue, task.GetDueDate());
    summary.PutDate(TaskStart, task.GetStartDate());
    summary.PutDate(TaskCompleted, task.GetCompletedDate());
    summary.PutDate(TaskReminderTime, task.GetReminderTime());
    summary.PutDate(PatternStart, task.GetPattern().GetStart());
    summary.m_kindWord = std::uint32_t(task.GetStatus());
    return summary;
}

CEventItem CItemSummary::ToEvent() const
{
    CEventItem event(m_recordId);
    event.SetStart(GetStart());
    event.SetDuration(GetDuration());
    event.SetReminderLead(GetReminderLead());
    GiveCommon(event);
    return event;
}

CTaskItem CItemSummary::ToTask() const
{
    CTaskItem task(m_recordId);
    task.SetStoredDates(GetDueDate(), GetStartDate(), GetCompletedDate());
    task.SetReminderTime(GetReminderTime());
    task.SetStatus(GetStatus());
    GiveCommon(task);
    return task;
}

std::unique_ptr<CCalendarItem> CItemSummary::MakeItem() const
{
    if (IsEvent())
        return std::make_unique<CEventItem>(ToEvent());
    if (IsTask())
        return std::make_unique<CTaskItem>(ToTask());
    return nullptr;
}
