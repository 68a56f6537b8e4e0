// The Day and Multi-day container's arithmetic: banner heights in small windows, the splitter's
// row steps, day counts, week starts, the Tab order and the print range.
#include "containers/base/ViewKinds.h"
#include "containers/day/DayContainerLayout.h"
#include "containers/day/DayPrintRange.h"

#include <gtest/gtest.h>

namespace {
using Layout = CDayContainerLayout;

TEST(DayContainerLayout, BannerShrinksToWholeRowsAndNeverGoesNegative)
{
    const struct
    {
        int banner, cy, row, header, expected;
    } cases[] = {
        {200, 200, 16, 20, 124}, // the grid keeps its room: 6 rows under the header
        {100, 400, 16, 20, 100}, // room enough: unchanged
        {100, 166, 16, 20, 100}, // exactly the reserve left
        {100, 165, 16, 20, 92},  // one pixel less: whole rows (4) that leave 66
        {60, 80, 19, 0, 8},      // room for no row: the borders alone
        {60, 30, 19, 20, 24},    // lower than header and borders: it stops above the bar
        {60, 4, 19, 20, 0},      // lower than the bar itself
        {60, 0, 19, 20, 60},     // no client yet: nothing to fit
    };
    for (const auto &c : cases) {
        const int b = Layout::FitBanner(c.banner, c.cy, c.row, c.header);
        EXPECT_EQ(b, c.expected) << c.banner << " in " << c.cy;
        EXPECT_GE(b, 0);
    }
}

TEST(DayContainerLayout, PanesHaveNoNegativeSizeInATinyWindow)
{
    for (int cy = 0; cy <= 120; ++cy) {
        for (int banner : {0, 8, 47, 200}) {
            const int fitted = Layout::FitBanner(banner, cy, 19, 20);
            const Layout::Panes p = Layout::Place(300, cy, fitted);
            ASSERT_GE(p.banner.height(), 0) << cy;
            ASSERT_GE(p.bar.height(), 0) << cy;
            ASSERT_GE(p.grid.height(), 0) << cy;
            ASSERT_LE(p.grid.top() + p.grid.height(), std::max(cy, 0)) << cy;
            if (cy > 0)
                ASSERT_EQ(p.banner.height() + p.bar.height() + p.grid.height(), cy) << cy << " " << banner;
        }
    }
    const Layout::Panes p = Layout::Place(500, 400, 90);
    EXPECT_EQ(p.banner, QRect(0, 0, 500, 90));
    EXPECT_EQ(p.bar, QRect(0, 90, 500, 6));
    EXPECT_EQ(p.grid, QRect(0, 96, 500, 304));
}

TEST(DayContainerLayout, AutomaticFitKeepsToTheRowLimit)
{
    // "ARM" of 3 reads as 5: at most five rows open.
    const int limit = Layout::RowLimitFromSetting(3);
    EXPECT_EQ(limit, 5);
    EXPECT_EQ(Layout::RowLimitFromSetting(28), 28);
    EXPECT_EQ(Layout::BannerForRows(9, limit, 19, 20, 0), 20 + 5 * 19 + 8);
    EXPECT_EQ(Layout::BannerForRows(0, limit, 19, 20, 0), 20 + 19 + 8); // at least one row
    EXPECT_EQ(Layout::BannerForRows(2, limit, 19, 0, 1000), 2 * 19 + 8);
    // A low window wins over the rows in use.
    EXPECT_EQ(Layout::BannerForRows(5, limit, 16, 20, 200), 20 + 16 * 5 + 8);
    EXPECT_EQ(Layout::BannerForRows(5, limit, 16, 20, 150), 20 + 16 * 3 + 8);
}

TEST(DayContainerLayout, SplitterMovesByWholeRowsInsideItsBounds)
{
    const Layout::DragBounds bounds = Layout::SplitterBounds(400, 16, 20);
    EXPECT_EQ(bounds.lowest, 16 + 20 + 8);
    EXPECT_EQ(bounds.highest, ((400 - 20 - 74) / 16) * 16 + 20 + 8);
    const int base = 20 + 8;
    int top = base + 3 * 16;
    EXPECT_EQ(Layout::StepBar(top, top + 8, 16, bounds), top);      // half a row: stays
    EXPECT_EQ(Layout::StepBar(top, top + 9, 16, bounds), top + 16); // more: one row down
    EXPECT_EQ(Layout::StepBar(top, top - 100, 16, bounds), top - 16); // one row per move
    // Far outside, over many moves: never above one row nor below the last row that fits.
    for (int i = 0; i < 40; ++i)
        top = Layout::StepBar(top, -500, 16, bounds);
    EXPECT_EQ(top, bounds.lowest);
    for (int i = 0; i < 40; ++i) {
        top = Layout::StepBar(top, 5000, 16, bounds);
        EXPECT_EQ((top - base) % 16, 0);
    }
    EXPECT_EQ(top, bounds.highest);
    // A bar that stood between rows lands on one.
    EXPECT_EQ((Layout::StepBar(base + 37, base + 37, 16, bounds) - base) % 16, 0);
    // A window too low for a row still offers exactly one.
    const Layout::DragBounds tiny = Layout::SplitterBounds(50, 16, 20);
    EXPECT_EQ(tiny.lowest, tiny.highest);
}

TEST(DayContainerLayout, DayCountsOfTheTwoKinds)
{
    const struct
    {
        int kind, requested;
        bool workWeek;
        int workDays, count;
        bool expectedWorkWeek;
    } cases[] = {
        {ViewKind::MultiDay, 1, false, 5, 2, false},  {ViewKind::MultiDay, 20, false, 5, 14, false},
        {ViewKind::MultiDay, 5, false, 5, 5, false},  {ViewKind::MultiDay, 7, true, 5, 7, true},
        {ViewKind::MultiDay, 6, true, 1, 6, false},   {ViewKind::MultiDay, 3, true, 0, 3, false},
        {ViewKind::MultiDay, 7, true, 2, 7, true},    {ViewKind::Day, 5, true, 5, 1, false},
        {ViewKind::Day, 14, false, 5, 1, false},
    };
    for (const auto &c : cases) {
        const Layout::DayCount r = Layout::ResolveDayCount(c.kind, c.requested, c.workWeek, c.workDays);
        EXPECT_EQ(r.count, c.count) << c.kind << " " << c.requested;
        EXPECT_EQ(r.workWeek, c.expectedWorkWeek) << c.kind << " " << c.requested;
    }
    EXPECT_EQ(Layout::ClampMultiDayCount(1), 2);
    EXPECT_EQ(Layout::ClampMultiDayCount(20), 14);
}

TEST(DayContainerLayout, WeekStartsFollowTheFirstDayOfTheWeek)
{
    // 13 March 2024 is a Wednesday.
    const CDateTime wednesday(2024, 3, 13);
    EXPECT_EQ(Layout::WeekStart(wednesday, 0), CDateTime(2024, 3, 11)); // Monday weeks
    EXPECT_EQ(Layout::WeekStart(wednesday, 6), CDateTime(2024, 3, 10)); // Sunday weeks
    EXPECT_EQ(Layout::WeekStart(wednesday, 2), CDateTime(2024, 3, 13)); // Wednesday weeks
    EXPECT_EQ(Layout::WeekStart(CDateTime(2024, 3, 12, 15, 30, 0), 2), CDateTime(2024, 3, 6));
    for (int fdow = 0; fdow < 7; ++fdow)
        for (int d = 4; d < 18; ++d) {
            const CDateTime start = Layout::WeekStart(CDateTime(2024, 3, d), fdow);
            EXPECT_EQ(Layout::DaysIntoWeek(start, fdow), 0);
            EXPECT_LE(CDateTime(2024, 3, d).Value() - start.Value(), 6.0);
        }
    EXPECT_TRUE(Layout::IsOneStepScroll(CDateTime(2024, 3, 11), CDateTime(2024, 3, 12), false));
    EXPECT_FALSE(Layout::IsOneStepScroll(CDateTime(2024, 3, 11), CDateTime(2024, 3, 12), true));
    EXPECT_TRUE(Layout::IsOneStepScroll(CDateTime(2024, 3, 11), CDateTime(2024, 3, 18), true));
    EXPECT_FALSE(Layout::IsOneStepScroll(CDateTime(2024, 3, 11), CDateTime(2024, 3, 10), false));
}

TEST(DayContainerLayout, TabOrderInsideTheContainer)
{
    using P = Layout::Pane;
    const struct
    {
        P focus;
        bool taskPad;
        P forward, backward;
    } cases[] = {
        {P::Grid, true, P::TaskPad, P::Banner},   {P::Grid, false, P::Banner, P::Banner},
        {P::Banner, true, P::Grid, P::TaskPad},   {P::Banner, false, P::Grid, P::Grid},
        {P::TaskPad, true, P::Banner, P::Grid},   {P::Other, true, P::Grid, P::Grid},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Layout::NextPane(c.focus, true, c.taskPad), c.forward) << int(c.focus) << c.taskPad;
        EXPECT_EQ(Layout::NextPane(c.focus, false, c.taskPad), c.backward) << int(c.focus) << c.taskPad;
    }
}

