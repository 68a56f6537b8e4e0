// Occurrence search: neighbours, windows, reminders and moved-occurrence checks around deleted
// and moved occurrences, patterns that cannot step, and the window search against a walk of
// the series one occurrence at a time.
#include "core/items/ItemTestUtil.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {
std::vector<CDateTime> Starts(const std::vector<COccurrence> &list)
{
    std::vector<CDateTime> out;
    for (const COccurrence &o : list)
        out.push_back(o.start);
    return out;
}

// Daily 09:00-10:00 from Monday 3 June 2024.
CEventItem DailyNine()
{
    return MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), Recur::Daily | Recur::ByDate, 1);
}

void Move(CEventItem &e, const CDateTime &key, const CDateTime &newStart, const CDateSpan &duration)
{
    CRecurrenceException *x = e.GetException(key, true);
    ASSERT_NE(x, nullptr);
    x->newStart = newStart;
    x->duration = duration;
}

void Delete(CEventItem &e, const CDateTime &key)
{
    e.GetException(key, true)->SetDeleted(true);
}
} // namespace

TEST(OccurrenceSearch, MovedIntoAWindowAndTheWindowsOwnOccurrence)
{
    CEventItem e = DailyNine();
    Move(e, At(2024, 6, 4, 9, 0), At(2024, 6, 10, 14, 0), Hours(2)); // Tuesday to next Monday 14:00
    const auto list = e.OccurrencesInWindow(At(2024, 6, 10), At(2024, 6, 11));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].keyDate, At(2024, 6, 4, 9, 0));
    EXPECT_EQ(list[0].start, At(2024, 6, 10, 14, 0));
    EXPECT_EQ(list[0].duration, Hours(2));
    EXPECT_EQ(list[0].exceptionIndex, 0);
    EXPECT_EQ(list[1].start, At(2024, 6, 10, 9, 0)); // Monday's own occurrence is still there
    EXPECT_EQ(list[1].exceptionIndex, -1);
    // Tuesday's window no longer has it.
    EXPECT_TRUE(e.OccurrencesInWindow(At(2024, 6, 4), At(2024, 6, 5)).empty());
}

TEST(OccurrenceSearch, MovedOutOfAWindowHidesNothingElse)
{
    CEventItem e = DailyNine();
    Move(e, At(2024, 6, 5, 9, 0), At(2024, 7, 20, 9, 0), Hours(1));
    Delete(e, At(2024, 6, 6, 9, 0));
    const auto list = e.OccurrencesInWindow(At(2024, 6, 3), At(2024, 6, 10));
    EXPECT_EQ(Starts(list),
              (std::vector<CDateTime>{At(2024, 6, 3, 9, 0), At(2024, 6, 4, 9, 0), At(2024, 6, 7, 9, 0),
                                      At(2024, 6, 8, 9, 0), At(2024, 6, 9, 9, 0)}));
    // Moved from after the window into it: found as well, in key order.
    Move(e, At(2024, 6, 20, 9, 0), At(2024, 6, 4, 18, 0), Hours(1));
    const auto again = e.OccurrencesInWindow(At(2024, 6, 4), At(2024, 6, 5));
    EXPECT_EQ(Starts(again), (std::vector<CDateTime>{At(2024, 6, 4, 9, 0), At(2024, 6, 4, 18, 0)}));
}

TEST(OccurrenceSearch, LongOccurrencesThatBeganEarlier)
{
    // Every day, each lasting three days: a one-day window meets three of them.
    const CEventItem daily = MakeSeries(At(2024, 6, 3, 12, 0), Days(3), Recur::Daily | Recur::ByDate, 1);
    EXPECT_EQ(Starts(daily.OccurrencesInWindow(At(2024, 6, 10), At(2024, 6, 11))),
              (std::vector<CDateTime>{At(2024, 6, 7, 12, 0), At(2024, 6, 8, 12, 0), At(2024, 6, 9, 12, 0),
                                      At(2024, 6, 10, 12, 0)}));
    // A weekly three-day all-day event from a Saturday is found from the Monday.
    const CEventItem weekly = MakeSeries(At(2024, 6, 8), Days(3), Recur::Weekly | Recur::Saturday, 1);
    const auto list = weekly.OccurrencesInWindow(At(2024, 6, 10), At(2024, 6, 11));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].start, At(2024, 6, 8));
}

