// Week numbers against a day-by-day walk, the work-week table and the locale defaults.
#include "core/dates/WeekRules.h"
#include "core/dates/DateTime.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {
CDateTime FromQDate(const QDate &d)
{
    return CDateTime(d.year(), d.month(), d.day());
}

// Numbers every day from `from` to `to` by walking the calendar: a new week begins on the first
// day of the week, and it is week 1 of a year when it is the first week holding at least
// `minDays` days of that year; otherwise it continues the count.
std::vector<int> WalkWeekNumbers(int minDays, int firstDayOfWeek, const QDate &from, const QDate &to)
{
    auto daysInYear = [](const QDate &weekStart, int year) {
        int n = 0;
        for (int i = 0; i < 7; ++i)
            n += weekStart.addDays(i).year() == year;
        return n;
    };
    // Start at a week start well before `from`; the count there is provisional until the
    // first week 1, which comes within a year and a week.
    QDate day = from.addYears(-2);
    while ((day.dayOfWeek() - 1) != firstDayOfWeek)
        day = day.addDays(1);
    std::vector<int> out;
    int week = 0;
    for (; day <= to; day = day.addDays(1)) {
        if ((day.dayOfWeek() - 1) == firstDayOfWeek) {
            const int year = day.addDays(6).year();
            const bool enough = daysInYear(day, year) >= minDays;
            const bool previousEnough = daysInYear(day.addDays(-7), year) >= minDays;
            week = (enough && !previousEnough) ? 1 : week + 1;
        }
        if (day >= from)
            out.push_back(week);
    }
    return out;
}

struct WorkWeekGuard
{
    int mask = GetWorkWeekMask(), fdow = GetFirstDayOfWeek(), rule = GetWeekOfYearRule();
    ~WorkWeekGuard()
    {
        SetWorkWeekMask(mask);
        SetFirstDayOfWeek(fdow);
        SetWeekOfYearRule(rule);
    }
};
} // namespace

TEST(WeekOfYear, MatchesWalkForEveryRuleAndFirstDay)
{
    const QDate from(1753, 1, 1), to(2400, 12, 31);
    const int minDays[3] = {1, 4, 7};
    for (int rule = 0; rule < 3; ++rule) {
        for (int fdow = 0; fdow < 7; ++fdow) {
            const std::vector<int> expected = WalkWeekNumbers(minDays[rule], fdow, from, to);
            int index = 0;
            for (QDate d = from; d <= to; d = d.addDays(1), ++index) {
                // Every day from 1990 to 2060, and elsewhere the turn of each year plus a sample.
                const bool dense = d.year() >= 1990 && d.year() <= 2060;
                const bool yearTurn = (d.month() == 12 && d.day() >= 20) || (d.month() == 1 && d.day() <= 12);
                if (!dense && !yearTurn && index % 11 != 0)
                    continue;
                ASSERT_EQ(GetWeekOfYear(rule, fdow, FromQDate(d)), expected[size_t(index)])
                    << "rule " << rule << " first day " << fdow << " date "
                    << d.toString(Qt::ISODate).toStdString();
            }
        }
    }
}

TEST(WeekOfYear, FourDayRuleFromMondayIsIsoWeek)
{
    for (QDate d(1990, 1, 1); d.year() <= 2060; d = d.addDays(1))
        ASSERT_EQ(GetWeekOfYear(kWeekFirstFourDays, 0, FromQDate(d)), d.weekNumber())
            << d.toString().toStdString();
}

TEST(WeekOfYear, KnownWeeks)
{
    struct Case
    {
        int rule, fdow, y, m, d, week;
    } cases[] = {
        // Full-week rule after a leap year: Monday 31 December 2012 starts week 53.
        {kWeekFirstFullWeek, 0, 2012, 12, 31, 53},
        {kWeekFirstFullWeek, 0, 2013, 1, 6, 53},
        {kWeekFirstFullWeek, 0, 2013, 1, 7, 1},
        // The week holding 1 January, counted from Sunday: the last days of 2023 are week 1 of 2024.
        {kWeekContainsJan1, 6, 2023, 12, 30, 52},
        {kWeekContainsJan1, 6, 2023, 12, 31, 1},
        {kWeekContainsJan1, 6, 2024, 1, 1, 1},
        // A time of day does not change the week.
        {kWeekFirstFourDays, 0, 2021, 1, 3, 53},
        {kWeekFirstFourDays, 0, 2024, 12, 30, 1},
        // The first supported day belongs to the last week of 1752.
        {kWeekFirstFullWeek, 6, 1753, 1, 1, 53},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(GetWeekOfYear(c.rule, c.fdow, CDateTime(c.y, c.m, c.d, 13, 45, 0)), c.week)
            << c.rule << " " << c.fdow << " " << c.y << "-" << c.m << "-" << c.d;
    }
    EXPECT_EQ(GetWeekOfYear(0, 0, CDateTime::Invalid()), 1);
    EXPECT_EQ(GetWeekOfYear(0, 0, CDateTime::Null()), 1);
}

