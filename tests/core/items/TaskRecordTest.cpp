// Task record: sizes and padding, the plain block's bytes, round trips, summary reads,
// damaged records and the older layout.
#include "core/items/ItemTestUtil.h"
#include "core/items/RecordTestUtil.h"

#include "core/items/ItemRecord.h"
#include "core/items/TaskItem.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr std::uint32_t kTag = 0xA101971E;

CTaskItem PopulatedTask()
{
    CTaskItem t;
    t.SetDueDate(At(2024, 5, 31));
    t.SetStartDate(At(2024, 5, 20));
    t.SetCompletionDate(At(2024, 5, 25));
    t.SetRecurrence(Recur::Monthly | Recur::NthWeekday | Recur::Friday | Recur::Last | Recur::HasEndDate, 1,
                    0, At(2024, 1, 26), At(2025, 1, 1));
    t.SetFlags(t.GetFlags() | CCalendarItem::FlagReminder | CCalendarItem::FlagSnoozed |
               CCalendarItem::FlagOwnSound | CCalendarItem::FlagLocked | CTaskItem::TF_COMPLETED);
    t.SetReservedValue(0x0BADF00D);
    t.SetDataFileStamp(0x10203040);
    t.SetReminderTime(At(2024, 5, 31, 8, 0));
    t.SetStatus(CTaskItem::StatusAwaiting);
    t.SetPriority(CTaskItem::PriorityHigh);
    t.SetPercentComplete(60);
    t.SetCreatedTime(At(2024, 1, 20, 10, 11, 12));
    t.SetModified(At(2024, 5, 21, 13, 14, 15));
    t.SetKeepMark(2);
    t.SetReminderLead(Hours(3));
    t.SetSnoozeInterval(Minutes(10));
    t.SetSnoozedUntil(At(2024, 5, 31, 8, 10));
    t.SetSnoozedOccurrence(At(2024, 5, 31));
    t.SetHandledUpTo(At(2024, 5, 1));
    CReminderSound &sound = t.ReminderSoundRecord();
    sound.SetFlags(CReminderSound::DefaultBeep | CReminderSound::RepeatFlag);
    sound.SetSpare(9);
    sound.SetRepeatDelay(1, 0);
    sound.SetPath(QStringLiteral("bell.wav"));
    t.SetReminderWindowSizeValue(0x00FA012C);
    t.SetEditorWindowSizeValue(0x01C20258);
    t.SetStoredTexts(QStringLiteral("Pay the rent ✓"), QStringLiteral("Account 12\r\nRef. May"),
                     QStringLiteral("Finance"), QStringLiteral("Home"), QStringLiteral("{task-uid}"));
    return t;
}

