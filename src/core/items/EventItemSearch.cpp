// Occurrence search of an event: neighbours of a date, occurrences touching a window, reminder
// times and the check of a moved occurrence. Every walk moves strictly through pattern dates
// and skips at most one date per exception, so every search ends.
#include "core/items/EventItem.h"

#include "core/dates/DateRules.h"

#include <algorithm>
#include <cmath>

namespace {
const CDateSpan kOneMinute(0, 0, 1, 0);
// Jumps computed with date arithmetic are started one day early and then settled with the
// exact test, so that rounding in the last bit never skips a pattern date.
const CDateSpan kMargin(1.0);

// The length an occurrence has for window tests: a zero (or negative) duration counts as one minute.
CDateSpan Reach(const CDateSpan &duration)
{
    return duration > CDateSpan(0.0) ? duration : kOneMinute;
}

// Whole seconds of a day count: the window test compares exactly, not the floating-point sum of
// a start and a duration, which can land a hair past the window start it should equal. Values
// a damaged record can carry are held far outside the calendar, never past what the type holds.
long long WholeSeconds(double days)
{
    constexpr double kFar = 1e15;
    const double seconds = days * 86400.0;
    return std::llround(std::isnan(seconds) ? 0.0 : std::clamp(seconds, -kFar, kFar));
}

bool Touches(const CDateTime &start, const CDateSpan &duration, const CDateTime &w0, const CDateTime &w1)
{
    const long long s = WholeSeconds(start.Linear());
    // A length that rounds to no second counts as one minute, as a zero one does.
    long long length = WholeSeconds(Reach(duration).Value());
    if (length <= 0)
        length = 60;
    return WholeSeconds(w0.Linear()) < s + length && s < WholeSeconds(w1.Linear());
}

const CDateTime &Later(const CDateTime &a, const CDateTime &b)
{
    return a < b ? b : a;
}

// Where a jump lands when it leaves the calendar (a damaged record's lead or handled-up-to
// time): past its end no pattern date reaches it, before its start every one does. Walking
// the whole series instead would take millions of steps.
bool PastCalendarEnd(const CDateTime &base, const CDateSpan &offset)
{
    return base.Linear() + offset.Value() > DateRange::Max().Linear();
}
bool BeforeCalendarStart(const CDateTime &base, const CDateSpan &offset)
{
    return base.Linear() + offset.Value() < DateRange::Min().Linear();
}
} // namespace

// ---- pattern dates of the series ----------------------------------------------------------

bool CEventItem::FirstKeyOnOrAfter(const CDateTime &d, CDateTime &key) const
{
    if (!IsRecurring() || !m_start.IsValid() || !d.IsValid())
        return false;
    const CRecurrencePattern &p = GetPattern();
    CDateTime k;
    if (!p.FirstDateOnOrAfter(Later(d, m_start), k) || k < m_start || !p.IsBeforeSeriesEnd(k))
        return false;
    key = k;
    return true;
}

bool CEventItem::FirstKeyAfter(const CDateTime &d, CDateTime &key) const
{
    if (!IsRecurring() || !m_start.IsValid() || !d.IsValid())
        return false;
    if (d < m_start)
        return FirstKeyOnOrAfter(m_start, key);
    const CRecurrencePattern &p = GetPattern();
    CDateTime k;
    if (!p.FirstDateAfter(d, k) || k < m_start || !p.IsBeforeSeriesEnd(k))
        return false;
    key = k;
    return true;
}

bool CEventItem::NextKeyAfter(const CDateTime &key, CDateTime &next, CPatternCursor *cursor) const
{
    // From a key the search found, the next key is the pattern's next date when that is within
    // the series, which the cursor steps to without decoding the key.
    if (cursor && IsRecurring() && m_start.IsValid() && cursor->IsOn(GetPattern(), key) && !(key < m_start)) {
        if (cursor->Advance()) {
            const CRecurrencePattern &p = GetPattern();
            if (p.HasEndDate() && !(cursor->Date() <= p.GetEnd()))
                return false;
            next = cursor->Date();
            return true;
        }
    }
    if (!FirstKeyAfter(key, next))
        return false;
    if (cursor)
        cursor->Seat(GetPattern(), next);
    return true;
}

