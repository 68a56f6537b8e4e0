// One fuzz input for the event and task record readers, shared by the fuzz target and the test
// that replays the inputs kept under tests/data/fuzz. The first byte chooses how the rest is
// used: as a record as it stands, or as edits (offset, byte) and a cut applied to a valid
// record of each layout, which reaches the deeper fields far more often than raw bytes do.
// Whatever reads, is written and read again, and must give the same bytes, and the compact
// summary must agree with the items' summary reads; the items are then put through the
// operations that take their stored values as they come.
#pragma once

#include "common/ByteBuilder.h"
#include "core/storage/ArchiveException.h"
#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRecord.h"
#include "core/items/ItemSummary.h"
#include "core/storage/MemoryStream.h"
#include "core/items/TaskItem.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace RecordFuzz {

inline CEventItem SeedEvent()
{
    CEventItem e;
    e.SetStart(CDateTime(2024, 3, 4, 9, 30, 0));
    e.SetDuration(CDateSpan(1.0 / 16));
    e.SetRecurrence(0x1200 | 0x04 | 0x20 | 0x2000000, 1, 0, e.GetStart(), CDateTime(2024, 12, 31));
    e.SetReminder(true, CDateSpan(0.01));
    e.SetStoredTexts(QStringLiteral("subject"), QStringLiteral("notes"), QStringLiteral("type"),
                     QStringLiteral("cat"), QStringLiteral("uid"));
    e.SetStoredLocation(QStringLiteral("where"));
    CRecurrenceException x;
    x.keyDate = CDateTime(2024, 3, 7, 9, 30, 0);
    x.newStart = CDateTime(2024, 3, 8, 9, 30, 0);
    x.duration = CDateSpan(0.1);
    x.SetSubject(true, QStringLiteral("moved"));
    e.AppendStoredException(x);
    x.keyDate = CDateTime(2024, 3, 11, 9, 30, 0);
    x.SetDeleted(true);
    e.AppendStoredException(x);
    return e;
}

inline CTaskItem SeedTask()
{
    CTaskItem t;
    t.SetDueDate(CDateTime(2024, 5, 31));
    t.SetStartDate(CDateTime(2024, 5, 20));
    t.SetRecurrence(0x1400, 1, 31, CDateTime(2024, 1, 31), CDateTime());
    t.SetReminder(true, CDateSpan());
    t.SetReminderTime(CDateTime(2024, 5, 31, 8, 0, 0));
    t.SetStoredTexts(QStringLiteral("subject"), QStringLiteral("notes"), QStringLiteral("type"),
                     QStringLiteral("cat"), QStringLiteral("uid"));
    return t;
}

inline QByteArray OldEventSeed()
{
    ByteBuilder b;
    b.U32(CEventItem::RecordTag).U32(0).U32(160).U32(0x03).U32(0);
    b.F64(CDateTime(2008, 4, 1, 18, 0, 0).Value()).F64(0.1).U32(0x2000204).U16(1).U16(0);
    b.F64(CDateTime(2009, 5, 5).Value()).U32(1);
    b.F64(0.01).F64(0.01).F64(0).F64(0).F64(0).U32(0).Zeros(60);
    b.U32(CEventItem::RecordTag).U32(0).F64(0).F64(CDateTime(2008, 1, 1).Value());
    b.U32(CEventItem::RecordTag).U32(0).U32(0x20).F64(CDateTime(2008, 4, 7, 18, 0, 0).Value());
    b.F64(CDateTime(2008, 4, 8, 18, 0, 0).Value()).F64(0.1).F64(0).U32(0).F64(0).Zeros(52).Str("x").Str("y");
    b.U16(1).U8(0).U8(30).Str("").U32(0).Zeros(4).U32(0);
    b.Str("s").Str("n").Str("t").Str("c").Str("u").Zeros(54);
    b.PatchU32(4, std::uint32_t(b.Size()));
    b.PatchU32(164, std::uint32_t(b.Size()));
    return b.Bytes();
}

inline QByteArray OldTaskSeed()
{
    ByteBuilder b;
    b.U32(CTaskItem::RecordTag).U32(0).U32(164).U32(0x501).U32(0);
    b.F64(CDateTime(2006, 6, 6).Value()).F64(0).F64(CDateTime(2006, 6, 5).Value()).U32(2);
    b.U32(0x2004400).U16(1).U16(0).F64(CDateTime(2006, 1, 6).Value()).F64(CDateTime(2007, 1, 1).Value());
    b.U32(0).F64(0).F64(0.01).F64(0).F64(0).F64(0).U32(0).Zeros(44);
    b.U32(CTaskItem::RecordTag).U32(0).F64(CDateTime(2006, 1, 1).Value()).F64(0).U32(2).U32(0);
    b.U16(0).U8(0).U8(30).Str("").F64(0).U32(0).U32(0);
    b.Str("s").Str("n").Str("t").Str("c").Str("u").Zeros(59);
    b.PatchU32(4, std::uint32_t(b.Size()));
    b.PatchU32(168, std::uint32_t(b.Size()));
    return b.Bytes();
}

// Reads with one reader; true when the record was read whole.
template <class Item> bool TryRead(const QByteArray &bytes, Item &item, void (Item::*reader)(CMemoryStream &))
{
    CMemoryStream stream;
    stream.Attach(bytes.constData(), std::size_t(bytes.size()));
    try {
        (item.*reader)(stream);
    } catch (const CArchiveException &) {
        return false;
    }
    return true;
}

