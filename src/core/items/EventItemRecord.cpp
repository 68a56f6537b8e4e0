// Event record: size, writer, readers of the whole record and of its plain block, and the
// reader of the older layout.
#include "core/storage/ArchiveException.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRecord.h"
#include "core/storage/MemoryStream.h"

using ItemRecord::CRecordReader;

namespace {
// Fixed bytes of the record without exceptions: 188, plus the 161 of the sound, window
// sizes, zero blocks and six empty strings.
constexpr std::uint64_t kFixedContent = 188 + 161;
// An exception record without its three texts: 108 fixed bytes, three empty strings, 30 zero.
constexpr std::uint64_t kExceptionFixed = 153;
// An exception record of the older layout with its two texts empty.
constexpr std::uint64_t kOldExceptionFixed = 108 + 5 + 5;

void WriteException(CMemoryStream &s, const CRecurrenceException &x)
{
    s.WriteUInt32(CEventItem::RecordTag);
    s.WriteUInt32(x.stateFlags);
    s.WriteUInt32(x.reserved);
    s.WriteUInt32(x.overrideFlags);
    s.WriteDate(x.keyDate);
    s.WriteDate(x.newStart);
    s.WriteDate(x.duration);
    s.WriteDate(x.reminderLead);
    s.WriteUInt32(x.reservedWord);
    s.WriteDate(x.modified);
    s.WriteZeros(48);
    s.WriteString(x.subject);
    s.WriteString(x.location);
    s.WriteString(x.notes);
    s.WriteZeros(30);
}

void ReadException(CMemoryStream &s, CRecurrenceException &x, bool oldLayout)
{
    if (s.ReadUInt32() != CEventItem::RecordTag)
        throw CArchiveException(CArchiveException::badClass);
    x.stateFlags = s.ReadUInt32();
    if (!oldLayout)
        x.reserved = s.ReadUInt32();
    x.overrideFlags = s.ReadUInt32();
    s.ReadDate(x.keyDate);
    s.ReadDate(x.newStart);
    s.ReadDate(x.duration);
    s.ReadDate(x.reminderLead);
    x.reservedWord = s.ReadUInt32();
    s.ReadDate(x.modified);
    if (oldLayout) {
        s.Skip(52);
        s.ReadString(x.subject);
        s.ReadString(x.notes);
    } else {
        s.Skip(48);
        s.ReadString(x.subject);
        s.ReadString(x.location);
        s.ReadString(x.notes);
        s.Skip(30);
    }
}
} // namespace

std::uint32_t CEventItem::GetContentSize() const
{
    using ItemRecord::TextBytes;
    std::uint64_t size = kFixedContent;
    for (const CRecurrenceException &x : m_exceptions)
        size += kExceptionFixed + TextBytes(x.subject) + TextBytes(x.location) + TextBytes(x.notes);
    size += ItemRecord::StoredTextsBytes(*this, &m_location);
    return static_cast<std::uint32_t>(size);
}

std::uint32_t CEventItem::GetStreamSize(std::uint32_t *plainLength) const
{
    if (plainLength)
        *plainLength = ItemRecord::PlainBlockSize;
    return ItemRecord::PaddedSize(GetContentSize());
}

void CEventItem::Write(CMemoryStream &s) const
{
    const std::uint32_t total = GetStreamSize();
    const CRecurrencePattern &pattern = GetPattern();

    // Plain block.
    ItemRecord::WritePlainHead(s, RecordTag, total, *this);
    s.WriteDate(ItemRecord::WholeSeconds(m_start));
    s.WriteDate(m_duration);
    s.WriteUInt32(pattern.GetWord());
    s.WriteUInt16(pattern.GetInterval());
    s.WriteUInt16(pattern.GetDayNumber());
    s.WriteDate(pattern.GetEnd());
    s.WriteUInt32(static_cast<std::uint32_t>(m_exceptions.size()));
    s.WriteDate(GetReminderLead());
    ItemRecord::WriteReminderState(s, *this);
    s.WriteZeros(60);

    // Second block.
    ItemRecord::WriteSecondHead(s, RecordTag, total, *this);
    for (const CRecurrenceException &x : m_exceptions)
        WriteException(s, x);
    ItemRecord::WriteSound(s, GetReminderSound());
    s.WriteUInt32(GetReminderWindowSize());
    s.WriteUInt32(GetEditorWindowSize());
    s.WriteZeros(64);
    ItemRecord::WriteStoredTexts(s, *this, &m_location);
    s.WriteZeros(50);
}

