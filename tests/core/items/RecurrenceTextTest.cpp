// The recurrence pattern in words, for each period and kind, and the event's time part.
#include "core/items/ItemTestUtil.h"

#include "core/dates/DateFormats.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
class RecurrenceText : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_saved = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        // Month-day-year with the century and a 24-hour clock with leading zeros.
        LocaleDateData data;
        data.clock24 = true;
        data.hourLeadingZero = true;
        BuildLocaleFormats(data);
    }
    void TearDown() override
    {
        QLocale::setDefault(m_saved);
        BuildLocaleFormats();
    }

  private:
    QLocale m_saved;
};

QString PatternText(std::uint32_t word, std::uint16_t interval, std::uint16_t day, const CDateTime &start,
                    const CDateTime &end = CDateTime())
{
    // Base text only: a task-like item adds no time part.
    struct Item : CCalendarItem
    {
    } item;
    item.SetRecurrence(word, interval, day, start, end);
    return item.GetRecurrenceText();
}
} // namespace

TEST_F(RecurrenceText, EachPeriodAndKind)
{
    const CDateTime wed = At(2024, 6, 12, 9, 0);
    struct Case
    {
        std::uint32_t word;
        std::uint16_t interval, day;
        CDateTime start;
        const char *expected;
    } cases[] = {
        {0x1100, 1, 0, wed, "Every day effective 6/12/2024 "},
        {0x1100, 3, 0, wed, "Every 3 days effective 6/12/2024 "},
        {0x4100, 3, 0, wed, "Task..."},
        {0x2100, 1, 0, wed, ""},
        {0x1200 | Recur::Sunday | Recur::Monday | Recur::Thursday, 1, 0, wed,
         "Every Monday, Thursday, Sunday effective 6/12/2024 "},
        {0x1200 | Recur::Monday | Recur::Thursday, 2, 0, wed,
         "Every 2 weeks on Monday, Thursday effective 6/12/2024 "},
        {0x1400, 1, 15, At(2024, 6, 15), "Day 15 of every month effective 6/15/2024 "},
        {0x1400, 3, 31, At(2024, 6, 30), "Day 31 of every 3 months effective 6/30/2024 "},
        {0x2400 | Recur::Tuesday | Recur::Second, 1, 11, At(2024, 6, 11),
         "The second Tuesday of every month effective 6/11/2024 "},
        {0x2400 | Recur::Tuesday | Recur::Last, 2, 25, At(2024, 6, 25),
         "The last Tuesday of every 2 months effective 6/25/2024 "},
        {0x1800, 1, 10, At(2024, 3, 10), "Every March 10 effective 3/10/2024 "},
        {0x2800 | Recur::Sunday | Recur::First, 12, 3, At(2024, 3, 3),
         "The first Sunday of March effective 3/3/2024 "},
        {0x4400, 1, 0, wed, ""},
        {0x0000, 1, 0, wed, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PatternText(c.word, c.interval, c.day, c.start), QString::fromUtf8(c.expected))
            << std::hex << c.word;
}

TEST_F(RecurrenceText, EndDateIsAppended)
{
    EXPECT_EQ(PatternText(0x1100 | Recur::HasEndDate, 2, 0, At(2024, 6, 12), At(2024, 12, 31)),
              QStringLiteral("Every 2 days effective 6/12/2024 until 12/31/2024 "));
    EXPECT_EQ(PatternText(0x0000 | Recur::HasEndDate, 1, 0, At(2024, 6, 12), At(2024, 12, 31)),
              QStringLiteral("until 12/31/2024 "));
}

TEST_F(RecurrenceText, EventAddsItsTimes)
{
    CEventItem e = MakeSeries(At(2024, 6, 12, 9, 0), Minutes(90), 0x1100, 1);
    EXPECT_EQ(e.GetRecurrenceText(), QStringLiteral("Every day effective 6/12/2024 from 09:00 to 10:30."));
    e = MakeSeries(At(2024, 6, 12), Days(2), 0x1200 | Recur::Wednesday, 1);
    EXPECT_EQ(e.GetRecurrenceText(),
              QStringLiteral("Every Wednesday effective 6/12/2024 from 00:00 for 2 days."));
    CEventItem single;
    single.SetStart(At(2024, 6, 12, 9, 0));
    EXPECT_TRUE(single.GetRecurrenceText().isEmpty());
}
