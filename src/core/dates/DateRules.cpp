// Date rules: clock and cached today, clamped day and month steps, weekday helpers of patterns.
#include "core/dates/DateRules.h"

#include "core/items/RecurrenceBits.h"
#include "core/items/RecurrencePattern.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {
std::function<CDateTime()> &NowProvider()
{
    static std::function<CDateTime()> provider;
    return provider;
}

CDateTime &CachedToday()
{
    static CDateTime today;
    return today;
}

// The lowest weekday bit of a word as a day of week (1 Sunday .. 7 Saturday), 0 for none.
int FirstWeekdayOf(std::uint32_t word)
{
    for (int dow = 1; dow <= 7; ++dow)
        if (word & Recur::WeekdayBit(dow))
            return dow;
    return 0;
}

// Days added for the week bit; -1 without one. The lowest bit wins when several are set.
int NthOffset(std::uint32_t word)
{
    if (word & Recur::First)
        return 0;
    if (word & Recur::Second)
        return 7;
    if (word & Recur::Third)
        return 14;
    if (word & Recur::Fourth)
        return 21;
    if (word & Recur::Last)
        return 28;
    return -1;
}
} // namespace

namespace {
// The system zone's offset over the stretch of time it holds: reading the local time through
// the system on every call looks the zone up again each time.
struct KeptZone
{
    bool known = false;
    qint64 fromMs = 0;  // the offset holds from here (UTC milliseconds)
    qint64 untilMs = 0; // to just before here
    int offsetSeconds = 0;
};

KeptZone &Zone()
{
    static KeptZone zone;
    return zone;
}

void LearnZone(KeptZone &zone, qint64 utcMs)
{
    const QTimeZone system = QTimeZone::systemTimeZone();
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC);
    zone.offsetSeconds = system.offsetFromUtc(at);
    // Asked again after a day at the latest, so that a zone whose rules cannot be listed
    // still follows its changes.
    constexpr qint64 kDayMs = 86400000;
    zone.fromMs = utcMs;
    zone.untilMs = utcMs + kDayMs;
    if (system.hasTransitions()) {
        const QTimeZone::OffsetData next = system.nextTransition(at);
        if (next.atUtc.isValid())
            zone.untilMs = std::min(zone.untilMs, next.atUtc.toMSecsSinceEpoch());
    }
    zone.known = true;
}
} // namespace

CDateTime GetNow()
{
    if (const auto &provider = NowProvider())
        return provider();
    const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
    KeptZone &zone = Zone();
    if (!zone.known || utcMs < zone.fromMs || utcMs >= zone.untilMs)
        LearnZone(zone, utcMs);
    const qint64 local = utcMs / 1000 + zone.offsetSeconds;
    return CDateTime::FromQDateTime(QDateTime::fromSecsSinceEpoch(local, Qt::UTC));
}

void ForgetTimeZone()
{
    Zone().known = false;
}

void SetNowProvider(std::function<CDateTime()> provider)
{
    NowProvider() = std::move(provider);
}

void UpdateToday()
{
    CachedToday() = DateOnly(GetNow());
}

CDateTime GetToday()
{
    return CachedToday();
}

void ResetToday()
{
    CachedToday() = CDateTime();
}

void AddDays(CDateTime &date, long n)
{
    CDateTime::Parts p;
    if (!date.GetParts(p))
        return;
    // Whole days are added to the midnight value (an integer), then the date is rebuilt from
    // its parts so that the result is the canonical value of that date and time.
    const double day = CDateTime(p.year, p.month, p.day).Value() + double(n);
    const CDateTime lo = DateRange::Min();
    const CDateTime hi = DateRange::Max();
    if (day < lo.Value()) {
        date = lo;
        return;
    }
    if (day >= hi.Value()) {
        date = hi;
        return;
    }
    CDateTime::Parts q;
    CDateTime(day).GetParts(q);
    date = CDateTime(q.year, q.month, q.day, p.hour, p.minute, p.second);
}

bool AddMonths(CDateTime &date, int day, int n)
{
    CDateTime::Parts p;
    if (day < 1 || !date.GetParts(p))
        return false;
    const long total = long(p.year) * 12 + (p.month - 1) + n;
    const long year = total >= 0 ? total / 12 : -((-total + 11) / 12);
    const int month = int(total - year * 12) + 1;
    if (year < 1753) {
        date = DateRange::Min();
        return true;
    }
    if (year > 4000) {
        date = DateRange::Max();
        return true;
    }
    date = CDateTime(int(year), month, std::min(day, CDateTime::DaysInMonth(int(year), month)));
    return true;
}

int WeekPosition(int dayOfWeek)
{
    return (dayOfWeek + 5) % 7;
}

std::uint32_t WeekdayBitAtPosition(int pos)
{
    return Recur::WeekdayBit(pos == 6 ? 1 : pos + 2);
}

int NthWeekdayDayOfMonth(std::uint32_t word, int year, int month)
{
    const int weekday = FirstWeekdayOf(word);
    if (weekday == 0)
        return 0;
    // Day-of-month arithmetic: the month's own length decides "last", not a clamped day step
    // (which would keep 4000-12-31 in December).
    const int firstWeekday = CDateTime::DayOfWeekOf(CDateTime::DayNumber(year, month, 1));
    int day = 1 + (weekday - firstWeekday + 7) % 7;
    const int offset = NthOffset(word);
    if (offset == 28)
        day += day + 28 <= CDateTime::DaysInMonth(year, month) ? 28 : 21;
    else if (offset > 0)
        day += offset;
    return day;
}

