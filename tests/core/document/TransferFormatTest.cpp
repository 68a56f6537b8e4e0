// The private item format: occurrence copies, round trips of events, series and tasks, and
// damaged bytes that must paste nothing.
#include "core/document/TransferFormat.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecordTestUtil.h"
#include "common/FakeMessagePort.h"
#include "core/items/RecurrenceBits.h"
#include "core/system/StringTable.h"
#include "core/items/TaskItem.h"
#include "core/document/TransferPaste.h"
#include "core/document/TransferWriter.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint32_t kVersion = 0x00020005;

// A daily series at 09:00 for an hour with one changed and one deleted occurrence.
CEventItem MakeChangedSeries()
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), Recur::Daily | Recur::ByDate, 1);
    e.SetRecordId(17);
    e.SetUniqueId(QStringLiteral("ABC-1"));
    e.SetDataFileStamp(0x1234);
    e.SetKeepMark(5);
    e.SetSubject(QStringLiteral("Standup"));
    e.SetLocation(QStringLiteral("Room 1"));
    e.SetNotes(QStringLiteral("daily"));
    e.SetReminder(true, Minutes(15));
    CRecurrenceException *changed = e.GetException(At(2024, 6, 5, 9, 0), true);
    changed->SetSubject(true, QStringLiteral("Standup moved"));
    changed->SetLocation(true, QStringLiteral("Room 2"));
    changed->SetReminder(false, Minutes(5));
    changed->newStart = At(2024, 6, 5, 11, 0);
    CRecurrenceException *deleted = e.GetException(At(2024, 6, 6, 9, 0), true);
    deleted->SetDeleted(true);
    return e;
}

CTaskItem MakeTask()
{
    CTaskItem t(9);
    t.SetSubject(QStringLiteral("File taxes"));
    t.SetNotes(QStringLiteral("forms\nreceipts"));
    t.SetDueDate(At(2024, 6, 20));
    t.SetStartDate(At(2024, 6, 17));
    t.SetReminder(true, CDateSpan());
    t.SetReminderTime(At(2024, 6, 19, 8, 0));
    t.SetPriority(CTaskItem::PriorityHigh);
    t.SetUniqueId(QStringLiteral("T-9"));
    return t;
}

std::vector<TransferRecord> ReadOk(const QByteArray &bytes)
{
    std::vector<TransferRecord> records;
    EXPECT_EQ(ReadTransferBytes(bytes, kVersion, nullptr, records), S_OK);
    return records;
}
} // namespace

TEST(TransferCopyTest, OccurrenceOfSeriesTravelsAsSingleEventWithItsExceptionTexts)
{
    const CEventItem series = MakeChangedSeries();
    CEventItem out;
    // A changed occurrence, from a day view and from the Event List alike.
    for (bool fromList : {false, true}) {
        SCOPED_TRACE(fromList);
        EXPECT_EQ(PrepareEventForTransfer(series, At(2024, 6, 5, 9, 0), At(2024, 6, 5, 11, 0),
                                          At(2024, 6, 5, 12, 0), fromList, out),
                  Transfer::TagEvent);
        EXPECT_FALSE(out.IsRecurring());
        EXPECT_EQ(out.GetExceptionCount(), 0);
        EXPECT_EQ(out.GetStart(), At(2024, 6, 5, 11, 0));
        EXPECT_NEAR(out.GetDuration().GetTotalMinutes(), 60.0, 1e-6);
        EXPECT_EQ(out.GetSubject(), QStringLiteral("Standup moved"));
        EXPECT_EQ(out.GetLocation(), QStringLiteral("Room 2"));
        EXPECT_EQ(out.GetNotes(), QStringLiteral("daily")); // not overridden
        EXPECT_FALSE(out.HasFlag(CCalendarItem::FlagReminder));
        EXPECT_EQ(out.GetRecordId(), 0u);
        EXPECT_TRUE(out.GetUniqueId().isEmpty());
        EXPECT_EQ(out.GetDataFileStamp(), 0u);
        EXPECT_EQ(out.GetKeepMark(), 0u);
    }
}