TEST(OccurrenceSearch, WindowEdges)
{
    CEventItem zero = MakeSeries(At(2024, 6, 3), Days(0), Recur::Daily | Recur::ByDate, 1);
    EXPECT_EQ(Starts(zero.OccurrencesInWindow(At(2024, 6, 5), At(2024, 6, 6))),
              (std::vector<CDateTime>{At(2024, 6, 5)}));
    // An occurrence ending exactly at the window start does not touch it.
    CEventItem hour = DailyNine();
    EXPECT_TRUE(hour.OccurrencesInWindow(At(2024, 6, 5, 10, 0), At(2024, 6, 6, 9, 0)).empty());
    // Also where start + duration is not exact in floating point.
    CEventItem odd = MakeSeries(At(1936, 8, 5, 0, 26), Minutes(30), Recur::Daily | Recur::ByDate, 3);
    EXPECT_TRUE(odd.OccurrencesInWindow(At(1936, 8, 5, 0, 56), At(1936, 8, 6)).empty());
    COccurrence o;
    EXPECT_FALSE(hour.FindFirstOccurrenceInRange(At(2024, 6, 5), 0, &o));
    EXPECT_FALSE(hour.FindFirstOccurrenceBetween(At(2024, 6, 5), At(2024, 6, 5), &o));
    // A partial-day range ends where it says.
    ASSERT_TRUE(hour.FindFirstOccurrenceBetween(At(2024, 6, 5, 8, 0), At(2024, 6, 5, 9, 30), &o));
    EXPECT_EQ(o.start, At(2024, 6, 5, 9, 0));
    EXPECT_FALSE(hour.FindNextOccurrenceInRange(&o));
}

TEST(OccurrenceSearch, EnumerationWalksTheWindowInKeyOrder)
{
    CEventItem e = DailyNine();
    Move(e, At(2024, 6, 12, 9, 0), At(2024, 6, 4, 7, 0), Hours(1));
    Delete(e, At(2024, 6, 5, 9, 0));
    std::vector<CDateTime> keys;
    COccurrence o;
    for (bool ok = e.FindFirstOccurrenceInRange(At(2024, 6, 3), 4, &o); ok;
         ok = e.FindNextOccurrenceInRange(&o))
        keys.push_back(o.keyDate);
    EXPECT_EQ(keys, (std::vector<CDateTime>{At(2024, 6, 3, 9, 0), At(2024, 6, 4, 9, 0), At(2024, 6, 6, 9, 0),
                                            At(2024, 6, 12, 9, 0)}));
    EXPECT_EQ(e.GetCurrentOccurrence(), At(2024, 6, 12, 9, 0));

    ASSERT_TRUE(e.SelectOccurrence(At(2024, 6, 12, 9, 0), &o));
    EXPECT_EQ(o.start, At(2024, 6, 4, 7, 0));
    ASSERT_TRUE(e.SelectOccurrence(CDateTime(), &o));
    EXPECT_EQ(o.start, At(2024, 6, 3, 9, 0));
    EXPECT_EQ(o.exceptionIndex, -1);
}

TEST(OccurrenceSearch, SingleEvent)
{
    CEventItem e;
    e.SetStart(At(2024, 6, 5, 22, 0));
    e.SetDuration(Hours(4));
    COccurrence o;
    EXPECT_FALSE(e.NextOccurrence(At(2024, 6, 1), o));
    EXPECT_FALSE(e.PrevOccurrence(At(2024, 6, 9), o));
    ASSERT_TRUE(e.FindFirstOccurrenceInRange(At(2024, 6, 6), 1, &o));
    EXPECT_EQ(o.start, At(2024, 6, 5, 22, 0));
    EXPECT_FALSE(e.FindNextOccurrenceInRange(&o));
    EXPECT_FALSE(e.FindFirstOccurrenceInRange(At(2024, 6, 6, 2, 0), 1, &o));
}

