// Recurrence pattern steps: the on-or-after rule, agreement of the three steps, patterns that
// cannot step, and the item's recurrence setters.
#include "core/items/ItemTestUtil.h"

#include "core/items/CalendarItem.h"
#include "core/items/RecurrencePattern.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {
// A task-kind item for the rules that depend on the kind.
class TaskLike : public CCalendarItem
{
  public:
    TaskLike() { SetKind(KindTask); }
};

CRecurrencePattern RandomSteppable(std::mt19937 &rng)
{
    const std::uint32_t periods[] = {Recur::Daily, Recur::Weekly, Recur::Monthly, Recur::Yearly};
    const std::uint32_t period = periods[rng() % 4];
    const bool nth = period >= Recur::Monthly && rng() % 2;
    std::uint32_t word = period | (nth ? Recur::NthWeekday : Recur::ByDate);
    if (nth)
        word |= Recur::WeekdayBit(int(rng() % 7) + 1) | (Recur::First << (rng() % 5));
    else if (period == Recur::Weekly)
        word |= (rng() % 127 + 1) << 1;
    const std::uint16_t interval = period == Recur::Yearly && nth ? 12 : std::uint16_t(rng() % 5 + 1);
    const int year = int(1995 + rng() % 40), month = int(rng() % 12 + 1);
    const CDateTime start(year, month, std::min(int(rng() % 31 + 1), CDateTime::DaysInMonth(year, month)),
                          int(rng() % 24), int(rng() % 12) * 5, int(rng() % 3) * 20);
    return CRecurrencePattern(word, interval, std::uint16_t(rng() % 31 + 1), start);
}
} // namespace

