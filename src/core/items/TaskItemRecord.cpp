// Task record: size, writer, readers of the whole record and of its plain block, and the
// reader of the older layout.
#include "core/storage/ArchiveException.h"
#include "core/items/ItemRecord.h"
#include "core/storage/MemoryStream.h"
#include "core/items/TaskItem.h"

using ItemRecord::CRecordReader;

namespace {
// The record with its six strings empty.
constexpr std::uint64_t kFixedContent = 360;
} // namespace

std::uint32_t CTaskItem::GetContentSize() const
{
    const std::uint64_t size = kFixedContent + ItemRecord::StoredTextsBytes(*this);
    return static_cast<std::uint32_t>(size);
}

std::uint32_t CTaskItem::GetStreamSize(std::uint32_t *plainLength) const
{
    if (plainLength)
        *plainLength = ItemRecord::PlainBlockSize;
    return ItemRecord::PaddedSize(GetContentSize());
}

void CTaskItem::Write(CMemoryStream &s) const
{
    const std::uint32_t total = GetStreamSize();
    const CRecurrencePattern &pattern = GetPattern();

    // Plain block.
    ItemRecord::WritePlainHead(s, RecordTag, total, *this);
    s.WriteDate(m_dueDate);
    s.WriteDate(m_startDate);
    s.WriteDate(m_completedDate);
    s.WriteUInt32(static_cast<std::uint32_t>(m_status));
    s.WriteUInt32(pattern.GetWord());
    s.WriteUInt16(pattern.GetInterval());
    s.WriteUInt16(pattern.GetDayNumber());
    s.WriteDate(pattern.GetStart());
    s.WriteDate(pattern.GetEnd());
    s.WriteDate(m_reminderTime);
    ItemRecord::WriteReminderState(s, *this);
    s.WriteZeros(44);

    // Second block.
    ItemRecord::WriteSecondHead(s, RecordTag, total, *this);
    s.WriteUInt32(static_cast<std::uint32_t>(m_priority));
    s.WriteUInt32(static_cast<std::uint32_t>(m_percentComplete));
    ItemRecord::WriteSound(s, GetReminderSound());
    s.WriteDate(GetReminderLead());
    s.WriteUInt32(GetReminderWindowSize());
    s.WriteUInt32(GetEditorWindowSize());
    s.WriteZeros(64);
    ItemRecord::WriteStoredTexts(s, *this);
    s.WriteZeros(50);
}

void CTaskItem::ReadPlainFields(CMemoryStream &s, bool oldLayout)
{
    ItemRecord::ReadPlainHead(s, *this, !oldLayout);
    s.ReadDate(m_dueDate);
    s.ReadDate(m_startDate);
    s.ReadDate(m_completedDate);
    m_status = static_cast<std::int32_t>(s.ReadUInt32());

    CRecurrencePattern pattern;
    pattern.SetWord(s.ReadUInt32());
    pattern.SetInterval(s.ReadUInt16());
    pattern.SetDayNumber(s.ReadUInt16());
    CDateTime when;
    s.ReadDate(when);
    pattern.SetStart(when);
    s.ReadDate(when);
    pattern.SetEnd(when);
    SetPattern(pattern);
    if (oldLayout)
        s.Skip(4);

    s.ReadDate(m_reminderTime);
    ItemRecord::ReadReminderState(s, *this);
    s.Skip(44);
}

void CTaskItem::ReadSummary(CMemoryStream &stream)
{
    CRecordReader record(stream, RecordTag, ItemRecord::Bound::PlainBlock);
    ReadPlainFields(record.Stream(), false);
    record.Done();
}

void CTaskItem::Read(CMemoryStream &stream)
{
    CRecordReader record(stream, RecordTag, ItemRecord::Bound::Record);
    ReadBody(record, false);
    record.Done();
}

void CTaskItem::ReadOldRecord(CMemoryStream &stream)
{
    CRecordReader record(stream, RecordTag, ItemRecord::Bound::Buffer);
    ReadBody(record, true);
    record.Done();

    // Older files had no closed series: a completed recurring task was the end of its series.
    if (IsRecurring() && IsCompleted())
        SetFlag(TF_SERIES_CLOSED, true);
    ItemRecord::RepairOldRecord(*this);
}

void CTaskItem::ReadBody(ItemRecord::CRecordReader &record, bool oldLayout)
{
    CMemoryStream &s = record.Stream();
    ReadPlainFields(s, oldLayout);
    record.CheckSecondHeader(RecordTag);
    ItemRecord::ReadCreatedModified(s, *this);
    m_priority = static_cast<std::int32_t>(s.ReadUInt32());
    m_percentComplete = static_cast<std::int32_t>(s.ReadUInt32());
    ItemRecord::ReadSound(s, ReminderSoundRecord());
    CDateSpan lead;
    s.ReadDate(lead);
    SetReminderLead(lead);
    SetReminderWindowSizeValue(s.ReadUInt32());
    SetEditorWindowSizeValue(s.ReadUInt32());
    if (!oldLayout)
        s.Skip(64);
    ItemRecord::ReadStoredTexts(s, *this);
    s.Skip(oldLayout ? 59 : 50);
}
