// The recurrence dialog's pattern builder as one table: choice and input, the start given, and
// the word, interval, day number and moved start it must give (or the field it refuses).
#include "editing/event/RecurrencePatternBuilder.h"

#include "core/items/ItemTestUtil.h"
#include "core/items/RecurrenceBits.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *name;
    RecurrenceInput input;
    CDateTime start;
    bool ok;
    std::uint32_t word;
    std::uint16_t interval;
    std::uint16_t dayNumber;
    CDateTime patternStart;
    RecurrenceField badField = RecurrenceField::None;
};

RecurrenceInput In(RecurrenceChoice c, int every = 1, std::uint32_t weekdays = 0, int day = 0, int week = -1,
                   int weekday = -1, int month = -1)
{
    return RecurrenceInput{c, every, weekdays, day, week, weekday, month};
}

TEST(RecurrencePatternBuilderTest, Table)
{
    using C = RecurrenceChoice;
    using namespace Recur;
    // 2024-05-08 is a Wednesday; 2023 is not a leap year.
    const CDateTime wed = At(2024, 5, 8, 9, 30);
    const Case cases[] = {
        {"daily every 3", In(C::Daily, 3), wed, true, ByDate | Daily, 3, 0, wed},
        {"daily every 0", In(C::Daily, 0), wed, false, 0, 0, 0, {}, RecurrenceField::Every},
        {"weekly moves to first chosen day on or after", In(C::Weekly, 2, Monday | Friday), wed, true,
         ByDate | Weekly | Monday | Friday, 2, 0, At(2024, 5, 10, 9, 30)},
        {"weekly on the start's own day stays", In(C::Weekly, 1, Wednesday), wed, true,
         ByDate | Weekly | Wednesday, 1, 0, wed},
        {"weekly without a day", In(C::Weekly, 1, 0), wed, false, 0, 0, 0, {}, RecurrenceField::Weekdays},
        {"monthly day later this month", In(C::MonthlyDay, 1, 0, 20), wed, true, ByDate | Monthly, 1, 20,
         At(2024, 5, 20, 9, 30)},
        {"monthly day already past goes M months on", In(C::MonthlyDay, 2, 0, 3), wed, true, ByDate | Monthly,
         2, 3, At(2024, 7, 3, 9, 30)},
        {"monthly day 31 in a 30-day month is its last day", In(C::MonthlyDay, 1, 0, 31),
         At(2024, 4, 2, 8, 0), true, ByDate | Monthly, 1, 31, At(2024, 4, 30, 8, 0)},
        {"monthly day 31 on the start itself stays", In(C::MonthlyDay, 1, 0, 31), At(2024, 5, 31, 10, 0),
         true, ByDate | Monthly, 1, 31, At(2024, 5, 31, 10, 0)},
        {"monthly day 32", In(C::MonthlyDay, 1, 0, 32), wed, false, 0, 0, 0, {}, RecurrenceField::Day},
        {"monthly last Friday", In(C::MonthlyNth, 1, 0, 0, 4, 4), wed, true,
         NthWeekday | Monthly | Friday | Last, 1, 8, At(2024, 5, 31, 9, 30)},
        {"monthly first Monday already past moves M months", In(C::MonthlyNth, 3, 0, 0, 0, 0), wed, true,
         NthWeekday | Monthly | Monday | First, 3, 8, At(2024, 8, 5, 9, 30)},
        {"monthly nth without a week",
         In(C::MonthlyNth, 1, 0, 0, -1, 2),
         wed,
         false,
         0,
         0,
         0,
         {},
         RecurrenceField::Week},
        {"yearly date", In(C::YearlyDate, 1, 0, 14, -1, -1, 1), wed, true, ByDate | Yearly, 1, 0,
         At(2024, 2, 14, 9, 30)},
        {"yearly 29 February in a leap year", In(C::YearlyDate, 1, 0, 29, -1, -1, 1), wed, true,
         ByDate | Yearly, 1, 0, At(2024, 2, 29, 9, 30)},
        {"yearly 29 February in a common year",
         In(C::YearlyDate, 1, 0, 29, -1, -1, 1),
         At(2023, 5, 1),
         false,
         0,
         0,
         0,
         {},
         RecurrenceField::Day},
        {"yearly 30 February",
         In(C::YearlyDate, 1, 0, 30, -1, -1, 1),
         wed,
         false,
         0,
         0,
         0,
         {},
         RecurrenceField::Day},
        {"yearly 31 April",
         In(C::YearlyDate, 1, 0, 31, -1, -1, 3),
         wed,
         false,
         0,
         0,
         0,
         {},
         RecurrenceField::Day},
        {"yearly second Tuesday of November", In(C::YearlyNth, 1, 0, 0, 1, 1, 10), wed, true,
         NthWeekday | Yearly | Tuesday | Second, 12, 0, At(2024, 11, 12, 9, 30)},
        {"yearly last Sunday of March already past", In(C::YearlyNth, 1, 0, 0, 4, 6, 2), wed, true,
         NthWeekday | Yearly | Sunday | Last, 12, 0, At(2025, 3, 30, 9, 30)},
        // Regenerating tasks: counted from each completion, the start stays where it is.
        {"regenerate daily", In(C::DailyRegenerate, 10), wed, true, Regenerate | Daily, 10, 0, wed},
        {"regenerate daily 999", In(C::DailyRegenerate, 999), wed, true, Regenerate | Daily, 999, 0, wed},
        {"regenerate weekly takes the start's weekday", In(C::WeeklyRegenerate, 2, Monday), wed, true,
         Regenerate | Weekly | Wednesday, 2, 0, wed},
        {"regenerate monthly", In(C::MonthlyRegenerate, 3), wed, true, Regenerate | Monthly, 3, 0, wed},
        {"regenerate yearly", In(C::YearlyRegenerate, 1), wed, true, Regenerate | Yearly, 1, 0, wed},
        {"regenerate after 0 days",
         In(C::DailyRegenerate, 0),
         wed,
         false,
         0,
         0,
         0,
         {},
         RecurrenceField::Every},
        {"regenerate after 100 weeks",
         In(C::WeeklyRegenerate, 100),
         wed,
         false,
         0,
         0,
         0,
         {},
         RecurrenceField::Every},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const BuiltPattern p = CRecurrencePatternBuilder::Build(c.input, c.start);
        ASSERT_EQ(p.ok, c.ok);
        if (!c.ok) {
            EXPECT_EQ(p.badField, c.badField);
            continue;
        }
        EXPECT_EQ(p.word, c.word);
        EXPECT_EQ(p.interval, c.interval);
        EXPECT_EQ(p.dayNumber, c.dayNumber);
        EXPECT_EQ(p.patternStart, c.patternStart);
    }
}

