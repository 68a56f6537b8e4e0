// The navigator engine without a window: fill, week numbers, dates of cells, hit test,
// highlighting, the mouse protocol and scrolling at the ends of the calendar.
#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"
#include "common/TempProfile.h"
#include "toolkit/navigator/DateNavigator.h"
#include "toolkit/navigator/NavigatorTestHost.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr int kCells = CNavigatorMonth::kCells;

class DateNavigatorTest : public ::testing::Test
{
  protected:
    // An engine of across x down months showing `date`.
    void Make(int across, int down, const CDateTime &date, bool weekNumbers = true, bool todayBar = false)
    {
        nav.SetFontProbe(FixedFontSizes);
        ASSERT_TRUE(nav.LoadLayout(&host, 802, weekNumbers, todayBar));
        nav.SetSelection(date, 1, 1, false);
        const NavigatorMetrics &m = nav.GetMetrics();
        nav.SetSize(across * m.monthWidth + 3, down * m.monthHeight + 3);
        ASSERT_EQ(nav.GetMonthCount(), across * down);
    }
    QPoint Centre(int cell) const { return nav.GetCellRect(cell).center(); }

    TempProfile profile;
    RecordingNavigatorHost host;
    CDateNavigator nav;
};

// Days back from the 1st: its weekday counted from the first day of the week.
int ExpectedLeading(const CDateTime &first, int firstDay)
{
    return ((first.GetDayOfWeek() + 5) % 7 - firstDay + 7) % 7;
}

TEST_F(DateNavigatorTest, MetricsFollowTheFontSizes)
{
    Make(1, 1, CDateTime(2024, 5, 15));
    const NavigatorMetrics &m = nav.GetMetrics();
    EXPECT_EQ(m.titleHeight, 20);
    EXPECT_EQ(m.cellWidth, 20);
    EXPECT_EQ(m.cellHeight, 15);
    EXPECT_EQ(m.monthWidth, 172);
    EXPECT_EQ(m.monthHeight, 128);
    EXPECT_EQ(nav.GetPreferredWidth(), 180);
    EXPECT_EQ(nav.RoundHeight(128 * 3 + 8 + 100), 128 * 3 + 8);
    EXPECT_EQ(NavigatorMetrics::From({6, 13, 13}, false, true).monthHeight, 147);
}

// Months starting on every weekday, for a week starting Monday and Sunday: the grid starts on the
// first day of the week, the 1st on that day has no leading days, and every cell's date runs on.
TEST_F(DateNavigatorTest, FillStartsEachGridOnTheFirstDayOfTheWeek)
{
    for (int firstDay : {0, 6}) {
        ScopedWeekRules rules(firstDay, kWeekContainsJan1);
        // January to July 2024 start on every weekday once.
        for (int month = 1; month <= 7; ++month) {
            CDateNavigator engine;
            RecordingNavigatorHost h;
            engine.SetFontProbe(FixedFontSizes);
            ASSERT_TRUE(engine.LoadLayout(&h, 1, true, false));
            engine.SetSelection(CDateTime(2024, month, 10), 1, 1, false);
            engine.SetSize(200, 150);
            const CNavigatorMonth &m = engine.GetMonth(0);
            const CDateTime first(2024, month, 1);
            const int lead = ExpectedLeading(first, firstDay);
            SCOPED_TRACE(testing::Message() << "first day " << firstDay << " month " << month);
            EXPECT_EQ(m.leadingBlanks, lead);
            EXPECT_EQ(m.cells[std::size_t(lead)].day, 1);
            EXPECT_EQ(m.cells[std::size_t(lead)].flags, 0u);
            // The first column's weekday is the first day of the week.
            EXPECT_EQ((engine.CellDate(0).GetDayOfWeek() + 5) % 7, firstDay);
            for (int c = 1; c < kCells; ++c)
                EXPECT_EQ(engine.CellDate(c) - engine.CellDate(c - 1), CDateSpan(1.0));
            // One month alone shows its neighbours' days grey.
            for (int c = 0; c < lead; ++c)
                EXPECT_EQ(m.cells[std::size_t(c)].flags, CNavigatorDay::FlagOtherMonth);
            const int days = CDateTime::DaysInMonth(2024, month);
            for (int c = lead + days; c < kCells; ++c)
                EXPECT_EQ(m.cells[std::size_t(c)].flags, CNavigatorDay::FlagOtherMonth);
        }
    }
}

