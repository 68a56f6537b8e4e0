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

bool InRange(const CDateTime &d)
{
    return d.IsValid() && d >= DateRange::Min() && DateOnly(d) <= DateRange::Max();
}

// Day and month steps of the pattern arithmetic on dates at 00:00. Unlike the clamped steps of
// the date rules they land on the real date even past 4000-12-31 (the date type reaches year
// 9999, further than one step of any interval from the calendar), so a clamped date never
// passes for a pattern date and a step back from a date past the end finds the last one
// within it. False when the result is no date at all.
bool ShiftDays(CDateTime &day, long n)
{
    CDateTime::Parts q;
    if (!CDateTime(double(DayIndex(day) + n)).GetParts(q))
        return false;
    day = CDateTime(q.year, q.month, q.day);
    return day.IsValid();
}

bool ShiftMonths(CDateTime &day, int dayOfMonth, long n)
{
    CDateTime::Parts p;
    if (dayOfMonth < 1 || !day.GetParts(p))
        return false;
    const long total = long(p.year) * 12 + (p.month - 1) + n;
    if (total < 100L * 12 || total > 9999L * 12 + 11)
        return false;
    const int year = int(total / 12), month = int(total % 12) + 1;
    day = CDateTime(year, month, std::min(dayOfMonth, CDateTime::DaysInMonth(year, month)));
    return day.IsValid();
}

// The first day after the supported calendar: pattern dates on or after it do not exist.
CDateTime PastCalendar()
{
    return CDateTime(4001, 1, 1);
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
    else if (d > DateRange::Max())
        d = DateRange::Max();
    // A date before the start asks for the first pattern date, which is found from the start.
    if (d < s)
        d = s;
    CDateTime p;
    // None left within the calendar: its last day, where every series ends.
    if (!DayOnOrAfter(d, p) || p > DateRange::Max())
        p = DateRange::Max();
    return WithStartTime(p);
}

bool CRecurrencePattern::DayOnOrAfter(const CDateTime &d, CDateTime &p) const
{
    const CDateTime s = DateOnly(m_start);
    const long n = m_interval;
    switch (Period()) {
    case Recur::Daily: {
        p = d;
        const long r = (DayIndex(d) - DayIndex(s)) % n;
        return r == 0 || ShiftDays(p, n - r);
    }
    case Recur::Weekly: {
        const long monday = DayIndex(s) - WeekPosition(s.GetDayOfWeek());
        // The Monday that opens the cycle holding d, then its active week and (when its chosen
        // days are all before d) the next active week.
        CDateTime c = d;
        if (!ShiftDays(c, -((DayIndex(d) - monday) % (7 * n))))
            return false;
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < 7; ++i) {
                CDateTime x = c;
                if ((m_word & WeekdayBitAtPosition(i)) && ShiftDays(x, i) && x >= d) {
                    p = x;
                    return true;
                }
            }
            if (!ShiftDays(c, 7 * n))
                return false;
        }
        return false; // no weekday chosen: not steppable, never asked
    }
    case Recur::Monthly:
    case Recur::Yearly: {
        CDateTime::Parts sp, dp;
        if (!s.GetParts(sp) || !d.GetParts(dp))
            return false;
        if (Period() == Recur::Yearly && Kind() == Recur::ByDate) {
            // The start's month and day in d's year, else a year later.
            p = CDateTime(dp.year, sp.month, std::min(sp.day, CDateTime::DaysInMonth(dp.year, sp.month)));
            return !(p < d) || ShiftMonths(p, sp.day, 12);
        }
        // The month of the cycle that holds d (a yearly nth pattern steps 12 months), else the next one.
        long months = (long(dp.year) - sp.year) * 12 + dp.month - sp.month;
        months -= months % n;
        const bool byDate = Kind() == Recur::ByDate;
        const int day = byDate ? ByDateDay() : sp.day;
        p = s;
        if (!ShiftMonths(p, day, months) || (!byDate && !NthWeekdayOfMonth(p, m_word)))
            return false;
        if (p < d && (!ShiftMonths(p, day, n) || (!byDate && !NthWeekdayOfMonth(p, m_word))))
            return false;
        return true;
    }
    default:
        return false;
    }
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
    const CDateTime p = DateOnly(date);
    CDateTime q;
    const bool moved = StepDay(p, direction, q);
    // Past the calendar: its last day, where every series ends; before it: no earlier date,
    // the date itself.
    if (direction > 0 ? !moved || q > DateRange::Max() : moved && q > DateRange::Max())
        return WithStartTime(DateRange::Max());
    if (!moved || q < DateRange::Min())
        return WithStartTime(p);
    return WithStartTime(q);
}

long CRecurrencePattern::WeekStepShift(std::uint32_t word, int position, int direction, long interval)
{
    // The nearest chosen day of the same Monday-based week, else the first (or last) chosen
    // day of the next (or previous) active week.
    for (int j = position + direction; j >= 0 && j < 7; j += direction)
        if (word & WeekdayBitAtPosition(j))
            return j - position;
    int edge = 0;
    for (int k = 0; k < 7; ++k) {
        const int j = direction > 0 ? k : 6 - k;
        if (word & WeekdayBitAtPosition(j)) {
            edge = j;
            break;
        }
    }
    return edge - position + direction * 7L * interval;
}

bool CRecurrencePattern::StepDay(const CDateTime &day, int direction, CDateTime &out) const
{
    CDateTime p = day;
    const long n = m_interval;
    switch (Period()) {
    case Recur::Daily:
        if (!ShiftDays(p, direction * n))
            return false;
        break;
    case Recur::Weekly:
        if (!ShiftDays(p, WeekStepShift(m_word, WeekPosition(p.GetDayOfWeek()), direction, n)))
            return false;
        break;
    case Recur::Monthly:
    case Recur::Yearly: {
        // A yearly by-date pattern steps a year whatever its interval; month moves keep the
        // pattern's day (the day number of a monthly by-date pattern, else the start's day).
        const bool byDate = Kind() == Recur::ByDate;
        const long months = Period() == Recur::Yearly && byDate ? 12 : n;
        if (!ShiftMonths(p, Period() == Recur::Monthly && byDate ? ByDateDay() : m_start.GetDay(),
                         direction * months) ||
            (!byDate && !NthWeekdayOfMonth(p, m_word)))
            return false;
        break;
    }
    default:
        return false;
    }
    out = p;
    return true;
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

// The step back is taken from the real pattern date on or after D, even when that lies past the
// calendar, so the last date within it is found.
bool CRecurrencePattern::LastDateBefore(const CDateTime &d, CDateTime &out) const
{
    if (!d.IsValid() || !m_start.IsValid() || !(m_start < d))
        return false;
    if (!IsSteppable()) {
        out = m_start;
        return true;
    }
    const CDateTime limit = d < PastCalendar() ? d : PastCalendar();
    const CDateTime day = DateOnly(limit);
    CDateTime p;
    if (!DayOnOrAfter(day < DateOnly(m_start) ? DateOnly(m_start) : day, p))
        return false;
    CDateTime cand = WithStartTime(p);
    if (!(cand < limit)) {
        CDateTime q;
        if (!StepDay(p, -1, q) || !(q < p))
            return false;
        cand = WithStartTime(q);
    }
    if (!cand.IsValid() || !(cand < limit) || cand < m_start)
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
            if (word & WeekdayBitAtPosition(pos))
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
