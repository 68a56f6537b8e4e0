// The pattern cursor against the pattern's own steps: every date it steps to must be the one
// NextDate and FirstDateAfter give, bit for bit, over daily, weekly, monthly and yearly
// patterns by date and by weekday, with intervals, month ends, leap days, dates before 1900 and
// the end of the calendar; and the window enumeration that walks with it must give what the
// plain neighbour search gives.
#include "core/items/ItemTestUtil.h"

#include "core/items/PatternCursor.h"
#include "core/items/RecurrencePattern.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
struct PatternCase
{
    const char *what;
    std::uint32_t word;
    std::uint16_t interval;
    std::uint16_t dayNumber;
    CDateTime start;
};

const PatternCase kPatterns[] = {
    {"daily", Recur::Daily | Recur::ByDate, 1, 0, At(2024, 8, 1, 6, 15)},
    {"every 3 days", Recur::Daily | Recur::ByDate, 3, 0, At(2023, 12, 30, 23, 59, 59)},
    {"every 400 days", Recur::Daily | Recur::ByDate, 400, 0, At(1999, 2, 28, 12)},
    {"daily before 1900", Recur::Daily | Recur::ByDate, 1, 0, At(1899, 12, 25, 18, 30)},
    {"daily from 1753", Recur::Daily | Recur::ByDate, 2, 0, At(1753, 1, 1, 0, 0, 1)},
    {"weekly, one day", Recur::Weekly | Recur::ByDate | Recur::Wednesday, 1, 0, At(2024, 1, 3, 9)},
    {"weekly, Monday and Sunday, every 2", Recur::Weekly | Recur::ByDate | Recur::Monday | Recur::Sunday, 2, 0,
     At(2024, 1, 1, 8)},
    {"weekly, work days", Recur::Weekly | Recur::ByDate | 0x7C, 1, 0, At(2021, 3, 26, 7, 45)},
    {"weekly, every day, every 5", Recur::Weekly | Recur::ByDate | Recur::WeekdayMask, 5, 0, At(1890, 6, 7, 0)},
    {"weekly, Saturday before 1900", Recur::Weekly | Recur::ByDate | Recur::Saturday, 3, 0, At(1899, 12, 30, 10)},
    {"monthly on the 31st", Recur::Monthly | Recur::ByDate, 1, 31, At(2023, 1, 31, 9)},
    {"monthly on the 30th every 2", Recur::Monthly | Recur::ByDate, 2, 30, At(2023, 12, 30, 9)},
    {"monthly, day from the start", Recur::Monthly | Recur::ByDate, 1, 0, At(2024, 1, 29, 20)},
    {"monthly on the 29th every 12", Recur::Monthly | Recur::ByDate, 12, 29, At(2020, 2, 29, 11)},
    {"monthly, first Monday", Recur::Monthly | Recur::NthWeekday | Recur::Monday | Recur::First, 1, 0,
     At(2024, 1, 1, 10)},
    {"monthly, last Friday every 3", Recur::Monthly | Recur::NthWeekday | Recur::Friday | Recur::Last, 3, 0,
     At(2024, 5, 31, 16)},
    {"monthly, fourth Sunday every 7", Recur::Monthly | Recur::NthWeekday | Recur::Sunday | Recur::Fourth, 7, 0,
     At(1880, 3, 28, 0)},
    {"monthly, no week bit", Recur::Monthly | Recur::NthWeekday | Recur::Thursday, 1, 0, At(2024, 2, 1, 12)},
    {"yearly on 29 February", Recur::Yearly | Recur::ByDate, 1, 0, At(2024, 2, 29, 8)},
    {"yearly on 31 December, interval ignored", Recur::Yearly | Recur::ByDate, 5, 0, At(1999, 12, 31, 23)},
    {"yearly, second Tuesday of March", Recur::Yearly | Recur::NthWeekday | Recur::Tuesday | Recur::Second, 12, 0,
     At(2024, 3, 12, 14)},
    {"yearly, last Saturday of February", Recur::Yearly | Recur::NthWeekday | Recur::Saturday | Recur::Last, 12,
     0, At(2020, 2, 29, 6)},
    {"daily near the end", Recur::Daily | Recur::ByDate, 1, 0, At(4000, 12, 1, 9)},
    {"weekly near the end", Recur::Weekly | Recur::ByDate | Recur::Tuesday | Recur::Friday, 1, 0,
     At(4000, 10, 3, 9)},
    {"monthly near the end", Recur::Monthly | Recur::ByDate, 1, 31, At(3999, 1, 31, 9)},
    {"monthly by weekday near the end", Recur::Monthly | Recur::NthWeekday | Recur::Sunday | Recur::Last, 5, 0,
     At(3998, 1, 25, 9)},
    {"yearly near the end", Recur::Yearly | Recur::ByDate, 1, 0, At(3990, 12, 31, 9)},
};