TEST(TransferCopyTest, SeriesOnlyFromEventListAndDeletedOccurrenceIsEmpty)
{
    const CEventItem series = MakeChangedSeries();
    CEventItem out;
    const CDateTime s = At(2024, 6, 4, 9, 0), e = At(2024, 6, 4, 10, 0);
    EXPECT_EQ(PrepareEventForTransfer(series, s, s, e, true, out), Transfer::TagSeries);
    EXPECT_TRUE(out.IsRecurring());
    EXPECT_EQ(out.GetExceptionCount(), 2);
    EXPECT_EQ(PrepareEventForTransfer(series, s, s, e, false, out), Transfer::TagEvent);
    EXPECT_FALSE(out.IsRecurring());
    EXPECT_EQ(out.GetStart(), s);
    const CDateTime gone = At(2024, 6, 6, 9, 0);
    EXPECT_EQ(PrepareEventForTransfer(series, gone, gone, gone + Hours(1), true, out), Transfer::TagEmpty);
}

TEST(TransferBytesTest, RoundTripsSeriesEventAndTaskWithEmptyRecordsCounted)
{
    const CEventItem series = MakeChangedSeries();
    CEventItem single;
    single.SetStart(At(2024, 7, 1, 14, 30));
    single.SetDuration(Minutes(45));
    single.SetSubject(QStringLiteral("Dentist"));
    const CTaskItem task = MakeTask();

    CTransferWriter writer(kVersion);
    writer.AddEvent(series, Transfer::TagSeries);
    writer.AddEmpty();
    writer.AddEvent(single, Transfer::TagEvent);
    writer.AddTask(task);
    const QByteArray bytes = writer.GetBytes();
    EXPECT_EQ(GetU32(bytes, 0), kVersion);
    EXPECT_EQ(GetU32(bytes, 4), 4u);
    EXPECT_EQ(GetU32(bytes, 8), Transfer::TagSeries);
    EXPECT_EQ(GetU32(bytes, 12), series.GetStreamSize());
    EXPECT_EQ(GetU32(bytes, 16), CEventItem::RecordTag); // the record's own tag

    const std::vector<TransferRecord> records = ReadOk(bytes);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].tag, Transfer::TagSeries);
    const auto &back = static_cast<const CEventItem &>(*records[0].item);
    EXPECT_TRUE(back.IsRecurring());
    ASSERT_EQ(back.GetExceptionCount(), 2);
    EXPECT_EQ(back.GetExceptionAt(0)->subject, QStringLiteral("Standup moved"));
    EXPECT_TRUE(back.GetExceptionAt(1)->IsDeleted());
    EXPECT_EQ(back.GetSubject(), QStringLiteral("Standup"));
    EXPECT_EQ(back.GetUniqueId(), QStringLiteral("ABC-1"));

    EXPECT_EQ(records[1].tag, Transfer::TagEvent);
    const auto &one = static_cast<const CEventItem &>(*records[1].item);
    EXPECT_EQ(one.GetStart(), At(2024, 7, 1, 14, 30));
    EXPECT_EQ(one.GetSubject(), QStringLiteral("Dentist"));

    EXPECT_EQ(records[2].tag, Transfer::TagTask);
    const auto &t = static_cast<const CTaskItem &>(*records[2].item);
    EXPECT_EQ(t.GetDueDate(), At(2024, 6, 20));
    EXPECT_EQ(t.GetStartDate(), At(2024, 6, 17));
    EXPECT_EQ(t.GetReminderTime(), At(2024, 6, 19, 8, 0));
    EXPECT_EQ(t.GetNotes(), QStringLiteral("forms\nreceipts"));
    EXPECT_EQ(t.GetPriority(), int(CTaskItem::PriorityHigh));
}