struct FebruaryCase
{
    int year;
    int firstDay;
    int days;
    int leading;
};

// Leap and common Februaries; a 28-day February starting on the first day of the week fills
// exactly four rows.
TEST_F(DateNavigatorTest, FebruariesFillByTheLeapRules)
{
    const FebruaryCase cases[] = {
        {2024, 0, 29, 3}, // Thursday 1st
        {2000, 0, 29, 1}, // Tuesday 1st, a leap century
        {1900, 0, 28, 3}, // Thursday 1st, no leap century
        {2100, 6, 28, 1}, // Monday 1st, week from Sunday
        {2010, 0, 28, 0}, // Monday 1st: four full rows
        {2015, 6, 28, 0}, // Sunday 1st, week from Sunday
    };
    for (const FebruaryCase &fc : cases) {
        ScopedWeekRules rules(fc.firstDay, kWeekFirstFourDays);
        CDateNavigator engine;
        RecordingNavigatorHost h;
        engine.SetFontProbe(FixedFontSizes);
        ASSERT_TRUE(engine.LoadLayout(&h, 1, true, false));
        engine.SetSelection(CDateTime(fc.year, 2, 14), 1, 1, false);
        // Three months in a column: February in the middle.
        const NavigatorMetrics &mt = engine.GetMetrics();
        engine.SetSize(mt.monthWidth, mt.monthHeight * 3);
        engine.PrevMonth();
        ASSERT_EQ(engine.GetMonth(1).firstOfMonth, CDateTime(fc.year, 2, 1));
        SCOPED_TRACE(fc.year);
        const CNavigatorMonth &feb = engine.GetMonth(1);
        EXPECT_EQ(feb.leadingBlanks, fc.leading);
        const int lastCell = fc.leading + fc.days - 1;
        EXPECT_EQ(feb.cells[std::size_t(lastCell)].day, fc.days);
        EXPECT_EQ(feb.cells[std::size_t(lastCell)].flags, 0u);
        // An interior month hides its neighbours' days: they belong to the months around it.
        EXPECT_EQ(feb.cells[std::size_t(lastCell + 1)].flags, CNavigatorDay::FlagHidden);
        if (fc.leading > 0) {
            EXPECT_EQ(feb.cells[0].flags, CNavigatorDay::FlagHidden);
        }
        if (fc.leading == 0 && fc.days == 28) {
            EXPECT_EQ(feb.weekNumbers[4], -1);
            EXPECT_EQ(feb.weekNumbers[5], -1);
        }
    }
}