TEST(WorkWeek, ColumnsAgreeWithDates)
{
    WorkWeekGuard guard;
    // Monday to Friday, then an odd week: Sunday, Tuesday and Saturday.
    for (const int mask : {0x3E, 0x45, 0x00, 0x7F}) {
        SetWorkWeekMask(mask);
        for (int fdow = 0; fdow < 7; ++fdow) {
            SetFirstDayOfWeek(fdow);
            // A week that starts on the first day of the week: Monday 2024-03-04 plus fdow days.
            const QDate start = QDate(2024, 3, 4).addDays(fdow);
            for (int column = 0; column < 7; ++column) {
                const CDateTime date = FromQDate(start.addDays(column));
                const bool expected = (mask >> (start.addDays(column).dayOfWeek() % 7)) & 1;
                EXPECT_EQ(IsWorkDate(date), expected) << mask << " " << fdow << " " << column;
                EXPECT_EQ(IsWorkDayByIndex(column), expected) << mask << " " << fdow << " " << column;
                EXPECT_NE(IsNonWorkDayByIndex(column), expected);
                EXPECT_NE(IsNonWorkDate(date), expected);
            }
        }
    }
    EXPECT_FALSE(IsWorkDate(CDateTime::Invalid()));
}

TEST(WorkWeek, FirstColumnFromMondayReadsMonday)
{
    WorkWeekGuard guard;
    SetWorkWeekMask(0x02); // Monday only
    SetFirstDayOfWeek(0);
    EXPECT_TRUE(IsWorkDayByIndex(0));
    EXPECT_FALSE(IsWorkDayByIndex(6));
    SetFirstDayOfWeek(6); // Sunday first: Monday is column 1
    EXPECT_FALSE(IsWorkDayByIndex(0));
    EXPECT_TRUE(IsWorkDayByIndex(1));
}

TEST(WorkWeek, SettersKeepValuesInRange)
{
    WorkWeekGuard guard;
    const struct
    {
        int mask, count;
    } masks[] = {{127, 7}, {0x3E, 5}, {0, 0}, {0x1C0, 1}, {-1, 7}};
    for (const auto &m : masks) {
        SetWorkWeekMask(m.mask);
        EXPECT_EQ(CountWorkDays(), m.count) << m.mask;
        EXPECT_EQ(GetWorkWeekMask(), m.mask & 0x7F);
    }
    SetFirstDayOfWeek(9);
    EXPECT_EQ(GetFirstDayOfWeek(), 6);
    SetFirstDayOfWeek(-3);
    EXPECT_EQ(GetFirstDayOfWeek(), 0);
    SetWeekOfYearRule(5);
    EXPECT_EQ(GetWeekOfYearRule(), 2);
    SetWeekOfYearRule(-1);
    EXPECT_EQ(GetWeekOfYearRule(), 0);
}

TEST(WeekSettings, LocaleDefaults)
{
    const struct
    {
        const char *locale;
        int firstDay, rule;
    } cases[] = {
        {"en_US", 6, kWeekContainsJan1}, {"de_DE", 0, kWeekFirstFourDays}, {"en_GB", 0, kWeekFirstFourDays},
        {"ar_EG", 5, kWeekContainsJan1}, {"ja_JP", 6, kWeekContainsJan1},  {"sv_SE", 0, kWeekFirstFourDays},
    };
    for (const auto &c : cases) {
        const QLocale locale(QString::fromLatin1(c.locale));
        EXPECT_EQ(LocaleFirstDayOfWeek(locale), c.firstDay) << c.locale;
        EXPECT_EQ(LocaleWeekOfYearRule(locale), c.rule) << c.locale;
    }
}
