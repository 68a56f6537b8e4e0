// Date rules: clamped day and month steps against Qt's calendar, the weekday helpers of
// patterns, the first occurrence of a described pattern, clock and today.
#include "core/items/ItemTestUtil.h"

#include "core/items/RecurrencePattern.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {
const QDate kMin(1753, 1, 1);
const QDate kMax(4000, 12, 31);

CDateTime FromQ(const QDate &q, int h = 0, int mi = 0, int s = 0)
{
    return CDateTime(q.year(), q.month(), q.day(), h, mi, s);
}

// What AddMonths must give, computed with Qt: same month arithmetic, day stepped back, clamped.
CDateTime ReferenceAddMonths(const QDate &from, int day, int n)
{
    const QDate first = QDate(from.year(), from.month(), 1).addMonths(n);
    if (first < kMin)
        return FromQ(kMin);
    if (first > kMax)
        return FromQ(kMax);
    return FromQ(QDate(first.year(), first.month(), std::min(day, first.daysInMonth())));
}
} // namespace

TEST(DateRules, AddMonthsEdgeCases)
{
    struct Case
    {
        CDateTime from;
        int day, n;
        CDateTime expected;
    } cases[] = {
        {At(2009, 1, 31, 10, 30), 31, 1, At(2009, 2, 28)}, {At(2008, 1, 31), 31, 1, At(2008, 2, 29)},
        {At(2009, 1, 15), 15, -1, At(2008, 12, 15)},       {At(2009, 1, 15), 15, -13, At(2007, 12, 15)},
        {At(2009, 3, 31), 31, 1, At(2009, 4, 30)},         {At(1753, 3, 10), 10, -5, At(1753, 1, 1)},
        {At(4000, 10, 10), 10, 5, At(4000, 12, 31)},       {At(4000, 12, 1), 31, 0, At(4000, 12, 31)},
        {At(2000, 1, 1), 40, 0, At(2000, 1, 31)},
    };
    for (const Case &c : cases) {
        CDateTime d = c.from;
        EXPECT_TRUE(AddMonths(d, c.day, c.n));
        EXPECT_EQ(d, c.expected) << c.from.ToIsoString().toStdString() << " + " << c.n;
    }
    CDateTime d = At(2009, 5, 5);
    EXPECT_FALSE(AddMonths(d, 0, 1));
    EXPECT_EQ(d, At(2009, 5, 5));
}

TEST(DateRules, AddMonthsMatchesQtCalendar)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> dayOffset(0, int(kMin.daysTo(kMax)));
    std::uniform_int_distribution<int> months(-3000, 3000);
    std::uniform_int_distribution<int> day(1, 31);
    for (int i = 0; i < 20000; ++i) {
        const QDate from = kMin.addDays(dayOffset(rng));
        const int n = i % 10 == 0 ? months(rng) * 10 : months(rng) % 40;
        const int dd = day(rng);
        CDateTime d = FromQ(from, 13, 45, 10);
        ASSERT_TRUE(AddMonths(d, dd, n));
        ASSERT_EQ(d, ReferenceAddMonths(from, dd, n)) << from.toString(Qt::ISODate).toStdString() << " " << n;
    }
}

