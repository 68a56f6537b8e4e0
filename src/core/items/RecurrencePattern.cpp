// Pattern date arithmetic: on-or-after, previous and next pattern date, built on the day and
// month steps of the date rules so that the same date reached by two paths is bit-identical.
#include "core/items/RecurrencePattern.h"

#include "core/dates/DateRules.h"

#include <algorithm>
#include <cmath>

namespace {
// Day index of a date at midnight (its OLE value, an integer).
long DayIndex(const CDateTime &midnight)
{
    return std::lround(midnight.Value());
}

// Position in the Monday-based week: Monday 0 .. Sunday 6.
int WeekPosition(int dayOfWeek)
{
    return (dayOfWeek + 5) % 7;
}

// The weekday bit of a position in the Monday-based week.
std::uint32_t BitAtPosition(int pos)
{
    return Recur::WeekdayBit(pos == 6 ? 1 : pos + 2);
}

CDateTime Shifted(CDateTime d, long days)
{
    AddDays(d, days);
    return d;
}

bool InRange(const CDateTime &d)
{
    return d.IsValid() && d >= DateRange::Min() && DateOnly(d) <= DateRange::Max();
}
} // namespace

CRecurrencePattern::CRecurrencePattern(std::uint32_t word, std::uint16_t interval, std::uint16_t dayNumber,
                                       const CDateTime &start, const CDateTime &end)
    : m_word(word), m_interval(interval), m_dayNumber(dayNumber), m_start(start), m_end(end)
{
}

bool CRecurrencePattern::IsSteppable() const
{
    if (m_interval == 0 || !InRange(m_start))
        return false;
    const bool oneWeekday = (m_word & Recur::WeekdayMask) != 0;
    switch (Period()) {
    case Recur::Daily:
        return true;
    case Recur::Weekly:
        return oneWeekday;
    case Recur::Monthly:
        return Kind() == Recur::ByDate || (Kind() == Recur::NthWeekday && oneWeekday);
    case Recur::Yearly:
        return Kind() == Recur::ByDate || (Kind() == Recur::NthWeekday && oneWeekday && m_interval == 12);
    default:
        return false;
    }
}

int CRecurrencePattern::ByDateDay() const
{
    if (m_dayNumber >= 1 && m_dayNumber <= 31)
        return m_dayNumber;
    return m_start.GetDay();
}

CDateTime CRecurrencePattern::WithStartTime(const CDateTime &day) const
{
    CDateTime::Parts s, d;
    if (!m_start.GetParts(s) || !day.GetParts(d))
        return CDateTime::Invalid();
    return CDateTime(d.year, d.month, d.day, s.hour, s.minute, s.second);
}

bool CRecurrencePattern::IsBeforeSeriesEnd(const CDateTime &d) const
{
    if (!d.IsValid() || DateOnly(d) >= DateRange::Max())
        return false;
    return !HasEndDate() || d <= m_end;
}

CDateTime CRecurrencePattern::DateOnOrAfter(const CDateTime &date) const
{
    if (!IsSteppable() || !date.IsValid())
        return m_start;
    const CDateTime s = DateOnly(m_start);
    CDateTime d = DateOnly(date);
    // A value outside the calendar (from a damaged record) stands for its nearer end.
    CDateTime::Parts probe;
    if (!d.GetParts(probe))
        d = date.Value() > 0 ? DateRange::Max() : s;
    // A date before the start asks for the first pattern date, which is found from the start.
    if (d < s)
        d = s;
    const long n = m_interval;
    CDateTime p;
    switch (Period()) {
    case Recur::Daily: {
        p = d;
        const long r = (DayIndex(d) - DayIndex(s)) % n;
        if (r != 0)
            AddDays(p, n - r);
        break;
    }
    case Recur::Weekly: {
        const long monday = DayIndex(s) - WeekPosition(s.GetDayOfWeek());
        CDateTime c = Shifted(d, -((DayIndex(d) - monday) % (7 * n)));
        // The cycle's active week, then (when its chosen days are all before d) the next one.
        bool found = false;
        for (int pass = 0; pass < 2 && !found; ++pass) {
            for (int i = 0; i < 7; ++i) {
                const CDateTime x = Shifted(c, i);
                if ((m_word & BitAtPosition(i)) && x >= d) {
                    p = x;
                    found = true;
                    break;
                }
            }
            if (!found)
                AddDays(c, 7 * n);
        }
        if (!found) // only when the steps ran into the end of the supported range
            p = DateRange::Max();
        break;
    }
    case Recur::Monthly:
    case Recur::Yearly: {
        CDateTime::Parts sp, dp;
        s.GetParts(sp);
        d.GetParts(dp);
        if (Period() == Recur::Yearly && Kind() == Recur::ByDate) {
            // The start's month and day in d's year, else a year later.
            p = CDateTime(dp.year, sp.month, std::min(sp.day, CDateTime::DaysInMonth(dp.year, sp.month)));
            if (p < d)
                AddMonths(p, sp.day, 12);
            break;
        }
        // The month of the cycle that holds d (a yearly nth pattern steps 12 months), else the next one.
        long months = (long(dp.year) - sp.year) * 12 + dp.month - sp.month;
        months -= months % n;
        const bool byDate = Kind() == Recur::ByDate;
        const int day = byDate ? ByDateDay() : sp.day;
        p = s;
        AddMonths(p, day, int(months));
        if (!byDate)
            NthWeekdayOfMonth(p, m_word);
        if (p < d) {
            AddMonths(p, day, int(n));
            if (!byDate)
                NthWeekdayOfMonth(p, m_word);
        }
        break;
    }
    default:
        return m_start;
    }
    return WithStartTime(p);
}

