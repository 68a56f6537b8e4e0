// A walk forward through the dates of a recurrence pattern that keeps the current date decoded,
// so that each step is day arithmetic instead of a decode and a rebuild of the date.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/RecurrencePattern.h"

// Seated on a pattern date, Advance gives what the pattern's NextDate gives from it, bit for
// bit. Near the end of the calendar (and for patterns that cannot step) the cursor gives up and
// the caller takes the pattern's own steps, which handle the clamping there.
class CPatternCursor
{
  public:
    // Seats the cursor on a date of the pattern (one its searches returned). False, and not
    // seated, when the pattern cannot step or the date is not one of its dates within the calendar.
    bool Seat(const CRecurrencePattern &pattern, const CDateTime &patternDate);
    void Clear() { m_seated = false; }
    // Seated on exactly this date of exactly this pattern.
    bool IsOn(const CRecurrencePattern &pattern, const CDateTime &date) const
    {
        return m_seated && date == m_date && pattern == m_pattern;
    }
    const CDateTime &Date() const { return m_date; }

    // Moves to the next pattern date. False, and no longer seated, when that date would be
    // on or past the calendar's last day.
    bool Advance();

  private:
    CRecurrencePattern m_pattern;
    CDateTime m_date;
    long m_day = 0;     // days since 1899-12-30
    long m_seconds = 0; // the time of day of the pattern start
    int m_year = 0, m_month = 0; // kept for month steps only
    int m_weekPosition = 0;      // Monday 0 .. Sunday 6
    int m_monthDay = 0;          // the day a month step aims at
    bool m_seated = false;
};