void ExpectSameStoredTask(const CTaskItem &a, const CTaskItem &b)
{
    EXPECT_EQ(a.GetFlags(), b.GetFlags());
    EXPECT_EQ(a.GetReservedValue(), b.GetReservedValue());
    EXPECT_EQ(a.GetDataFileStamp(), b.GetDataFileStamp());
    EXPECT_EQ(a.GetDueDate(), b.GetDueDate());
    EXPECT_EQ(a.GetStartDate(), b.GetStartDate());
    EXPECT_EQ(a.GetCompletedDate(), b.GetCompletedDate());
    EXPECT_EQ(a.GetStatus(), b.GetStatus());
    EXPECT_EQ(a.GetPattern(), b.GetPattern());
    EXPECT_EQ(a.GetReminderTime(), b.GetReminderTime());
    EXPECT_EQ(a.GetSnoozeInterval(), b.GetSnoozeInterval());
    EXPECT_EQ(a.GetSnoozedUntil(), b.GetSnoozedUntil());
    EXPECT_EQ(a.GetSnoozedOccurrence(), b.GetSnoozedOccurrence());
    EXPECT_EQ(a.GetHandledUpTo(), b.GetHandledUpTo());
    EXPECT_EQ(a.GetKeepMark(), b.GetKeepMark());
    EXPECT_EQ(a.GetCreatedTime(), b.GetCreatedTime());
    EXPECT_EQ(a.GetModified(), b.GetModified());
    EXPECT_EQ(a.GetPriority(), b.GetPriority());
    EXPECT_EQ(a.GetPercentComplete(), b.GetPercentComplete());
    EXPECT_EQ(a.GetReminderSound(), b.GetReminderSound());
    EXPECT_EQ(a.GetReminderSound().GetSpare(), b.GetReminderSound().GetSpare());
    EXPECT_EQ(a.GetReminderLead(), b.GetReminderLead());
    EXPECT_EQ(a.GetReminderWindowSize(), b.GetReminderWindowSize());
    EXPECT_EQ(a.GetEditorWindowSize(), b.GetEditorWindowSize());
    EXPECT_EQ(a.GetSubject(), b.GetSubject());
    EXPECT_EQ(a.GetNotes(), b.GetNotes());
    EXPECT_EQ(a.GetItemTypeName(), b.GetItemTypeName());
    EXPECT_EQ(a.GetCategories(), b.GetCategories());
    EXPECT_EQ(a.GetUniqueId(), b.GetUniqueId());
}
} // namespace

TEST(TaskRecord, EmptyTaskHasTheFixedSizes)
{
    CTaskItem t;
    std::uint32_t plain = 0;
    EXPECT_EQ(t.GetContentSize(), 360u);
    EXPECT_EQ(t.GetStreamSize(&plain), 372u);
    EXPECT_EQ(plain, 164u);
    CMemoryStream s;
    t.Write(s);
    EXPECT_EQ(s.GetPosition(), 360u);
}

TEST(TaskRecord, PaddingUpToTheDeclaredSizeIsZero)
{
    // The writer leaves the padding to the buffer: a stream reserved for the record size must
    // hold zeros there, also when it had to grow out of a buffer that held other bytes.
    const CTaskItem t = PopulatedTask();
    const std::uint32_t content = t.GetContentSize();
    const std::uint32_t total = t.GetStreamSize();
    ASSERT_GT(total, content);
    {
        CMemoryStream s;
        s.Reserve(total);
        t.Write(s);
        ASSERT_EQ(s.GetPosition(), content);
        for (std::uint32_t i = content; i < total; ++i)
            EXPECT_EQ(s.GetBuffer()[i], 0) << i;
    }
    {
        CMemoryStream s;
        const QByteArray junk(200, '\xEE');
        s.WriteBytes(junk.constData(), junk.size());
        t.Write(s);
        for (std::uint32_t i = 200 + content; i < 200 + total; ++i)
            EXPECT_EQ(s.GetBuffer()[i], 0) << i;
    }
    const QByteArray bytes = ItemRecord::RecordBytes(t);
    EXPECT_EQ(std::uint32_t(bytes.size()), total);
    EXPECT_EQ(bytes.mid(int(content)), QByteArray(int(total - content), '\0'));
}

