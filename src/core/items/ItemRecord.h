// What the event and task records share: the plain-prefix size and padding rule, the bounded
// view of one record inside a stream, the reminder sound fields and the repairs made to
// records of the older layout.
#pragma once

#include "core/dates/DateTime.h"
#include "core/storage/MemoryStream.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class CCalendarItem;
class CReminderSound;

namespace ItemRecord {

// Length of the plain block at the head of every item record; the data file enciphers only
// what follows it, and summary reads fetch only this many bytes.
inline constexpr std::uint32_t PlainBlockSize = 164;

// Bytes a text takes in a record without its length word and NUL (UTF-8).
std::uint32_t TextBytes(const QString &text);
// The declared record length for the content size: the part after the plain block is padded
// with zeros to a multiple of 16 bytes.
std::uint32_t PaddedSize(std::uint64_t contentSize);

// The time rebuilt from its own parts, so that it carries whole seconds; a value that does not
// decompose is kept as it is.
CDateTime WholeSeconds(const CDateTime &t);
// A stored duration whose length in whole minutes is negative reads as 0.
CDateSpan StoredDuration(const CDateSpan &span);

// Sound mode byte and spare byte (one 16-bit value, mode low), repeat minutes, repeat seconds,
// file path.
void WriteSound(CMemoryStream &stream, const CReminderSound &sound);
void ReadSound(CMemoryStream &stream, CReminderSound &sound);
// The record head: tag, declared size, plain-block length, then the item's flags, reserved
// word and data-file stamp. Readers get the first three through CRecordReader.
void WritePlainHead(CMemoryStream &stream, std::uint32_t tag, std::uint32_t total, const CCalendarItem &item);
// Flags, the reserved word (absent from the older task layout) and the data-file stamp.
void ReadPlainHead(CMemoryStream &stream, CCalendarItem &item, bool withReserved);
// The snooze interval, snoozed-until time, snoozed occurrence, handled-up-to time and keep mark
// that close the plain block of both records.
void WriteReminderState(CMemoryStream &stream, const CCalendarItem &item);
void ReadReminderState(CMemoryStream &stream, CCalendarItem &item);
// The second block's tag and size, then the created and modified times.
void WriteSecondHead(CMemoryStream &stream, std::uint32_t tag, std::uint32_t total,
                     const CCalendarItem &item);
// The created and modified times that open every second block.
void ReadCreatedModified(CMemoryStream &stream, CCalendarItem &item);
// Subject, [location,] notes, type name, categories and unique id, in the record's order;
// the location only where the layout has one.
void WriteStoredTexts(CMemoryStream &stream, const CCalendarItem &item, const QString *location = nullptr);
void ReadStoredTexts(CMemoryStream &stream, CCalendarItem &item, QString *location = nullptr);
// Bytes of those texts and of the reminder sound's path, without length words and NULs.
std::uint64_t StoredTextsBytes(const CCalendarItem &item, const QString *location = nullptr);

// How far the reads of one record may go.
enum class Bound
{
    Record,     // up to the record's declared size, which must fit in the stream's bytes
    Buffer,     // up to the end of the stream's bytes, which must hold the declared size
    PlainBlock, // the summary: the stream's bytes must hold the plain block's declared length
};

// One record read out of a stream. The constructor reads tag (badClass when it differs),
// declared size and plain-block length and checks them against the stream's bytes from the
// tag on (genericException); the reads that follow can never pass the chosen bound
// (endOfFile). Done moves the outer stream past what was read.
class CRecordReader
{
  public:
    // The reader stands after the three header words.
    CRecordReader(CMemoryStream &outer, std::uint32_t tag, Bound bound);
    CRecordReader(const CRecordReader &) = delete;
    CRecordReader &operator=(const CRecordReader &) = delete;

    CMemoryStream &Stream() { return m_record; }
    std::uint32_t DeclaredSize() const { return m_declaredSize; }
    std::uint32_t PlainLength() const { return m_plainLength; }
    // The second block repeats tag and size: a different tag is badClass, a different size
    // genericException.
    void CheckSecondHeader(std::uint32_t tag);
    void Done();

  private:
    CMemoryStream &m_outer;
    CMemoryStream m_record;
    std::uint32_t m_declaredSize = 0;
    std::uint32_t m_plainLength = 0;
};

// Repairs made after reading a record of the older layout: an end date that is not at
// 23:59:59 moves there, a missing created or modified stamp takes the other one (both
// missing: both become now), the locked flag is cleared.
void RepairOldRecord(CCalendarItem &item);
// A stamp that was never set: zero, not valid or not a date of the calendar.
bool IsMissingStamp(const CDateTime &t);

// The whole record of an item as the data file stores it: the content followed by the zero
// padding up to the declared size. Item is CEventItem or CTaskItem.
template <class Item> QByteArray RecordBytes(const Item &item)
{
    const std::uint32_t total = item.GetStreamSize();
    CMemoryStream stream;
    stream.Reserve(total);
    item.Write(stream);
    if (stream.GetPosition() < total)
        stream.WriteZeros(total - stream.GetPosition());
    return stream.ToByteArray();
}

} // namespace ItemRecord