bool CEventItem::LastKeyBefore(const CDateTime &d, CDateTime &key) const
{
    if (!IsRecurring() || !m_start.IsValid() || !d.IsValid())
        return false;
    const CRecurrencePattern &p = GetPattern();
    // Dates past the end of the series never count: search below the end instead of walking back to it.
    CDateTime upper = d < DateRange::Max() ? d : DateRange::Max();
    CDateTime k;
    if (p.HasEndDate() && p.GetEnd() < upper) {
        if (!(p.FirstDateOnOrAfter(p.GetEnd(), k) && k == p.GetEnd()) && !p.LastDateBefore(p.GetEnd(), k))
            return false;
    } else if (!p.LastDateBefore(upper, k)) {
        return false;
    }
    if (k < m_start || !p.IsBeforeSeriesEnd(k))
        return false;
    key = k;
    return true;
}

bool CEventItem::LastKeyOnOrBefore(const CDateTime &d, CDateTime &key) const
{
    CDateTime k;
    if (FirstKeyOnOrAfter(d, k) && k == d) {
        key = k;
        return true;
    }
    return LastKeyBefore(d, key);
}

bool CEventItem::IsSeriesKey(const CDateTime &key) const
{
    if (!IsRecurring())
        return m_start.IsValid() && key == m_start;
    CDateTime k;
    return FirstKeyOnOrAfter(key, k) && k == key;
}

COccurrence CEventItem::OccurrenceAt(const CDateTime &key, int exceptionIndex) const
{
    COccurrence o;
    o.item = this;
    o.keyDate = key;
    o.exceptionIndex = exceptionIndex;
    if (const CRecurrenceException *e = GetExceptionAt(exceptionIndex)) {
        o.start = e->newStart;
        o.duration = e->duration;
    } else {
        o.exceptionIndex = -1;
        o.start = key;
        o.duration = m_duration;
    }
    return o;
}

CDateSpan CEventItem::OccurrenceLead(int exceptionIndex) const
{
    const CRecurrenceException *e = GetExceptionAt(exceptionIndex);
    if (e ? e->HasOwnReminder() : HasFlag(FlagReminder))
        return e ? e->reminderLead : GetReminderLead();
    CDateSpan none;
    none.SetStatus(CDateSpan::invalid);
    return none;
}

// ---- neighbours -------------------------------------------------------------------------

bool CEventItem::NearestOccurrence(const CDateTime &date, Direction direction, COccurrence &out) const
{
    CDateTime k;
    bool ok = direction == Direction::Before  ? LastKeyBefore(date, k)
              : direction == Direction::After ? FirstKeyAfter(date, k)
                                              : FirstKeyOnOrAfter(date, k);
    while (ok) {
        const int index = FindExceptionIndex(k);
        if (index < 0 || !m_exceptions[size_t(index)].IsDeleted()) {
            out = OccurrenceAt(k, index);
            return true;
        }
        ok = direction == Direction::Before ? LastKeyBefore(CDateTime(k), k) : FirstKeyAfter(CDateTime(k), k);
    }
    return false;
}

bool CEventItem::PrevOccurrence(const CDateTime &date, COccurrence &out) const
{
    if (!IsRecurring() || date == m_start)
        return false;
    return NearestOccurrence(date, Direction::Before, out);
}

bool CEventItem::NextOccurrence(const CDateTime &date, COccurrence &out) const
{
    return IsRecurring() && NearestOccurrence(date, Direction::After, out);
}

void CEventItem::GetOccurrenceEnd(const CDateTime &keyDate, CDateTime &start, CDateTime &end) const
{
    const COccurrence o = OccurrenceAt(keyDate, FindExceptionIndex(keyDate));
    start = o.start;
    end = o.End();
}

