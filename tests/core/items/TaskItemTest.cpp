// Task item: dates and completion, names, reminders, next due dates, moves, copies from
// events and tasks, range tests and the values of its display item.
#include "core/items/ItemTestUtil.h"

#include "core/system/AppSettings.h"
#include "core/items/DisplayNotes.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/items/TaskItem.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
class TaskItemTest : public ::testing::Test
{
  protected:
    ~TaskItemTest() override { ProgramSettings().tasksOverStartToDue = savedStsd; }
    // 2024-06-20 is a Thursday.
    FixedClock clock{At(2024, 6, 20, 9, 0)};
    int savedStsd = ProgramSettings().tasksOverStartToDue;
};

CTaskItem TaskDue(const CDateTime &due)
{
    CTaskItem t;
    t.SetDueDate(due);
    return t;
}

CTaskItem RecurringTask(const CDateTime &due, std::uint32_t word, std::uint16_t interval,
                        const CDateTime &patternStart, const CDateTime &patternEnd = CDateTime())
{
    CTaskItem t = TaskDue(due);
    t.SetRecurrence(word, interval, 0, patternStart, patternEnd);
    return t;
}
} // namespace

TEST_F(TaskItemTest, NewTaskDefaults)
{
    CTaskItem t;
    EXPECT_EQ(t.GetKind(), std::uint32_t(CCalendarItem::KindTask));
    EXPECT_EQ(t.GetPriority(), CTaskItem::PriorityNormal);
    EXPECT_EQ(t.GetStatus(), CTaskItem::StatusNotStarted);
    EXPECT_EQ(t.GetPercentComplete(), 0);
    EXPECT_EQ(t.GetDueDate().Value(), 0.0);
    EXPECT_EQ(CTaskItem(0x100011).GetRecordId(), 0x100011u);
}

TEST_F(TaskItemTest, DueAndStartDates)
{
    CTaskItem t;
    EXPECT_FALSE(t.SetStartDate(At(2024, 6, 1)));
    EXPECT_FALSE(t.HasStartDate());

    t.SetDueDate(At(2024, 6, 10, 17, 30));
    EXPECT_TRUE(t.HasDueDate());
    EXPECT_EQ(t.GetDueDate(), At(2024, 6, 10));
    // The due day itself is a valid start.
    EXPECT_TRUE(t.SetStartDate(At(2024, 6, 10, 23, 0)));
    EXPECT_EQ(t.GetStartDate(), At(2024, 6, 10));
    EXPECT_TRUE(t.HasStartDate());
    // A start after the due day is refused; the old start date stays, its flag goes.
    EXPECT_FALSE(t.SetStartDate(At(2024, 6, 11)));
    EXPECT_FALSE(t.HasStartDate());
    EXPECT_EQ(t.GetStartDate(), At(2024, 6, 10));

    CDateTime start, due;
    EXPECT_TRUE(t.GetTaskDates(start, due));
    EXPECT_EQ(due, At(2024, 6, 10));
}

