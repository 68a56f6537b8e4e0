// Shared pieces of the item records: sizes, bounded record reads, sound fields, older-layout repairs.
#include "core/items/ItemRecord.h"

#include "core/storage/ArchiveException.h"
#include "core/items/CalendarItem.h"
#include "core/dates/DateRules.h"
#include "core/items/ReminderSound.h"
#include "core/storage/StoredText.h"

#include <cmath>

namespace ItemRecord {

std::uint32_t TextBytes(const QString &text)
{
    return static_cast<std::uint32_t>(EncodeStoredText(text).size());
}

std::uint32_t PaddedSize(std::uint64_t contentSize)
{
    if (contentSize <= PlainBlockSize)
        return PlainBlockSize;
    const std::uint64_t rest = contentSize - PlainBlockSize;
    return static_cast<std::uint32_t>(PlainBlockSize + (rest + 15) / 16 * 16);
}

CDateTime WholeSeconds(const CDateTime &t)
{
    CDateTime::Parts p;
    if (!t.GetParts(p))
        return t;
    const CDateTime rebuilt(p.year, p.month, p.day, p.hour, p.minute, p.second);
    return rebuilt.IsValid() ? rebuilt : t; // the last half second of 9999 rounds past the calendar
}

CDateSpan StoredDuration(const CDateSpan &span)
{
    // Whole minutes, as the length is counted everywhere else; a comparison of doubles keeps
    // a wild stored value from reaching an integer conversion.
    const double minutes = span.Value() * 1440.0 + 5.787037037037037e-6;
    if (std::trunc(minutes) < 0)
        return CDateSpan(0.0);
    return span;
}

void WriteSound(CMemoryStream &stream, const CReminderSound &sound)
{
    stream.WriteUInt16(static_cast<std::uint16_t>(sound.GetFlags() | (sound.GetSpare() << 8)));
    stream.WriteUInt8(sound.GetRepeatMinutes());
    stream.WriteUInt8(sound.GetRepeatSeconds());
    stream.WriteString(sound.GetPath());
}

void WritePlainHead(CMemoryStream &stream, std::uint32_t tag, std::uint32_t total, const CCalendarItem &item)
{
    stream.WriteUInt32(tag);
    stream.WriteUInt32(total);
    stream.WriteUInt32(PlainBlockSize);
    stream.WriteUInt32(item.GetFlags());
    stream.WriteUInt32(item.GetReservedValue());
    stream.WriteUInt32(item.GetDataFileStamp());
}

void ReadPlainHead(CMemoryStream &stream, CCalendarItem &item, bool withReserved)
{
    item.SetFlags(stream.ReadUInt32());
    if (withReserved)
        item.SetReservedValue(stream.ReadUInt32());
    item.SetDataFileStamp(stream.ReadUInt32());
}

void WriteReminderState(CMemoryStream &stream, const CCalendarItem &item)
{
    stream.WriteDate(item.GetSnoozeInterval());
    stream.WriteDate(item.GetSnoozedUntil());
    stream.WriteDate(item.GetSnoozedOccurrence());
    stream.WriteDate(item.GetHandledUpTo());
    stream.WriteUInt32(item.GetKeepMark());
}

void ReadReminderState(CMemoryStream &stream, CCalendarItem &item)
{
    CDateSpan span;
    stream.ReadDate(span);
    item.SetSnoozeInterval(span);
    CDateTime when;
    stream.ReadDate(when);
    item.SetSnoozedUntil(when);
    stream.ReadDate(when);
    item.SetSnoozedOccurrence(when);
    stream.ReadDate(when);
    item.SetHandledUpTo(when);
    item.SetKeepMark(stream.ReadUInt32());
}

void WriteSecondHead(CMemoryStream &stream, std::uint32_t tag, std::uint32_t total, const CCalendarItem &item)
{
    stream.WriteUInt32(tag);
    stream.WriteUInt32(total);
    stream.WriteDate(item.GetCreatedTime());
    stream.WriteDate(item.GetModified());
}

void ReadCreatedModified(CMemoryStream &stream, CCalendarItem &item)
{
    CDateTime t;
    stream.ReadDate(t);
    item.SetCreatedTime(t);
    stream.ReadDate(t);
    item.SetModified(t);
}

void WriteStoredTexts(CMemoryStream &stream, const CCalendarItem &item, const QString *location)
{
    stream.WriteString(item.GetSubject());
    if (location)
        stream.WriteString(*location);
    stream.WriteString(item.GetNotes());
    stream.WriteString(item.GetItemTypeName());
    stream.WriteString(item.GetCategories());
    stream.WriteString(item.GetUniqueId());
}

std::uint64_t StoredTextsBytes(const CCalendarItem &item, const QString *location)
{
    return std::uint64_t(TextBytes(item.GetReminderSound().GetPath())) + TextBytes(item.GetSubject()) +
           (location ? TextBytes(*location) : 0) + TextBytes(item.GetNotes()) +
           TextBytes(item.GetItemTypeName()) + TextBytes(item.GetCategories()) +
           TextBytes(item.GetUniqueId());
}

void ReadStoredTexts(CMemoryStream &stream, CCalendarItem &item, QString *location)
{
    QString subject, notes, typeName, categories, uniqueId;
    stream.ReadString(subject);
    if (location)
        stream.ReadString(*location);
    stream.ReadString(notes);
    stream.ReadString(typeName);
    stream.ReadString(categories);
    stream.ReadString(uniqueId);
    item.SetStoredTexts(subject, notes, typeName, categories, uniqueId);
}

void ReadSound(CMemoryStream &stream, CReminderSound &sound)
{
    const std::uint16_t modeAndSpare = stream.ReadUInt16();
    const std::uint8_t minutes = stream.ReadUInt8();
    const std::uint8_t seconds = stream.ReadUInt8();
    QString path;
    stream.ReadString(path);
    sound.SetFlags(static_cast<std::uint8_t>(modeAndSpare & 0xFF));
    sound.SetSpare(static_cast<std::uint8_t>(modeAndSpare >> 8));
    sound.SetRepeatDelay(minutes, seconds);
    sound.SetPath(path);
}

CRecordReader::CRecordReader(CMemoryStream &outer, std::uint32_t tag, Bound bound) : m_outer(outer)
{
    const std::uint8_t *start = outer.GetBuffer() + outer.GetPosition();
    const std::size_t available = outer.GetRemaining();
    m_record.Attach(start, available);
    if (m_record.ReadUInt32() != tag)
        throw CArchiveException(CArchiveException::badClass);
    m_declaredSize = m_record.ReadUInt32();
    if (bound != Bound::PlainBlock && m_declaredSize > available)
        throw CArchiveException(CArchiveException::genericException);
    m_plainLength = m_record.ReadUInt32();
    if (bound == Bound::PlainBlock && m_plainLength > available)
        throw CArchiveException(CArchiveException::genericException);
    if (bound == Bound::Record) {
        // Bytes past the declared size are not the record's (a data-file block keeps whatever
        // was there before after it): nothing may be read from them.
        if (m_declaredSize < 12)
            throw CArchiveException(CArchiveException::endOfFile);
        m_record.Attach(start, m_declaredSize);
        m_record.Skip(12);
    }
}

void CRecordReader::CheckSecondHeader(std::uint32_t tag)
{
    if (m_record.ReadUInt32() != tag)
        throw CArchiveException(CArchiveException::badClass);
    if (m_record.ReadUInt32() != m_declaredSize)
        throw CArchiveException(CArchiveException::genericException);
}

void CRecordReader::Done()
{
    m_outer.Skip(m_record.GetPosition());
}

bool IsMissingStamp(const CDateTime &t)
{
    CDateTime::Parts p;
    return !t.IsValid() || t.Value() == 0.0 || !t.GetParts(p);
}

void RepairOldRecord(CCalendarItem &item)
{
    if (item.GetPattern().HasEndDate()) {
        CDateTime::Parts p;
        if (item.GetPatternEnd().GetParts(p) && !(p.hour == 23 && p.minute == 59 && p.second == 59))
            item.SetPatternEnd(CDateTime(p.year, p.month, p.day, 23, 59, 59));
    }
    const bool noCreated = IsMissingStamp(item.GetCreatedTime());
    const bool noModified = IsMissingStamp(item.GetModified());
    if (noCreated && noModified) {
        const CDateTime now = GetNow();
        item.SetCreatedTime(now);
        item.SetModified(now);
    } else if (noCreated) {
        item.SetCreatedTime(item.GetModified());
    } else if (noModified) {
        item.SetModified(item.GetCreatedTime());
    }
    item.SetFlag(CCalendarItem::FlagLocked, false);
}

} // namespace ItemRecord