TEST(RecurrencePattern, DateOnOrAfterEdgeCases)
{
    struct Case
    {
        const char *what;
        CRecurrencePattern pattern;
        CDateTime from, expected;
    } cases[] = {
        {"day 31 in February",
         {0x1400, 1, 31, At(2009, 1, 31, 9, 0)},
         At(2009, 2, 10),
         At(2009, 2, 28, 9, 0)},
        {"day 31 in a leap February",
         {0x1400, 1, 31, At(2008, 1, 31, 9, 0)},
         At(2008, 2, 10),
         At(2008, 2, 29, 9, 0)},
        {"day 31 in April", {0x1400, 1, 31, At(2009, 1, 31, 9, 0)}, At(2009, 4, 1), At(2009, 4, 30, 9, 0)},
        {"day 31 every 2 months, off-cycle month",
         {0x1400, 2, 31, At(2009, 1, 31)},
         At(2009, 2, 1),
         At(2009, 3, 31)},
        {"29 February in a common year",
         {0x1800, 1, 29, At(2008, 2, 29, 8, 0)},
         At(2009, 1, 1),
         At(2009, 2, 28, 8, 0)},
        {"29 February back in a leap year",
         {0x1800, 1, 29, At(2008, 2, 29)},
         At(2011, 3, 1),
         At(2012, 2, 29)},
        {"last Friday, 29-day month starting on a Friday",
         {0x2400 | 0x40 | Recur::Last, 1, 0, At(2008, 1, 25)},
         At(2008, 2, 1),
         At(2008, 2, 29)},
        {"last Friday, first Friday + 28 in the next month",
         {0x2400 | 0x40 | Recur::Last, 1, 0, At(2008, 1, 25)},
         At(2008, 4, 1),
         At(2008, 4, 25)},
        {"every 2 weeks Mon+Thu from a Wednesday",
         {0x1200 | Recur::Monday | Recur::Thursday, 2, 0, At(2024, 6, 12, 10, 0)},
         At(2024, 6, 12, 10, 0),
         At(2024, 6, 13, 10, 0)},
        {"every 2 weeks Mon+Thu, skipped week",
         {0x1200 | Recur::Monday | Recur::Thursday, 2, 0, At(2024, 6, 10)},
         At(2024, 6, 14),
         At(2024, 6, 24)},
        {"weekly without weekday",
         {0x1200, 1, 0, At(2024, 6, 12, 10, 0)},
         At(2024, 7, 1),
         At(2024, 6, 12, 10, 0)},
        {"before the start", {0x1100, 3, 0, At(2024, 6, 12, 10, 0)}, At(2020, 1, 1), At(2024, 6, 12, 10, 0)},
        {"every 3 days, off-cycle day",
         {0x1100, 3, 0, At(2024, 6, 12, 10, 0)},
         At(2024, 6, 13, 23, 0),
         At(2024, 6, 15, 10, 0)},
        {"every 3 months on the 20th from the 5th",
         {0x1400, 3, 20, At(2024, 6, 5)},
         At(2024, 6, 5),
         At(2024, 6, 20)},
        {"yearly nth, second Tuesday of March",
         {0x2800 | Recur::Tuesday | Recur::Second, 12, 0, At(2024, 3, 12)},
         At(2024, 3, 13),
         At(2025, 3, 11)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.pattern.DateOnOrAfter(c.from), c.expected) << c.what;
}

TEST(RecurrencePattern, MonthlyByDateStepsKeepTheDayNumber)
{
    // Started in February for "day 31": every step must land on the month's last day, as the
    // on-or-after rule does, not stay on the 28th of the start.
    const CRecurrencePattern p(0x1400, 1, 31, At(2009, 2, 28, 9, 0));
    EXPECT_EQ(p.NextDate(At(2009, 2, 28, 9, 0)), At(2009, 3, 31, 9, 0));
    EXPECT_EQ(p.DateOnOrAfter(At(2009, 3, 1)), At(2009, 3, 31, 9, 0));
    EXPECT_EQ(p.PrevDate(At(2009, 4, 30, 9, 0)), At(2009, 3, 31, 9, 0));
}

// Stepping forward from the first date gives exactly the days on which the on-or-after rule
// lands on the day itself, every date carries the start's time, and a step back undoes a step.
TEST(RecurrencePattern, StepsAgreeWithOnOrAfter)
{
    std::mt19937 rng(424242);
    for (int iter = 0; iter < 600; ++iter) {
        const CRecurrencePattern p = RandomSteppable(rng);
        ASSERT_TRUE(p.IsSteppable());
        const CDateTime s = p.GetStart();
        CDateTime limit = s;
        AddDays(limit, p.Period() == Recur::Daily ? 200 : p.Period() == Recur::Weekly ? 500 : 3000);

        std::set<double> stepped;
        CDateTime k = p.DateOnOrAfter(s);
        ASSERT_FALSE(k < s);
        while (k < limit) {
            ASSERT_EQ(k.GetHour(), s.GetHour());
            ASSERT_EQ(k.GetMinute(), s.GetMinute());
            ASSERT_EQ(k.GetSecond(), s.GetSecond());
            stepped.insert(k.Value());
            const CDateTime next = p.NextDate(k);
            ASSERT_GT(next, k);
            ASSERT_EQ(p.PrevDate(next), k) << "word " << std::hex << p.GetWord();
            k = next;
        }
        std::set<double> byDay;
        for (CDateTime d = DateOnly(s); d < limit; AddDays(d, 1)) {
            const CDateTime q = p.DateOnOrAfter(d);
            if (IsSameDate(q, d) && q < limit)
                byDay.insert(q.Value());
        }
        ASSERT_EQ(stepped, byDay) << "word " << std::hex << p.GetWord() << " interval " << std::dec
                                  << p.GetInterval() << " start " << s.ToIsoString().toStdString();
    }
}

TEST(RecurrencePattern, PatternsThatCannotStepHaveOnlyTheirStart)
{
    const CDateTime s = At(2024, 6, 12, 10, 0);
    const CRecurrencePattern patterns[] = {
        {0x1100, 0, 0, s},                                // interval 0
        {0x1200 | Recur::Monday, 0, 0, s},                // interval 0
        {0x1400, 0, 12, s},                               // interval 0
        {0x1200, 1, 0, s},                                // no weekday
        {0x3400, 1, 12, s},                               // two kinds
        {0x0400, 1, 12, s},                               // no kind
        {0x4400, 1, 12, s},                               // regenerate has no pattern dates
        {0x2400, 1, 0, s},                                // nth without weekday
        {0x2800 | Recur::Monday | Recur::First, 6, 0, s}, // yearly nth needs 12
        {0x1000, 1, 0, s},                                // no period
        {0x1100, 1, 0, CDateTime::Invalid()},             // unusable start
    };
    for (const CRecurrencePattern &p : patterns) {
        EXPECT_FALSE(p.IsSteppable()) << std::hex << p.GetWord();
        EXPECT_EQ(p.DateOnOrAfter(At(2030, 1, 1)), p.GetStart());
        EXPECT_EQ(p.NextDate(p.GetStart()), p.GetStart());
        EXPECT_EQ(p.PrevDate(p.GetStart()), p.GetStart());
        CDateTime out;
        EXPECT_FALSE(p.FirstDateAfter(p.GetStart(), out));
        EXPECT_FALSE(p.LastDateBefore(p.GetStart(), out));
    }
}

TEST(RecurrencePattern, ShortestGap)
{
    struct Case
    {
        std::uint32_t word;
        std::uint16_t interval;
        CDateSpan expected;
    } cases[] = {
        {0x1100, 3, Days(3)},
        {0x1200 | Recur::Monday, 2, Days(14)},
        {0x1200 | Recur::Monday | Recur::Friday, 1, Days(3)},
        {0x1200 | Recur::Monday | Recur::Tuesday | Recur::Sunday, 4, Days(1)},
        {0x1200 | Recur::Wednesday | Recur::Sunday, 1, Days(3)},
        {0x1200, 1, Days(64000)},
        {0x1400, 2, Days(56)},
        {0x1800, 1, CDateSpan(336, 0, 0, 1)},
        {0x1000, 1, Days(0)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShortestRecurrenceGap(c.word, c.interval), c.expected) << std::hex << c.word;
}

TEST(CalendarItem, SetAndRemoveRecurrence)
{
    FixedClock clock(At(2024, 6, 20, 8, 0));
    CEventItem e;
    e.SetFlags(CCalendarItem::FlagSeriesClosed | CCalendarItem::FlagCalculateAge |
               CCalendarItem::FlagSnoozed);
    e.SetRecurrence(0x1100 | Recur::HasEndDate, 1, 0, At(2009, 5, 1, 9, 30), At(2009, 5, 5, 10, 0));
    EXPECT_EQ(e.GetPatternEnd(), At(2009, 5, 5, 23, 59, 59));
    EXPECT_TRUE(e.IsRecurring());
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagSeriesClosed));

    e.SetRecurrence(0x1100, 1, 0, At(2009, 5, 1, 9, 30), At(2010, 1, 1)); // no end flag: end left alone
    EXPECT_EQ(e.GetPatternEnd(), At(2009, 5, 5, 23, 59, 59));

    e.RemoveRecurrence();
    EXPECT_FALSE(e.IsRecurring());
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagCalculateAge));
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagSnoozed));
    EXPECT_EQ(e.GetRecurrenceFlags(), 0u);
    EXPECT_EQ(e.GetRecurrenceInterval(), 0);
    EXPECT_EQ(e.GetPatternStart(), At(2024, 6, 20, 9, 30));
}

