// The date arithmetic of the calendar containers: the day-filter snap, print ranges widened to
// whole months, runs of weeks, weeks and years, the pages they give and the year step.
#include "containers/month/CalendarPeriodRules.h"
#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

using Rules = CCalendarPeriodRules;

QString Iso(const CDateTime &d)
{
    return d.ToIsoString().left(10);
}

class WorkWeekScope
{
  public:
    explicit WorkWeekScope(int mask) : m_saved(GetWorkWeekMask()) { SetWorkWeekMask(mask); }
    ~WorkWeekScope() { SetWorkWeekMask(m_saved); }

  private:
    int m_saved;
};

TEST(CalendarPeriodRulesTest, DayFilterSnapMovesForwardAtMostAWeek)
{
    WorkWeekScope week(0x3E); // Monday to Friday
    const CDateTime saturday(2024, 3, 16), monday(2024, 3, 18);
    EXPECT_EQ(Iso(Rules::SnapToDayFilter(saturday, Rules::WorkDaysOnly)), "2024-03-18");
    EXPECT_EQ(Iso(Rules::SnapToDayFilter(monday, Rules::WorkDaysOnly)), "2024-03-18");
    EXPECT_EQ(Iso(Rules::SnapToDayFilter(monday, Rules::NonWorkDaysOnly)), "2024-03-23");
    EXPECT_EQ(Iso(Rules::SnapToDayFilter(saturday, Rules::AllDays)), "2024-03-16");
    // Every day a work day: the weekend filter gives up after seven days.
    SetWorkWeekMask(0x7F);
    EXPECT_EQ(Iso(Rules::SnapToDayFilter(monday, Rules::NonWorkDaysOnly)), "2024-03-25");
}

struct AlignCase
{
    const char *name;
    int mode; // 0 months, 1 runs of weeks, 2 weeks, 3 years
    CDateTime start, end;
    int firstWeekday, weekCount;
    const char *wantStart, *wantEnd;
};

void PrintTo(const AlignCase &c, std::ostream *os)
{
    *os << c.name;
}

class AlignPrintRangeTest : public ::testing::TestWithParam<AlignCase>
{
};

TEST_P(AlignPrintRangeTest, WidensToWholePeriods)
{
    const AlignCase &c = GetParam();
    CDateTime start = c.start, end = c.end;
    switch (c.mode) {
    case 0:
        Rules::AlignToMonths(start, end);
        break;
    case 1:
        Rules::AlignToWeekBlocks(start, end, c.firstWeekday, c.weekCount);
        break;
    case 2:
        Rules::AlignToWeeks(start, end, c.firstWeekday);
        break;
    default:
        Rules::AlignToYears(start, end);
        break;
    }
    EXPECT_EQ(Iso(start), c.wantStart);
    EXPECT_EQ(Iso(end), c.wantEnd);
}

// 13 March 2024 is a Wednesday.
INSTANTIATE_TEST_SUITE_P(
    Cases, AlignPrintRangeTest,
    ::testing::Values(AlignCase{"MonthsMidMonth", 0, CDateTime(2024, 3, 13), CDateTime(2024, 5, 2), 0, 0,
                                "2024-03-01", "2024-05-31"},
                      AlignCase{"MonthsLeapFebruary", 0, CDateTime(2024, 2, 29), CDateTime(2024, 2, 29), 0, 0,
                                "2024-02-01", "2024-02-29"},
                      AlignCase{"MonthsAcrossYears", 0, CDateTime(2023, 12, 31, 10, 0, 0),
                                CDateTime(2024, 1, 1), 0, 0, "2023-12-01", "2024-01-31"},
                      AlignCase{"OneWeekFromMonday", 1, CDateTime(2024, 3, 13), CDateTime(2024, 3, 14), 0, 1,
                                "2024-03-11", "2024-03-17"},
                      AlignCase{"ThreeWeeksFromSunday", 1, CDateTime(2024, 3, 13), CDateTime(2024, 4, 5), 6,
                                3, "2024-03-10", "2024-04-20"},
                      AlignCase{"TwoWeeksEndingOnBlockEnd", 1, CDateTime(2024, 3, 10), CDateTime(2024, 3, 23),
                                6, 2, "2024-03-10", "2024-03-23"},
                      AlignCase{"TwoWeeksOneDayPastBlock", 1, CDateTime(2024, 3, 10), CDateTime(2024, 3, 24),
                                6, 2, "2024-03-10", "2024-04-06"},
                      AlignCase{"TenWeeksFromSaturday", 1, CDateTime(2024, 3, 13), CDateTime(2024, 3, 13), 5,
                                10, "2024-03-09", "2024-05-17"},
                      AlignCase{"EndBeforeStart", 1, CDateTime(2024, 3, 13), CDateTime(2024, 3, 1), 0, 2,
                                "2024-03-11", "2024-03-24"},
                      AlignCase{"WeeksFromMonday", 2, CDateTime(2024, 3, 13), CDateTime(2024, 3, 21), 0, 0,
                                "2024-03-11", "2024-03-24"},
                      AlignCase{"WeeksFromSunday", 2, CDateTime(2024, 3, 13), CDateTime(2024, 3, 21), 6, 0,
                                "2024-03-10", "2024-03-23"},
                      AlignCase{"WeeksStartDayItself", 2, CDateTime(2024, 3, 10), CDateTime(2024, 3, 10), 6,
                                0, "2024-03-10", "2024-03-16"},
                      AlignCase{"Years", 3, CDateTime(2008, 3, 1), CDateTime(2009, 2, 28), 0, 0, "2008-01-01",
                                "2009-12-31"}),
    [](const ::testing::TestParamInfo<AlignCase> &info) { return std::string(info.param.name); });

