// Compact summaries: read from event and task records they carry exactly what the items'
// summary reads give (whatever the texts after the plain block), the items made from them equal
// the summary-read items, damaged plain blocks fail alike, and the item classes move without
// throwing.
#include "core/items/ItemTestUtil.h"
#include "core/items/RecordTestUtil.h"
#include "core/items/SummaryTestUtil.h"

#include "core/items/DatedDisplayItem.h"
#include "core/items/ItemRecord.h"
#include "core/items/ItemRef.h"
#include "core/items/ItemSummary.h"
#include "core/items/PatternDisplayItem.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskDisplayItem.h"
#include "core/items/TaskItem.h"

#include <gtest/gtest.h>
#include <random>
#include <type_traits>
#include <vector>

static_assert(std::is_nothrow_move_constructible_v<CItemSummary>);
static_assert(std::is_nothrow_move_assignable_v<CItemSummary>);
static_assert(std::is_nothrow_move_constructible_v<CEventItem>);
static_assert(std::is_nothrow_move_assignable_v<CEventItem>);
static_assert(std::is_nothrow_move_constructible_v<CTaskItem>);
static_assert(std::is_nothrow_move_assignable_v<CTaskItem>);
static_assert(std::is_nothrow_move_constructible_v<CItemRef>);
static_assert(std::is_nothrow_move_assignable_v<CItemRef>);
static_assert(std::is_nothrow_move_constructible_v<CDisplayItem>);
static_assert(std::is_nothrow_move_constructible_v<CDatedDisplayItem>);
static_assert(std::is_nothrow_move_constructible_v<CPatternDisplayItem>);
static_assert(std::is_nothrow_move_constructible_v<CTaskDisplayItem>);

using namespace summary_test;