// Week numbers are the core's week of the row's last day, for each rule and first day; rows of a
// neighbouring month have none except in the first two rows and in the last month.
TEST_F(DateNavigatorTest, WeekNumbersFollowTheCoreRules)
{
    for (int rule : {kWeekContainsJan1, kWeekFirstFourDays, kWeekFirstFullWeek}) {
        for (int firstDay : {0, 6}) {
            ScopedWeekRules rules(firstDay, rule);
            CDateNavigator engine;
            RecordingNavigatorHost h;
            engine.SetFontProbe(FixedFontSizes);
            ASSERT_TRUE(engine.LoadLayout(&h, 1, true, false));
            engine.SetSelection(CDateTime(2020, 12, 20), 1, 1, false);
            const NavigatorMetrics &mt = engine.GetMetrics();
            engine.SetSize(mt.monthWidth * 3, mt.monthHeight); // December 2020 to February 2021
            for (int i = 0; i < 3; ++i) {
                const CNavigatorMonth &m = engine.GetMonth(i);
                for (int row = 0; row < 6; ++row) {
                    const CDateTime rowFirst = engine.CellDate(i * kCells + row * 7);
                    const bool own = rowFirst.GetMonth() == m.firstOfMonth.GetMonth();
                    const int expected = (own || row < 2 || i == 2)
                                             ? GetWeekOfYear(rule, firstDay, engine.CellDate(i * kCells + row * 7 + 6))
                                             : -1;
                    EXPECT_EQ(m.weekNumbers[std::size_t(row)], expected)
                        << "rule " << rule << " first day " << firstDay << " month " << i << " row " << row;
                }
            }
        }
    }
    // A known value: 2021-01-04 starts week 1 under the four-day rule with Monday first.
    ScopedWeekRules rules(0, kWeekFirstFourDays);
    Make(1, 1, CDateTime(2021, 1, 10));
    EXPECT_EQ(nav.GetMonth(0).weekNumbers[0], 53);
    EXPECT_EQ(nav.GetMonth(0).weekNumbers[1], 1);
}

// Date to cell and back, and cell to point and back, for months in rows and in columns.
TEST_F(DateNavigatorTest, DatesCellsAndPointsRoundTrip)
{
    for (auto [across, down] : {std::pair{3, 2}, std::pair{2, 3}, std::pair{1, 4}}) {
        CDateNavigator engine;
        RecordingNavigatorHost h;
        engine.SetFontProbe(FixedFontSizes);
        ASSERT_TRUE(engine.LoadLayout(&h, 1, across != 2, false));
        engine.SetSelection(CDateTime(2023, 11, 5), 1, 1, false);
        const NavigatorMetrics &mt = engine.GetMetrics();
        engine.SetSize(across * mt.monthWidth, down * mt.monthHeight);
        ASSERT_EQ(engine.GetMonthCount(), across * down);
        EXPECT_EQ(engine.GetFirstShownDate(), CDateTime(2023, 11, 1));
        const int days = engine.GetShownDays();
        for (int d = 0; d < days; ++d) {
            const CDateTime date = engine.GetFirstShownDate() + CDateSpan(double(d)) + CDateSpan(0.5);
            bool midnight = true, clamped = true;
            const int cell = engine.DateToCell(date, &midnight, &clamped);
            ASSERT_GE(cell, 0) << d;
            EXPECT_FALSE(midnight);
            EXPECT_FALSE(clamped);
            EXPECT_TRUE(IsSameDate(engine.CellDate(cell), date)) << d;
            int hit = -1;
            EXPECT_EQ(engine.HitTest(engine.GetCellRect(cell).center(), &hit), CDateNavigator::HitDay);
            EXPECT_EQ(hit, cell);
            // The corners of a cell belong to it.
            const QRect r = engine.GetCellRect(cell);
            EXPECT_EQ(engine.HitTest(r.topLeft(), &hit), CDateNavigator::HitDay);
            EXPECT_EQ(hit, cell);
            EXPECT_EQ(engine.HitTest(r.bottomRight(), &hit), CDateNavigator::HitDay);
            EXPECT_EQ(hit, cell);
        }
        bool clamped = false, midnight = false;
        EXPECT_EQ(engine.DateToCell(CDateTime(2000, 1, 1), &midnight, &clamped), engine.GetFocusCell() - 4);
        EXPECT_TRUE(clamped);
        EXPECT_TRUE(midnight);
        const int lastCell = engine.DateToCell(CDateTime(2030, 1, 1), nullptr, &clamped);
        EXPECT_TRUE(clamped);
        EXPECT_TRUE(IsSameDate(engine.CellDate(lastCell), engine.GetEndDate() - CDateSpan(1.0)));
    }
}