TEST(CalendarItem, IsOccurrenceDate)
{
    CEventItem e =
        MakeSeries(At(2024, 6, 10, 9, 30), Hours(1),
                   0x1200 | Recur::Monday | Recur::Thursday | Recur::HasEndDate, 1, 0, At(2024, 7, 1));
    EXPECT_TRUE(e.IsOccurrenceDate(At(2024, 6, 13, 9, 30)));
    EXPECT_FALSE(e.IsOccurrenceDate(At(2024, 6, 13, 9, 31)));
    EXPECT_FALSE(e.IsOccurrenceDate(At(2024, 6, 14, 9, 30)));
    EXPECT_FALSE(e.IsOccurrenceDate(At(2024, 6, 3, 9, 30))); // before the start
    EXPECT_FALSE(e.IsOccurrenceDate(At(2024, 7, 4, 9, 30))); // after the end
    EXPECT_TRUE(e.IsOccurrenceDate(At(2024, 7, 1, 9, 30)));

    TaskLike task;
    task.SetRecurrence(0x4100, 3, 0, At(2024, 6, 10), CDateTime());
    EXPECT_TRUE(task.IsOccurrenceDate(At(2001, 1, 1, 3, 7)));
}

TEST(CalendarItem, TextLimitsAndNewItem)
{
    CEventItem e;
    EXPECT_EQ(e.GetKind(), 1u);
    EXPECT_EQ(e.GetItemTypeIndex(), -1);
    EXPECT_EQ(e.GetRecordId(), 0u);
    EXPECT_EQ(e.GetReminderSound().GetRepeatSeconds(), 30);
    EXPECT_EQ(e.GetSnoozeInterval(), Minutes(15));

    e.SetSubject(QString(300, QLatin1Char('s')));
    EXPECT_EQ(e.GetSubject().size(), 255);
    e.SetItemTypeName(QString(70, QLatin1Char('t')));
    EXPECT_EQ(e.GetItemTypeName().size(), 63);
    e.SetCategories(QString(600, QLatin1Char('c')));
    EXPECT_EQ(e.GetCategories().size(), 511);
    e.SetLocation(QString(260, QLatin1Char('l')));
    EXPECT_EQ(e.GetLocation().size(), 250);
    e.SetNotes(QString(5000, QLatin1Char('n')));
    EXPECT_EQ(e.GetNotes().size(), 5000);
    // Characters outside the basic plane count once and are never split.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    e.SetSubject(QString(254, QLatin1Char('a')) + clef + clef);
    EXPECT_EQ(e.GetSubject(), QString(254, QLatin1Char('a')) + clef);
}