namespace {
constexpr std::uint32_t kEventId = 0x1234;
constexpr std::uint32_t kTaskId = 0x100077;

CEventItem TextedEvent(CEventItem e, const Texts &t)
{
    e.SetStoredTexts(t.subject, t.notes, QStringLiteral("Meeting ✓"), QStringLiteral("Work, Ämter"),
                     QStringLiteral("{uid-%1}").arg(t.subject.size()));
    e.SetStoredLocation(t.subject);
    return e;
}

CTaskItem TextedTask(CTaskItem task, const Texts &t)
{
    task.SetStoredTexts(t.subject, t.notes, QStringLiteral("Call"), QStringLiteral("Home"),
                        QStringLiteral("{task-%1}").arg(t.subject.size()));
    return task;
}

// Events whose plain blocks differ: every field set, a single one, a start with a fraction of
// a second (read back to the whole second) and a negative length (read back as none).
std::vector<std::pair<const char *, CEventItem>> EventCases()
{
    std::vector<std::pair<const char *, CEventItem>> cases;
    CEventItem full = MakeSeries(At(2024, 3, 4, 9, 30), Minutes(90),
                                 Recur::Weekly | Recur::ByDate | Recur::Monday | Recur::HasEndDate, 2, 17,
                                 At(2024, 12, 31, 23, 59, 59));
    full.SetFlags(full.GetFlags() | CCalendarItem::FlagReminder | CCalendarItem::FlagSnoozed |
                  CCalendarItem::FlagLocked | 0x20000000);
    full.SetReservedValue(0x12345678);
    full.SetDataFileStamp(0xCAFEBABE);
    full.SetKeepMark(7);
    full.SetReminderLead(Minutes(15));
    full.SetSnoozeInterval(Minutes(5));
    full.SetSnoozedUntil(At(2024, 3, 11, 9, 20));
    full.SetSnoozedOccurrence(At(2024, 3, 11, 9, 30));
    full.SetHandledUpTo(At(2024, 3, 4, 9, 15));
    full.SetCreatedTime(At(2024, 2, 1, 8, 0));
    full.SetModified(At(2024, 2, 29, 17, 45, 12));
    full.InsertException(At(2024, 3, 18, 9, 30));
    full.InsertException(At(2024, 4, 1, 9, 30));
    cases.emplace_back("every field", full);

    CEventItem single;
    single.SetStart(At(2025, 1, 1, 0, 0));
    single.SetDuration(Days(1));
    cases.emplace_back("single", single);

    CEventItem fraction;
    fraction.SetStart(CDateTime(At(2024, 6, 1, 12, 0, 30).Value() + 0.4 / 86400.0));
    fraction.SetDuration(Minutes(30));
    cases.emplace_back("fraction of a second", fraction);

    CEventItem negative;
    negative.SetStart(At(2024, 6, 2, 8, 0));
    negative.SetDuration(Minutes(-90));
    cases.emplace_back("negative length", negative);
    return cases;
}

std::vector<std::pair<const char *, CTaskItem>> TaskCases()
{
    std::vector<std::pair<const char *, CTaskItem>> cases;
    CTaskItem full;
    full.SetDueDate(At(2024, 5, 31));
    full.SetStartDate(At(2024, 5, 20));
    full.SetCompletionDate(At(2024, 5, 25));
    full.SetRecurrence(Recur::Monthly | Recur::NthWeekday | Recur::Friday | Recur::Last | Recur::HasEndDate,
                       1, 0, At(2024, 1, 26), At(2025, 1, 1));
    full.SetFlags(full.GetFlags() | CCalendarItem::FlagReminder | CCalendarItem::FlagSnoozed |
                  CTaskItem::TF_COMPLETED);
    full.SetReservedValue(0x0BADF00D);
    full.SetDataFileStamp(0x10203040);
    full.SetReminderTime(At(2024, 5, 31, 8, 0));
    full.SetStatus(CTaskItem::StatusAwaiting);
    full.SetPriority(CTaskItem::PriorityHigh);
    full.SetPercentComplete(60);
    full.SetKeepMark(2);
    full.SetReminderLead(Hours(3));
    full.SetSnoozeInterval(Minutes(10));
    full.SetSnoozedUntil(At(2024, 5, 31, 8, 10));
    full.SetSnoozedOccurrence(At(2024, 5, 31));
    full.SetHandledUpTo(At(2024, 5, 1));
    cases.emplace_back("every field", full);

    CTaskItem open;
    open.SetStatus(-3); // an out-of-range status is carried as it is
    cases.emplace_back("no dates", open);
    return cases;
}

CArchiveException::Cause ReadSummaryFrom(const QByteArray &bytes, CItemSummary &summary, bool task,
                                         std::size_t *consumed = nullptr)
{
    CMemoryStream stream;
    stream.Attach(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    try {
        if (task)
            summary.ReadTask(stream, kTaskId);
        else
            summary.ReadEvent(stream, kEventId);
    } catch (const CArchiveException &e) {
        return e.GetCause();
    }
    if (consumed)
        *consumed = stream.GetPosition();
    return CArchiveException::none;
}
} // namespace

TEST(ItemSummary, EventRecordsGiveTheSummaryReadFields)
{
    for (const auto &[caseName, base] : EventCases()) {
        for (const Texts &texts : TextCases()) {
            SCOPED_TRACE(std::string(caseName) + ", " + texts.name);
            const CEventItem original = TextedEvent(base, texts);
            const QByteArray bytes = ItemRecord::RecordBytes(original);
            // The whole record and its plain block alone read the same.
            for (const QByteArray &input : {bytes, bytes.left(164)}) {
                CEventItem read(kEventId);
                std::size_t itemConsumed = 0, consumed = 0;
                ASSERT_EQ(ReadWith(input, read, &CEventItem::ReadSummary, &itemConsumed),
                          CArchiveException::none);
                CItemSummary summary;
                ASSERT_EQ(ReadSummaryFrom(input, summary, false, &consumed), CArchiveException::none);
                EXPECT_EQ(consumed, itemConsumed);
                ExpectSummaryOf(summary, read);
                EXPECT_EQ(summary.GetExceptionCount(), std::uint32_t(original.GetExceptionCount()));
                EXPECT_TRUE(read.GetSubject().isEmpty());

                ExpectSameItem(summary.ToEvent(), read);
                const auto made = summary.MakeItem();
                ASSERT_NE(dynamic_cast<CEventItem *>(made.get()), nullptr);
                ExpectSameItem(*static_cast<CEventItem *>(made.get()), read);
                // Taken from the summary-read item, the summary is the same again.
                ExpectSummaryOf(CItemSummary::FromEvent(read), read);
            }
        }
    }
}

TEST(ItemSummary, TaskRecordsGiveTheSummaryReadFields)
{
    for (const auto &[caseName, base] : TaskCases()) {
        for (const Texts &texts : TextCases()) {
            SCOPED_TRACE(std::string(caseName) + ", " + texts.name);
            const CTaskItem original = TextedTask(base, texts);
            const QByteArray bytes = ItemRecord::RecordBytes(original);
            for (const QByteArray &input : {bytes, bytes.left(164)}) {
                CTaskItem read(kTaskId);
                std::size_t itemConsumed = 0, consumed = 0;
                ASSERT_EQ(ReadWith(input, read, &CTaskItem::ReadSummary, &itemConsumed),
                          CArchiveException::none);
                CItemSummary summary;
                ASSERT_EQ(ReadSummaryFrom(input, summary, true, &consumed), CArchiveException::none);
                EXPECT_EQ(consumed, itemConsumed);
                ExpectSummaryOf(summary, read);
                EXPECT_EQ(summary.GetDueDate(), original.GetDueDate());
                EXPECT_EQ(summary.GetStatus(), original.GetStatus());

                ExpectSameItem(summary.ToTask(), read);
                const auto made = summary.MakeItem();
                ASSERT_NE(dynamic_cast<CTaskItem *>(made.get()), nullptr);
                ExpectSameItem(*static_cast<CTaskItem *>(made.get()), read);
                ExpectSummaryOf(CItemSummary::FromTask(read), read);
            }
        }
    }
}

TEST(ItemSummary, AnyPlainBlockReadsAsTheItemsReadIt)
{
    // Random bytes over the plain block reach every field with odd values (no whole second,
    // below the calendar, NaN, sizes that disagree); the items made from the summaries must
    // write what the summary-read items write.
    std::mt19937 rng(164);
    const QByteArray seeds[2] = {ItemRecord::RecordBytes(EventCases().front().second),
                                 ItemRecord::RecordBytes(TaskCases().front().second)};
    for (int round = 0; round < 4000; ++round) {
        const bool task = round % 2 == 1;
        QByteArray bytes = seeds[task].left(164 + int(rng() % 40));
        for (int edits = 1 + int(rng() % 6); edits > 0; --edits)
            bytes[int(rng() % 164)] = char(rng() & 0xFF);
        if (rng() % 8 == 0)
            bytes.truncate(int(rng() % 170));
        SCOPED_TRACE(bytes.toHex().toStdString());
        CItemSummary summary;
        std::size_t consumed = 0, itemConsumed = 0;
        const CArchiveException::Cause cause = ReadSummaryFrom(bytes, summary, task, &consumed);
        if (task) {
            CTaskItem read(kTaskId);
            ASSERT_EQ(cause, ReadWith(bytes, read, &CTaskItem::ReadSummary, &itemConsumed));
            if (cause == CArchiveException::none) {
                ASSERT_EQ(ItemRecord::RecordBytes(summary.ToTask()), ItemRecord::RecordBytes(read));
            }
        } else {
            CEventItem read(kEventId);
            ASSERT_EQ(cause, ReadWith(bytes, read, &CEventItem::ReadSummary, &itemConsumed));
            if (cause == CArchiveException::none) {
                ASSERT_EQ(ItemRecord::RecordBytes(summary.ToEvent()), ItemRecord::RecordBytes(read));
            }
        }
        ASSERT_EQ(consumed, itemConsumed);
    }
}

TEST(ItemSummary, DatesKeepTheirStatusThroughAnItem)
{
    // A summary taken from an item in memory keeps dates that are null or invalid as such.
    CTaskItem task(kTaskId);
    task.SetStoredDates(CDateTime::Null(), CDateTime::Invalid(), At(2024, 1, 2));
    task.SetSnoozedUntil(CDateTime::Null());
    CDateSpan interval = Minutes(5);
    interval.SetStatus(CDateSpan::invalid);
    task.SetSnoozeInterval(interval);
    const CItemSummary summary = CItemSummary::FromTask(task);
    ExpectSummaryOf(summary, task);
    ExpectSameItem(summary.ToTask(), task);

    CEventItem event(kEventId);
    event.SetStart(CDateTime::Invalid());
    event.SetHandledUpTo(CDateTime::Null());
    ExpectSameItem(CItemSummary::FromEvent(event).ToEvent(), event);

    EXPECT_EQ(CItemSummary().MakeItem(), nullptr);
}

TEST(ItemSummary, DamagedPlainBlocksFailAsTheItemReadersDo)
{
    const QByteArray event = ItemRecord::RecordBytes(EventCases().front().second);
    const QByteArray task = ItemRecord::RecordBytes(TaskCases().front().second);
    struct Case
    {
        const char *name;
        QByteArray bytes;
        bool task;
    };
    QByteArray badTag = event;
    PutU32(badTag, 0, 0x12345678);
    QByteArray longPlain = task;
    PutU32(longPlain, 8, 0x10000);
    const std::vector<Case> cases = {
        {"event read as a task", event, true},
        {"task read as an event", task, false},
        {"bad tag", badTag, false},
        {"plain length past the bytes", longPlain, true},
        {"cut in the header", event.left(10), false},
        {"cut in the plain block", event.left(100), false},
        {"task cut before its reminder state", task.left(130), true},
        {"empty", QByteArray(), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CArchiveException::Cause expected;
        if (c.task) {
            CTaskItem item;
            expected = ReadWith(c.bytes, item, &CTaskItem::ReadSummary);
        } else {
            CEventItem item;
            expected = ReadWith(c.bytes, item, &CEventItem::ReadSummary);
        }
        ASSERT_NE(expected, CArchiveException::none);
        // A summary that fails keeps what it held.
        CItemSummary summary = CItemSummary::FromEvent(EventCases().back().second);
        const CItemSummary before = summary;
        EXPECT_EQ(ReadSummaryFrom(c.bytes, summary, c.task), expected);
        EXPECT_EQ(summary.GetKind(), before.GetKind());
        EXPECT_EQ(summary.GetStart(), before.GetStart());
        EXPECT_EQ(summary.GetDuration(), before.GetDuration());
    }
}

TEST(ItemSummary, MovedDisplayItemsKeepTheirFields)
{
    CTaskDisplayItem task(1, QStringLiteral("Call"), At(2024, 5, 6), Days(1));
    task.SetItemRef(kTaskId);
    task.SetSubject(QStringLiteral("Ring the bank ☎"));
    task.SetStatus(CTaskItem::StatusInProgress);
    task.SetCompletedDate(At(2024, 5, 7));
    task.SetRect(QRect(1, 2, 3, 4));
    const CTaskDisplayItem copy(task);
    const CTaskDisplayItem moved(std::move(task));
    EXPECT_EQ(moved.GetItemRef(), copy.GetItemRef());
    EXPECT_EQ(moved.GetSubject(), copy.GetSubject());
    EXPECT_EQ(moved.GetItemTypeName(), copy.GetItemTypeName());
    EXPECT_EQ(moved.GetStart(), copy.GetStart());
    EXPECT_EQ(moved.GetEnd(), copy.GetEnd());
    EXPECT_EQ(moved.GetFlags(), copy.GetFlags());
    EXPECT_EQ(moved.GetStatus(), copy.GetStatus());
    EXPECT_EQ(moved.GetCompletedDate(), copy.GetCompletedDate());
    EXPECT_TRUE(moved.GetRect().isNull()); // the rectangle is the placing view's, as in a copy

    CPatternDisplayItem pattern;
    pattern.SetRecurrenceText(QStringLiteral("Every week"));
    pattern.SetLocation(QStringLiteral("Room 1"));
    const CPatternDisplayItem movedPattern(std::move(pattern));
    EXPECT_EQ(movedPattern.GetRecurrenceText(), QStringLiteral("Every week"));
    EXPECT_EQ(movedPattern.GetLocation(), QStringLiteral("Room 1"));

    CDatedDisplayItem dated;
    dated.SetNextDate(At(2024, 8, 1, 9, 0));
    dated.SetNotes(QStringLiteral("notes"));
    const CDatedDisplayItem movedDated(std::move(dated));
    EXPECT_EQ(movedDated.GetNextDate(), At(2024, 8, 1, 9, 0));
    EXPECT_EQ(movedDated.GetNotes(), QStringLiteral("notes"));
}