bool NthWeekdayOfMonth(CDateTime &date, std::uint32_t word)
{
    CDateTime::Parts p;
    if (FirstWeekdayOf(word) == 0 || !date.GetParts(p))
        return false;
    date = CDateTime(p.year, p.month, NthWeekdayDayOfMonth(word, p.year, p.month));
    return true;
}

CDateTime FirstPatternDayOfWeek(const CDateTime &date, std::uint32_t weekdayBits)
{
    CDateTime d = date;
    AddDays(d, -WeekPosition(date.GetDayOfWeek()));
    for (int pos = 0; pos < 7; ++pos) {
        if (weekdayBits & WeekdayBitAtPosition(pos)) {
            AddDays(d, pos);
            break;
        }
    }
    return d;
}

CDateTime LastPatternDayOfWeek(const CDateTime &date, std::uint32_t weekdayBits)
{
    CDateTime d = date;
    AddDays(d, -WeekPosition(date.GetDayOfWeek()));
    for (int pos = 6; pos > 0; --pos) {
        if (weekdayBits & WeekdayBitAtPosition(pos)) {
            AddDays(d, pos);
            break;
        }
    }
    return d;
}

bool MoveToWeekday(CDateTime &date, std::uint32_t weekdayBits)
{
    const std::uint32_t bits = weekdayBits & Recur::WeekdayMask;
    if (bits == 0 || (bits & (bits - 1)) != 0 || !date.IsValid())
        return false;
    const int weekday = FirstWeekdayOf(bits);
    AddDays(date, (weekday - date.GetDayOfWeek() + 7) % 7);
    return true;
}

bool AddNthWeekOffset(CDateTime &date, std::uint32_t word)
{
    const int offset = NthOffset(word);
    if (offset < 0)
        return false;
    if (offset == 28) {
        CDateTime::Parts p;
        if (!date.GetParts(p))
            return false;
        AddDays(date, p.day + 28 <= CDateTime::DaysInMonth(p.year, p.month) ? 28 : 21);
    } else {
        AddDays(date, offset);
    }
    return true;
}

bool FindFirstOccurrence(const RecurrenceDescription &desc, CDateTime &first)
{
    CDateTime::Parts sp;
    if (!desc.start.GetParts(sp))
        return false;
    const std::uint32_t period = desc.word & Recur::PeriodMask;
    const std::uint32_t kind = desc.word & Recur::KindMask;
    if (kind == Recur::Regenerate) {
        first = DateOnly(desc.start);
        return true;
    }
    if (period != Recur::Daily && period != Recur::Weekly && period != Recur::Monthly &&
        period != Recur::Yearly)
        return false;
    if (period == Recur::Weekly && (desc.word & Recur::WeekdayMask) == 0)
        return false;
    if ((period == Recur::Monthly || period == Recur::Yearly) && kind != Recur::ByDate &&
        kind != Recur::NthWeekday)
        return false;
    if (kind == Recur::NthWeekday && period >= Recur::Monthly && (desc.word & Recur::WeekdayMask) == 0)
        return false;

    CDateTime start = desc.start;
    std::uint16_t interval = desc.interval;
    if (period == Recur::Yearly) {
        // A yearly pattern takes its month (and by date its day) from its start: anchor the
        // start there when the description names another month or day.
        const int month = desc.month >= 1 && desc.month <= 12 ? desc.month : sp.month;
        if (kind == Recur::ByDate) {
            const int day = desc.dayOfMonth >= 1 && desc.dayOfMonth <= 31 ? desc.dayOfMonth : sp.day;
            CDateTime anchor(sp.year, month, std::min(day, CDateTime::DaysInMonth(sp.year, month)), sp.hour,
                             sp.minute, sp.second);
            if (DateOnly(anchor) < DateOnly(desc.start)) {
                AddMonths(anchor, day, 12);
                anchor = CDateTime(anchor.GetYear(), anchor.GetMonth(), anchor.GetDay(), sp.hour, sp.minute,
                                   sp.second);
            }
            first = DateOnly(anchor);
            return true;
        }
        interval = 12;
        if (month != sp.month)
            start = CDateTime(sp.year, month, 1, sp.hour, sp.minute, sp.second) <= DateOnly(desc.start)
                        ? CDateTime(sp.year + 1, month, 1, sp.hour, sp.minute, sp.second)
                        : CDateTime(sp.year, month, 1, sp.hour, sp.minute, sp.second);
    }
    if (interval == 0) {
        first = DateOnly(desc.start);
        return true;
    }
    const int day = desc.dayOfMonth >= 1 && desc.dayOfMonth <= 31 ? desc.dayOfMonth : sp.day;
    const CRecurrencePattern pattern(desc.word, interval, std::uint16_t(day), start);
    first = DateOnly(pattern.DateOnOrAfter(start));
    return first.IsValid();
}

bool IsSameDate(const CDateTime &a, const CDateTime &b)
{
    long dayA = 0, dayB = 0, seconds = 0;
    return a.GetDayAndSeconds(dayA, seconds) && b.GetDayAndSeconds(dayB, seconds) && dayA == dayB;
}

CDateTime DateOnly(const CDateTime &date)
{
    return date.DatePart();
}

int AgeInYears(const CDateTime &earlier, const CDateTime &later)
{
    CDateTime::Parts e, l;
    if (!earlier.GetParts(e) || !later.GetParts(l))
        return 0;
    int age = l.year - e.year;
    if (l.month < e.month || (l.month == e.month && l.day < e.day))
        --age;
    return std::max(age, 0);
}