TEST(DayContainerLayout, TimeScaleCommandsAndTheirIndexes)
{
    const int minutes[] = {60, 30, 15, 10, 6, 5};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Layout::MinutesOfCommand(32794 + i), minutes[i]);
        EXPECT_EQ(Layout::ScaleIndexOfMinutes(minutes[i]), 5 - i);
    }
    EXPECT_EQ(Layout::MinutesOfCommand(32793), 0);
    EXPECT_EQ(Layout::MinutesOfCommand(32800), 0);
    EXPECT_EQ(Layout::ScaleIndexOfMinutes(20), -1);
}

TEST(DayPrintRange, DefaultStyleAndRange)
{
    const struct
    {
        int days, style;
        CDateTime end;
    } cases[] = {
        {1, 257, CDateTime(2024, 3, 11)},
        {2, 258, CDateTime(2024, 3, 12)},
        {5, 258, CDateTime(2024, 3, 15)},
        {7, 258, CDateTime(2024, 3, 17)},
        {14, 258, CDateTime(2024, 3, 24)},
    };
    for (const auto &c : cases) {
        int style = 0;
        CDateTime start, end;
        CDayPrintRange::GetDefault(c.days, CDateTime(2024, 3, 11, 10, 0, 0), style, start, end);
        EXPECT_EQ(style, c.style) << c.days;
        EXPECT_EQ(start, CDateTime(2024, 3, 11)) << c.days;
        EXPECT_EQ(end, c.end) << c.days;
    }
}