bool CEventItem::FindOccurrenceFrom(bool reminderFilter, const CDateTime &date, COccurrence &out,
                                    CDateSpan &lead) const
{
    if (!IsRecurring())
        return false;
    const CDateTime from = DateOnly(date);
    if (!reminderFilter) {
        if (!NearestOccurrence(from, Direction::OnOrAfter, out))
            return false;
        lead = OccurrenceLead(out.exceptionIndex);
        return true;
    }
    CDateTime k;

    // Occurrences with a reminder whose time is after the date and not yet handled: the first
    // plain one past the jump point, and the first such exception; the earlier key wins.
    const CDateTime &handled = GetHandledUpTo();
    bool haveRegular = false;
    if (HasFlag(FlagReminder)) {
        const CDateSpan &l = GetReminderLead();
        const CDateTime jump = Later(date + l, handled + l) - kMargin;
        bool ok = (jump.IsValid() || !PastCalendarEnd(Later(date, handled), l)) &&
                  FirstKeyOnOrAfter(Later(from, jump.IsValid() ? jump : from), k);
        while (ok) {
            const CDateTime t = k - l;
            if (FindExceptionIndex(k) < 0 && t > date && !(t < handled))
                break;
            ok = FirstKeyAfter(CDateTime(k), k);
        }
        haveRegular = ok;
    }
    int best = -1;
    for (size_t i = 0; i < m_exceptions.size(); ++i) {
        const CRecurrenceException &e = m_exceptions[i];
        if (e.IsDeleted() || !e.HasOwnReminder() || e.keyDate < from)
            continue;
        if ((haveRegular && !(e.keyDate < k)) ||
            (best >= 0 && !(e.keyDate < m_exceptions[size_t(best)].keyDate)))
            continue;
        const CDateTime t = e.newStart - e.reminderLead;
        if (!(t > date) || t < handled || FindExceptionIndex(e.keyDate) != int(i) || !IsSeriesKey(e.keyDate))
            continue;
        best = int(i);
    }
    if (best >= 0) {
        out = OccurrenceAt(m_exceptions[size_t(best)].keyDate, best);
        lead = m_exceptions[size_t(best)].reminderLead;
        return true;
    }
    if (!haveRegular)
        return false;
    out = OccurrenceAt(k, -1);
    lead = GetReminderLead();
    return true;
}

bool CEventItem::FindOccurrenceBefore(bool reminderFilter, const CDateTime &date, COccurrence &out,
                                      CDateSpan &lead) const
{
    if (!IsRecurring() || date == m_start)
        return false;
    if (!reminderFilter) {
        if (!NearestOccurrence(date, Direction::Before, out))
            return false;
        lead = OccurrenceLead(out.exceptionIndex);
        return true;
    }
    CDateTime k;

    // The last occurrence with a reminder before the date; it is the answer unless its
    // reminder has been handled already.
    bool haveRegular = false;
    if (HasFlag(FlagReminder)) {
        bool ok = LastKeyBefore(date, k);
        while (ok && FindExceptionIndex(k) >= 0)
            ok = LastKeyBefore(CDateTime(k), k);
        haveRegular = ok;
    }
    int best = -1;
    for (size_t i = 0; i < m_exceptions.size(); ++i) {
        const CRecurrenceException &e = m_exceptions[i];
        if (e.IsDeleted() || !e.HasOwnReminder() || !(e.keyDate < date))
            continue;
        if ((haveRegular && !(e.keyDate > k)) ||
            (best >= 0 && !(e.keyDate > m_exceptions[size_t(best)].keyDate)))
            continue;
        if (FindExceptionIndex(e.keyDate) != int(i) || !IsSeriesKey(e.keyDate))
            continue;
        best = int(i);
    }
    COccurrence o;
    if (best >= 0) {
        o = OccurrenceAt(m_exceptions[size_t(best)].keyDate, best);
        lead = m_exceptions[size_t(best)].reminderLead;
    } else if (haveRegular) {
        o = OccurrenceAt(k, -1);
        lead = GetReminderLead();
    } else {
        return false;
    }
    if (o.start - lead < GetHandledUpTo())
        return false;
    out = o;
    return true;
}

// ---- window enumeration -----------------------------------------------------------------

CDateTime CEventItem::LowestTouchingKey(const CDateTime &w0) const
{
    return w0 - Reach(m_duration) - kMargin;
}