TEST(OccurrenceSearch, PrevAndNextStepOverDeletedAndReportMoved)
{
    CEventItem e = DailyNine();
    Delete(e, At(2024, 6, 5, 9, 0));
    Move(e, At(2024, 6, 6, 9, 0), At(2024, 6, 6, 15, 0), Hours(3));
    COccurrence o;
    ASSERT_TRUE(e.NextOccurrence(At(2024, 6, 4, 9, 0), o));
    EXPECT_EQ(o.keyDate, At(2024, 6, 6, 9, 0));
    EXPECT_EQ(o.start, At(2024, 6, 6, 15, 0));
    EXPECT_EQ(o.End(), At(2024, 6, 6, 18, 0));
    ASSERT_TRUE(e.PrevOccurrence(At(2024, 6, 6, 9, 0), o));
    EXPECT_EQ(o.keyDate, At(2024, 6, 4, 9, 0));
    EXPECT_FALSE(e.PrevOccurrence(At(2024, 6, 3, 9, 0), o)); // the event start
    // From dates between pattern dates as well.
    ASSERT_TRUE(e.NextOccurrence(At(2024, 6, 4, 12, 0), o));
    EXPECT_EQ(o.keyDate, At(2024, 6, 6, 9, 0));
    ASSERT_TRUE(e.PrevOccurrence(At(2024, 6, 7, 8, 0), o));
    EXPECT_EQ(o.keyDate, At(2024, 6, 6, 9, 0));

    CDateTime start, end;
    e.GetOccurrenceEnd(At(2024, 6, 6, 9, 0), start, end);
    EXPECT_EQ(start, At(2024, 6, 6, 15, 0));
    EXPECT_EQ(end, At(2024, 6, 6, 18, 0));
    e.GetOccurrenceEnd(At(2024, 6, 7, 9, 0), start, end);
    EXPECT_EQ(end, At(2024, 6, 7, 10, 0));
}

TEST(OccurrenceSearch, SeriesEnds)
{
    const CEventItem open = MakeSeries(At(4000, 12, 20, 9, 0), Hours(1), Recur::Daily | Recur::ByDate, 1);
    COccurrence o;
    ASSERT_TRUE(open.NextOccurrence(At(4000, 12, 29, 9, 0), o));
    EXPECT_EQ(o.keyDate, At(4000, 12, 30, 9, 0));
    EXPECT_FALSE(open.NextOccurrence(At(4000, 12, 30, 9, 0), o));
    EXPECT_EQ(open.OccurrencesInWindow(At(4000, 12, 25), At(4001, 1, 5)).size(), 6u);

    const CEventItem ended =
        MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), Recur::Weekly | Recur::Monday | Recur::HasEndDate, 1, 0,
                   At(2024, 6, 17));
    ASSERT_TRUE(ended.NextOccurrence(At(2024, 6, 10, 9, 0), o));
    EXPECT_EQ(o.keyDate, At(2024, 6, 17, 9, 0)); // the end day counts
    EXPECT_FALSE(ended.NextOccurrence(At(2024, 6, 17, 9, 0), o));
    ASSERT_TRUE(ended.PrevOccurrence(At(2030, 1, 1), o));
    EXPECT_EQ(o.keyDate, At(2024, 6, 17, 9, 0));
    EXPECT_EQ(ended.OccurrencesInWindow(At(2024, 1, 1), At(2025, 1, 1)).size(), 3u);
}