TEST(DayPrintRange, WorkWeekWidensToWholeWeeks)
{
    const struct
    {
        bool workWeek;
        int fdow;
        CDateTime start, end, alignedStart, alignedEnd;
    } cases[] = {
        // Wednesday to the next Tuesday: two whole weeks.
        {true, 0, CDateTime(2024, 3, 13), CDateTime(2024, 3, 19), CDateTime(2024, 3, 11), CDateTime(2024, 3, 24)},
        {true, 6, CDateTime(2024, 3, 13), CDateTime(2024, 3, 19), CDateTime(2024, 3, 10), CDateTime(2024, 3, 23)},
        {true, 0, CDateTime(2024, 3, 11), CDateTime(2024, 3, 17), CDateTime(2024, 3, 11), CDateTime(2024, 3, 17)},
        {true, 0, CDateTime(2024, 3, 17), CDateTime(2024, 3, 17), CDateTime(2024, 3, 11), CDateTime(2024, 3, 17)},
        // Outside work-week mode nothing changes.
        {false, 0, CDateTime(2024, 3, 13), CDateTime(2024, 3, 19), CDateTime(2024, 3, 13), CDateTime(2024, 3, 19)},
    };
    for (const auto &c : cases) {
        CDateTime start = c.start, end = c.end;
        CDayPrintRange::Align(c.workWeek, c.fdow, start, end);
        EXPECT_EQ(start, c.alignedStart) << c.start.GetDay() << " fdow " << c.fdow;
        EXPECT_EQ(end, c.alignedEnd) << c.end.GetDay() << " fdow " << c.fdow;
    }
}

} // namespace