TEST(TaskRecord, PlainBlockBytes)
{
    const CTaskItem t = PopulatedTask();
    ByteBuilder expected;
    expected.U32(kTag)
        .U32(t.GetStreamSize())
        .U32(164)
        .U32(t.GetFlags())
        .U32(0x0BADF00D)
        .U32(0x10203040)
        .F64(At(2024, 5, 31).Value())
        .F64(At(2024, 5, 20).Value())
        .F64(At(2024, 5, 25).Value())
        .U32(3)
        .U32(Recur::Monthly | Recur::NthWeekday | Recur::Friday | Recur::Last | Recur::HasEndDate)
        .U16(1)
        .U16(0)
        .F64(At(2024, 1, 26).Value())
        .F64(At(2025, 1, 1, 23, 59, 59).Value())
        .F64(At(2024, 5, 31, 8, 0).Value())
        .F64(10.0 / 1440)
        .F64(At(2024, 5, 31, 8, 10).Value())
        .F64(At(2024, 5, 31).Value())
        .F64(At(2024, 5, 1).Value())
        .U32(2)
        .Zeros(44);
    ASSERT_EQ(expected.Size(), 164);
    const QByteArray bytes = ItemRecord::RecordBytes(t);
    EXPECT_EQ(bytes.left(164).toHex(' '), expected.Bytes().toHex(' '));
    // Second block: tag, size, created, modified, priority, percent, sound.
    ByteBuilder second;
    second.U32(kTag)
        .U32(t.GetStreamSize())
        .F64(At(2024, 1, 20, 10, 11, 12).Value())
        .F64(At(2024, 5, 21, 13, 14, 15).Value())
        .U32(1)
        .U32(60)
        .U16(0x0911)
        .U8(1)
        .U8(0)
        .Str("bell.wav")
        .F64(3.0 / 24)
        .U32(0x00FA012C)
        .U32(0x01C20258)
        .Zeros(64);
    EXPECT_EQ(bytes.mid(164, second.Size()).toHex(' '), second.Bytes().toHex(' '));
}

TEST(TaskRecord, PopulatedTaskRoundTrips)
{
    const CTaskItem original = PopulatedTask();
    const QByteArray bytes = ItemRecord::RecordBytes(original);
    CTaskItem copy(0x100010);
    std::size_t consumed = 0;
    ASSERT_EQ(ReadWith(bytes, copy, &CTaskItem::Read, &consumed), CArchiveException::none);
    ExpectSameStoredTask(original, copy);
    EXPECT_EQ(consumed, original.GetContentSize());
    EXPECT_EQ(copy.GetRecordId(), 0x100010u);
    EXPECT_EQ(copy.GetKind(), std::uint32_t(CCalendarItem::KindTask));
    EXPECT_EQ(ItemRecord::RecordBytes(copy), bytes);
}

TEST(TaskRecord, SummaryReadsThePlainBlockAlone)
{
    const CTaskItem original = PopulatedTask();
    const QByteArray bytes = ItemRecord::RecordBytes(original);
    CTaskItem t;
    std::size_t consumed = 0;
    ASSERT_EQ(ReadWith(bytes.left(164), t, &CTaskItem::ReadSummary, &consumed), CArchiveException::none);
    EXPECT_EQ(consumed, 164u);
    EXPECT_EQ(t.GetFlags(), original.GetFlags());
    EXPECT_EQ(t.GetDueDate(), original.GetDueDate());
    EXPECT_EQ(t.GetStartDate(), original.GetStartDate());
    EXPECT_EQ(t.GetStatus(), original.GetStatus());
    EXPECT_EQ(t.GetPattern(), original.GetPattern());
    EXPECT_EQ(t.GetReminderTime(), original.GetReminderTime());
    EXPECT_EQ(t.GetKeepMark(), original.GetKeepMark());
    EXPECT_EQ(t.GetSubject(), QString());
    EXPECT_EQ(t.GetPriority(), CTaskItem::PriorityNormal);
}

