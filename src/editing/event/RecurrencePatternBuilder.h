// CRecurrencePatternBuilder: turns the choices of the recurrence dialog into a pattern (word,
// interval, day number and the pattern start moved onto the first date the pattern names).
#pragma once

#include "core/dates/DateTime.h"

#include <cstdint>

enum class RecurrenceChoice
{
    Daily,
    Weekly,
    MonthlyDay, // "D&ay" N of every M months
    MonthlyNth, // "Th&e" nth weekday of every M months
    YearlyDate, // "E&very" month and day
    YearlyNth,  // "Th&e" nth weekday of a month
    // Tasks only: a new task N days, weeks, months or years after each one is completed.
    DailyRegenerate,
    WeeklyRegenerate,
    MonthlyRegenerate,
    YearlyRegenerate,
};

struct RecurrenceInput
{
    RecurrenceChoice choice = RecurrenceChoice::Weekly;
    int every = 1;              // days, weeks, months (or years when regenerating)
    std::uint32_t weekdays = 0; // weekly: pattern weekday bits
    int day = 0;                // monthly and yearly by date: 1..31
    int week = -1;              // 0 first .. 3 fourth, 4 last; -1 none chosen
    int weekday = -1;           // 0 Monday .. 6 Sunday; -1 none chosen
    int month = -1;             // 0 January .. 11 December; -1 none chosen
};

// Which field a refused input names.
enum class RecurrenceField
{
    None,
    Every,
    Weekdays,
    Day,
    Week,
    Weekday,
    Month,
};

struct BuiltPattern
{
    bool ok = false;
    RecurrenceField badField = RecurrenceField::None;
    std::uint32_t word = 0;
    std::uint16_t interval = 0;
    std::uint16_t dayNumber = 0;
    CDateTime patternStart;
    // A monthly day above 28: the user is told first that short months use their last day.
    bool warnShortMonths = false;
};

class CRecurrencePatternBuilder
{
  public:
    // The weekday bit of a weekday combo index (0 Monday 0x04 .. 5 Saturday 0x80, 6 Sunday 0x02).
    static std::uint32_t WeekdayBit(int comboIndex);
    // The week bit of a week combo index (0 first 0x10000 .. 3 fourth 0x80000, 4 last 0x100000).
    static std::uint32_t WeekBit(int weekIndex);
    // The weekday combo index of a date (Monday 0).
    static int WeekdayIndex(const CDateTime &date);
    // The week of the month a day lies in for the "the nth weekday" rows: days 1-7 are the first.
    static int WeekOfMonth(int day) { return (day - 1) / 7; }
    // The pattern for the input, starting from the pattern start (its time of day is kept).
    static BuiltPattern Build(const RecurrenceInput &input, const CDateTime &patternStart);
};