TEST(CalendarItem, ReminderSnoozeAndWindowFlags)
{
    CEventItem e;
    e.SetReminder(false, Minutes(10));
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_EQ(e.GetReminderLead(), Minutes(10));
    e.SetReminder(true, Minutes(20));
    e.SetSnooze(At(2024, 1, 1, 9, 5), At(2024, 1, 1, 10, 0), Minutes(5), At(2024, 1, 1, 9, 0));
    EXPECT_TRUE(e.HasFlag(CCalendarItem::FlagSnoozed));
    e.ClearReminder();
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagSnoozed));

    e.SetReminderWindowSize(true, 300, 200);
    EXPECT_EQ(e.GetReminderWindowSize(), (200u << 16) | 300u);
    EXPECT_TRUE(e.HasFlag(CCalendarItem::FlagReminderWindowSize));
    e.SetReminderWindowSize(false, 1, 1);
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagReminderWindowSize));
    EXPECT_EQ(e.GetReminderWindowSize(), (200u << 16) | 300u);

    CReminderSound s;
    s.SetMode(CReminderSound::DefaultBeep);
    e.SetReminderSound(true, s);
    EXPECT_TRUE(e.HasFlag(CCalendarItem::FlagOwnSound));
    EXPECT_EQ(e.GetReminderSound().GetMode(), 1);
    e.SetReminderSound(false, CReminderSound());
    EXPECT_FALSE(e.HasFlag(CCalendarItem::FlagOwnSound));
    EXPECT_EQ(e.GetReminderSound().GetMode(), 1);
}

TEST(RecurrencePattern, DatesOutsideTheCalendarStandForItsEnds)
{
    // Values a damaged record can carry: past year 9999, before year 100, not a number.
    const CDateTime s = At(2024, 6, 12, 10, 0);
    for (const CRecurrencePattern &p :
         {CRecurrencePattern(0x1100, 3, 0, s), CRecurrencePattern(0x1200 | Recur::Friday, 2, 0, s),
          CRecurrencePattern(0x1400, 1, 31, s), CRecurrencePattern(0x1800, 1, 0, s)}) {
        EXPECT_EQ(p.DateOnOrAfter(CDateTime(1e300)), p.DateOnOrAfter(DateRange::Max()))
            << std::hex << p.GetWord();
        EXPECT_EQ(p.DateOnOrAfter(CDateTime(-1e300)), p.DateOnOrAfter(s));
        EXPECT_EQ(p.DateOnOrAfter(CDateTime(std::nan(""))), p.DateOnOrAfter(s));
    }
}