// Steps that would leave the calendar (past 4000-12-31 or before 1753-01-01) must neither stand
// in for a pattern date nor hide the real neighbour.
TEST(OccurrenceSearch, NeighboursAtTheEndsOfTheCalendar)
{
    enum Ask { Prev, Next };
    const CDateTime none = CDateTime::Invalid();
    struct Case
    {
        const char *what;
        CEventItem event;
        Ask ask;
        CDateTime from, expected; // expected invalid: no occurrence
    };
    const Case cases[] = {
        {"daily every 2 days, next step past the end",
         MakeSeries(At(4000, 12, 30), Hours(1), Recur::Daily | Recur::ByDate, 2), Prev, At(4000, 12, 31),
         At(4000, 12, 30)},
        {"monthly on day 3 every 3 months, next step past the end",
         MakeSeries(At(3996, 11, 3), Hours(1), Recur::Monthly | Recur::ByDate, 3, 3), Prev, At(4000, 12, 30),
         At(4000, 11, 3)},
        {"monthly on day 21 every 65535 months",
         MakeSeries(At(1900, 3, 21, 22, 30), Hours(1), Recur::Monthly | Recur::ByDate, 65535, 21), Prev,
         At(1905, 6, 2), At(1900, 3, 21, 22, 30)},
        {"second Wednesday of January every 12 months, step past the end",
         MakeSeries(At(3990, 1, 10, 20, 30), Hours(1),
                    Recur::Monthly | Recur::NthWeekday | Recur::Wednesday | Recur::Second, 12),
         Next, At(4000, 1, 12, 20, 30), none},
        {"last Wednesday monthly, first Wednesday + 28 past the end",
         MakeSeries(At(3999, 12, 1), Hours(1), Recur::Monthly | Recur::NthWeekday | Recur::Wednesday | Recur::Last,
                    1),
         Next, At(4000, 11, 29), At(4000, 12, 27)},
        {"every 3 weeks on Saturday and Sunday from Monday 1753-01-01",
         MakeSeries(At(1753, 1, 1), Hours(1), Recur::Weekly | Recur::Saturday | Recur::Sunday, 3), Prev,
         At(1753, 1, 6), none},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        COccurrence o;
        const bool found = c.ask == Prev ? c.event.PrevOccurrence(c.from, o) : c.event.NextOccurrence(c.from, o);
        EXPECT_EQ(found, c.expected.IsValid());
        if (found && c.expected.IsValid()) {
            EXPECT_EQ(o.keyDate, c.expected);
        } else if (found) {
            ADD_FAILURE() << "reported " << o.keyDate.ToIsoString().toStdString();
        }
    }
    // The windows of December 4000 agree with the neighbours.
    const CEventItem januaries =
        MakeSeries(At(3990, 1, 10, 20, 30), Hours(1),
                   Recur::Monthly | Recur::NthWeekday | Recur::Wednesday | Recur::Second, 12);
    EXPECT_TRUE(januaries.OccurrencesInWindow(At(4000, 12, 1), At(4000, 12, 31)).empty());
    const CEventItem lastWednesdays = MakeSeries(
        At(3999, 12, 1), Hours(1), Recur::Monthly | Recur::NthWeekday | Recur::Wednesday | Recur::Last, 1);
    EXPECT_EQ(Starts(lastWednesdays.OccurrencesInWindow(At(4000, 12, 1), At(4000, 12, 31))),
              (std::vector<CDateTime>{At(4000, 12, 27)}));
}

