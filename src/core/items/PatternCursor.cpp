// Forward steps through pattern dates on day numbers: the same rules as the pattern's own steps
// (weeks Monday to Sunday, month steps aiming at the pattern's day, nth weekdays of the month).
#include "core/items/PatternCursor.h"

#include "core/items/RecurrenceBits.h"

#include <algorithm>

namespace {
// The weekday bit of a position in the Monday-based week (Monday 0 .. Sunday 6).
std::uint32_t BitAtPosition(int pos)
{
    return Recur::WeekdayBit(pos == 6 ? 1 : pos + 2);
}

// 1 Sunday .. 7 Saturday, as the date parts count it (1899-12-30 was a Saturday).
int DayOfWeek(long dayNumber)
{
    return int(((dayNumber % 7) + 7 + 6) % 7) + 1;
}

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

// The nth weekday of a month as the pattern word names it: its lowest weekday bit, and the
// first week unless a week bit says otherwise ("last" is the fifth when the month has one).
int NthWeekdayDay(std::uint32_t word, int year, int month, int length)
{
    int weekday = 0;
    for (int dow = 1; dow <= 7 && weekday == 0; ++dow)
        if (word & Recur::WeekdayBit(dow))
            weekday = dow;
    int day = 1 + (weekday - DayOfWeek(CDateTime::DayNumber(year, month, 1)) + 7) % 7;
    if (word & Recur::First)
        return day;
    if (word & Recur::Second)
        return day + 7;
    if (word & Recur::Third)
        return day + 14;
    if (word & Recur::Fourth)
        return day + 21;
    if (word & Recur::Last)
        return day + (day + 28 <= length ? 28 : 21);
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
    m_weekPosition = (d.dayOfWeek + 5) % 7;
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
        // The next chosen day of the week, else the first chosen day n weeks on.
        int next = -1;
        for (int j = m_weekPosition + 1; j < 7 && next < 0; ++j)
            if (word & BitAtPosition(j))
                next = j;
        long shift = 0;
        if (next >= 0) {
            shift = next - m_weekPosition;
        } else {
            next = 0;
            while (next < 6 && !(word & BitAtPosition(next)))
                ++next;
            shift = next - m_weekPosition + 7L * n;
        }
        day += shift;
        m_weekPosition = next;
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
        const int dayOfMonth = byDate ? std::min(m_monthDay, length) : NthWeekdayDay(word, year, month, length);
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