// With several rows of months, a point in a lower month's title band or weekday row is no day
// of the month above; points outside every month hit nothing.
TEST_F(DateNavigatorTest, LowerTitleBandsHitNothing)
{
    Make(3, 2, CDateTime(2024, 1, 10));
    const NavigatorMetrics &m = nav.GetMetrics();
    for (int x = 0; x < 3 * m.monthWidth; x += 7) {
        for (int y = m.monthHeight; y < m.monthHeight + m.titleHeight + m.weekdayRowHeight; ++y)
            EXPECT_EQ(nav.HitTest(QPoint(x, y)), CDateNavigator::HitNothing) << x << "," << y;
        // The bottom strip of the upper months, under their sixth row.
        for (int y = m.monthHeight - 3; y < m.monthHeight; ++y)
            EXPECT_EQ(nav.HitTest(QPoint(x, y)), CDateNavigator::HitNothing) << x << "," << y;
    }
    EXPECT_EQ(nav.HitTest(QPoint(5, 5)), CDateNavigator::HitLeftArrow);
    EXPECT_EQ(nav.HitTest(QPoint(3 * m.monthWidth - 5, 5)), CDateNavigator::HitRightArrow);
    EXPECT_EQ(nav.HitTest(QPoint(m.monthWidth + 5, 5)), CDateNavigator::HitNothing);
    // The second row of months has no arrows.
    EXPECT_EQ(nav.HitTest(QPoint(5, m.monthHeight + 5)), CDateNavigator::HitNothing);
    EXPECT_EQ(nav.HitTest(QPoint(5000, 5000)), CDateNavigator::HitNothing);
    // A hidden cell (February's leading days, shown grey by January) is never hit.
    int cell = -1;
    EXPECT_EQ(nav.HitTest(Centre(kCells + 0), &cell), CDateNavigator::HitNothing);
    EXPECT_EQ(cell, -1);
}

// Before a layout there is no month size: nothing divides by it, nothing is hit or painted.
TEST_F(DateNavigatorTest, NoLayoutYetMeansNoMonths)
{
    CDateNavigator engine;
    EXPECT_FALSE(engine.SetSize(500, 500));
    EXPECT_EQ(engine.GetMonthCount(), 0);
    EXPECT_EQ(engine.HitTest(QPoint(10, 40)), CDateNavigator::HitNothing);
    EXPECT_EQ(engine.RoundHeight(300), 300);
    EXPECT_EQ(engine.DateToCell(CDateTime(2024, 1, 1)), -1);
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    engine.Paint(painter);
    painter.end();
    EXPECT_EQ(image.pixel(25, 25), QColor(Qt::white).rgb());
    engine.OnLButtonDown(QPoint(10, 40));
    engine.OnLButtonUp(QPoint(10, 40));
}