CDateTime CRecurrencePattern::NextDate(const CDateTime &date) const
{
    return Step(date, 1);
}

CDateTime CRecurrencePattern::PrevDate(const CDateTime &date) const
{
    return Step(date, -1);
}

CDateTime CRecurrencePattern::Step(const CDateTime &date, int direction) const
{
    if (!IsSteppable() || !date.IsValid())
        return m_start;
    CDateTime p = DateOnly(date);
    const int n = m_interval;
    switch (Period()) {
    case Recur::Daily:
        AddDays(p, direction * n);
        break;
    case Recur::Weekly: {
        // The nearest chosen day of the same Monday-based week, else the first (or last)
        // chosen day of the next (or previous) active week.
        const int pos = WeekPosition(p.GetDayOfWeek());
        int found = -1;
        for (int j = pos + direction; j >= 0 && j < 7 && found < 0; j += direction)
            if (m_word & BitAtPosition(j))
                found = j;
        if (found >= 0) {
            AddDays(p, found - pos);
        } else {
            p = direction > 0 ? FirstPatternDayOfWeek(p, m_word) : LastPatternDayOfWeek(p, m_word);
            AddDays(p, direction * 7L * n);
        }
        break;
    }
    case Recur::Monthly:
    case Recur::Yearly: {
        // A yearly by-date pattern steps a year whatever its interval; month moves keep the
        // pattern's day (the day number of a monthly by-date pattern, else the start's day).
        const bool byDate = Kind() == Recur::ByDate;
        const int months = Period() == Recur::Yearly && byDate ? 12 : n;
        AddMonths(p, Period() == Recur::Monthly && byDate ? ByDateDay() : m_start.GetDay(),
                  direction * months);
        if (!byDate)
            NthWeekdayOfMonth(p, m_word);
        break;
    }
    default:
        return m_start;
    }
    return WithStartTime(p);
}

// Pattern dates fall on distinct days, so the date found on D's own day is the only one that
// can lie on the wrong side of D's time of day; one step settles it. Every result is checked
// to have moved, so clamped steps at the ends of the range and one-date patterns end here.
bool CRecurrencePattern::FirstDateOnOrAfter(const CDateTime &d, CDateTime &out) const
{
    return FirstDateFrom(d, true, out);
}

bool CRecurrencePattern::FirstDateAfter(const CDateTime &d, CDateTime &out) const
{
    return FirstDateFrom(d, false, out);
}

bool CRecurrencePattern::FirstDateFrom(const CDateTime &d, bool orEqual, CDateTime &out) const
{
    if (!d.IsValid())
        return false;
    const auto reaches = [&](const CDateTime &x) { return orEqual ? x >= d : x > d; };
    const CDateTime p = DateOnOrAfter(d);
    if (!p.IsValid())
        return false;
    if (reaches(p)) {
        out = p;
        return true;
    }
    const CDateTime q = NextDate(p);
    if (q.IsValid() && q > p && reaches(q)) {
        out = q;
        return true;
    }
    return false;
}

bool CRecurrencePattern::LastDateBefore(const CDateTime &d, CDateTime &out) const
{
    if (!d.IsValid())
        return false;
    const CDateTime p = DateOnOrAfter(d);
    if (!p.IsValid())
        return false;
    CDateTime cand = p;
    if (!(p < d)) {
        cand = PrevDate(p);
        if (!cand.IsValid() || !(cand < p))
            return false;
    }
    if (!(cand < d) || cand < m_start)
        return false;
    out = cand;
    return true;
}

CDateSpan ShortestRecurrenceGap(std::uint32_t word, std::uint16_t interval)
{
    const long n = interval;
    switch (word & Recur::PeriodMask) {
    case Recur::Daily:
        return CDateSpan(double(n));
    case Recur::Weekly: {
        int chosen[7];
        int count = 0;
        for (int pos = 0; pos < 7; ++pos)
            if (word & BitAtPosition(pos))
                chosen[count++] = pos;
        if (count == 0)
            return CDateSpan(64000.0);
        if (count == 1)
            return CDateSpan(double(7 * n));
        int gap = chosen[0] + 7 - chosen[count - 1];
        for (int i = 1; i < count; ++i)
            gap = std::min(gap, chosen[i] - chosen[i - 1]);
        return CDateSpan(double(gap));
    }
    case Recur::Monthly:
        return CDateSpan(double(28 * n));
    case Recur::Yearly:
        return CDateSpan(336 * n, 0, 0, 1);
    default:
        return CDateSpan(0.0);
    }
}