bool CEventItem::NextTouching(const CDateTime *after, const CDateTime &w0, const CDateTime &w1,
                              COccurrence &out, CPatternCursor *cursor, const CDateTime *lowestKey) const
{
    if (!m_start.IsValid() || !w0.IsValid() || !w1.IsValid())
        return false;
    if (!IsRecurring()) {
        if (after || !Touches(m_start, m_duration, w0, w1))
            return false;
        out = OccurrenceAt(m_start, -1);
        return true;
    }

    // Plain occurrences: every pattern date whose span reaches into the window, found from the
    // window start less the duration, so that long occurrences that began earlier are included.
    const CDateTime lowest = lowestKey ? *lowestKey : LowestTouchingKey(w0);
    CDateTime k;
    bool ok = false;
    if (after && lowest.IsValid() && *after >= lowest) {
        ok = NextKeyAfter(*after, k, cursor);
    } else {
        ok = FirstKeyOnOrAfter(lowest.IsValid() ? lowest : m_start, k);
        if (ok && cursor)
            cursor->Seat(GetPattern(), k);
    }
    while (ok && k < w1) {
        if ((!after || k > *after) && FindExceptionIndex(k) < 0 && Touches(k, m_duration, w0, w1))
            break;
        ok = NextKeyAfter(CDateTime(k), k, cursor);
    }
    const bool haveRegular = ok && k < w1;

    // Changed occurrences wherever their key lies: moved into the window from before or after it.
    int best = -1;
    for (size_t i = 0; i < m_exceptions.size(); ++i) {
        const CRecurrenceException &e = m_exceptions[i];
        if (e.IsDeleted() || (after && !(e.keyDate > *after)))
            continue;
        if ((haveRegular && !(e.keyDate < k)) ||
            (best >= 0 && !(e.keyDate < m_exceptions[size_t(best)].keyDate)))
            continue;
        if (!Touches(e.newStart, e.duration, w0, w1) || FindExceptionIndex(e.keyDate) != int(i) ||
            !IsSeriesKey(e.keyDate))
            continue;
        best = int(i);
    }
    if (best >= 0)
        out = OccurrenceAt(m_exceptions[size_t(best)].keyDate, best);
    else if (haveRegular)
        out = OccurrenceAt(k, -1);
    else
        return false;
    return true;
}

bool CEventItem::FindFirstOccurrenceInRange(const CDateTime &windowStart, int days, COccurrence *out)
{
    if (days < 1)
        return false;
    return FindFirstOccurrenceBetween(windowStart, windowStart + CDateSpan(double(days)), out);
}

bool CEventItem::FindFirstOccurrenceBetween(const CDateTime &start, const CDateTime &end, COccurrence *out)
{
    if (!(start < end))
        return false;
    m_windowStart = start;
    m_windowEnd = end;
    m_windowDuration = m_duration;
    m_windowLowest = LowestTouchingKey(start);
    COccurrence o;
    m_cursor.Clear();
    if (!NextTouching(nullptr, m_windowStart, m_windowEnd, o, &m_cursor, &m_windowLowest))
        return false;
    m_currentOccurrence = o.keyDate;
    if (out)
        *out = o;
    return true;
}

bool CEventItem::FindNextOccurrenceInRange(COccurrence *out)
{
    if (!IsRecurring())
        return false;
    COccurrence o;
    const CDateTime current = m_currentOccurrence;
    if (!(m_windowDuration == m_duration)) {
        m_windowDuration = m_duration;
        m_windowLowest = LowestTouchingKey(m_windowStart);
    }
    if (!NextTouching(&current, m_windowStart, m_windowEnd, o, &m_cursor, &m_windowLowest))
        return false;
    m_currentOccurrence = o.keyDate;
    if (out)
        *out = o;
    return true;
}

bool CEventItem::SelectOccurrence(const CDateTime &keyDate, COccurrence *out)
{
    COccurrence o;
    if (!keyDate.IsValid() || keyDate.Value() == 0.0) {
        m_currentOccurrence = m_start;
        o = OccurrenceAt(m_start, -1);
    } else {
        m_currentOccurrence = keyDate;
        o = OccurrenceAt(keyDate, FindExceptionIndex(keyDate));
    }
    if (out)
        *out = o;
    return true;
}

std::vector<COccurrence> CEventItem::OccurrencesInWindow(const CDateTime &windowStart,
                                                         const CDateTime &windowEnd) const
{
    std::vector<COccurrence> result;
    if (!(windowStart < windowEnd))
        return result;
    COccurrence o;
    CPatternCursor cursor;
    if (!NextTouching(nullptr, windowStart, windowEnd, o, &cursor))
        return result;
    do {
        result.push_back(o);
    } while (IsRecurring() && NextTouching(&result.back().keyDate, windowStart, windowEnd, o, &cursor));
    return result;
}

// ---- reminders --------------------------------------------------------------------------