TEST(TaskRecord, DamagedRecordsRaiseTheirCause)
{
    const QByteArray good = ItemRecord::RecordBytes(PopulatedTask());
    const std::uint32_t total = std::uint32_t(good.size());
    const int pathLength = 164 + 36; // after tag, size, stamps, priority, percent and sound bytes
    ASSERT_EQ(GetU32(good, pathLength), 9u);
    struct Case
    {
        const char *name;
        std::function<void(QByteArray &)> damage;
        CArchiveException::Cause whole;
        CArchiveException::Cause summary;
    };
    const std::vector<Case> cases = {
        {"event tag", [](QByteArray &b) { PutU32(b, 0, 0xF197120E); }, CArchiveException::badClass,
         CArchiveException::badClass},
        {"size past the buffer", [&](QByteArray &b) { PutU32(b, 4, total + 16); },
         CArchiveException::genericException, CArchiveException::none},
        {"plain length past the buffer", [&](QByteArray &b) { PutU32(b, 8, total + 1); },
         CArchiveException::none, CArchiveException::genericException},
        {"second tag", [](QByteArray &b) { PutU32(b, 164, 0xA101971F); }, CArchiveException::badClass,
         CArchiveException::none},
        {"second size", [&](QByteArray &b) { PutU32(b, 168, total - 16); },
         CArchiveException::genericException, CArchiveException::none},
        {"path length past the end", [&](QByteArray &b) { PutU32(b, pathLength, 0xFFFFFFFF); },
         CArchiveException::endOfFile, CArchiveException::none},
        // Both sizes agree, but the texts lie past the declared size.
        {"declared size below the content",
         [](QByteArray &b) {
             PutU32(b, 4, 260);
             PutU32(b, 168, 260);
         },
         CArchiveException::endOfFile, CArchiveException::none},
    };
    for (const Case &c : cases) {
        QByteArray bytes = good;
        c.damage(bytes);
        CTaskItem whole, summary;
        EXPECT_EQ(ReadWith(bytes, whole, &CTaskItem::Read), c.whole) << c.name;
        EXPECT_EQ(ReadWith(bytes, summary, &CTaskItem::ReadSummary), c.summary) << c.name;
    }
    for (int cut : {0, 3}) {
        CTaskItem t;
        EXPECT_EQ(ReadWith(good.left(cut), t, &CTaskItem::Read), CArchiveException::endOfFile) << cut;
        EXPECT_EQ(ReadWith(good.left(cut), t, &CTaskItem::ReadSummary), CArchiveException::endOfFile) << cut;
    }
}

TEST(TaskRecord, FlippedBytesNeverCrash)
{
    const QByteArray good = ItemRecord::RecordBytes(PopulatedTask());
    for (int at = 0; at < good.size(); ++at) {
        QByteArray bytes = good;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x80);
        CTaskItem whole, summary, old;
        ReadWith(bytes, whole, &CTaskItem::Read);
        ReadWith(bytes, summary, &CTaskItem::ReadSummary);
        ReadWith(bytes, old, &CTaskItem::ReadOldRecord);
    }
}

// ---- Older layout ----

namespace {
struct OldTask
{
    std::uint32_t flags = 0;
    CDateTime due, start, completed;
    std::uint32_t word = 0;
    CDateTime patternStart, patternEnd;
    CDateTime created, modified;
};

// The older layout, laid out by hand: no reserved value, a skipped word before the reminder
// time, no zero block before the texts and 59 zero bytes at the end.
QByteArray OldTaskBytes(const OldTask &o)
{
    ByteBuilder b;
    b.U32(kTag).U32(0).U32(164).U32(o.flags).U32(0x5A5A);
    b.F64(o.due.Value()).F64(o.start.Value()).F64(o.completed.Value()).U32(1);
    b.U32(o.word).U16(2).U16(0).F64(o.patternStart.Value()).F64(o.patternEnd.Value());
    b.U32(0xDEADBEEF); // skipped
    b.F64(At(2006, 6, 6, 6, 0).Value()).F64(15.0 / 1440).F64(0).F64(0).F64(0).U32(0).Zeros(44);
    EXPECT_EQ(b.Size(), 164);
    b.U32(kTag).U32(0).F64(o.created.Value()).F64(o.modified.Value()).U32(4).U32(25);
    b.U16(0).U8(0).U8(30).Str("").F64(1.0 / 24).U32(0x00640064).U32(0);
    b.Str("Water the plants").Str("").Str("Home").Str("").Str("old-task").Zeros(59);
    const int total = b.Size();
    b.PatchU32(4, total);
    b.PatchU32(168, total);
    return b.Bytes();
}
} // namespace