// The grid never shows a month before January 1753 or after December 4000, however it scrolls.
TEST_F(DateNavigatorTest, ScrollingStopsAtTheEndsOfTheCalendar)
{
    Make(3, 2, CDateTime(1753, 2, 10));
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(1753, 2, 1));
    nav.PrevMonth();
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(1753, 1, 1));
    nav.PrevMonth();
    nav.PrevMonth();
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(1753, 1, 1));
    // December 1752 is not shown even as grey days.
    const CNavigatorMonth &jan = nav.GetMonth(0);
    for (int c = 0; c < jan.leadingBlanks; ++c)
        EXPECT_EQ(jan.cells[std::size_t(c)].flags, CNavigatorDay::FlagHidden);
    EXPECT_EQ(nav.HitTest(Centre(0)), jan.leadingBlanks > 0 ? CDateNavigator::HitNothing : CDateNavigator::HitDay);

    nav.SetSelection(CDateTime(4000, 12, 31), 1, 1, false);
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(4000, 7, 1));
    EXPECT_EQ(nav.GetMonth(5).firstOfMonth, CDateTime(4000, 12, 1));
    nav.NextMonth();
    nav.NextMonth();
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(4000, 7, 1));
    EXPECT_TRUE(IsSameDate(nav.CellDate(nav.GetFocusCell()), CDateTime(4000, 12, 31)));
    // The last day has its cell; January 4001 is hidden.
    bool clamped = true;
    EXPECT_EQ(nav.DateToCell(CDateTime(4000, 12, 31, 12, 0, 0), nullptr, &clamped), nav.GetFocusCell());
    EXPECT_FALSE(clamped);
    const CNavigatorMonth &dec = nav.GetMonth(5);
    for (int c = dec.leadingBlanks + 31; c < kCells; ++c)
        EXPECT_EQ(dec.cells[std::size_t(c)].flags, CNavigatorDay::FlagHidden);
    // The right arrow held down does nothing more at the end.
    const int before = int(host.notes.size());
    nav.OnLButtonDown(QPoint(3 * nav.GetMetrics().monthWidth - 5, 5));
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(4000, 7, 1));
    nav.OnLButtonUp(QPoint(3 * nav.GetMetrics().monthWidth - 5, 5));
    EXPECT_EQ(int(host.notes.size()), before);
}

// Scrolling moves the current date with it once the selection leaves the grid, and says so.
TEST_F(DateNavigatorTest, ScrollingCarriesTheSelectionAlong)
{
    Make(1, 1, CDateTime(2024, 1, 31));
    nav.NextMonth();
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 2, 1));
    EXPECT_EQ(nav.GetCurDate(), CDateTime(2024, 2, 29));
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].code, CDateNavigator::NotifyDateMoved);
    EXPECT_EQ(host.notes[0].reason, CDateNavigator::ReasonNextMonth);
    nav.PrevMonth();
    EXPECT_EQ(host.notes.back().reason, CDateNavigator::ReasonPrevMonth);
    EXPECT_EQ(nav.GetCurDate(), CDateTime(2024, 1, 29));
    // In a wide grid the selection stays where it is while it is still shown.
    host.notes.clear();
    CDateNavigator wide;
    RecordingNavigatorHost h;
    wide.SetFontProbe(FixedFontSizes);
    ASSERT_TRUE(wide.LoadLayout(&h, 1, true, false));
    wide.SetSelection(CDateTime(2024, 3, 10), 1, 1, false);
    wide.SetSize(3 * wide.GetMetrics().monthWidth, wide.GetMetrics().monthHeight);
    wide.PrevMonth();
    EXPECT_EQ(wide.GetFirstShownDate(), CDateTime(2024, 2, 1));
    EXPECT_EQ(wide.GetCurDate(), CDateTime(2024, 3, 10));
    EXPECT_TRUE(h.notes.empty());
}

