// The occurrence search against a plain walk of the series: for generated events (every
// period, by date, nth weekday and regenerate kinds, intervals 0 to 5, weekday sets, end dates,
// moved, deleted and stray exceptions, long durations) every window must give exactly the
// occurrences that stepping one pattern date at a time from the start gives, and the
// neighbour and reminder searches must agree with that walk too. The generator is seeded so
// that a failure reproduces.
#include "core/items/ItemTestUtil.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {
constexpr unsigned kSeed = 20240612;

struct Walk
{
    std::vector<COccurrence> occurrences; // non-deleted, in key order, keys before the horizon
    CDateTime horizon;                    // keys at or after it were not walked
};

int Pick(std::mt19937 &rng, int n)
{
    return int(rng() % unsigned(n));
}

CEventItem Generate(std::mt19937 &rng)
{
    const std::uint32_t periods[] = {Recur::Daily, Recur::Weekly, Recur::Monthly, Recur::Yearly};
    const std::uint32_t period = periods[Pick(rng, 4)];
    const int kindRoll = Pick(rng, 20);
    std::uint32_t kind = kindRoll < 10   ? Recur::ByDate
                         : kindRoll < 17 ? Recur::NthWeekday
                         : kindRoll < 19 ? Recur::Regenerate
                                         : 0x3000;
    std::uint32_t word = period | kind;
    if (period == Recur::Weekly || kind != Recur::NthWeekday) {
        if (Pick(rng, 25) != 0)
            word |= std::uint32_t(Pick(rng, 127) + 1) << 1;
    } else {
        word |= Recur::WeekdayBit(Pick(rng, 7) + 1);
        if (Pick(rng, 30) == 0)
            word |= Recur::WeekdayBit(Pick(rng, 7) + 1);
    }
    word |= Recur::First << Pick(rng, 5);
    std::uint16_t interval = std::uint16_t(Pick(rng, 5) + 1);
    if (period == Recur::Yearly && kind == Recur::NthWeekday && Pick(rng, 5) != 0)
        interval = 12;
    if (Pick(rng, 25) == 0)
        interval = 0;

    const int year = (Pick(rng, 5) == 0 ? 1860 : 1990) + Pick(rng, 50), month = Pick(rng, 12) + 1;
    const int day = std::min(Pick(rng, 31) + 1, CDateTime::DaysInMonth(year, month));
    const bool allDay = Pick(rng, 3) == 0;
    CDateTime start(year, month, day, allDay ? 0 : Pick(rng, 24), allDay ? 0 : Pick(rng, 4) * 15, 0);
    const CDateSpan durations[] = {Days(0), Minutes(15), Hours(1), Hours(20), Days(1),
                                   Days(3), Days(10),    Days(45), Days(400)};
    const CDateSpan duration = durations[Pick(rng, 9)];
    const std::uint16_t dayNumber = std::uint16_t(Pick(rng, 31) + 1);
    CDateTime end;
    if (Pick(rng, 5) < 2) {
        word |= Recur::HasEndDate;
        end = start;
        AddDays(end, Pick(rng, 1500));
    }
    // Mostly the start is a pattern date, as the editors make it; sometimes it is not.
    if (Pick(rng, 3) != 0) {
        const CRecurrencePattern p(word, interval, dayNumber, start);
        if (p.IsSteppable())
            start = p.DateOnOrAfter(start);
    }
    CEventItem e = MakeSeries(start, duration, word, interval, dayNumber, end);
    if (Pick(rng, 12) == 0)
        e.RemoveRecurrence(), e.SetStart(start);
    if (Pick(rng, 2) == 0) {
        const CDateSpan leads[] = {Days(0), Minutes(15), Days(1), Days(2)};
        e.SetReminder(true, leads[Pick(rng, 4)]);
    }
    CDateTime handled = start;
    AddDays(handled, Pick(rng, 600) - 100);
    e.SetHandledUpTo(handled + Minutes(Pick(rng, 1440)));
    return e;
}

// The first pattern dates of the event, walked one step at a time.
std::vector<CDateTime> StepKeys(const CEventItem &e, const CDateTime &horizon)
{
    std::vector<CDateTime> keys;
    const CRecurrencePattern &p = e.GetPattern();
    auto inSeries = [&](const CDateTime &k) {
        return DateOnly(k) < DateRange::Max() && (!p.HasEndDate() || k <= p.GetEnd());
    };
    if (!e.IsRecurring()) {
        keys.push_back(e.GetStart());
        return keys;
    }
    CDateTime k = e.PatternDateOnOrAfter(e.GetStart());
    while (k < horizon && inSeries(k)) {
        keys.push_back(k);
        const CDateTime next = e.NextPatternDate(k);
        if (!(next > k))
            break;
        k = next;
    }
    return keys;
}

