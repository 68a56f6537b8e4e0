// Which items belong in a shown period, the period steps of every kind, and the start of a new
// event: pure rules, as tables.
#include "core/items/ItemTestUtil.h"

#include "containers/base/PeriodStep.h"
#include "containers/base/ShownRange.h"
#include "containers/base/ViewContainer.h"
#include "containers/base/ViewKinds.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"

#include <gtest/gtest.h>

namespace {

// The week of Monday 11 March 2024.
CShownRange Week()
{
    CShownRange r;
    r.start = At(2024, 3, 11);
    r.dayCount = 7;
    return r;
}

CEventItem Single(const CDateTime &start, const CDateSpan &duration, std::uint32_t flags = 0)
{
    CEventItem e;
    e.SetStart(start);
    e.SetDuration(duration);
    e.SetFlags(e.GetFlags() | flags);
    return e;
}

CEventItem DailyUntil(const CDateTime &start, const CDateTime &end)
{
    return MakeSeries(start, Hours(1), Recur::Daily | Recur::ByDate | Recur::HasEndDate, 1, 0, end);
}

CTaskItem TaskDue(const CDateTime &due, const CDateTime &start = CDateTime(), bool completed = false)
{
    CTaskItem t;
    t.SetDueDate(due);
    if (start.Value() != 0.0)
        t.SetStartDate(start);
    if (completed)
        t.MarkCompleted(due);
    return t;
}

TEST(ShownRangeTest, EventsAgainstTheWeek)
{
    const CShownRange week = Week();
    struct Case
    {
        const char *name;
        CEventItem event;
        bool in;
    };
    const Case cases[] = {
        {"inside", Single(At(2024, 3, 13, 9), Hours(1)), true},
        {"ends exactly at the range start", Single(At(2024, 3, 10, 23), Hours(1)), false},
        {"reaches one minute into the range", Single(At(2024, 3, 10, 23), Minutes(61)), true},
        {"zero length at midnight of the first day", Single(At(2024, 3, 11), Days(0)), true},
        {"zero length at 09:00 before the range", Single(At(2024, 3, 10, 9), Days(0)), false},
        {"starts at the range end", Single(At(2024, 3, 18), Hours(1)), true},
        {"starts after the range end", Single(At(2024, 3, 18, 0, 1), Hours(1)), false},
        {"pattern ends exactly at the range start", DailyUntil(At(2024, 3, 1, 9), At(2024, 3, 10)), false},
        {"pattern ends inside", DailyUntil(At(2024, 3, 1, 9), At(2024, 3, 12)), true},
        {"pattern starts after the range", DailyUntil(At(2024, 3, 19, 9), At(2024, 3, 30)), false},
        {"pattern without end", MakeSeries(At(2020, 1, 1, 9), Hours(1), Recur::Daily | Recur::ByDate, 1),
         true},
        {"hidden", Single(At(2024, 3, 13, 9), Hours(1), CCalendarItem::FlagHidden), false},
        {"deleted record", Single(At(2024, 3, 13, 9), Hours(1), CCalendarItem::FlagDeleted), false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(week.Contains(c.event), c.in) << c.name;

    CShownRange showingHidden = week;
    showingHidden.showHidden = true;
    EXPECT_TRUE(showingHidden.Contains(Single(At(2024, 3, 13, 9), Hours(1), CCalendarItem::FlagHidden)));
    EXPECT_FALSE(showingHidden.Contains(Single(At(2024, 3, 13, 9), Hours(1), CCalendarItem::FlagDeleted)));

    CEventItem always = DailyUntil(At(2024, 3, 1, 9), At(2024, 3, 5));
    always.SetFlag(CShownRange::FlagAlwaysInRange, true);
    EXPECT_TRUE(week.Contains(always));
}

TEST(ShownRangeTest, TasksAgainstTheWeek)
{
    CShownRange week = Week();
    struct Case
    {
        const char *name;
        CTaskItem task;
        bool withStartSetting;
        bool withoutStartSetting;
    };
    const Case cases[] = {
        {"due inside", TaskDue(At(2024, 3, 14)), true, true},
        {"due on the first day", TaskDue(At(2024, 3, 11)), true, true},
        {"due before the range", TaskDue(At(2024, 3, 10)), false, false},
        {"due exactly at the range end", TaskDue(At(2024, 3, 18)), false, false},
        {"due at the end, started inside", TaskDue(At(2024, 3, 18), At(2024, 3, 15)), true, false},
        {"due later, started before", TaskDue(At(2024, 3, 25), At(2024, 3, 1)), true, false},
        {"due later, starting at the end", TaskDue(At(2024, 3, 25), At(2024, 3, 18)), false, false},
        {"completed inside", TaskDue(At(2024, 3, 14), CDateTime(), true), true, true},
    };
    for (const Case &c : cases) {
        week.tasksFromStart = true;
        EXPECT_EQ(week.Contains(c.task), c.withStartSetting) << c.name;
        week.tasksFromStart = false;
        EXPECT_EQ(week.Contains(c.task), c.withoutStartSetting) << c.name;
    }
    CTaskItem noDue;
    EXPECT_FALSE(week.Contains(noDue));
    week.includeCompleted = false;
    EXPECT_FALSE(week.Contains(TaskDue(At(2024, 3, 14), CDateTime(), true)));
    week.includeCompleted = true;
    week.includeTasksWithDue = false;
    EXPECT_FALSE(week.Contains(TaskDue(At(2024, 3, 14))));
}

TEST(PeriodStepTest, EveryKindStepsOrStaysPut)
{
    struct Case
    {
        int kind;
        bool workWeek;
        bool forward;
        CDateTime from;
        bool steps;
        CDateTime to;
        int mode;
    };
    const Case cases[] = {
        {ViewKind::Day, false, true, At(2024, 3, 12), true, At(2024, 3, 13), 2},
        {ViewKind::Day, false, false, At(2024, 3, 12), true, At(2024, 3, 11), 2},
        {ViewKind::MultiDay, false, true, At(2024, 3, 12), true, At(2024, 3, 13), 2},
        {ViewKind::MultiDay, true, true, At(2024, 3, 12), true, At(2024, 3, 19), 2},
        {ViewKind::MultiDay, true, false, At(2024, 3, 12), true, At(2024, 3, 5), 2},
        {ViewKind::Week, false, false, At(2024, 3, 12), true, At(2024, 3, 5), 3},
        {ViewKind::Week, false, true, At(2024, 3, 12), true, At(2024, 3, 19), 4},
        {ViewKind::Year, false, true, At(2024, 3, 12), true, At(2025, 3, 1), 4},
        {ViewKind::Year, false, false, At(2024, 2, 29), true, At(2023, 2, 1), 3},
        {ViewKind::Day, false, false, At(1753, 1, 1), true, At(1753, 1, 1), 2},
        {ViewKind::Week, false, true, At(4000, 12, 28), true, At(4000, 12, 31), 4},
        {ViewKind::Year, false, true, At(4000, 6, 1), true, At(4000, 12, 31), 4},
        {ViewKind::Year, false, false, At(1753, 6, 1), true, At(1753, 1, 1), 3},
        {ViewKind::Month, false, true, At(2024, 3, 12), false, At(2024, 3, 12), 0},
        {ViewKind::EventList, false, true, At(2024, 3, 12), false, At(2024, 3, 12), 0},
        {ViewKind::Tasks, false, false, At(2024, 3, 12), false, At(2024, 3, 12), 0},
        {ViewKind::Search, false, true, At(2024, 3, 12), false, At(2024, 3, 12), 0},
    };
    for (const Case &c : cases) {
        CDateTime date = c.from;
        int mode = 0;
        EXPECT_EQ(CPeriodStep::Step(c.kind, c.workWeek, c.forward, date, mode), c.steps) << c.kind;
        EXPECT_EQ(date, c.to) << "kind " << c.kind << " from " << c.from.ToIsoString().toStdString();
        EXPECT_EQ(mode, c.mode) << c.kind;
    }
}

TEST(NewEventStartTest, RoundsUpToTheHalfHourOnTheSameDate)
{
    const CDateTime day = At(2024, 5, 3);
    struct Case
    {
        int hour, minute;
        CDateTime start;
    };
    const Case cases[] = {
        {10, 10, At(2024, 5, 3, 10, 30)}, {10, 30, At(2024, 5, 3, 10, 30)}, {10, 45, At(2024, 5, 3, 11, 0)},
        {10, 0, At(2024, 5, 3, 10, 0)},   {10, 1, At(2024, 5, 3, 10, 30)},  {23, 45, At(2024, 5, 3, 0, 0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CViewContainer::RoundedNewEventStart(day, At(2024, 1, 9, c.hour, c.minute, 27)), c.start)
            << c.hour << ":" << c.minute;
}

TEST(ViewKindTest, RangesAndSuccessCodes)
{
    EXPECT_TRUE(ViewKind::HasTaskPad(4));
    EXPECT_FALSE(ViewKind::HasTaskPad(5));
    EXPECT_TRUE(ViewKind::FeedsNavigator(5));
    EXPECT_FALSE(ViewKind::FeedsNavigator(6));
    for (int k = 6; k <= 8; ++k)
        EXPECT_TRUE(ViewKind::IsList(k));
    EXPECT_TRUE(IsReloadSuccess(0));
    EXPECT_TRUE(IsReloadSuccess(1));
    EXPECT_TRUE(IsReloadSuccess(0x80040509));
    EXPECT_FALSE(IsReloadSuccess(0x8004050A));
    EXPECT_FALSE(IsReloadSuccess(2));
}

} // namespace
