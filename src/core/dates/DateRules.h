// Calendar arithmetic shared by every part of the program: the current time and the cached
// date of today, day and month steps clamped to the supported range, and the weekday and
// nth-weekday rules of recurrence patterns.
#pragma once

#include "core/dates/DateTime.h"

#include <cstdint>
#include <functional>

// The local wall-clock time now. Tests replace the clock with SetNowProvider. The system's
// time zone is looked up once and kept until ForgetTimeZone (or its next change of offset).
CDateTime GetNow();
// The time or the zone may have changed (the shell's time-change notice): look the zone up again.
void ForgetTimeZone();
// Installs a clock for GetNow; an empty function restores the system clock.
void SetNowProvider(std::function<CDateTime()> provider);

// Cached today (midnight): UpdateToday takes it from GetNow, ResetToday makes it zero.
void UpdateToday();
CDateTime GetToday();
void ResetToday();

// Adds n days keeping the time of day, then clamps to 1753-01-01 00:00 .. 4000-12-31 00:00.
void AddDays(CDateTime &date, long n);
// Moves to the month n months away at the given day (stepped back to the month's last day
// when shorter) at 00:00, clamped to the supported range. False, date unchanged, when the
// day is below 1 or the date is not valid.
bool AddMonths(CDateTime &date, int day, int n);
// Puts the date (00:00) on the nth weekday of its month as named by the pattern word: one
// weekday bit and one of the week bits (none counts as the first). False, date unchanged,
// when the word has no weekday bit; with several the earliest in the week from Sunday is used.
bool NthWeekdayOfMonth(CDateTime &date, std::uint32_t word);
// The day of the month that rule names in the given month; 0 when the word has no weekday bit.
int NthWeekdayDayOfMonth(std::uint32_t word, int year, int month);
// Position in the Monday-based week (Monday 0 .. Sunday 6) of a day of week (1 Sunday .. 7
// Saturday), and the pattern word's weekday bit of such a position.
int WeekPosition(int dayOfWeek);
std::uint32_t WeekdayBitAtPosition(int pos);
// The first (Monday..Sunday order) or last (Sunday..Monday order) chosen weekday of the date's
// Monday-based week; its Monday when no weekday bit is set. The time of day is kept.
CDateTime FirstPatternDayOfWeek(const CDateTime &date, std::uint32_t weekdayBits);
CDateTime LastPatternDayOfWeek(const CDateTime &date, std::uint32_t weekdayBits);
// With exactly one weekday bit, moves 0..6 days forward onto that weekday.
bool MoveToWeekday(CDateTime &date, std::uint32_t weekdayBits);
// Adds the offset of the word's week bit: first 0, second 7, third 14, fourth 21, last 28
// (less 7 when that leaves the month). False without a week bit.
bool AddNthWeekOffset(CDateTime &date, std::uint32_t word);

// A recurrence as other programs' formats describe it (start, word, interval, day, month).
struct RecurrenceDescription
{
    CDateTime start;
    std::uint32_t word = 0;
    std::uint16_t interval = 0;
    int dayOfMonth = 0; // by-date monthly and yearly patterns; 0 takes the start's day
    int month = 0;      // yearly patterns; 0 takes the start's month
};
// The date (00:00) of the first occurrence on or after the start: the same date the item's
// own pattern gives. False for a pattern that names no usable period and kind.
bool FindFirstOccurrence(const RecurrenceDescription &desc, CDateTime &first);

bool IsSameDate(const CDateTime &a, const CDateTime &b);
CDateTime DateOnly(const CDateTime &date);
// Whole years from the earlier date to the later one, never below 0.
int AgeInYears(const CDateTime &earlier, const CDateTime &later);