// Every first day of the week, a run of weeks and plain weeks: the start lands on that weekday
// within the week before, and the end closes the last block that holds the old end.
TEST(CalendarPeriodRulesTest, WeekStartsFollowEachFirstWeekday)
{
    for (int first = 0; first < 7; ++first) {
        for (int weeks : {1, 2, 5}) {
            CDateTime start(2024, 3, 13, 15, 30, 0), end(2024, 4, 2);
            Rules::AlignToWeekBlocks(start, end, first, weeks);
            EXPECT_EQ((start.GetDayOfWeek() + 5) % 7, first) << first;
            const double back = (CDateTime(2024, 3, 13) - start).GetTotalDays();
            EXPECT_GE(back, 0.0);
            EXPECT_LT(back, 7.0);
            const double days = (end - start).GetTotalDays() + 1;
            EXPECT_EQ(int(days) % (7 * weeks), 0) << first << " " << weeks;
            EXPECT_GE(end, CDateTime(2024, 4, 2));
            EXPECT_LT((end - CDateTime(2024, 4, 2)).GetTotalDays(), 7.0 * weeks);
        }
        CDateTime start(2024, 3, 13), end(2024, 3, 13);
        Rules::AlignToWeeks(start, end, first);
        EXPECT_EQ((start.GetDayOfWeek() + 5) % 7, first);
        EXPECT_EQ((end - start).GetTotalDays(), 6.0);
    }
}

TEST(CalendarPeriodRulesTest, PagesAndTheirDates)
{
    const auto months = Rules::Period::Months(1);
    // Three months, two pages each: six pages, pages 3 and 4 on the second month.
    EXPECT_EQ(Rules::CountPages(CDateTime(2024, 3, 1), CDateTime(2024, 5, 31), months, 2), 6);
    EXPECT_EQ(Iso(Rules::PageDate(CDateTime(2024, 3, 1), months, 3, 2)), "2024-04-01");
    EXPECT_EQ(Iso(Rules::PageDate(CDateTime(2024, 3, 1), months, 4, 2)), "2024-04-01");
    EXPECT_EQ(Iso(Rules::PageDate(CDateTime(2024, 3, 1), months, 5, 2)), "2024-05-01");
    // A start inside a month still counts that month, then lands on the 1st of the next.
    EXPECT_EQ(Rules::CountPages(CDateTime(2024, 3, 15), CDateTime(2024, 4, 10), months), 2);
    EXPECT_EQ(Iso(Rules::PageDate(CDateTime(2024, 3, 15), months, 2)), "2024-04-01");
    // Runs of three weeks.
    const auto threeWeeks = Rules::Period::Days(21);
    EXPECT_EQ(Rules::CountPages(CDateTime(2024, 3, 10), CDateTime(2024, 4, 20), threeWeeks), 2);
    EXPECT_EQ(Iso(Rules::PageDate(CDateTime(2024, 3, 10), threeWeeks, 2)), "2024-03-31");
    // Years: the widened 2008-2009 range prints two pages.
    EXPECT_EQ(Rules::CountPages(CDateTime(2008, 1, 1), CDateTime(2009, 12, 31), Rules::Period::Months(12)),
              2);
    // A range that ends where it starts still prints its period; the end of the calendar stops.
    EXPECT_EQ(Rules::CountPages(CDateTime(2024, 3, 10), CDateTime(2024, 3, 10), threeWeeks), 1);
    EXPECT_EQ(Rules::CountPages(CDateTime(4000, 12, 1), CDateTime(4000, 12, 31), Rules::Period::Days(7)), 5);
}

TEST(CalendarPeriodRulesTest, YearStepKeepsTheDayOfTheMonth)
{
    EXPECT_EQ(Iso(Rules::AddYearsKeepingDay(CDateTime(2008, 2, 29), 1)), "2009-02-28");
    EXPECT_EQ(Iso(Rules::AddYearsKeepingDay(CDateTime(2008, 2, 29), 4)), "2012-02-29");
    EXPECT_EQ(Iso(Rules::AddYearsKeepingDay(CDateTime(2024, 7, 31, 13, 0, 0), -1)), "2023-07-31");
}

} // namespace