TEST(TransferBytesTest, OtherFormatVersionReadsNothing)
{
    CTransferWriter writer(0x00020004);
    writer.AddTask(MakeTask());
    std::vector<TransferRecord> records;
    EXPECT_EQ(ReadTransferBytes(writer.GetBytes(), kVersion, nullptr, records), S_FALSE);
    EXPECT_TRUE(records.empty());
}

TEST(TransferBytesTest, TextAndMarkerForms)
{
    EXPECT_EQ(SelectionText({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a\r\nb\r\n"));
    EXPECT_FALSE(PastedTextGoesToNotes(QStringLiteral("Lunch")));
    EXPECT_TRUE(PastedTextGoesToNotes(QStringLiteral("Lunch\nwith Ann")));
    std::uint32_t count = 0;
    EXPECT_TRUE(ReadMarker(MarkerBytes(3), count));
    EXPECT_EQ(count, 3u);
    EXPECT_FALSE(ReadMarker(QByteArray("\x01\x00", 2), count));
}

namespace {
// Records every store and every item shown; a chosen store call can fail.
class RecordingSink : public IPasteSink
{
  public:
    HRESULT StoreEvent(CEventItem &event) override
    {
        if (++stores == failAt)
            return HresultFromSystem(SystemError::DiskFull);
        events.push_back(event);
        return S_OK;
    }
    HRESULT StoreTask(CTaskItem &task) override
    {
        if (++stores == failAt)
            return HresultFromSystem(SystemError::DiskFull);
        tasks.push_back(task);
        return S_OK;
    }
    void InitNewEventTimes(CEventItem &event) override
    {
        event.SetStart(At(2024, 1, 1, 8, 0));
        event.SetDuration(Minutes(30));
    }
    void AddItemToView(CCalendarItem &, bool offerToTaskPad) override
    {
        ++shown;
        offered += offerToTaskPad ? 1 : 0;
    }
    std::vector<CEventItem> events;
    std::vector<CTaskItem> tasks;
    int stores = 0, failAt = -1, shown = 0, offered = 0;
};

QByteArray ThreeDaysAndATask()
{
    CTransferWriter writer(kVersion);
    for (int day = 3; day <= 5; ++day) {
        CEventItem e;
        e.SetStart(At(2024, 6, day, 9 + day, 15));
        e.SetDuration(Hours(1));
        writer.AddEvent(e, Transfer::TagEvent);
    }
    writer.AddTask(MakeTask());
    return writer.GetBytes();
}

PasteTarget MonthTarget()
{
    PasteTarget target;
    target.containerKind = 4;
    target.viewKind = 4;
    target.formatVersion = kVersion;
    target.firstCellDate = At(2024, 9, 10);
    return target;
}
} // namespace

TEST(TransferPasteTest, DamagedBytesPasteNothingAndSayWhy)
{
    const QByteArray good = ThreeDaysAndATask();
    const int firstLength = 12; // length field of the first record
    const int firstRecord = 16; // its own tag
    struct Case
    {
        const char *name;
        QByteArray bytes;
    };
    std::vector<Case> cases;
    for (int cut : {6, 12, 40, int(good.size()) - 1})
        cases.push_back({"truncated", good.left(cut)});
    QByteArray hugeCount = good;
    PutU32(hugeCount, 4, 0xFFFFFFFF);
    cases.push_back({"huge count", hugeCount});
    QByteArray hugeLength = good;
    PutU32(hugeLength, firstLength, 0x7FFFFFF0);
    cases.push_back({"huge length", hugeLength});
    QByteArray flippedTag = good;
    flippedTag[firstRecord] = char(flippedTag[firstRecord] ^ 0x01);
    cases.push_back({"flipped record tag", flippedTag});
    QByteArray shortLength = good;
    PutU32(shortLength, firstLength, GetU32(good, firstLength) - 16);
    cases.push_back({"record length below its size", shortLength});
    // The text count of the first record claims more strings than bytes remain.
    QByteArray hugeTexts = good;
    const int textCount = firstRecord + int(GetU32(good, firstLength)) + 5;
    PutU32(hugeTexts, textCount, 0x40000000);
    cases.push_back({"huge text count", hugeTexts});

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeMessagePort port;
        RecordingSink sink;
        CTransferPaste paste(MonthTarget(), sink);
        EXPECT_EQ(paste.Paste(c.bytes), S_FALSE);
        EXPECT_EQ(sink.stores, 0);
        ASSERT_EQ(port.shown.size(), 1);
        EXPECT_EQ(port.LastText(), LoadResString(IDS_PASTE_DAMAGED));
        EXPECT_EQ(port.shown.last().icon, MessageIcon::Warning);
    }
}

TEST(TransferPasteTest, EventsKeepTheirSpacingAndTaskMovesWithItsReminder)
{
    FakeMessagePort port;
    RecordingSink sink;
    CTransferPaste paste(MonthTarget(), sink);
    EXPECT_EQ(paste.Paste(ThreeDaysAndATask()), S_OK);
    EXPECT_TRUE(port.shown.isEmpty());
    ASSERT_EQ(sink.events.size(), 3u);
    // Month view: the first lands on the selected day at its own time; the others follow.
    EXPECT_EQ(sink.events[0].GetStart(), At(2024, 9, 10, 12, 15));
    EXPECT_EQ(sink.events[1].GetStart(), At(2024, 9, 11, 13, 15));
    EXPECT_EQ(sink.events[2].GetStart(), At(2024, 9, 12, 14, 15));
    ASSERT_EQ(sink.tasks.size(), 1u);
    const CTaskItem &t = sink.tasks[0];
    // Start 06-17 -> 09-10 is 85 days: due and reminder move by the same days.
    EXPECT_EQ(t.GetStartDate(), At(2024, 9, 10));
    EXPECT_EQ(t.GetDueDate(), At(2024, 9, 13));
    EXPECT_EQ(t.GetReminderTime(), At(2024, 9, 12, 8, 0));
    EXPECT_EQ(t.GetRecordId(), 0u);
    EXPECT_TRUE(t.GetUniqueId().isEmpty());
    EXPECT_EQ(sink.offered, 1);
    EXPECT_TRUE(paste.OfferedToTaskPad());
}

TEST(TransferPasteTest, SingleEventGoesToPickedDayOrSelectedEntry)
{
    CEventItem e;
    e.SetStart(At(2024, 6, 3, 9, 40));
    e.SetDuration(Hours(2));
    struct Case
    {
        const char *name;
        int viewKind;
        CDateTime navigatorDay;
        bool hasEntry;
        CDateTime expectedStart;
        double expectedDays;
    };
    const Case cases[] = {
        {"picked day at the event's time", 4, At(2024, 8, 1), false, At(2024, 8, 1, 9, 40), 2.0 / 24},
        {"first selected entry's start", 4, CDateTime::Null(), true, At(2024, 8, 2, 15, 0), 2.0 / 24},
        {"time grid: the cell's date at its row time", 1, CDateTime::Null(), false, At(2024, 9, 10, 14, 30),
         2.0 / 24},
        {"month cell: its date at the event's time", 4, CDateTime::Null(), false, At(2024, 9, 10, 9, 40),
         2.0 / 24},
        {"banner: midnight of the cell, one day", 2, CDateTime::Null(), false, At(2024, 9, 10), 1.0},
        {"list keeps its times", 6, At(2024, 8, 1), false, At(2024, 6, 3, 9, 40), 2.0 / 24},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        PasteTarget target = MonthTarget();
        target.viewKind = c.viewKind;
        target.navigatorDay = c.navigatorDay;
        target.hasSelectedEntry = c.hasEntry;
        target.selectedEntryStart = At(2024, 8, 2, 15, 0);
        // A time grid cell stands for its row's time; other cells for their whole day.
        if (c.viewKind == 1)
            target.firstCellDate = At(2024, 9, 10, 14, 30);
        CTransferPaste paste(target, sink);
        CEventItem copy(e);
        paste.PlaceEvent(copy, false);
        EXPECT_EQ(copy.GetStart(), c.expectedStart);
        EXPECT_NEAR(copy.GetDuration().GetTotalDays(), c.expectedDays, 1e-9);
    }
}

TEST(TransferPasteTest, SeriesBecomesOneEventOnTheSelectedDay)
{
    RecordingSink sink;
    PasteTarget target = MonthTarget();
    target.viewKind = 1;
    target.shownSpan = Hours(14);
    CTransferPaste paste(target, sink);
    CEventItem series = MakeChangedSeries();
    series.SetDuration(Days(1));
    paste.PlaceEvent(series, true);
    EXPECT_FALSE(series.IsRecurring());
    EXPECT_EQ(series.GetExceptionCount(), 0);
    EXPECT_EQ(series.GetStart(), At(2024, 9, 10, 9, 0));
    EXPECT_NEAR(series.GetDuration().GetTotalHours(), 14.0, 1e-9); // a whole day fits the grid's span
    EXPECT_EQ(series.GetRecordId(), 0u);
    EXPECT_TRUE(series.GetUniqueId().isEmpty());
}

TEST(TransferPasteTest, TaskPasteFollowsTheTargetContainer)
{
    CTransferWriter writer(kVersion);
    writer.AddTask(MakeTask());
    const QByteArray bytes = writer.GetBytes();
    struct Case
    {
        const char *name;
        int container, view;
        int tasks, events;
        CDateTime due; // of the stored task
        bool offered;
    };
    const Case cases[] = {
        {"Search: a new task with its own dates", 8, 7, 1, 0, At(2024, 6, 20), false},
        {"Event List: an event", 6, 6, 0, 1, {}, false},
        {"day view: redated, offered to the TaskPad", 1, 1, 1, 0, At(2024, 9, 13), true},
        {"month view: redated, offered to the TaskPad", 4, 4, 1, 0, At(2024, 9, 13), true},
        {"year view: redated, not offered", 5, 5, 1, 0, At(2024, 9, 13), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeMessagePort port;
        RecordingSink sink;
        PasteTarget target = MonthTarget();
        target.containerKind = c.container;
        target.viewKind = c.view;
        CTransferPaste paste(target, sink);
        ASSERT_EQ(paste.Paste(bytes), S_OK);
        ASSERT_EQ(int(sink.tasks.size()), c.tasks);
        ASSERT_EQ(int(sink.events.size()), c.events);
        EXPECT_EQ(sink.shown, 1);
        EXPECT_EQ(sink.offered, c.offered ? 1 : 0);
        EXPECT_EQ(paste.OfferedToTaskPad(), c.offered);
        if (c.tasks == 1) {
            const CTaskItem &t = sink.tasks[0];
            EXPECT_EQ(t.GetDueDate(), c.due);
            // Always stored as a new item.
            EXPECT_EQ(t.GetRecordId(), 0u);
            EXPECT_TRUE(t.GetUniqueId().isEmpty());
        } else {
            EXPECT_EQ(sink.events[0].GetSubject(), QStringLiteral("File taxes"));
        }
    }
}

TEST(TransferPasteTest, TaskRedatingMovesDueStartAndReminder)
{
    struct Case
    {
        const char *name;
        bool hasStart;
        bool hasDue;
        CDateTime due, start, reminder;
    };
    const Case cases[] = {
        {"no due date: due on the target", false, false, At(2024, 9, 10), {}, At(2024, 6, 19, 8, 0)},
        {"due only: due on the target, reminder keeps its lead",
         false,
         true,
         At(2024, 9, 10),
         {},
         At(2024, 9, 9, 8, 0)},
        {"start and due: start on the target", true, true, At(2024, 9, 13), At(2024, 9, 10),
         At(2024, 9, 12, 8, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CTaskItem t = MakeTask();
        if (!c.hasStart)
            t.SetFlag(CTaskItem::TF_HAS_START, false);
        if (!c.hasDue)
            t.SetFlags(t.GetFlags() & ~(CTaskItem::TF_HAS_DUE | CTaskItem::TF_HAS_START));
        CTransferPaste::RedateTask(t, At(2024, 9, 10, 13, 0));
        EXPECT_EQ(t.GetDueDate(), c.due);
        if (c.hasStart) {
            EXPECT_EQ(t.GetStartDate(), c.start);
        }
        EXPECT_EQ(t.GetReminderTime(), c.reminder);
    }
}

TEST(TransferPasteTest, TaskIntoEventListBecomesEventOverItsDays)
{
    CTaskItem t = MakeTask();
    t.SetItemTypeName(QStringLiteral("Payment"));
    CEventItem e;
    e.SetStart(At(2024, 1, 1, 8, 0));
    CTransferPaste::TaskToEvent(t, true, e);
    EXPECT_EQ(e.GetStart(), At(2024, 6, 17));
    EXPECT_EQ(e.GetDuration().GetTotalDays(), 4.0); // 17th through the 20th
    EXPECT_EQ(e.GetSubject(), QStringLiteral("File taxes"));
    EXPECT_EQ(e.GetItemTypeName(), QStringLiteral("Payment"));

    t.SetFlag(CTaskItem::TF_HAS_START, false);
    CTransferPaste::TaskToEvent(t, true, e);
    EXPECT_EQ(e.GetStart(), At(2024, 6, 20)); // the due day, where the task shows
    EXPECT_EQ(e.GetDuration().GetTotalDays(), 1.0);

    CEventItem kept;
    kept.SetStart(At(2024, 1, 1, 8, 0));
    CTransferPaste::TaskToEvent(t, false, kept); // Search view in the list container
    EXPECT_EQ(kept.GetStart(), At(2024, 1, 1, 8, 0));
}

// Clipboard bytes come from any process: a task whose dates cannot make an event's days is
// repaired at paste, never stored with a negative or absurd duration.
TEST(TransferPasteTest, TaskWithDamagedDatesIntoEventListIsRepaired)
{
    const CDateTime zero(0.0);
    struct Case
    {
        const char *name;
        CDateTime start, due; // start set first, then due, as a damaged record can hold them
        CDateTime expectedStart;
        CDateSpan expectedDuration;
    };
    const Case cases[] = {
        {"due before start: the due day", At(2024, 6, 17), At(2024, 6, 10), At(2024, 6, 10), Days(1)},
        {"zero due date: the times of a new event", At(2024, 6, 17), zero, At(2024, 1, 1, 8, 0), Minutes(30)},
        {"zero start date: the due day", zero, At(2024, 6, 20), At(2024, 6, 20), Days(1)},
        {"due past the calendar: the times of a new event", At(2024, 6, 17), At(5000, 1, 1), At(2024, 1, 1, 8, 0),
         Minutes(30)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CTaskItem t = MakeTask();
        t.SetDueDate(At(4000, 1, 1));
        ASSERT_TRUE(t.SetStartDate(c.start));
        t.SetDueDate(c.due);
        CTransferWriter writer(kVersion);
        writer.AddTask(t);
        FakeMessagePort port;
        RecordingSink sink;
        PasteTarget target = MonthTarget();
        target.containerKind = 6;
        target.viewKind = 6;
        CTransferPaste paste(target, sink);
        EXPECT_EQ(paste.Paste(writer.GetBytes()), S_OK);
        ASSERT_EQ(sink.events.size(), 1u);
        EXPECT_EQ(sink.events[0].GetStart(), c.expectedStart);
        EXPECT_EQ(sink.events[0].GetDuration(), c.expectedDuration);
    }
}

TEST(TransferPasteTest, StoreErrorStopsThePasteKeepingWhatWasStored)
{
    FakeMessagePort port;
    RecordingSink sink;
    sink.failAt = 2;
    CTransferPaste paste(MonthTarget(), sink);
    EXPECT_EQ(paste.Paste(ThreeDaysAndATask()), HresultFromSystem(SystemError::DiskFull));
    EXPECT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.stores, 2);
    EXPECT_TRUE(sink.tasks.empty());
}