// Stored or pasted patterns that cannot step still answer every search, with their start as
// the only occurrence.
TEST(OccurrenceSearch, PatternsThatCannotStepEnd)
{
    const std::uint32_t words[] = {Recur::Daily | Recur::ByDate, Recur::Monthly | 0x3000, Recur::Weekly,
                                   0x0000 | Recur::ByDate, Recur::Yearly | Recur::Regenerate};
    for (std::uint32_t word : words) {
        const std::uint16_t interval = word == (Recur::Daily | Recur::ByDate) ? 0 : 1;
        CEventItem e = MakeSeries(At(2024, 6, 3, 9, 0), Hours(1), word, interval);
        e.SetReminder(true, Minutes(10));
        COccurrence o;
        CDateSpan lead;
        ASSERT_TRUE(e.NextOccurrence(At(2024, 1, 1), o)) << std::hex << word;
        EXPECT_EQ(o.keyDate, At(2024, 6, 3, 9, 0));
        EXPECT_FALSE(e.NextOccurrence(o.keyDate, o));
        EXPECT_FALSE(e.PrevOccurrence(At(2024, 6, 3, 9, 0), o));
        EXPECT_TRUE(e.PrevOccurrence(At(2030, 6, 3), o));
        EXPECT_EQ(e.OccurrencesInWindow(At(2024, 1, 1), At(2030, 1, 1)).size(), 1u);
        EXPECT_TRUE(e.FindOccurrenceFrom(true, At(2024, 1, 1), o, lead));
        EXPECT_FALSE(e.FindOccurrenceFrom(false, At(2024, 6, 4), o, lead));
        CDateTime when, key;
        bool snoozed;
        ASSERT_TRUE(e.FindReminder(1, At(2024, 1, 1), when, key, snoozed));
        EXPECT_EQ(when.ToIsoString(), At(2024, 6, 3, 8, 50).ToIsoString());
        EXPECT_FALSE(e.FindReminder(1, At(2024, 6, 3, 9, 0), when, key, snoozed));
    }
    // An unusable start has no occurrences at all.
    CEventItem bad = MakeSeries(CDateTime::Invalid(), Hours(1), Recur::Daily | Recur::ByDate, 1);
    EXPECT_TRUE(bad.OccurrencesInWindow(At(2024, 1, 1), At(2030, 1, 1)).empty());
}

TEST(OccurrenceSearch, ValidateMovedOccurrence)
{
    CEventItem e = DailyNine();
    struct Case
    {
        const char *what;
        CDateTime newStart;
        CDateSpan duration;
        bool ownReminder;
        CDateSpan lead;
        int expected;
    } cases[] = {
        {"later the same day", At(2024, 6, 5, 11, 0), Hours(1), false, {}, 0},
        {"onto the successor's day", At(2024, 6, 6, 7, 0), Hours(1), false, {}, 1},
        {"onto the predecessor's day", At(2024, 6, 4, 20, 0), Hours(1), false, {}, 1},
        {"past the successor's start", At(2024, 6, 5, 23, 0), Hours(11), false, {}, 4},
        {"reminder before the predecessor ends", At(2024, 6, 5, 0, 30), Hours(1), true, Days(1), 3},
    };
    for (const Case &c : cases) {
        CRecurrenceException x;
        x.keyDate = At(2024, 6, 5, 9, 0);
        x.newStart = c.newStart;
        x.duration = c.duration;
        x.SetReminder(c.ownReminder, c.lead);
        EXPECT_EQ(e.ValidateMovedOccurrence(x, false), c.expected) << c.what;
    }
    // Starting before the previous occurrence ends: 2 (a long series makes that possible).
    CEventItem longOnes =
        MakeSeries(At(2024, 6, 3, 9, 0), Hours(20), Recur::Weekly | Recur::Monday | Recur::Wednesday, 1);
    CRecurrenceException x;
    x.keyDate = At(2024, 6, 5, 9, 0);
    x.newStart = At(2024, 6, 4, 1, 0);
    x.duration = Hours(1);
    EXPECT_EQ(longOnes.ValidateMovedOccurrence(x, false), 2);
    // With the reset flag the lead gives way instead of code 3.
    CRecurrenceException r;
    r.keyDate = At(2024, 6, 5, 9, 0);
    r.newStart = At(2024, 6, 5, 0, 30);
    r.duration = Hours(1);
    r.SetReminder(true, Days(1));
    EXPECT_EQ(e.ValidateMovedOccurrence(r, true), 0);
    EXPECT_EQ(r.reminderLead, Days(0));
}

