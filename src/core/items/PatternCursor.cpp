// Forward steps through pattern dates on day numbers: the same rules as the pattern's own steps
// (weeks Monday to Sunday, month steps aiming at the pattern's day, nth weekdays of the month).
#include "core/items/PatternCursor.h"

#include "core/dates/DateRules.h"
#include "core/items/RecurrenceBits.h"

#include <algorithm>

namespace {
// Day numbers of the first and the last day of the calendar; the pattern's steps clamp there.
long FirstDay()
{
    static const long day = CDateTime::DayNumber(1753, 1, 1);
    return day;
}
long LastDay()
{
    static const long day = CDateTime::DayNumber(4000, 12, 31);
    return day;
}
} // namespace

bool CPatternCursor::Seat(const CRecurrencePattern &pattern, const CDateTime &patternDate)
{
    m_seated = false;
    CDateTime::Parts s, d;
    if (!pattern.IsSteppable() || !pattern.GetStart().GetParts(s) || !patternDate.GetParts(d))
        return false;
    m_day = CDateTime::DayNumber(d.year, d.month, d.day);
    m_seconds = long(s.hour) * 3600L + long(s.minute) * 60L + long(s.second);
    // Only a date as the pattern builds its dates: its day at the start's time of day.
    if (m_day < FirstDay() || m_day >= LastDay() || !(CDateTime::FromDayAndSeconds(m_day, m_seconds) == patternDate))
        return false;
    m_pattern = pattern;
    m_date = patternDate;
    m_year = d.year;
    m_month = d.month;
    m_weekPosition = WeekPosition(d.dayOfWeek);
    m_monthDay = pattern.Period() == Recur::Monthly && pattern.Kind() == Recur::ByDate ? pattern.ByDateDay() : s.day;
    m_seated = true;
    return true;
}

bool CPatternCursor::Advance()
{
    if (!m_seated)
        return false;
    m_seated = false;
    const long n = m_pattern.GetInterval();
    const std::uint32_t word = m_pattern.GetWord();
    long day = m_day;
    switch (m_pattern.Period()) {
    case Recur::Daily:
        day += n;
        break;
    case Recur::Weekly: {
        const long shift = CRecurrencePattern::WeekStepShift(word, m_weekPosition, 1, n);
        day += shift;
        m_weekPosition = int(((m_weekPosition + shift) % 7 + 7) % 7);
        break;
    }
    case Recur::Monthly:
    case Recur::Yearly: {
        // A yearly by-date pattern steps a year whatever its interval.
        const bool byDate = m_pattern.Kind() == Recur::ByDate;
        const long months = m_pattern.Period() == Recur::Yearly && byDate ? 12 : n;
        const long total = long(m_year) * 12 + (m_month - 1) + months;
        if (total > 9999L * 12 + 11)
            return false;
        const int year = int(total / 12), month = int(total % 12) + 1;
        const int length = CDateTime::DaysInMonth(year, month);
        const int dayOfMonth = byDate ? std::min(m_monthDay, length) : NthWeekdayDayOfMonth(word, year, month);
        if (dayOfMonth == 0)
            return false;
        day = CDateTime::DayNumber(year, month, dayOfMonth);
        m_year = year;
        m_month = month;
        break;
    }
    default:
        return false;
    }
    if (day <= m_day || day >= LastDay())
        return false;
    m_day = day;
    m_date = CDateTime::FromDayAndSeconds(day, m_seconds);
    m_seated = true;
    return true;
}