TEST(TaskRecord, OlderLayoutReadsAndIsRepaired)
{
    FixedClock clock(At(2024, 6, 1, 12, 0));
    OldTask o;
    o.flags = CCalendarItem::FlagRecurring | CTaskItem::TF_HAS_DUE | CTaskItem::TF_COMPLETED |
              CCalendarItem::FlagLocked;
    o.due = At(2006, 6, 6);
    o.completed = At(2006, 6, 5);
    o.word = Recur::Weekly | Recur::ByDate | Recur::Tuesday | Recur::HasEndDate;
    o.patternStart = At(2006, 1, 3);
    o.patternEnd = At(2006, 12, 31);
    o.created = At(2006, 1, 1, 9, 0);

    CTaskItem t;
    ASSERT_EQ(ReadWith(OldTaskBytes(o), t, &CTaskItem::ReadOldRecord), CArchiveException::none);
    EXPECT_EQ(t.GetFlags(), CCalendarItem::FlagRecurring | CTaskItem::TF_HAS_DUE | CTaskItem::TF_COMPLETED |
                                CTaskItem::TF_SERIES_CLOSED);
    EXPECT_EQ(t.GetReservedValue(), 0u);
    EXPECT_EQ(t.GetDataFileStamp(), 0x5A5Au);
    EXPECT_EQ(t.GetDueDate(), o.due);
    EXPECT_EQ(t.GetCompletedDate(), o.completed);
    EXPECT_EQ(t.GetStatus(), 1);
    EXPECT_EQ(t.GetRecurrenceInterval(), 2);
    EXPECT_EQ(t.GetPatternStart(), o.patternStart);
    EXPECT_EQ(t.GetPatternEnd(), At(2006, 12, 31, 23, 59, 59));
    EXPECT_EQ(t.GetReminderTime(), At(2006, 6, 6, 6, 0));
    EXPECT_EQ(t.GetSnoozeInterval(), Minutes(15));
    EXPECT_EQ(t.GetCreatedTime(), o.created);
    EXPECT_EQ(t.GetModified(), o.created);
    EXPECT_EQ(t.GetPriority(), 4);
    EXPECT_EQ(t.GetPercentComplete(), 25);
    EXPECT_EQ(t.GetReminderLead(), Hours(1));
    EXPECT_EQ(t.GetReminderWindowSize(), 0x00640064u);
    EXPECT_EQ(t.GetSubject(), QStringLiteral("Water the plants"));
    EXPECT_EQ(t.GetItemTypeName(), QStringLiteral("Home"));
    EXPECT_EQ(t.GetUniqueId(), QStringLiteral("old-task"));
    // A closed series does not advance.
    CDateTime next;
    EXPECT_FALSE(t.GetNextDueDate(At(2024, 6, 1), next));
}

TEST(TaskRecord, OlderLayoutLeavesOpenAndSingleTasksAlone)
{
    struct Case
    {
        std::uint32_t flags;
        bool closed;
    };
    const CDateTime now = At(2024, 6, 1, 12, 0);
    FixedClock clock(now);
    for (const Case c : {Case{CCalendarItem::FlagRecurring, false}, Case{CTaskItem::TF_COMPLETED, false},
                         Case{CCalendarItem::FlagRecurring | CTaskItem::TF_COMPLETED, true}}) {
        OldTask o;
        o.flags = c.flags;
        o.due = At(2006, 6, 6);
        CTaskItem t;
        ASSERT_EQ(ReadWith(OldTaskBytes(o), t, &CTaskItem::ReadOldRecord), CArchiveException::none);
        EXPECT_EQ(t.HasFlag(CTaskItem::TF_SERIES_CLOSED), c.closed) << c.flags;
        // Both stamps missing: both become now.
        EXPECT_EQ(t.GetCreatedTime(), now);
        EXPECT_EQ(t.GetModified(), now);
    }
}