TEST(OccurrenceSearch, FindOccurrenceFromAndBefore)
{
    CEventItem e = DailyNine();
    e.SetReminder(true, Minutes(15));
    e.SetHandledUpTo(At(2024, 6, 6, 9, 0));
    Delete(e, At(2024, 6, 7, 9, 0));
    COccurrence o;
    CDateSpan lead;
    // Without the filter: on or after the date's day, deleted ones skipped.
    ASSERT_TRUE(e.FindOccurrenceFrom(false, At(2024, 6, 4, 18, 0), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 4, 9, 0));
    EXPECT_EQ(lead, Minutes(15));
    ASSERT_TRUE(e.FindOccurrenceFrom(false, At(2024, 6, 7, 0, 0), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 8, 9, 0));
    // With it: reminder after the date and not handled yet.
    ASSERT_TRUE(e.FindOccurrenceFrom(true, At(2024, 6, 4, 0, 0), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 8, 9, 0));
    ASSERT_TRUE(e.FindOccurrenceFrom(true, At(2024, 6, 8, 8, 44), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 8, 9, 0));
    ASSERT_TRUE(e.FindOccurrenceFrom(true, At(2024, 6, 8, 8, 45), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 9, 9, 0));

    ASSERT_TRUE(e.FindOccurrenceBefore(false, At(2024, 6, 8, 9, 0), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 6, 9, 0));
    // The last one with a reminder before the date has been handled: none.
    EXPECT_FALSE(e.FindOccurrenceBefore(true, At(2024, 6, 6, 9, 0), o, lead));
    ASSERT_TRUE(e.FindOccurrenceBefore(true, At(2024, 6, 9, 0, 0), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 8, 9, 0));

    // With the event's reminder off only exceptions with their own reminder count.
    e.SetReminder(false, Minutes(15));
    Move(e, At(2024, 6, 12, 9, 0), At(2024, 6, 12, 13, 0), Hours(1));
    e.GetException(At(2024, 6, 12, 9, 0), false)->SetReminder(true, Minutes(30));
    ASSERT_TRUE(e.FindOccurrenceFrom(true, At(2024, 6, 8, 0, 0), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 12, 9, 0));
    EXPECT_EQ(lead, Minutes(30));
    ASSERT_TRUE(e.FindOccurrenceBefore(true, At(2024, 7, 1), o, lead));
    EXPECT_EQ(o.keyDate, At(2024, 6, 12, 9, 0));
    ASSERT_TRUE(e.FindOccurrenceFrom(false, At(2024, 6, 9, 0, 0), o, lead));
    EXPECT_FALSE(lead.IsValid());
}

TEST(OccurrenceSearch, FindReminderAroundDeletedAndMoved)
{
    CEventItem e = DailyNine();
    e.SetReminder(true, Minutes(15));
    e.SetHandledUpTo(At(2024, 6, 4, 9, 0));
    CDateTime when, key;
    bool snoozed = true;
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 4, 10, 0), when, key, snoozed));
    EXPECT_EQ(when.ToIsoString(), At(2024, 6, 5, 8, 45).ToIsoString());
    EXPECT_FALSE(snoozed);

    Delete(e, At(2024, 6, 5, 9, 0));
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 4, 10, 0), when, key, snoozed));
    EXPECT_EQ(key, At(2024, 6, 6, 9, 0));
    // A later occurrence moved before the next one reminds first.
    Move(e, At(2024, 6, 9, 9, 0), At(2024, 6, 5, 20, 0), Hours(1));
    e.GetException(At(2024, 6, 9, 9, 0), false)->SetReminder(true, Minutes(5));
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 4, 10, 0), when, key, snoozed));
    EXPECT_EQ(when.ToIsoString(), At(2024, 6, 5, 19, 55).ToIsoString());
    EXPECT_EQ(key, At(2024, 6, 9, 9, 0));
    // The moved occurrence's own key date no longer reminds at 08:45.
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 8, 9, 0), when, key, snoozed));
    EXPECT_EQ(when.ToIsoString(), At(2024, 6, 10, 8, 45).ToIsoString());

    // Mode 0: the latest not after the date, never before the handled time.
    ASSERT_TRUE(e.FindReminder(0, At(2024, 6, 5, 23, 0), when, key, snoozed));
    EXPECT_EQ(when.ToIsoString(), At(2024, 6, 5, 19, 55).ToIsoString());
    ASSERT_TRUE(e.FindReminder(0, At(2024, 6, 8, 9, 0), when, key, snoozed));
    EXPECT_EQ(when.ToIsoString(), At(2024, 6, 8, 8, 45).ToIsoString());
    // 4 June 08:45 is before the handled time and 5 June is deleted: nothing.
    EXPECT_FALSE(e.FindReminder(0, At(2024, 6, 5, 19, 0), when, key, snoozed));

    // A snooze comes first, unless its occurrence was deleted.
    e.SetSnooze(At(2024, 6, 6, 9, 10), At(2024, 6, 6, 9, 0), Minutes(10), At(2024, 6, 6, 9, 0));
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 6, 9, 1), when, key, snoozed));
    EXPECT_TRUE(snoozed);
    EXPECT_EQ(when.ToIsoString(), At(2024, 6, 6, 9, 10).ToIsoString());
    EXPECT_EQ(key, At(2024, 6, 6, 9, 0));
    Delete(e, At(2024, 6, 6, 9, 0));
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 6, 9, 1), when, key, snoozed));
    EXPECT_FALSE(snoozed);

    e.SetFlag(CCalendarItem::FlagDeleted, true);
    EXPECT_FALSE(e.FindReminder(1, At(2024, 6, 6, 9, 1), when, key, snoozed));
}