// A click on a grey leading day of the first month chooses that day of the month before and
// scrolls to it; a release over another cell chooses nothing.
TEST_F(DateNavigatorTest, ClicksChooseDaysOnRelease)
{
    ScopedWeekRules rules(0, kWeekFirstFourDays);
    Make(3, 2, CDateTime(2024, 5, 15)); // May 2024 starts on a Wednesday: two grey April days
    ASSERT_EQ(nav.GetMonth(0).cells[0].flags, CNavigatorDay::FlagOtherMonth);
    nav.OnLButtonDown(Centre(0));
    EXPECT_TRUE(host.captured);
    EXPECT_EQ(nav.GetPressedTarget(), 0);
    nav.OnLButtonUp(Centre(0));
    EXPECT_FALSE(host.captured);
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].code, CDateNavigator::NotifyDateChosen);
    EXPECT_EQ(host.notes[0].reason, 2);
    EXPECT_EQ(host.notes[0].date, CDateTime(2024, 4, 29));
    EXPECT_EQ(nav.GetCurDate(), CDateTime(2024, 4, 29));
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 4, 1));

    // Pressed on one day, released on another: nothing, and the highlight returns.
    host.notes.clear();
    const int focus = nav.GetFocusCell();
    nav.OnLButtonDown(Centre(focus - 7));
    nav.OnMouseMove(Centre(focus - 6));
    EXPECT_TRUE(nav.GetCell(focus - 6)->flags & CNavigatorDay::FlagHighlighted);
    nav.OnLButtonUp(Centre(focus - 5));
    EXPECT_TRUE(host.notes.empty());
    EXPECT_EQ(nav.GetCurDate(), CDateTime(2024, 4, 29));
    EXPECT_TRUE(nav.GetCell(focus)->flags & CNavigatorDay::FlagHighlighted);
    EXPECT_FALSE(nav.GetCell(focus - 6)->flags & CNavigatorDay::FlagHighlighted);

    // The right button on a day reports its date and the screen point of its lower-left corner.
    nav.OnRButtonDown(Centre(focus - 7));
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].code, CDateNavigator::NotifyRightClick);
    EXPECT_EQ(host.notes[0].index, focus - 7);
    EXPECT_EQ(host.notes[0].date, CDateTime(2024, 4, 22));
    const QRect r = nav.GetCellRect(focus - 7);
    EXPECT_EQ(host.notes[0].point, QPoint(r.left(), r.top() + r.height()) + QPoint(1000, 500));
}

// The arrows scroll at once, then every 200 ms only while the pointer stays over them.
TEST_F(DateNavigatorTest, ArrowsRepeatOnlyOverTheArrow)
{
    Make(1, 1, CDateTime(2024, 5, 15));
    const QPoint right(nav.GetMetrics().monthWidth - 10, 8);
    ASSERT_EQ(nav.HitTest(right), CDateNavigator::HitRightArrow);
    nav.OnLButtonDown(right);
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 6, 1));
    EXPECT_EQ(host.timers.count(CDateNavigator::TimerNextMonth), 1u);
    host.cursor = right;
    nav.OnTimer(CDateNavigator::TimerNextMonth);
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 7, 1));
    host.cursor = QPoint(60, 80);
    nav.OnTimer(CDateNavigator::TimerNextMonth);
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 7, 1));
    nav.OnMouseMove(QPoint(60, 80)); // no day chosen while the arrow holds the mouse
    nav.OnLButtonUp(QPoint(60, 80));
    EXPECT_TRUE(host.timers.empty());
    EXPECT_FALSE(host.captured);
    EXPECT_EQ(nav.GetCurDate(), CDateTime(2024, 7, 15));
    const QPoint left(8, 8);
    nav.OnLButtonDown(left);
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 6, 1));
    EXPECT_EQ(host.timers.count(CDateNavigator::TimerPrevMonth), 1u);
    nav.OnLButtonUp(left);
}