TEST(DateRules, AddDaysClampsAndKeepsTime)
{
    CDateTime d = At(4000, 12, 30);
    AddDays(d, 5);
    EXPECT_EQ(d, At(4000, 12, 31));
    d = At(1753, 1, 2);
    AddDays(d, -5);
    EXPECT_EQ(d, At(1753, 1, 1));
    d = At(4000, 12, 30, 10, 0);
    AddDays(d, 1); // past 4000-12-31 00:00: clamped to it
    EXPECT_EQ(d, At(4000, 12, 31));
    d = At(1899, 12, 29, 18, 30, 5); // negative OLE values keep their time of day
    AddDays(d, 2);
    EXPECT_EQ(d, At(1899, 12, 31, 18, 30, 5));
    d = At(1800, 6, 1, 6, 0);
    AddDays(d, 100000000);
    EXPECT_EQ(d, At(4000, 12, 31));

    std::mt19937 rng(7);
    std::uniform_int_distribution<int> dayOffset(0, int(kMin.daysTo(kMax)));
    std::uniform_int_distribution<int> step(-200000, 200000);
    for (int i = 0; i < 20000; ++i) {
        const QDate from = kMin.addDays(dayOffset(rng));
        const int n = i % 3 == 0 ? step(rng) : step(rng) % 500;
        CDateTime got = FromQ(from, 9, 41, 17);
        AddDays(got, n);
        const QDate to = from.addDays(n);
        const CDateTime expected = to < kMin ? FromQ(kMin) : to >= kMax ? FromQ(kMax) : FromQ(to, 9, 41, 17);
        ASSERT_EQ(got, expected) << from.toString(Qt::ISODate).toStdString() << " + " << n;
    }
}

TEST(DateRules, NthWeekdayOfMonth)
{
    struct Case
    {
        CDateTime month;
        std::uint32_t word;
        CDateTime expected;
    } cases[] = {
        // Last Friday of a 29-day month whose 1st is a Friday: 1st + 28 is still in it.
        {At(2008, 2, 12), Recur::Friday | Recur::Last, At(2008, 2, 29)},
        // March 2024 starts on a Friday and has 31 days: the 29th is the fifth Friday.
        {At(2024, 3, 20), Recur::Friday | Recur::Last, At(2024, 3, 29)},
        // April 2024: Fridays 5, 12, 19, 26; first + 28 leaves the month, so + 21.
        {At(2024, 4, 30), Recur::Friday | Recur::Last, At(2024, 4, 26)},
        {At(2024, 4, 30), Recur::Monday | Recur::First, At(2024, 4, 1)},
        {At(2024, 4, 30), Recur::Sunday | Recur::Second, At(2024, 4, 14)},
        {At(2024, 4, 30), Recur::Tuesday | Recur::Third, At(2024, 4, 16)},
        {At(2024, 4, 30), Recur::Saturday | Recur::Fourth, At(2024, 4, 27)},
        {At(2024, 4, 30), Recur::Saturday, At(2024, 4, 6)}, // no week bit counts as the first
        {At(4000, 12, 5), Recur::Sunday | Recur::Last, At(4000, 12, 31)},
        // The first Wednesday + 28 lies past the calendar's last day; still December's last.
        {At(4000, 12, 5), Recur::Wednesday | Recur::Last, At(4000, 12, 27)},
    };
    for (const Case &c : cases) {
        CDateTime d = c.month;
        EXPECT_TRUE(NthWeekdayOfMonth(d, c.word));
        EXPECT_EQ(d, c.expected) << c.month.ToIsoString().toStdString();
    }
    CDateTime d = At(2024, 4, 30);
    EXPECT_FALSE(NthWeekdayOfMonth(d, Recur::Last));
    EXPECT_EQ(d, At(2024, 4, 30));
}