std::uint32_t CEventItem::ReadPlainFields(CMemoryStream &s, bool withReserved)
{
    ItemRecord::ReadPlainHead(s, *this, withReserved);
    CDateTime start;
    s.ReadDate(start);
    CDateSpan duration;
    s.ReadDate(duration);
    m_start = ItemRecord::WholeSeconds(start);
    m_duration = ItemRecord::StoredDuration(duration);

    CRecurrencePattern pattern;
    pattern.SetWord(s.ReadUInt32());
    pattern.SetInterval(s.ReadUInt16());
    pattern.SetDayNumber(s.ReadUInt16());
    CDateTime end;
    s.ReadDate(end);
    pattern.SetEnd(end);
    pattern.SetStart(m_start);
    SetPattern(pattern);

    const std::uint32_t exceptionCount = s.ReadUInt32();
    CDateSpan lead;
    s.ReadDate(lead);
    SetReminderLead(lead);
    ItemRecord::ReadReminderState(s, *this);
    s.Skip(60);
    return exceptionCount;
}

void CEventItem::ReadSummary(CMemoryStream &stream)
{
    CRecordReader record(stream, RecordTag, ItemRecord::Bound::PlainBlock);
    ReadPlainFields(record.Stream(), true);
    record.Done();
}

void CEventItem::Read(CMemoryStream &stream)
{
    CRecordReader record(stream, RecordTag, ItemRecord::Bound::Record);
    CMemoryStream &s = record.Stream();
    const std::uint32_t exceptionCount = ReadPlainFields(s, true);
    record.CheckSecondHeader(RecordTag);
    ItemRecord::ReadCreatedModified(s, *this);

    // The count comes from the file: nothing is set aside for it before the record is known
    // to hold that many exceptions.
    m_exceptions.clear();
    s.RequireBytes(exceptionCount * kExceptionFixed);
    m_exceptions.reserve(exceptionCount);
    for (std::uint32_t i = 0; i < exceptionCount; ++i) {
        CRecurrenceException x;
        ReadException(s, x, false);
        m_exceptions.push_back(std::move(x));
    }

    ItemRecord::ReadSound(s, ReminderSoundRecord());
    SetReminderWindowSizeValue(s.ReadUInt32());
    SetEditorWindowSizeValue(s.ReadUInt32());
    s.Skip(64);
    QString location;
    ItemRecord::ReadStoredTexts(s, *this, &location);
    m_location = location;
    s.Skip(50);
    record.Done();
}

void CEventItem::ReadOldRecord(CMemoryStream &stream)
{
    CRecordReader record(stream, RecordTag, ItemRecord::Bound::Buffer);
    CMemoryStream &s = record.Stream();
    const std::uint32_t exceptionCount = ReadPlainFields(s, false);
    record.CheckSecondHeader(RecordTag);
    ItemRecord::ReadCreatedModified(s, *this);

    m_exceptions.clear();
    s.RequireBytes(exceptionCount * kOldExceptionFixed);
    m_exceptions.reserve(exceptionCount);
    for (std::uint32_t i = 0; i < exceptionCount; ++i) {
        CRecurrenceException x;
        ReadException(s, x, true);
        m_exceptions.push_back(std::move(x));
    }

    ItemRecord::ReadSound(s, ReminderSoundRecord());
    SetReminderWindowSizeValue(s.ReadUInt32());
    s.Skip(4);
    SetEditorWindowSizeValue(s.ReadUInt32());
    ItemRecord::ReadStoredTexts(s, *this);
    m_location.clear();
    s.Skip(54);
    record.Done();

    ItemRecord::RepairOldRecord(*this);
}