std::string Iso(const CDateTime &d)
{
    return d.ToIsoString().toStdString();
}
} // namespace

TEST(PatternCursor, StepsAsThePatternDoes)
{
    for (const PatternCase &c : kPatterns) {
        SCOPED_TRACE(c.what);
        const CRecurrencePattern p(c.word, c.interval, c.dayNumber, c.start);
        ASSERT_TRUE(p.IsSteppable());
        CDateTime date = p.DateOnOrAfter(c.start);
        CPatternCursor cursor;
        ASSERT_TRUE(cursor.Seat(p, date)) << Iso(date);
        EXPECT_TRUE(cursor.IsOn(p, date));
        bool gaveUp = false;
        for (int step = 0; step < 1500 && !gaveUp; ++step) {
            const CDateTime plain = p.NextDate(date);
            CDateTime after;
            const bool plainAfter = p.FirstDateAfter(date, after);
            if (!cursor.Advance()) {
                // Only where the plain step reaches the calendar's last day or passes it.
                EXPECT_GE(DateOnly(plain), DateRange::Max()) << "after " << Iso(date);
                gaveUp = true;
                break;
            }
            const CDateTime &next = cursor.Date();
            ASSERT_EQ(next.GetStatus(), plain.GetStatus()) << "after " << Iso(date);
            ASSERT_EQ(next.Value(), plain.Value()) << Iso(next) << " instead of " << Iso(plain);
            ASSERT_TRUE(plainAfter);
            ASSERT_EQ(after.Value(), next.Value());
            ASSERT_TRUE(cursor.IsOn(p, next));
            date = next;
        }
        if (c.start.GetYear() >= 3990) {
            EXPECT_TRUE(gaveUp) << "the walk should reach the end of the calendar";
        }
    }
}

TEST(PatternCursor, SeatsOnlyOnPatternDates)
{
    const CRecurrencePattern daily(Recur::Daily | Recur::ByDate, 1, 0, At(2024, 3, 1, 9, 30));
    CPatternCursor cursor;
    EXPECT_TRUE(cursor.Seat(daily, At(2024, 3, 5, 9, 30)));
    // Another time of day, a date a second off, the calendar's last day, an invalid date.
    EXPECT_FALSE(cursor.Seat(daily, At(2024, 3, 5, 10, 30)));
    EXPECT_FALSE(cursor.IsOn(daily, At(2024, 3, 5, 9, 30)));
    EXPECT_FALSE(cursor.Seat(daily, At(2024, 3, 5, 9, 30) + CDateSpan(0.4 / 86400)));
    EXPECT_FALSE(cursor.Seat(daily, At(4000, 12, 31, 9, 30)));
    EXPECT_FALSE(cursor.Seat(daily, CDateTime::Invalid()));
    EXPECT_FALSE(cursor.Advance());
    // A pattern that cannot step, and another pattern than the one seated on.
    const CRecurrencePattern still(Recur::Daily | Recur::ByDate, 0, 0, At(2024, 3, 1, 9, 30));
    EXPECT_FALSE(cursor.Seat(still, At(2024, 3, 1, 9, 30)));
    ASSERT_TRUE(cursor.Seat(daily, At(2024, 3, 5, 9, 30)));
    const CRecurrencePattern other(Recur::Daily | Recur::ByDate, 2, 0, At(2024, 3, 1, 9, 30));
    EXPECT_FALSE(cursor.IsOn(other, At(2024, 3, 5, 9, 30)));
}