TEST(DateRules, WeekdayHelpers)
{
    const CDateTime wednesday = At(2024, 6, 12, 8, 0); // Monday of its week: 10 June
    EXPECT_EQ(FirstPatternDayOfWeek(wednesday, Recur::Sunday | Recur::Thursday), At(2024, 6, 13, 8, 0));
    EXPECT_EQ(FirstPatternDayOfWeek(wednesday, Recur::Sunday), At(2024, 6, 16, 8, 0));
    EXPECT_EQ(FirstPatternDayOfWeek(wednesday, 0), At(2024, 6, 10, 8, 0));
    EXPECT_EQ(LastPatternDayOfWeek(wednesday, Recur::Monday | Recur::Sunday), At(2024, 6, 16, 8, 0));
    EXPECT_EQ(LastPatternDayOfWeek(wednesday, Recur::Monday | Recur::Tuesday), At(2024, 6, 11, 8, 0));
    EXPECT_EQ(LastPatternDayOfWeek(wednesday, 0), At(2024, 6, 10, 8, 0));
    // A Sunday belongs to the week that began six days earlier.
    EXPECT_EQ(FirstPatternDayOfWeek(At(2024, 6, 16), Recur::Monday), At(2024, 6, 10));

    CDateTime d = wednesday;
    EXPECT_TRUE(MoveToWeekday(d, Recur::Tuesday));
    EXPECT_EQ(d, At(2024, 6, 18, 8, 0));
    d = wednesday;
    EXPECT_TRUE(MoveToWeekday(d, Recur::Wednesday));
    EXPECT_EQ(d, wednesday);
    EXPECT_FALSE(MoveToWeekday(d, Recur::Monday | Recur::Friday));
    EXPECT_FALSE(MoveToWeekday(d, 0));
    EXPECT_EQ(d, wednesday);

    struct Offset
    {
        CDateTime from;
        std::uint32_t word;
        CDateTime expected;
    } offsets[] = {
        {At(2024, 4, 5), Recur::First, At(2024, 4, 5)},   {At(2024, 4, 5), Recur::Second, At(2024, 4, 12)},
        {At(2024, 4, 5), Recur::Fourth, At(2024, 4, 26)}, {At(2024, 4, 5), Recur::Last, At(2024, 4, 26)},
        {At(2024, 3, 1), Recur::Last, At(2024, 3, 29)},  {At(4000, 12, 6), Recur::Last, At(4000, 12, 27)},
    };
    for (const Offset &o : offsets) {
        CDateTime x = o.from;
        EXPECT_TRUE(AddNthWeekOffset(x, o.word));
        EXPECT_EQ(x, o.expected);
    }
    EXPECT_FALSE(AddNthWeekOffset(d, Recur::Friday));
}

TEST(DateRules, FindFirstOccurrenceAgreesWithThePattern)
{
    CDateTime first;
    // Every 2 weeks on Monday and Thursday from a Wednesday: the Thursday of the same week.
    ASSERT_TRUE(FindFirstOccurrence(
        {At(2024, 6, 12, 9, 0), 0x1200 | Recur::Monday | Recur::Thursday, 2, 0, 0}, first));
    EXPECT_EQ(first, At(2024, 6, 13));
    // Every 3 months on the 20th from the 5th: the 20th of the same month.
    ASSERT_TRUE(FindFirstOccurrence({At(2024, 6, 5), 0x1400, 3, 20, 0}, first));
    EXPECT_EQ(first, At(2024, 6, 20));
    // Yearly on 10 March from 1 June: next year.
    ASSERT_TRUE(FindFirstOccurrence({At(2024, 6, 1), 0x1800, 1, 10, 3}, first));
    EXPECT_EQ(first, At(2025, 3, 10));
    // Yearly on the last Sunday of March from 1 June: next year, not before the start.
    ASSERT_TRUE(FindFirstOccurrence({At(2024, 6, 1), 0x2800 | Recur::Sunday | Recur::Last, 12, 0, 3}, first));
    EXPECT_EQ(first, At(2025, 3, 30));
    ASSERT_TRUE(FindFirstOccurrence({At(2024, 6, 1, 7, 0), 0x4200, 2, 0, 0}, first));
    EXPECT_EQ(first, At(2024, 6, 1));
    EXPECT_FALSE(FindFirstOccurrence({At(2024, 6, 1), 0x1200, 1, 0, 0}, first));
    EXPECT_FALSE(FindFirstOccurrence({At(2024, 6, 1), 0x1000, 1, 0, 0}, first));
    EXPECT_FALSE(FindFirstOccurrence({At(2024, 6, 1), 0x3400, 1, 0, 0}, first));

    // For any pattern whose month and day come from its start, the same date as the pattern's own step.
    std::mt19937 rng(99);
    for (int i = 0; i < 3000; ++i) {
        const std::uint32_t periods[] = {0x100, 0x200, 0x400, 0x800};
        const std::uint32_t period = periods[rng() % 4];
        const bool nth = period >= 0x400 && rng() % 2;
        std::uint32_t word = period | (nth ? 0x2000u : 0x1000u);
        word |=
            nth ? Recur::WeekdayBit(int(rng() % 7) + 1) | (0x10000u << (rng() % 5)) : (rng() % 127 + 1) << 1;
        const std::uint16_t interval = period == 0x800 && nth ? 12 : std::uint16_t(rng() % 5 + 1);
        const CDateTime start(int(1990 + rng() % 60), int(rng() % 12 + 1), int(rng() % 28 + 1),
                              int(rng() % 24), 0, 0);
        const int day = period == 0x800 ? start.GetDay() : int(rng() % 31 + 1);
        const CRecurrencePattern pattern(word, interval, std::uint16_t(day), start);
        ASSERT_TRUE(FindFirstOccurrence({start, word, interval, day, start.GetMonth()}, first));
        ASSERT_EQ(first, DateOnly(pattern.DateOnOrAfter(start)))
            << std::hex << word << " " << std::dec << interval;
    }
}

