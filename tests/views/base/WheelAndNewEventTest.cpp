// The wheel rule (deltas to lines, lines to a period command or scroll steps) and the times a
// new event takes from a view's selection.
#include "views/base/NewEventTimes.h"
#include "views/base/WheelScroll.h"

#include <gtest/gtest.h>

#include <vector>

TEST(WheelTest, DeltasAccumulateIntoWholeLines)
{
    struct Case
    {
        const char *name;
        std::vector<int> deltas;
        std::vector<int> lines; // after each delta
    };
    const Case cases[] = {
        {"one notch down is three lines", {-120}, {3}},
        {"one notch up", {120}, {-3}},
        {"small deltas wait for a whole line", {-20, -20, -20}, {0, 1, 0}},
        {"a touchpad trickle upward", {8, 8, 8, 8, 8, 8}, {0, 0, 0, 0, -1, 0}},
        {"remainder carries over", {-50, -50}, {1, 1}},
        {"turning back drops the waiting part", {-30, 20, -30}, {0, 0, 0}},
        {"two notches at once", {-240}, {6}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CWheelAccumulator wheel;
        std::vector<int> got;
        for (int delta : c.deltas)
            got.push_back(wheel.AddDelta(delta));
        EXPECT_EQ(got, c.lines);
    }
}

TEST(WheelTest, LinesToAction)
{
    struct Case
    {
        int viewKind, lines;
        bool vertical, horizontal;
        int command, steps;
        std::uint16_t code;
    };
    const Case cases[] = {
        {4, 3, true, false, WheelCommand::NextPeriod, 0, ScrollCode::None},
        {4, -3, true, false, WheelCommand::PreviousPeriod, 0, ScrollCode::None},
        {3, 1, false, false, WheelCommand::NextPeriod, 0, ScrollCode::None},
        {5, 0, false, false, 0, 0, ScrollCode::None}, // a part line never pages back
        {1, 3, true, true, 0, 3, ScrollCode::LineDown},
        {1, -2, true, false, 0, 2, ScrollCode::LineUp},
        {6, 3, false, true, 0, 3, ScrollCode::LineRight},
        {6, -3, false, true, 0, 3, ScrollCode::LineLeft},
        {2, 3, false, false, 0, 0, ScrollCode::None},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.viewKind << " lines " << c.lines);
        const WheelAction a = WheelActionFor(c.viewKind, c.lines, c.vertical, c.horizontal);
        EXPECT_EQ(a.command, c.command);
        EXPECT_EQ(a.steps, c.steps);
        EXPECT_EQ(a.scrollCode, c.code);
    }
}

namespace {
CDateTime At(int y, int mo, int d, int h = 0, int mi = 0)
{
    return CDateTime(y, mo, d, h, mi, 0);
}
} // namespace

TEST(NewEventTimesTest, FromSelectionByViewKind)
{
    const CDateTime day = At(2024, 6, 12);
    const CDateTime none = CDateTime::Null();
    struct Case
    {
        const char *name;
        int kind;
        const char *type;
        CDateTime given;
        CDateTime rangeStart, rangeEnd;
        bool several, nead;
        CDateTime now;
        int minutes;
        CDateTime start;
        double durationMinutes;
    };
    const Case cases[] = {
        {"grid selection keeps its range", 1, "Meeting", none, At(2024, 6, 12, 9), At(2024, 6, 12, 10, 30),
         false, false, At(2024, 6, 1, 10, 10), 30, At(2024, 6, 12, 9), 90},
        {"grid holiday without start follows the selection", 1, "Holiday", none, At(2024, 6, 12, 9),
         At(2024, 6, 12, 10), false, false, At(2024, 6, 1), 30, At(2024, 6, 12, 9), 60},
        {"grid holiday with a given start is all-day", 1, "holiday", At(2024, 6, 12, 14), day, day, false,
         false, At(2024, 6, 1), 30, day, 1440},
        {"grid given start takes the default", 1, "Meeting", At(2024, 6, 12, 14), day, day, false, false,
         At(2024, 6, 1), 45, At(2024, 6, 12, 14), 45},
        {"grid empty range is one day", 1, "Meeting", none, day, day, false, false, At(2024, 6, 1), 30, day,
         1440},
        {"month birthday is all-day", 4, "BIRTHDAY", none, day, day + CDateSpan(1.0), false, false,
         At(2024, 6, 1, 10, 10), 30, day, 1440},
        {"month at 10:10 starts at 10:30", 4, "Meeting", none, day, day + CDateSpan(1.0), false, false,
         At(2024, 6, 1, 10, 10), 30, At(2024, 6, 12, 10, 30), 30},
        {"month at 10:00 starts at 10:00", 4, "Meeting", none, day, day + CDateSpan(1.0), false, false,
         At(2024, 6, 1, 10, 0), 30, At(2024, 6, 12, 10, 0), 30},
        {"month at 23:40 rolls to the next day", 4, "Meeting", none, day, day + CDateSpan(1.0), false, false,
         At(2024, 6, 1, 23, 40), 30, At(2024, 6, 13), 30},
        {"month over several days covers them", 4, "Meeting", none, day, day + CDateSpan(3.0), true, false,
         At(2024, 6, 1, 10, 10), 30, day, 3 * 1440},
        {"week with all-day new events covers the day", 3, "Meeting", none, day, day + CDateSpan(1.0), false,
         true, At(2024, 6, 1, 10, 10), 30, day, 1440},
        {"banner with a given start is one day", 2, "Meeting", At(2024, 6, 12, 8), day, day, false, false,
         At(2024, 6, 1), 30, At(2024, 6, 12, 8), 1440},
        {"banner without start takes the range", 2, "Meeting", none, day, day + CDateSpan(2.0), true, false,
         At(2024, 6, 1), 30, day, 2 * 1440},
        {"list rounds the clock", 6, "Meeting", none, day, day + CDateSpan(1.0), false, false,
         At(2024, 6, 1, 7, 31), 0, At(2024, 6, 12, 8, 0), 1},
        {"default duration capped at 12 hours", 6, "Meeting", At(2024, 6, 12, 8), day, day, false, false,
         At(2024, 6, 1), 5000, At(2024, 6, 12, 8), 720},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        NewEventRequest r;
        r.viewKind = c.kind;
        r.itemTypeName = QString::fromLatin1(c.type);
        r.givenStart = c.given;
        r.rangeStart = c.rangeStart;
        r.rangeEnd = c.rangeEnd;
        r.severalCells = c.several;
        r.newEventsAllDay = c.nead;
        r.now = c.now;
        r.defaultMinutes = c.minutes;
        const NewEventTimes t = ComputeNewEventTimes(r);
        EXPECT_EQ(t.start.ToIsoString(), c.start.ToIsoString());
        EXPECT_NEAR(t.duration.GetTotalMinutes(), c.durationMinutes, 1e-6);
    }
}