namespace {
// The occurrences touching [w0, w1) by the plain neighbour search: every occurrence from the
// first one on (moved ones at their new place), kept when it touches the window.
std::vector<COccurrence> PlainWindow(const CEventItem &e, const CDateTime &w0, const CDateTime &w1,
                                     const CDateTime &horizon)
{
    std::vector<COccurrence> out;
    COccurrence o;
    for (bool ok = e.NextOccurrence(e.GetStart() - Minutes(1), o); ok && o.keyDate < horizon;
         ok = e.NextOccurrence(o.keyDate, o)) {
        const CDateSpan reach = o.duration > Days(0) ? o.duration : Minutes(1);
        if (w0 < o.start + reach && o.start < w1)
            out.push_back(o);
    }
    return out;
}
} // namespace

TEST(PatternCursor, MonthWindowsMatchThePlainSearch)
{
    struct EventCase
    {
        const char *what;
        PatternCase pattern;
        CDateSpan duration;
        CDateTime end;                   // with an end date when valid
        std::vector<int> moved, deleted; // occurrence numbers
    } cases[] = {
        {"daily", kPatterns[0], Minutes(30), CDateTime(), {}, {}},
        {"daily with exceptions", kPatterns[0], Hours(1), CDateTime(), {3, 40, 41}, {5, 6, 70}},
        {"daily ending", kPatterns[1], Hours(2), At(2024, 5, 2, 0), {10}, {11}},
        {"daily across midnight", kPatterns[3], Hours(9), CDateTime(), {1}, {2}},
        {"weekly", kPatterns[6], Days(2), CDateTime(), {4}, {0}},
        {"work days", kPatterns[7], Hours(1), At(2022, 1, 1), {7, 8}, {9}},
        {"month ends", kPatterns[10], Days(1), CDateTime(), {2}, {3}},
        {"last Friday", kPatterns[15], Days(3), CDateTime(), {1}, {}},
        {"leap day", kPatterns[18], Hours(1), CDateTime(), {1}, {2}},
        {"second Tuesday of March", kPatterns[20], Hours(1), At(2040, 1, 1), {}, {3}},
    };
    for (const EventCase &c : cases) {
        SCOPED_TRACE(c.what);
        const PatternCase &p = c.pattern;
        const std::uint32_t word = p.word | (c.end.IsValid() ? Recur::HasEndDate : 0);
        CEventItem e = MakeSeries(p.start, c.duration, word, p.interval, p.dayNumber, c.end);
        std::vector<CDateTime> keys;
        COccurrence o;
        for (bool ok = e.NextOccurrence(p.start - Minutes(1), o); ok && keys.size() < 100;
             ok = e.NextOccurrence(o.keyDate, o))
            keys.push_back(o.keyDate);
        for (int i : c.moved)
            if (i < int(keys.size())) {
                CRecurrenceException *x = e.GetException(keys[size_t(i)], true);
                x->newStart = keys[size_t(i)] + Days(i % 2 ? 9 : -9) + Hours(3);
                x->duration = Hours(2);
            }
        for (int i : c.deleted)
            if (i < int(keys.size()))
                e.GetException(keys[size_t(i)], true)->SetDeleted(true);

        // Six-week windows month after month, as the month view asks for them.
        CDateTime w0(p.start.GetYear(), p.start.GetMonth(), 1);
        AddDays(w0, -10);
        for (int month = 0; month < 30; ++month) {
            const CDateTime w1 = w0 + Days(42);
            CDateTime horizon = w1;
            AddDays(horizon, 60);
            const std::vector<COccurrence> expected = PlainWindow(e, w0, w1, horizon);
            SCOPED_TRACE("window from " + Iso(w0));
            std::vector<COccurrence> walked;
            for (bool ok = e.FindFirstOccurrenceBetween(w0, w1, &o); ok; ok = e.FindNextOccurrenceInRange(&o))
                walked.push_back(o);
            ASSERT_EQ(walked, expected);
            ASSERT_EQ(e.OccurrencesInWindow(w0, w1), expected);
            AddDays(w0, 30);
        }
    }
}
