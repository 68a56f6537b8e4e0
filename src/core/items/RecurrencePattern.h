// The recurrence pattern of a calendar item (word, interval, day number, start, end) and its
// date steps: the pattern date on or after a date, the previous and the next one.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/RecurrenceBits.h"

#include <cstdint>

// Pattern dates all carry the time of day of the pattern start. Weeks run Monday to Sunday
// whatever the locale's first day of the week.
class CRecurrencePattern
{
  public:
    CRecurrencePattern() = default;
    CRecurrencePattern(std::uint32_t word, std::uint16_t interval, std::uint16_t dayNumber,
                       const CDateTime &start, const CDateTime &end = CDateTime());

    std::uint32_t GetWord() const { return m_word; }
    std::uint16_t GetInterval() const { return m_interval; }
    std::uint16_t GetDayNumber() const { return m_dayNumber; }
    const CDateTime &GetStart() const { return m_start; }
    const CDateTime &GetEnd() const { return m_end; }
    void SetWord(std::uint32_t word) { m_word = word; }
    void SetInterval(std::uint16_t interval) { m_interval = interval; }
    void SetDayNumber(std::uint16_t day) { m_dayNumber = day; }
    void SetStart(const CDateTime &start) { m_start = start; }
    void SetEnd(const CDateTime &end) { m_end = end; }

    std::uint32_t Period() const { return m_word & Recur::PeriodMask; }
    std::uint32_t Kind() const { return m_word & Recur::KindMask; }
    bool HasEndDate() const { return (m_word & Recur::HasEndDate) != 0; }

    // True when the steps move through distinct dates. Any other pattern (interval 0, a period
    // or kind the steps do not know, no weekday to step on, an unusable start) has its start
    // as its only date: every step returns the start, and searches built on the steps end.
    bool IsSteppable() const;
    // Days from a position in the Monday-based week (Monday 0 .. Sunday 6) to the next chosen
    // weekday in the direction (+1 or -1), or to the first (last) chosen weekday `interval`
    // weeks on (back) when none is left in the week.
    static long WeekStepShift(std::uint32_t word, int position, int direction, long interval);

    // The first pattern date whose day is on or after D's day (the first pattern date when D
    // lies before the start).
    CDateTime DateOnOrAfter(const CDateTime &d) const;
    // One step back or forward from a pattern date. A step past the calendar gives 4000-12-31
    // (where every series ends), a step before it the date itself.
    CDateTime PrevDate(const CDateTime &d) const;
    CDateTime NextDate(const CDateTime &d) const;

    // Exact neighbours of any date-time: the smallest pattern date at or after it, the smallest
    // after it and the largest before it (never before the pattern start). False when there is none.
    bool FirstDateOnOrAfter(const CDateTime &d, CDateTime &out) const;
    bool FirstDateAfter(const CDateTime &d, CDateTime &out) const;
    bool LastDateBefore(const CDateTime &d, CDateTime &out) const;

    // A pattern date within the end of the series: before 4000-12-31 (where searches without
    // an end date stop) and not after the pattern end when there is one.
    bool IsBeforeSeriesEnd(const CDateTime &d) const;

    // The day of month of a by-date monthly pattern: the day number, or the start's day when
    // the stored day number is not a day of a month.
    int ByDateDay() const;

    bool operator==(const CRecurrencePattern &o) const = default;

  private:
    CDateTime WithStartTime(const CDateTime &day) const;
    // One step forward (direction 1) or back (-1).
    CDateTime Step(const CDateTime &date, int direction) const;
    // The same rules on dates at 00:00 without clamping to the calendar: results may lie past
    // 4000-12-31 (or before 1753) so that callers can tell a date that does not exist from one
    // that does. False when the arithmetic leaves the date type's range.
    bool DayOnOrAfter(const CDateTime &day, CDateTime &out) const;
    bool StepDay(const CDateTime &day, int direction, CDateTime &out) const;
    bool FirstDateFrom(const CDateTime &d, bool orEqual, CDateTime &out) const;

    std::uint32_t m_word = 0;
    std::uint16_t m_interval = 0;
    std::uint16_t m_dayNumber = 0;
    CDateTime m_start;
    CDateTime m_end;
};

// The shortest time between two occurrences of a pattern word and interval (the editors check
// an occurrence's duration against it): daily N days; weekly 7N days with one weekday, else the
// smallest step between chosen weekdays (64000 days with none); monthly 28N days; yearly 336N
// days and 1 second; 0 for any other period.
CDateSpan ShortestRecurrenceGap(std::uint32_t word, std::uint16_t interval);