// The compact summary reads what an item's summary read does: it fails where that fails,
// and the item made from it writes the same bytes.
template <class Item>
const char *CheckCompactSummary(const QByteArray &bytes, bool itemRead, const Item &summaryItem)
{
    CItemSummary summary;
    CMemoryStream stream;
    stream.Attach(bytes.constData(), std::size_t(bytes.size()));
    bool read = true;
    try {
        if constexpr (std::is_same_v<Item, CTaskItem>)
            summary.ReadTask(stream, 0);
        else
            summary.ReadEvent(stream, 0);
    } catch (const CArchiveException &) {
        read = false;
    }
    if (read != itemRead)
        return "the compact summary and the summary read disagree on the record";
    if (!read)
        return nullptr;
    const QByteArray made = [&summary] {
        if constexpr (std::is_same_v<Item, CTaskItem>)
            return ItemRecord::RecordBytes(summary.ToTask());
        else
            return ItemRecord::RecordBytes(summary.ToEvent());
    }();
    if (made != ItemRecord::RecordBytes(summaryItem))
        return "the item made from a compact summary differs from the summary read";
    return nullptr;
}

// A record read once is written and read again: both writes must be the same bytes.
template <class Item> const char *CheckRewrite(const Item &item)
{
    const QByteArray first = ItemRecord::RecordBytes(item);
    if (first.size() != qsizetype(item.GetStreamSize()))
        return "record bytes differ from the declared size";
    Item again;
    if (!TryRead(first, again, &Item::Read))
        return "a written record does not read back";
    if (ItemRecord::RecordBytes(again) != first)
        return "a record read back writes different bytes";
    return nullptr;
}

inline void ExerciseEvent(CEventItem &e)
{
    const CDateTime start = e.GetStart();
    if (e.FindFirstOccurrenceInRange(start, 42)) {
        for (int i = 0; i < 200 && e.FindNextOccurrenceInRange(); ++i) {
        }
    }
    COccurrence occurrence;
    e.NextOccurrence(start, occurrence);
    CDateTime reminder, key;
    bool snoozed = false;
    e.FindReminder(1, start, reminder, key, snoozed);
    CTaskItem task;
    task.CopyFromItem(e, e.GetExceptionCount() ? e.GetExceptions().front().keyDate : CDateTime());
}

inline void ExerciseTask(CTaskItem &t)
{
    const CDateTime today(2024, 6, 20);
    CDateTime next;
    t.GetNextDueDate(today, next);
    t.GetNextOccurrenceAfter(today, next);
    t.IsShownInRange(today, 7);
    t.OverlapsRange(today, today + CDateSpan(7.0));
    t.GetDisplayValues(CTaskItem::DisplayBuilder::View, 2);
    t.GetDisplayValues(CTaskItem::DisplayBuilder::Print, 1);
    t.IsReminderDue(today, false);
    CEventItem event;
    event.CopyFromItem(t);
    if (t.GetNextDueDate(today, next))
        t.MoveToDueDate(next);
}

// Runs one input; returns a description of the first broken rule, or null.
inline const char *RunInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return nullptr;
    const unsigned mode = data[0] % 5;
    QByteArray bytes;
    if (mode == 0) {
        bytes = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    } else {
        switch (mode) {
        case 1:
            bytes = ItemRecord::RecordBytes(SeedEvent());
            break;
        case 2:
            bytes = ItemRecord::RecordBytes(SeedTask());
            break;
        case 3:
            bytes = OldEventSeed();
            break;
        default:
            bytes = OldTaskSeed();
            break;
        }
        // Pairs of (offset, byte) overwrite the seed; a trailing odd byte cuts it short.
        std::size_t i = 1;
        for (; i + 2 < size; i += 3) {
            const std::size_t at =
                (std::size_t(data[i]) | (std::size_t(data[i + 1]) << 8)) % std::size_t(bytes.size());
            bytes[qsizetype(at)] = char(data[i + 2]);
        }
        if (i < size)
            bytes.truncate(qsizetype(data[i]) * bytes.size() / 256);
    }

    CEventItem event, eventSummary, oldEvent;
    CTaskItem task, taskSummary, oldTask;
    const bool eventRead = TryRead(bytes, event, &CEventItem::Read);
    const bool eventSummaryRead = TryRead(bytes, eventSummary, &CEventItem::ReadSummary);
    const bool oldEventRead = TryRead(bytes, oldEvent, &CEventItem::ReadOldRecord);
    const bool taskRead = TryRead(bytes, task, &CTaskItem::Read);
    const bool taskSummaryRead = TryRead(bytes, taskSummary, &CTaskItem::ReadSummary);
    const bool oldTaskRead = TryRead(bytes, oldTask, &CTaskItem::ReadOldRecord);

    const char *problem = CheckCompactSummary(bytes, eventSummaryRead, eventSummary);
    if (!problem)
        problem = CheckCompactSummary(bytes, taskSummaryRead, taskSummary);
    if (eventRead && !problem)
        problem = CheckRewrite(event);
    if (oldEventRead && !problem)
        problem = CheckRewrite(oldEvent);
    if (taskRead && !problem)
        problem = CheckRewrite(task);
    if (oldTaskRead && !problem)
        problem = CheckRewrite(oldTask);
    if (problem)
        return problem;

    ExerciseEvent(event);
    ExerciseEvent(eventSummary);
    ExerciseEvent(oldEvent);
    ExerciseTask(task);
    ExerciseTask(taskSummary);
    ExerciseTask(oldTask);
    return nullptr;
}

} // namespace RecordFuzz