// The plain (unchanged) occurrence with the event's reminder whose reminder time is the
// latest not after the date (mode 0) or the earliest not before it (mode 1), counting only
// times not before the handled-up-to time.
bool CEventItem::RegularReminder(int mode, const CDateTime &date, CDateTime &key) const
{
    const CDateSpan &lead = GetReminderLead();
    const CDateTime &handled = GetHandledUpTo();
    CDateTime k;
    if (mode == 1) {
        const CDateTime bound = Later(date, handled);
        const CDateTime jump = bound + lead - kMargin;
        if (!jump.IsValid() && PastCalendarEnd(bound, lead))
            return false;
        bool ok = FirstKeyOnOrAfter(jump.IsValid() ? jump : m_start, k);
        while (ok && (FindExceptionIndex(k) >= 0 || k - lead < bound))
            ok = FirstKeyAfter(CDateTime(k), k);
        if (ok)
            key = k;
        return ok;
    }
    const CDateTime jump = date + lead + kMargin;
    if (!jump.IsValid() && BeforeCalendarStart(date, lead))
        return false;
    bool ok = jump.IsValid() ? LastKeyOnOrBefore(jump, k) : LastKeyBefore(DateRange::Max(), k);
    while (ok && (FindExceptionIndex(k) >= 0 || k - lead > date))
        ok = LastKeyBefore(CDateTime(k), k);
    if (!ok || k - lead < handled)
        return false;
    key = k;
    return true;
}

bool CEventItem::FindReminder(int mode, const CDateTime &date, CDateTime &reminderTime, CDateTime &keyDate,
                              bool &snoozed) const
{
    snoozed = false;
    if (HasFlag(FlagDeleted))
        return false;
    if (HasFlag(FlagSnoozed)) {
        const int index = FindExceptionIndex(GetSnoozedOccurrence());
        if (index < 0 || !m_exceptions[size_t(index)].IsDeleted()) {
            const CDateTime &until = GetSnoozedUntil();
            if (mode == 0 ? until <= date : date <= until) {
                reminderTime = until;
                keyDate = GetSnoozedOccurrence();
                snoozed = true;
                return true;
            }
            if (!IsRecurring())
                return false;
        }
    }
    if (!IsRecurring()) {
        if (!HasFlag(FlagReminder))
            return false;
        const CDateTime t = m_start - GetReminderLead();
        if (mode == 0 && !(t <= date))
            return false;
        reminderTime = t;
        keyDate = m_start;
        return true;
    }

    bool found = false;
    CDateTime bestTime, bestKey;
    if (HasFlag(FlagReminder) && RegularReminder(mode, date, bestKey)) {
        bestTime = bestKey - GetReminderLead();
        found = true;
    }
    const CDateTime &handled = GetHandledUpTo();
    for (size_t i = 0; i < m_exceptions.size(); ++i) {
        const CRecurrenceException &e = m_exceptions[i];
        if (e.IsDeleted() || !e.HasOwnReminder())
            continue;
        const CDateTime t = e.newStart - e.reminderLead;
        if (t < handled || (mode == 1 ? t < date : t > date))
            continue;
        if (found && (mode == 1 ? !(t < bestTime) : !(t > bestTime)))
            continue;
        if (FindExceptionIndex(e.keyDate) != int(i) || !IsSeriesKey(e.keyDate))
            continue;
        bestTime = t;
        bestKey = e.keyDate;
        found = true;
    }
    if (!found)
        return false;
    reminderTime = bestTime;
    keyDate = bestKey;
    return true;
}

int CEventItem::ValidateMovedOccurrence(CRecurrenceException &exception, bool resetLead) const
{
    COccurrence prev, next;
    if (PrevOccurrence(exception.keyDate, prev)) {
        if (IsSameDate(prev.start, exception.newStart))
            return 1;
        if (exception.newStart < prev.End())
            return 2;
        if (exception.HasOwnReminder() && exception.newStart - exception.reminderLead < prev.End()) {
            if (!resetLead)
                return 3;
            exception.reminderLead = CDateSpan(0.0);
        }
    }
    if (!NextOccurrence(exception.keyDate, next))
        return 0;
    if (IsSameDate(next.start, exception.newStart))
        return 1;
    if (exception.newStart + exception.duration > next.start)
        return 4;
    return 0;
}