TEST(OccurrenceSearch, FindReminderOfASingleEvent)
{
    CEventItem e;
    e.SetStart(At(2024, 6, 5, 9, 0));
    e.SetDuration(Hours(1));
    CDateTime when, key;
    bool snoozed;
    EXPECT_FALSE(e.FindReminder(1, At(2024, 6, 1), when, key, snoozed));
    e.SetReminder(true, Minutes(30));
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 1), when, key, snoozed));
    EXPECT_EQ(when.ToIsoString(), At(2024, 6, 5, 8, 30).ToIsoString());
    EXPECT_FALSE(e.FindReminder(0, At(2024, 6, 5, 8, 29), when, key, snoozed));
    ASSERT_TRUE(e.FindReminder(0, At(2024, 6, 5, 8, 30), when, key, snoozed));
    // Snoozed to later than asked: nothing else to offer.
    e.SetSnooze(At(2024, 6, 5, 8, 40), At(2024, 6, 5, 9, 0), Minutes(10), At(2024, 6, 5, 8, 30));
    EXPECT_FALSE(e.FindReminder(0, At(2024, 6, 5, 8, 35), when, key, snoozed));
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 5, 8, 35), when, key, snoozed));
    EXPECT_TRUE(snoozed);
}

TEST(OccurrenceSearch, RemindersWithLeadsOrStampsBeyondTheCalendar)
{
    // Values of a damaged record: the answer comes from where the jump lands, not from a walk
    // of the whole series.
    CEventItem e = MakeSeries(At(1800, 1, 1, 9, 0), Hours(1), Recur::Daily | Recur::ByDate, 1);
    CDateTime when, key;
    bool snoozed = false;
    e.SetReminder(true, Days(1e7)); // every reminder long before 1753
    EXPECT_FALSE(e.FindReminder(1, At(2024, 6, 4), when, key, snoozed));
    EXPECT_FALSE(e.FindReminder(0, At(2024, 6, 4), when, key, snoozed)); // all before handled-up-to
    COccurrence o;
    CDateSpan lead;
    EXPECT_FALSE(e.FindOccurrenceFrom(true, At(2024, 6, 4), o, lead));

    e.SetReminder(true, Days(-1e7)); // every reminder long after 4000
    EXPECT_FALSE(e.FindReminder(0, At(2024, 6, 4), when, key, snoozed));
    ASSERT_TRUE(e.FindReminder(1, At(2024, 6, 4), when, key, snoozed));
    EXPECT_EQ(key, At(1800, 1, 1, 9, 0));

    e.SetReminder(true, Minutes(10));
    e.SetHandledUpTo(CDateTime(1e9)); // handled past the end of the calendar
    EXPECT_FALSE(e.FindReminder(1, At(2024, 6, 4), when, key, snoozed));
    EXPECT_FALSE(e.FindOccurrenceFrom(true, At(2024, 6, 4), o, lead));
}