void AddExceptions(std::mt19937 &rng, CEventItem &e, const std::vector<CDateTime> &keys)
{
    if (!e.IsRecurring() || keys.empty())
        return;
    const int count = Pick(rng, 9);
    const size_t reach = std::min<size_t>(keys.size(), 60);
    const CDateSpan durations[] = {Days(0), Hours(2), Days(1), Days(5)};
    for (int i = 0; i < count; ++i) {
        const CDateTime key = keys[size_t(Pick(rng, int(reach)))];
        if (Pick(rng, 10) == 0) { // a stray key that is no pattern date: never reported
            CRecurrenceException stray;
            stray.keyDate = key + Minutes(7);
            stray.newStart = stray.keyDate;
            stray.duration = Hours(1);
            e.AppendStoredException(stray);
            continue;
        }
        CRecurrenceException *x = e.GetException(key, true);
        if (Pick(rng, 5) < 2) {
            x->SetDeleted(true);
            continue;
        }
        x->newStart = key + Days(Pick(rng, 81) - 40) + Minutes(Pick(rng, 96) * 15);
        x->duration = durations[Pick(rng, 4)];
        x->SetReminder(Pick(rng, 2) == 0, Minutes(Pick(rng, 4) * 30));
    }
}

Walk WalkSeries(const CEventItem &e, const std::vector<CDateTime> &keys, const CDateTime &horizon)
{
    Walk w;
    w.horizon = horizon;
    for (const CDateTime &k : keys) {
        int index = -1;
        if (e.IsRecurring())
            for (int i = 0; i < e.GetExceptionCount(); ++i)
                if (e.GetExceptionAt(i)->keyDate == k) {
                    index = i;
                    break;
                }
        COccurrence o;
        o.item = &e;
        o.keyDate = k;
        o.exceptionIndex = index;
        if (index >= 0) {
            const CRecurrenceException *x = e.GetExceptionAt(index);
            if (x->IsDeleted())
                continue;
            o.start = x->newStart;
            o.duration = x->duration;
        } else {
            o.start = k;
            o.duration = e.GetDuration();
        }
        w.occurrences.push_back(o);
    }
    return w;
}

bool TouchesWindow(const COccurrence &o, const CDateTime &w0, const CDateTime &w1)
{
    const CDateSpan reach = o.duration > Days(0) ? o.duration : Minutes(1);
    return w0 < o.start + reach && o.start < w1;
}

bool HasReminder(const CEventItem &e, const COccurrence &o)
{
    return o.exceptionIndex >= 0 ? e.GetExceptionAt(o.exceptionIndex)->HasOwnReminder()
                                 : e.HasFlag(CCalendarItem::FlagReminder);
}

CDateSpan LeadOf(const CEventItem &e, const COccurrence &o)
{
    return o.exceptionIndex >= 0 ? e.GetExceptionAt(o.exceptionIndex)->reminderLead : e.GetReminderLead();
}

std::string Describe(const CEventItem &e)
{
    const CRecurrencePattern &p = e.GetPattern();
    std::string s = "event start " + e.GetStart().ToIsoString().toStdString() + " duration " +
                    std::to_string(e.GetDuration().GetTotalMinutes()) + " min";
    if (e.IsRecurring()) {
        char buf[96];
        std::snprintf(buf, sizeof buf, " word %#x interval %d day %d", p.GetWord(), p.GetInterval(),
                      p.GetDayNumber());
        s += buf;
        if (p.HasEndDate())
            s += " end " + p.GetEnd().ToIsoString().toStdString();
        s += " exceptions " + std::to_string(e.GetExceptionCount());
    }
    return s;
}
} // namespace