TEST(DateRules, SameDateDateOnlyAndAge)
{
    EXPECT_TRUE(IsSameDate(At(2024, 2, 29, 0, 0), At(2024, 2, 29, 23, 59, 59)));
    EXPECT_FALSE(IsSameDate(At(2024, 2, 29, 23, 59, 59), At(2024, 3, 1)));
    EXPECT_EQ(DateOnly(At(1899, 12, 29, 18, 0)), At(1899, 12, 29));
    EXPECT_EQ(AgeInYears(At(1980, 5, 20), At(2024, 5, 19)), 43);
    EXPECT_EQ(AgeInYears(At(1980, 5, 20), At(2024, 5, 20)), 44);
    EXPECT_EQ(AgeInYears(At(2030, 1, 1), At(2024, 5, 20)), 0);
}

TEST(DateRules, ClockAndToday)
{
    {
        FixedClock clock(At(2024, 6, 12, 14, 30));
        EXPECT_EQ(GetNow(), At(2024, 6, 12, 14, 30));
        EXPECT_EQ(GetToday(), At(2024, 6, 12));
        ResetToday();
        EXPECT_EQ(GetToday().Value(), 0.0);
        UpdateToday();
        EXPECT_EQ(GetToday(), At(2024, 6, 12));
    }
    // Back on the system clock.
    EXPECT_GT(GetNow().GetYear(), 2000);
}

TEST(DateRules, SystemClockKeepsTheZoneUntilTold)
{
    const QByteArray saved = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    // Minutes between GetNow and UTC now, rounded (the two readings are a moment apart).
    auto offsetMinutes = [] {
        const QDateTime utc = QDateTime::currentDateTimeUtc();
        const CDateTime now = GetNow();
        const CDateTime u = CDateTime::FromQDateTime(utc);
        return qRound((now.Value() - u.Value()) * 24.0 * 60.0 / 15.0) * 15;
    };
    qputenv("TZ", "Asia/Tokyo");
    ForgetTimeZone();
    EXPECT_EQ(offsetMinutes(), 9 * 60);
    // The zone changes under the program: GetNow keeps the zone it had until it is told.
    qputenv("TZ", "Asia/Kolkata");
    EXPECT_EQ(offsetMinutes(), 9 * 60);
    ForgetTimeZone();
    EXPECT_EQ(offsetMinutes(), 5 * 60 + 30);
    if (hadTz)
        qputenv("TZ", saved);
    else
        qunsetenv("TZ");
    ForgetTimeZone();
    // And it agrees with the system's own local time.
    const CDateTime local = CDateTime::FromQDateTime(QDateTime::currentDateTime());
    EXPECT_LT(std::abs(GetNow().Value() - local.Value()) * 86400.0, 5.0);
}