TEST(RecurrencePatternBuilderTest, MonthlyDayAboveTwentyEightWarnsOfShortMonths)
{
    const CDateTime start = At(2024, 5, 1);
    EXPECT_FALSE(
        CRecurrencePatternBuilder::Build(In(RecurrenceChoice::MonthlyDay, 1, 0, 28), start).warnShortMonths);
    EXPECT_TRUE(
        CRecurrencePatternBuilder::Build(In(RecurrenceChoice::MonthlyDay, 1, 0, 29), start).warnShortMonths);
}

// The seventh of a month lies in its first week, the eighth in its second.
TEST(RecurrencePatternBuilderTest, WeekOfMonthAndBits)
{
    const int expected[] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2,
                            2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4};
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(CRecurrencePatternBuilder::WeekOfMonth(day), expected[day - 1]) << day;
    EXPECT_EQ(CRecurrencePatternBuilder::WeekdayBit(0), Recur::Monday);
    EXPECT_EQ(CRecurrencePatternBuilder::WeekdayBit(5), Recur::Saturday);
    EXPECT_EQ(CRecurrencePatternBuilder::WeekdayBit(6), Recur::Sunday);
    EXPECT_EQ(CRecurrencePatternBuilder::WeekBit(4), Recur::Last);
    EXPECT_EQ(CRecurrencePatternBuilder::WeekdayIndex(At(2024, 5, 12)), 6); // a Sunday
}

} // namespace