// Highlighting by day, week and month, across the gap between months.
TEST_F(DateNavigatorTest, HighlightingCrossesMonthEnds)
{
    ScopedWeekRules rules(0, kWeekFirstFourDays);
    Make(2, 1, CDateTime(2024, 5, 30));
    auto highlighted = [this] {
        std::vector<CDateTime> dates;
        for (int c = 0; c < nav.GetMonthCount() * kCells; ++c) {
            if (nav.GetCell(c)->flags & CNavigatorDay::FlagHighlighted)
                dates.push_back(nav.CellDate(c));
        }
        return dates;
    };
    // Four days from 30 May go on in June.
    nav.SetSelection(CDateTime(2024, 5, 30), CDateNavigator::UnitDay, 4, false);
    EXPECT_EQ(highlighted(), (std::vector<CDateTime>{CDateTime(2024, 5, 30), CDateTime(2024, 5, 31),
                                                     CDateTime(2024, 6, 1), CDateTime(2024, 6, 2)}));
    // A week whose first day lies in May though the date is in June.
    nav.SetSelection(CDateTime(2024, 6, 1), CDateNavigator::UnitWeek, 7, false);
    std::vector<CDateTime> week;
    for (int d = 27; d <= 31; ++d)
        week.push_back(CDateTime(2024, 5, d));
    week.push_back(CDateTime(2024, 6, 1));
    week.push_back(CDateTime(2024, 6, 2));
    EXPECT_EQ(highlighted(), week);
    // The whole month: its own days only.
    nav.SetSelection(CDateTime(2024, 6, 12), CDateNavigator::UnitMonth, 1, false);
    const std::vector<CDateTime> month = highlighted();
    ASSERT_EQ(month.size(), 30u);
    EXPECT_EQ(month.front(), CDateTime(2024, 6, 1));
    EXPECT_EQ(month.back(), CDateTime(2024, 6, 30));
    // The count is of days from the week's first day: a work week marks five.
    nav.SetSelection(CDateTime(2024, 6, 12), CDateNavigator::UnitWeek, 5, false);
    EXPECT_EQ(highlighted(), (std::vector<CDateTime>{CDateTime(2024, 6, 10), CDateTime(2024, 6, 11),
                                                     CDateTime(2024, 6, 12), CDateTime(2024, 6, 13),
                                                     CDateTime(2024, 6, 14)}));
    // A week selection that is not shown whole scrolls the grid.
    nav.SetSelection(CDateTime(2024, 6, 28), CDateNavigator::UnitWeek, 14, false);
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 6, 1));
    EXPECT_EQ(highlighted().size(), 14u);
}

// The today bar chooses today even when another month is shown.
TEST_F(DateNavigatorTest, TodayBarChoosesToday)
{
    SetNowProvider([] { return CDateTime(2024, 5, 15, 9, 30, 0); });
    ResetToday();
    Make(1, 1, CDateTime(2021, 2, 3), true, true);
    const QRect bar = nav.GetTodayBarRect();
    ASSERT_TRUE(bar.isValid());
    EXPECT_EQ(nav.HitTest(bar.center()), CDateNavigator::HitTodayBar);
    nav.OnLButtonDown(bar.center());
    EXPECT_TRUE(nav.IsTodayBarPressed());
    nav.OnLButtonUp(bar.center());
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].date, CDateTime(2024, 5, 15));
    EXPECT_EQ(nav.GetFirstShownDate(), CDateTime(2024, 5, 1));
    EXPECT_EQ(nav.GetTodayCell(), nav.GetFocusCell());
    SetNowProvider({});
    ResetToday();
}

// After midnight the today mark moves to the new day, also onto a grey day of the next month.
TEST_F(DateNavigatorTest, TodayMovesAfterMidnight)
{
    CDateTime now(2024, 5, 30, 23, 59, 0);
    SetNowProvider([&now] { return now; });
    ResetToday();
    ::UpdateToday();
    Make(1, 1, CDateTime(2024, 5, 10));
    const int before = nav.GetTodayCell();
    EXPECT_TRUE(IsSameDate(nav.CellDate(before), CDateTime(2024, 5, 30)));
    now = CDateTime(2024, 5, 31, 0, 1, 0);
    ::UpdateToday();
    host.invalidated.clear();
    nav.UpdateToday();
    EXPECT_EQ(nav.GetTodayCell(), before + 1);
    EXPECT_EQ(host.invalidated.size(), 2u);
    now = CDateTime(2024, 6, 1, 0, 1, 0);
    ::UpdateToday();
    nav.UpdateToday();
    ASSERT_GE(nav.GetTodayCell(), 0);
    EXPECT_EQ(nav.GetCell(nav.GetTodayCell())->flags & CNavigatorDay::FlagOtherMonth, CNavigatorDay::FlagOtherMonth);
    EXPECT_TRUE(IsSameDate(nav.CellDate(nav.GetTodayCell()), CDateTime(2024, 6, 1)));
    SetNowProvider({});
    ResetToday();
}

} // namespace