TEST(OccurrenceOracle, WindowsNeighboursAndRemindersMatchTheWalk)
{
    std::mt19937 rng(kSeed);
    for (int iter = 0; iter < 300; ++iter) {
        CEventItem e = Generate(rng);
        CDateTime horizon = e.GetStart();
        AddDays(horizon, 6 * 366);
        const std::vector<CDateTime> keys = StepKeys(e, horizon);
        AddExceptions(rng, e, keys);
        const Walk walk = WalkSeries(e, keys, horizon);
        SCOPED_TRACE("case " + std::to_string(iter) + ": " + Describe(e));

        // Windows of every size, from a minute to more than a year, around the series.
        for (int w = 0; w < 15; ++w) {
            CDateTime w0 = e.GetStart();
            AddDays(w0, Pick(rng, 4 * 366 + 100) - 100);
            w0 = w0 + Minutes(Pick(rng, 3) == 0 ? 0 : Pick(rng, 1440));
            const CDateSpan lengths[] = {Minutes(1), Hours(5), Days(1),  Days(7),
                                         Days(31),   Days(92), Days(400)};
            const CDateTime w1 = w0 + lengths[Pick(rng, 7)];
            std::vector<COccurrence> expected;
            for (const COccurrence &o : walk.occurrences)
                if (TouchesWindow(o, w0, w1))
                    expected.push_back(o);
            SCOPED_TRACE("window " + w0.ToIsoString().toStdString() + " .. " +
                         w1.ToIsoString().toStdString());
            ASSERT_EQ(e.OccurrencesInWindow(w0, w1), expected);

            std::vector<COccurrence> walked;
            COccurrence o;
            for (bool ok = e.FindFirstOccurrenceBetween(w0, w1, &o); ok; ok = e.FindNextOccurrenceInRange(&o))
                walked.push_back(o);
            ASSERT_EQ(walked, expected);
        }

        if (!e.IsRecurring())
            continue;
        // Next and previous occurrence, one at a time over the first ones.
        const size_t n = std::min<size_t>(walk.occurrences.size(), 80);
        COccurrence o;
        CDateTime from = e.GetStart() - Minutes(1);
        for (size_t i = 0; i < n; ++i) {
            ASSERT_TRUE(e.NextOccurrence(from, o)) << i;
            ASSERT_EQ(o, walk.occurrences[i]);
            from = o.keyDate;
        }
        for (size_t i = n; i-- > 1;) {
            ASSERT_TRUE(e.PrevOccurrence(walk.occurrences[i].keyDate, o)) << i;
            ASSERT_EQ(o, walk.occurrences[i - 1]);
        }
        if (!walk.occurrences.empty()) {
            ASSERT_FALSE(e.PrevOccurrence(walk.occurrences.front().keyDate, o));
        }

        // First occurrence from a date's day and last one before a date, with and without the
        // reminder filter.
        for (int r = 0; r < 10; ++r) {
            CDateTime date = e.GetStart();
            AddDays(date, Pick(rng, 4 * 366) - 30);
            date = date + Minutes(Pick(rng, 1440));
            for (int filter = 0; filter < 2; ++filter) {
                const COccurrence *first = nullptr, *last = nullptr;
                for (const COccurrence &x : walk.occurrences) {
                    const CDateTime t = x.start - LeadOf(e, x);
                    if (!first && !(x.keyDate < DateOnly(date)) &&
                        (!filter || (HasReminder(e, x) && t > date && !(t < e.GetHandledUpTo()))))
                        first = &x;
                    if (x.keyDate < date && (!filter || HasReminder(e, x)))
                        last = &x;
                }
                COccurrence got;
                CDateSpan lead;
                const bool foundFrom = e.FindOccurrenceFrom(filter, date, got, lead);
                if (first) {
                    ASSERT_TRUE(foundFrom)
                        << "from " << date.ToIsoString().toStdString() << " filter " << filter;
                    ASSERT_EQ(got, *first)
                        << "from " << date.ToIsoString().toStdString() << " filter " << filter;
                } else if (foundFrom) {
                    ASSERT_FALSE(got.keyDate < walk.horizon) << "from " << date.ToIsoString().toStdString();
                }
                if (last && filter && last->start - LeadOf(e, *last) < e.GetHandledUpTo())
                    last = nullptr;
                const bool foundBefore = e.FindOccurrenceBefore(filter, date, got, lead);
                ASSERT_EQ(foundBefore, last != nullptr) << "before " << date.ToIsoString().toStdString();
                if (last) {
                    ASSERT_EQ(got, *last) << "before " << date.ToIsoString().toStdString();
                }
            }
        }

        // Reminder times: earliest at or after, latest at or before, never before the handled time.
        const CDateTime &handled = e.GetHandledUpTo();
        for (int r = 0; r < 10; ++r) {
            CDateTime date = e.GetStart();
            AddDays(date, Pick(rng, 4 * 366) - 30);
            date = date + Minutes(Pick(rng, 1440));
            for (int mode = 0; mode < 2; ++mode) {
                bool expectFound = false;
                CDateTime expectTime;
                for (const COccurrence &x : walk.occurrences) {
                    if (!HasReminder(e, x))
                        continue;
                    const CDateTime t = x.start - LeadOf(e, x);
                    if (t < handled || (mode == 1 ? t < date : t > date))
                        continue;
                    if (!expectFound || (mode == 1 ? t < expectTime : t > expectTime))
                        expectTime = t, expectFound = true;
                }
                CDateTime when, key;
                bool snoozed;
                const bool found = e.FindReminder(mode, date, when, key, snoozed);
                // Occurrences past the walked horizon remind no earlier than a day before it.
                const CDateTime beyond = walk.horizon - Days(2);
                if (mode == 1 && (!expectFound || expectTime > beyond)) {
                    if (found && expectFound) {
                        ASSERT_FALSE(when > expectTime);
                    }
                    if (found && (!expectFound || when < expectTime)) {
                        ASSERT_GT(when, beyond) << "mode 1 from " << date.ToIsoString().toStdString();
                    }
                    continue;
                }
                ASSERT_EQ(found, expectFound)
                    << "mode " << mode << " at " << date.ToIsoString().toStdString();
                if (found) {
                    ASSERT_EQ(when, expectTime)
                        << "mode " << mode << " at " << date.ToIsoString().toStdString();
                    CDateTime s, end;
                    e.GetOccurrenceEnd(key, s, end);
                    const int index = e.FindExceptionIndex(key);
                    ASSERT_EQ(s - (index >= 0 ? e.GetExceptionAt(index)->reminderLead : e.GetReminderLead()),
                              when);
                }
            }
        }
    }
}