TEST_F(TaskItemTest, CompletingAndReopening)
{
    CTaskItem t = TaskDue(At(2024, 6, 10));
    t.SetReminder(true, CDateSpan());
    t.SetSnooze(At(2024, 6, 10, 8), At(2024, 6, 10), Minutes(5), At(2024, 6, 1));
    t.SetStatus(CTaskItem::StatusInProgress);
    t.MarkCompleted(At(2024, 6, 12, 15, 45));
    EXPECT_TRUE(t.IsCompleted());
    EXPECT_EQ(t.GetStatus(), CTaskItem::StatusCompleted);
    EXPECT_EQ(t.GetPercentComplete(), 100);
    EXPECT_EQ(t.GetCompletedDate(), At(2024, 6, 12));
    EXPECT_FALSE(t.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_FALSE(t.HasFlag(CCalendarItem::FlagSnoozed));

    t.ClearCompleted();
    EXPECT_FALSE(t.IsCompleted());
    EXPECT_EQ(t.GetStatus(), CTaskItem::StatusNotStarted);
    EXPECT_EQ(t.GetPercentComplete(), 0);
    EXPECT_EQ(t.GetCompletedDate(), At(2024, 6, 12));

    // An open task is left as it is.
    t.SetStatus(CTaskItem::StatusAwaiting);
    t.SetPercentComplete(30);
    t.ClearCompleted();
    EXPECT_EQ(t.GetStatus(), CTaskItem::StatusAwaiting);
    EXPECT_EQ(t.GetPercentComplete(), 30);
}

TEST_F(TaskItemTest, PriorityAndStatusNames)
{
    struct Case
    {
        int value;
        const char *priority;
        const char *status;
        int sortOrder;
    };
    for (const Case &c :
         {Case{0, "Urgent", "Not Started", 4}, Case{1, "High", "In Progress", 3},
          Case{2, "Normal", "Completed", 2}, Case{3, "Low", "Awaiting", 1}, Case{4, "Lowest", "Postponed", 0},
          Case{5, "", "", -1}, Case{7, "", "", -1}, Case{-1, "", "", -1}}) {
        EXPECT_EQ(GetPriorityName(c.value), QString::fromUtf8(c.priority)) << c.value;
        EXPECT_EQ(GetTaskStatusName(c.value), QString::fromUtf8(c.status)) << c.value;
        EXPECT_EQ(PriorityToSortOrder(c.value), c.sortOrder) << c.value;
    }
}

TEST_F(TaskItemTest, ReminderCheck)
{
    CTaskItem t = TaskDue(At(2024, 6, 10));
    t.SetReminderTime(At(2024, 6, 10, 8, 0));
    CDateTime occurrence, moment;
    bool snoozed = true;
    // Reminder off: never, not even forced.
    EXPECT_FALSE(t.IsReminderDue(At(2024, 6, 11), true, &occurrence, &moment, &snoozed));

    t.SetReminder(true, CDateSpan());
    EXPECT_FALSE(t.IsReminderDue(At(2024, 6, 10, 7, 59), false, &occurrence, &moment, &snoozed));
    EXPECT_FALSE(snoozed);
    EXPECT_TRUE(t.IsReminderDue(At(2024, 6, 10, 8, 0), false, &occurrence, &moment, &snoozed));
    EXPECT_EQ(moment, At(2024, 6, 10, 8, 0));
    EXPECT_EQ(occurrence, At(2024, 6, 10));
    EXPECT_TRUE(t.IsReminderDue(At(2024, 6, 1), true));

    t.SetSnooze(At(2024, 6, 10, 8, 15), At(2024, 6, 10), Minutes(15), At(2024, 6, 10, 8, 0));
    EXPECT_FALSE(t.IsReminderDue(At(2024, 6, 10, 8, 10), false, &occurrence, &moment, &snoozed));
    EXPECT_TRUE(snoozed);
    EXPECT_TRUE(t.IsReminderDue(At(2024, 6, 10, 8, 15), false, &occurrence, &moment, &snoozed));
    EXPECT_EQ(moment, At(2024, 6, 10, 8, 15));
    EXPECT_EQ(occurrence, At(2024, 6, 10));

    t.SetFlag(CCalendarItem::FlagDeleted, true);
    EXPECT_FALSE(t.IsReminderDue(At(2024, 7, 1), true));
}

TEST_F(TaskItemTest, NextDueDateByPeriodAndKind)
{
    const CDateTime today = At(2024, 6, 20);
    struct Case
    {
        const char *name;
        CDateTime due;
        std::uint32_t word;
        std::uint16_t interval;
        CDateTime patternStart;
        CDateTime from;
        bool found;
        CDateTime next;
    };
    const std::vector<Case> cases = {
        {"daily by date", At(2024, 6, 10), Recur::Daily | Recur::ByDate, 3, At(2024, 6, 1), today, true,
         At(2024, 6, 13)},
        {"daily nth weekday",
         At(2024, 6, 10),
         Recur::Daily | Recur::NthWeekday,
         3,
         At(2024, 6, 1),
         today,
         false,
         {}},
        {"daily regenerate", At(2024, 6, 10), Recur::Daily | Recur::Regenerate, 3, At(2024, 6, 1), today,
         true, At(2024, 6, 23)},
        {"weekly by date, next weekday of the week", At(2024, 6, 10),
         Recur::Weekly | Recur::ByDate | Recur::Monday | Recur::Wednesday, 1, At(2024, 1, 1), today, true,
         At(2024, 6, 12)},
        {"weekly by date every 2 weeks", At(2024, 6, 10), Recur::Weekly | Recur::ByDate | Recur::Monday, 2,
         At(2024, 1, 1), today, true, At(2024, 6, 24)},
        {"weekly nth weekday",
         At(2024, 6, 10),
         Recur::Weekly | Recur::NthWeekday | Recur::Monday,
         1,
         At(2024, 1, 1),
         today,
         false,
         {}},
        {"weekly regenerate", At(2024, 6, 10), Recur::Weekly | Recur::Regenerate, 2, At(2024, 1, 1), today,
         true, At(2024, 7, 4)},
        {"monthly by date", At(2024, 6, 10), Recur::Monthly | Recur::ByDate, 1, At(2024, 1, 10), today, true,
         At(2024, 7, 10)},
        {"monthly by date from the 31st", At(2024, 1, 31), Recur::Monthly | Recur::ByDate, 1, At(2024, 1, 31),
         today, true, At(2024, 2, 29)},
        {"monthly second Monday", At(2024, 6, 10),
         Recur::Monthly | Recur::NthWeekday | Recur::Monday | Recur::Second, 1, At(2024, 1, 8), today, true,
         At(2024, 7, 8)},
        {"monthly regenerate keeps the day, stepped back", At(2024, 1, 5), Recur::Monthly | Recur::Regenerate,
         1, At(2024, 1, 5), At(2024, 1, 31), true, At(2024, 2, 29)},
        {"yearly by date from 29 February", At(2024, 2, 29), Recur::Yearly | Recur::ByDate, 1,
         At(2020, 2, 29), today, true, At(2025, 2, 28)},
        {"yearly last Friday of May", At(2024, 5, 31),
         Recur::Yearly | Recur::NthWeekday | Recur::Friday | Recur::Last, 12, At(2024, 5, 31), today, true,
         At(2025, 5, 30)},
        {"yearly regenerate", At(2023, 1, 1), Recur::Yearly | Recur::Regenerate, 2, At(2023, 1, 1),
         At(2024, 2, 29), true, At(2026, 2, 28)},
        {"no period", At(2024, 6, 10), Recur::ByDate, 1, At(2024, 1, 1), today, false, {}},
        {"no kind", At(2024, 6, 10), Recur::Monthly, 1, At(2024, 1, 1), today, false, {}},
    };
    for (const Case &c : cases) {
        const CTaskItem t = RecurringTask(c.due, c.word, c.interval, c.patternStart);
        CDateTime next;
        EXPECT_EQ(t.GetNextDueDate(c.from, next), c.found) << c.name;
        if (c.found) {
            EXPECT_EQ(next, c.next) << c.name;
        }
    }
}

TEST_F(TaskItemTest, RegeneratingTaskCountsFromTheDayOfCompletion)
{
    for (const CDateTime &due : {At(2024, 1, 1), At(2024, 6, 20), At(2025, 3, 3)}) {
        const CTaskItem t = RecurringTask(due, Recur::Daily | Recur::Regenerate, 3, due);
        for (int day : {1, 17, 30}) {
            CDateTime next;
            ASSERT_TRUE(t.GetNextDueDate(At(2024, 6, day), next));
            EXPECT_EQ(next, At(2024, 6, day) + Days(3));
        }
    }
}

TEST_F(TaskItemTest, TasksThatDoNotAdvance)
{
    CDateTime next;
    CTaskItem closed =
        RecurringTask(At(2024, 6, 10), Recur::Weekly | Recur::ByDate | Recur::Monday, 1, At(2024, 1, 1));
    closed.SetFlag(CTaskItem::TF_SERIES_CLOSED, true);
    EXPECT_FALSE(closed.GetNextDueDate(At(2024, 6, 20), next));
    EXPECT_FALSE(closed.GetNextOccurrenceAfter(At(2024, 6, 20), next));
    EXPECT_FALSE(closed.MoveToDueDate(At(2024, 6, 17)));

    CTaskItem single = TaskDue(At(2024, 6, 10));
    EXPECT_FALSE(single.GetNextDueDate(At(2024, 6, 20), next));
    EXPECT_FALSE(single.MoveToDueDate(At(2024, 6, 17)));

    CTaskItem noDue;
    noDue.SetRecurrence(Recur::Daily | Recur::ByDate, 1, 0, At(2024, 1, 1), CDateTime());
    EXPECT_FALSE(noDue.GetNextDueDate(At(2024, 6, 20), next));
    EXPECT_FALSE(noDue.MoveToDueDate(At(2024, 6, 17)));

    CTaskItem completed = RecurringTask(At(2024, 6, 10), Recur::Daily | Recur::ByDate, 1, At(2024, 1, 1));
    completed.MarkCompleted(At(2024, 6, 10));
    EXPECT_FALSE(completed.MoveToDueDate(At(2024, 6, 17)));
}

TEST_F(TaskItemTest, NextOccurrenceAfterADate)
{
    const std::uint32_t mondays = Recur::Weekly | Recur::ByDate | Recur::Monday;
    CDateTime next;
    // The first Monday on or after Wednesday 12 June is the 17th; one step more is the 24th.
    EXPECT_TRUE(RecurringTask(At(2024, 6, 10), mondays, 1, At(2024, 1, 1))
                    .GetNextOccurrenceAfter(At(2024, 6, 12), next));
    EXPECT_EQ(next, At(2024, 6, 24));
    EXPECT_TRUE(RecurringTask(At(2024, 6, 10), mondays, 1, At(2024, 1, 1))
                    .GetNextOccurrenceAfter(At(2024, 6, 17), next));
    EXPECT_EQ(next, At(2024, 6, 24));
    // Past the pattern's end.
    EXPECT_FALSE(
        RecurringTask(At(2024, 6, 10), mondays | Recur::HasEndDate, 1, At(2024, 1, 1), At(2024, 6, 23))
            .GetNextOccurrenceAfter(At(2024, 6, 12), next));
    EXPECT_TRUE(RecurringTask(At(2024, 6, 10),
                              Recur::Monthly | Recur::NthWeekday | Recur::Monday | Recur::First, 1,
                              At(2024, 1, 1))
                    .GetNextOccurrenceAfter(At(2024, 6, 4), next));
    EXPECT_EQ(next, At(2024, 8, 5));
    EXPECT_FALSE(RecurringTask(At(2024, 6, 10), Recur::Daily | Recur::Regenerate, 2, At(2024, 1, 1))
                     .GetNextOccurrenceAfter(At(2024, 6, 12), next));
    EXPECT_FALSE(
        RecurringTask(At(2024, 6, 10), Recur::Weekly | Recur::NthWeekday | Recur::Monday, 1, At(2024, 1, 1))
            .GetNextOccurrenceAfter(At(2024, 6, 12), next));
}

TEST_F(TaskItemTest, MoveToDueDateKeepsStartAndReminderDistances)
{
    CTaskItem t =
        RecurringTask(At(2024, 6, 10), Recur::Weekly | Recur::ByDate | Recur::Monday, 1, At(2024, 1, 1));
    ASSERT_TRUE(t.SetStartDate(At(2024, 6, 7)));
    t.SetReminder(true, CDateSpan());
    t.SetReminderTime(At(2024, 6, 9, 18, 0));
    t.SetSnooze(At(2024, 6, 9, 18, 30), At(2024, 6, 9), Minutes(30), At(2024, 6, 9));
    t.SetStatus(CTaskItem::StatusInProgress);
    t.SetPercentComplete(40);

    ASSERT_TRUE(t.MoveToDueDate(At(2024, 6, 17)));
    EXPECT_EQ(t.GetDueDate(), At(2024, 6, 17));
    EXPECT_EQ(t.GetStartDate(), At(2024, 6, 14));
    EXPECT_TRUE(t.HasStartDate());
    EXPECT_EQ(t.GetReminderTime(), At(2024, 6, 16, 18, 0));
    EXPECT_FALSE(t.HasFlag(CCalendarItem::FlagSnoozed));
    EXPECT_EQ(t.GetStatus(), CTaskItem::StatusNotStarted);
    EXPECT_EQ(t.GetPercentComplete(), 0);

    // Without the reminder on, the reminder time stays where it was.
    t.ClearReminder();
    ASSERT_TRUE(t.MoveToDueDate(At(2024, 6, 24)));
    EXPECT_EQ(t.GetReminderTime(), At(2024, 6, 16, 18, 0));
    EXPECT_EQ(t.GetStartDate(), At(2024, 6, 21));
}

TEST_F(TaskItemTest, CopyOfATaskIsANewTask)
{
    CTaskItem source = RecurringTask(At(2024, 6, 10), Recur::Daily | Recur::ByDate, 2, At(2024, 6, 1));
    source.SetRecordId(0x100020);
    source.SetDataFileStamp(77);
    source.SetUniqueId(QStringLiteral("uid"));
    source.SetKeepMark(3);
    source.SetReservedValue(5);
    source.SetSubject(QStringLiteral("Report"));
    source.SetPriority(CTaskItem::PriorityLow);
    source.SetPercentComplete(10);
    source.SetReminderTime(At(2024, 6, 9, 12, 0));

    CTaskItem copy;
    copy.CopyFromItem(source);
    EXPECT_EQ(copy.GetRecordId(), 0u);
    EXPECT_EQ(copy.GetDataFileStamp(), 0u);
    EXPECT_EQ(copy.GetUniqueId(), QString());
    EXPECT_EQ(copy.GetKeepMark(), 0u);
    EXPECT_EQ(copy.GetReservedValue(), 5u);
    EXPECT_EQ(copy.GetFlags(), source.GetFlags());
    EXPECT_EQ(copy.GetPattern(), source.GetPattern());
    EXPECT_EQ(copy.GetDueDate(), source.GetDueDate());
    EXPECT_EQ(copy.GetSubject(), QStringLiteral("Report"));
    EXPECT_EQ(copy.GetPriority(), CTaskItem::PriorityLow);
    EXPECT_EQ(copy.GetPercentComplete(), 10);
    EXPECT_EQ(copy.GetReminderTime(), At(2024, 6, 9, 12, 0));
}

TEST_F(TaskItemTest, TaskFromAnEvent)
{
    struct Case
    {
        const char *name;
        CDateTime start;
        CDateSpan duration;
        CDateTime due;
        CDateTime startDate;
    };
    const std::vector<Case> cases = {
        {"one whole day", At(2024, 6, 10), Days(1), At(2024, 6, 10), At(2024, 6, 10)},
        {"three whole days", At(2024, 6, 10), Days(3), At(2024, 6, 12), At(2024, 6, 10)},
        {"an hour", At(2024, 6, 10, 9, 0), Hours(1), At(2024, 6, 10), At(2024, 6, 10)},
        {"until midnight", At(2024, 6, 10, 22, 0), Hours(2), At(2024, 6, 10), At(2024, 6, 10)},
        {"past midnight", At(2024, 6, 10, 23, 0), Hours(2), At(2024, 6, 11), At(2024, 6, 10)},
        {"no length at midnight", At(2024, 6, 10), Days(0), At(2024, 6, 10), At(2024, 6, 10)},
    };
    for (const Case &c : cases) {
        CEventItem e;
        e.SetStart(c.start);
        e.SetDuration(c.duration);
        CTaskItem t;
        t.CopyFromItem(e);
        EXPECT_EQ(t.GetDueDate(), c.due) << c.name;
        EXPECT_TRUE(t.HasStartDate()) << c.name;
        EXPECT_EQ(t.GetStartDate(), c.startDate) << c.name;
    }
}

TEST_F(TaskItemTest, TaskFromAnEventTakesItsTextsAndSettings)
{
    CEventItem e;
    e.SetStart(At(2024, 6, 10, 9, 0));
    e.SetDuration(Hours(1));
    e.SetSubject(QStringLiteral("Dentist"));
    e.SetNotes(QStringLiteral("Bring card"));
    e.SetStoredLocation(QStringLiteral("Main St"));
    e.SetItemTypeIndex(2);
    e.SetItemTypeName(QStringLiteral("Appointment"));
    e.SetCategories(QStringLiteral("Health"));
    e.SetReminder(true, Minutes(30));
    e.SetReminderWindowSize(true, 400, 300);
    e.SetEditorWindowSize(false, 0, 0);
    e.SetEditorWindowSizeValue(0x01000100);
    e.SetFlag(CCalendarItem::FlagLocked, true);
    CTaskItem t;
    t.CopyFromItem(e);
    EXPECT_EQ(t.GetSubject(), QStringLiteral("Dentist"));
    EXPECT_EQ(t.GetNotes(), QStringLiteral("Bring card"));
    EXPECT_EQ(t.GetItemTypeIndex(), 2);
    EXPECT_EQ(t.GetItemTypeName(), QStringLiteral("Appointment"));
    EXPECT_EQ(t.GetCategories(), QStringLiteral("Health"));
    EXPECT_TRUE(t.HasFlag(CCalendarItem::FlagReminderWindowSize));
    EXPECT_EQ(t.GetReminderWindowSize(), (300u << 16) | 400u);
    EXPECT_FALSE(t.HasFlag(CCalendarItem::FlagEditorWindowSize));
    EXPECT_EQ(t.GetEditorWindowSize(), 0u);
    EXPECT_TRUE(t.HasFlag(CCalendarItem::FlagLocked));
    // The event's reminder is not carried over.
    EXPECT_FALSE(t.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_EQ(t.GetReminderLead(), CDateSpan());
}

TEST_F(TaskItemTest, TaskFromOneOccurrence)
{
    CEventItem e = MakeSeries(At(2024, 6, 3, 14, 30), Hours(1), Recur::Daily | Recur::ByDate, 1);
    e.SetSubject(QStringLiteral("Standup"));
    e.SetNotes(QStringLiteral("series notes"));
    CRecurrenceException moved;
    moved.SetSubject(true, QStringLiteral("Standup (moved)"));
    moved.SetNotes(true, QStringLiteral("own notes"));
    const int index = e.InsertException(At(2024, 6, 5, 14, 30), moved);
    ASSERT_GE(index, 0);
    e.GetExceptionAt(index)->newStart = At(2024, 6, 6, 23, 0);
    e.GetExceptionAt(index)->duration = Hours(1);

    // Without an exception: the occurrence's day at the event's time.
    CTaskItem plain;
    plain.CopyFromItem(e, At(2024, 6, 12, 14, 30));
    EXPECT_EQ(plain.GetDueDate(), At(2024, 6, 12));
    EXPECT_EQ(plain.GetSubject(), QStringLiteral("Standup"));
    EXPECT_EQ(plain.GetNotes(), QStringLiteral("series notes"));

    // With one: its times and overridden texts; it ends at midnight, so on the 6th.
    CTaskItem changed;
    changed.CopyFromItem(e, At(2024, 6, 5, 14, 30));
    EXPECT_EQ(changed.GetDueDate(), At(2024, 6, 6));
    EXPECT_EQ(changed.GetStartDate(), At(2024, 6, 6));
    EXPECT_EQ(changed.GetSubject(), QStringLiteral("Standup (moved)"));
    EXPECT_EQ(changed.GetNotes(), QStringLiteral("own notes"));

    // No occurrence given: the event's own start.
    CTaskItem whole;
    whole.CopyFromItem(e);
    EXPECT_EQ(whole.GetDueDate(), At(2024, 6, 3));
}

TEST_F(TaskItemTest, ItemTypeTakesNameOnly)
{
    FakeItemTypes types;
    types.types = {{QStringLiteral("Call"), Minutes(5), 0x04}, {QStringLiteral("Errand"), Days(1), 0x04}};
    SetItemTypeCatalog(&types);
    CTaskItem t;
    t.SetReminderLead(Minutes(20));
    t.SetItemType(1);
    EXPECT_EQ(t.GetItemTypeIndex(), 1);
    EXPECT_EQ(t.GetItemTypeName(), QStringLiteral("Errand"));
    EXPECT_EQ(t.GetReminderLead(), Minutes(20));
    EXPECT_FALSE(t.HasFlag(CCalendarItem::FlagNoWindowAfterTime));
    t.SetItemType(5); // no such entry: nothing changes
    EXPECT_EQ(t.GetItemTypeIndex(), 1);
    types.types.clear();
    t.SetItemType(0);
    EXPECT_EQ(t.GetItemTypeIndex(), -1);
    EXPECT_EQ(t.GetItemTypeName(), QStringLiteral("Errand"));
    SetItemTypeCatalog(nullptr);
}

TEST_F(TaskItemTest, OverlapsRange)
{
    CTaskItem spanning = TaskDue(At(2024, 6, 12));
    ASSERT_TRUE(spanning.SetStartDate(At(2024, 6, 10)));
    const CTaskItem dueOnly = TaskDue(At(2024, 6, 12));
    struct Case
    {
        const CTaskItem *task;
        CDateTime start, end;
        bool overlaps;
    };
    for (const Case &c : {
             Case{&spanning, At(2024, 6, 5), At(2024, 6, 11), true},
             Case{&spanning, At(2024, 6, 11), At(2024, 6, 12), true},
             Case{&spanning, At(2024, 6, 12), At(2024, 6, 13), true}, // a range that opens on the due day
             Case{&spanning, At(2024, 6, 13), At(2024, 6, 14), false},
             Case{&spanning, At(2024, 6, 9), At(2024, 6, 10), false},
             Case{&spanning, At(2024, 6, 11), At(2024, 6, 11), false}, // empty range
             Case{&dueOnly, At(2024, 6, 11), At(2024, 6, 12), false},
             Case{&dueOnly, At(2024, 6, 12), At(2024, 6, 13), true},
             Case{&dueOnly, At(2024, 6, 1), At(2024, 7, 1), true},
         }) {
        EXPECT_EQ(c.task->OverlapsRange(c.start, c.end), c.overlaps)
            << (c.task == &spanning ? "start to due " : "due only ") << c.start.ToIsoString().toStdString()
            << " " << c.end.ToIsoString().toStdString();
    }
    EXPECT_FALSE(CTaskItem().OverlapsRange(At(2000, 1, 1), At(2100, 1, 1)));
}

TEST_F(TaskItemTest, ShownInRange)
{
    CTaskItem spanning = TaskDue(At(2024, 6, 20));
    ASSERT_TRUE(spanning.SetStartDate(At(2024, 6, 12)));
    const CTaskItem dueOnly = TaskDue(At(2024, 6, 20));
    struct Case
    {
        const CTaskItem *task;
        CDateTime rangeStart;
        int days;
        bool fromStart; // "STSD"
        bool shown;
    };
    for (const Case &c : {
             Case{&dueOnly, At(2024, 6, 17), 7, true, true},    // due inside
             Case{&dueOnly, At(2024, 6, 20), 1, false, true},   // due on the only day
             Case{&dueOnly, At(2024, 6, 21), 7, true, false},   // due before the range
             Case{&dueOnly, At(2024, 6, 10), 7, true, false},   // due after, no start date
             Case{&spanning, At(2024, 6, 10), 7, true, true},   // due after, start inside
             Case{&spanning, At(2024, 6, 10), 7, false, false}, // the same without "STSD"
             Case{&spanning, At(2024, 6, 5), 7, true, false},   // the range ends on the start day
             Case{&spanning, At(2024, 6, 5), 8, true, true},    // the range includes the start day
             Case{&dueOnly, At(2024, 6, 20), 0, true, false},   // no days
         }) {
        ProgramSettings().tasksOverStartToDue = c.fromStart ? 1 : 0;
        EXPECT_EQ(c.task->IsShownInRange(c.rangeStart, c.days), c.shown)
            << c.rangeStart.ToIsoString().toStdString() << " +" << c.days << (c.fromStart ? " STSD" : "");
    }
    EXPECT_FALSE(CTaskItem().IsShownInRange(At(2000, 1, 1), 100000));
}

TEST_F(TaskItemTest, DisplayValuesOfAnOpenTask)
{
    CTaskItem t =
        RecurringTask(At(2024, 6, 18), Recur::Weekly | Recur::ByDate | Recur::Tuesday, 1, At(2024, 1, 2));
    ASSERT_TRUE(t.SetStartDate(At(2024, 6, 14)));
    t.SetRecordId(0x100033);
    t.SetSubject(QStringLiteral("Send\tinvoices"));
    t.SetNotes(QStringLiteral("  first\tline  \n"));
    t.SetReminder(true, CDateSpan());
    t.SetReminderTime(At(2024, 6, 18, 7, 30));
    t.SetKeepMark(1);
    t.SetFlag(CCalendarItem::FlagLocked, true);
    t.SetPriority(CTaskItem::PriorityUrgent);
    t.SetStatus(CTaskItem::StatusInProgress);
    t.SetPercentComplete(50);
    t.SetItemTypeIndex(3);
    t.SetItemTypeName(QStringLiteral("Work"));
    t.SetCategories(QStringLiteral("Office"));

    ProgramSettings().tasksOverStartToDue = 1;
    const TaskDisplayValues v = t.GetDisplayValues(CTaskItem::DisplayBuilder::View, 1);
    EXPECT_EQ(v.recordId, 0x100033u);
    EXPECT_EQ(v.text, QStringLiteral("Send invoices"));
    EXPECT_EQ(v.details, QStringLiteral("first line"));
    EXPECT_EQ(v.flags,
              std::uint32_t(CTaskItem::DisplayRecurring | CTaskItem::DisplayReminder |
                            CTaskItem::DisplayAllDay | CTaskItem::DisplayKeepMark | CTaskItem::DisplayHasDue |
                            CTaskItem::DisplayHasStart | CTaskItem::DisplayOverdue |
                            CTaskItem::DisplayHasNotes | CTaskItem::DisplayReminderMoment |
                            CTaskItem::DisplayLocked | CTaskItem::DisplayNotPrivate));
    EXPECT_EQ(v.occurrenceDate, At(2024, 6, 18));
    EXPECT_EQ(v.shownStart, At(2024, 6, 14));
    EXPECT_EQ(v.shownEnd, At(2024, 6, 19));
    EXPECT_EQ(v.reminderMoment, At(2024, 6, 18, 7, 30));
    EXPECT_EQ(v.priority, 0);
    EXPECT_EQ(v.status, 1);
    EXPECT_EQ(v.percentComplete, 50);
    EXPECT_EQ(v.itemTypeIndex, 3);
    EXPECT_EQ(v.itemTypeName, QStringLiteral("Work"));
    EXPECT_EQ(v.categories, QStringLiteral("Office"));

    // Without "STSD" the views show the due day alone; printing always shows the start.
    ProgramSettings().tasksOverStartToDue = 0;
    const TaskDisplayValues view = t.GetDisplayValues(CTaskItem::DisplayBuilder::View, 0);
    EXPECT_FALSE(view.flags & CTaskItem::DisplayHasStart);
    EXPECT_EQ(view.shownStart, At(2024, 6, 18));
    EXPECT_TRUE(view.flags & CTaskItem::DisplayAllDay);
    const TaskDisplayValues print = t.GetDisplayValues(CTaskItem::DisplayBuilder::Print, 0);
    EXPECT_TRUE(print.flags & CTaskItem::DisplayHasStart);
    EXPECT_EQ(print.shownStart, At(2024, 6, 14));
    EXPECT_FALSE(print.flags & CTaskItem::DisplayAllDay);
}

TEST_F(TaskItemTest, DisplayValuesOfCompletedAndUndatedTasks)
{
    CTaskItem done = TaskDue(At(2024, 6, 1));
    done.MarkCompleted(At(2024, 6, 3));
    const TaskDisplayValues v = done.GetDisplayValues(CTaskItem::DisplayBuilder::View, 0);
    EXPECT_TRUE(v.flags & CTaskItem::DisplayCompleted);
    EXPECT_FALSE(v.flags & CTaskItem::DisplayOverdue);
    EXPECT_EQ(v.completedDate, At(2024, 6, 3));
    EXPECT_FALSE(v.flags & CTaskItem::DisplayReminderMoment);

    // Due today is not overdue.
    EXPECT_FALSE(TaskDue(At(2024, 6, 20)).GetDisplayValues(CTaskItem::DisplayBuilder::View, 0).flags &
                 CTaskItem::DisplayOverdue);

    CTaskItem undated;
    const TaskDisplayValues u = undated.GetDisplayValues(CTaskItem::DisplayBuilder::Print, 0);
    EXPECT_EQ(u.flags, std::uint32_t(CTaskItem::DisplayNotPrivate));
}

TEST_F(TaskItemTest, DisplayDetails)
{
    CTaskItem t = TaskDue(At(2024, 6, 25));
    t.SetNotes(QStringLiteral(" \r\n"));
    struct Case
    {
        CTaskItem::DisplayBuilder builder;
        int mode;
        bool noDetails;
        bool hasNotesFlag;
    };
    // Mode 0 and suppressed details say whether there are notes at all; modes 1 and 2 whether
    // anything is left to show.
    for (const Case c : {Case{CTaskItem::DisplayBuilder::View, 0, false, true},
                         Case{CTaskItem::DisplayBuilder::View, 1, false, false},
                         Case{CTaskItem::DisplayBuilder::View, 2, false, true},
                         Case{CTaskItem::DisplayBuilder::Print, 1, true, true}}) {
        const TaskDisplayValues v = t.GetDisplayValues(c.builder, c.mode, c.noDetails);
        EXPECT_EQ(bool(v.flags & CTaskItem::DisplayHasNotes), c.hasNotesFlag) << c.mode << c.noDetails;
        if (c.mode == 0 || c.noDetails) {
            EXPECT_EQ(v.details, QString());
        }
    }
    t.SetNotes(QString(5000, QLatin1Char('n')));
    EXPECT_EQ(t.GetDisplayValues(CTaskItem::DisplayBuilder::View, 2).details.size(), 4096 + 5);
    EXPECT_EQ(t.GetDisplayValues(CTaskItem::DisplayBuilder::Print, 2).details.size(), 5000);
    EXPECT_EQ(t.GetDisplayValues(CTaskItem::DisplayBuilder::Print, 1).details.size(), 255 + 5);
}

TEST(DisplayNotes, TreatmentByMode)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    struct Case
    {
        QString notes;
        int mode;
        QString expected;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("text"), 0, QString()},
        {QStringLiteral("abcd\n"), 2, QStringLiteral("abcd")},
        {QStringLiteral("ab\n"), 2, QStringLiteral("ab")},
        {QStringLiteral("line\r\n\r\n"), 2, QStringLiteral("line")},
        {QStringLiteral("  a\tb  \r\n"), 2, QStringLiteral("  a\tb  ")},
        {QStringLiteral("  a\tb  \r\n"), 1, QStringLiteral("a b")},
        {QString(255, QLatin1Char('x')), 1, QString(255, QLatin1Char('x'))},
        {QString(256, QLatin1Char('x')), 1, QString(255, QLatin1Char('x')) + QStringLiteral("\r\n...")},
        {emoji.repeated(255), 1, emoji.repeated(255)},
        {emoji.repeated(256), 1, emoji.repeated(255) + QStringLiteral("\r\n...")},
        {QString(4096, QLatin1Char('y')), 2, QString(4096, QLatin1Char('y'))},
        {QString(4097, QLatin1Char('y')), 2, QString(4096, QLatin1Char('y')) + QStringLiteral("\r\n...")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DisplayNotesText(c.notes, c.mode), c.expected)
            << c.notes.left(20).toStdString() << " " << c.mode;
}

TEST_F(TaskItemTest, EventFromATaskSpansItsDates)
{
    CTaskItem t = TaskDue(At(2024, 6, 12));
    ASSERT_TRUE(t.SetStartDate(At(2024, 6, 10)));
    t.SetSubject(QStringLiteral("Move house"));
    CEventItem e;
    e.CopyFromItem(t);
    EXPECT_EQ(e.GetStart(), At(2024, 6, 10));
    EXPECT_EQ(e.GetDuration(), Days(3));
    EXPECT_EQ(e.GetSubject(), QStringLiteral("Move house"));
    // Back to a task: the same days.
    CTaskItem back;
    back.CopyFromItem(e);
    EXPECT_EQ(back.GetStartDate(), At(2024, 6, 10));
    EXPECT_EQ(back.GetDueDate(), At(2024, 6, 12));
}
