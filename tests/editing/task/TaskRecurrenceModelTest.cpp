// The task recurrence dialog's model: what it opens with, its refusals and their messages, the
// regenerate rows and the change it reports to the editor.
#include "editing/task/TaskRecurrenceModel.h"

#include "common/FakeMessagePort.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"
#include "editing/base/EditingStrings.h"

#include <gtest/gtest.h>

namespace {

using Row = TaskRecurrenceRow;

class TaskRecurrenceModelTest : public ::testing::Test
{
  protected:
    FixedClock clock{At(2024, 5, 1, 12, 0)};
    FakeMessagePort messages;

    static CTaskItem DueOn(const CDateTime &due)
    {
        CTaskItem t;
        t.SetDueDate(due);
        return t;
    }
};

TEST_F(TaskRecurrenceModelTest, NonRecurringTaskOpensWeeklyOnItsDueDay)
{
    CTaskItem t = DueOn(At(2024, 5, 8)); // a Wednesday
    CTaskRecurrenceModel m(t, false);
    EXPECT_EQ(m.Form().period, Recur::Weekly);
    EXPECT_EQ(m.Form().weeklyRow, Row::Every);
    EXPECT_EQ(m.Form().weeklyEvery, 1);
    EXPECT_EQ(m.Form().weekdays, Recur::Wednesday);
    EXPECT_FALSE(m.Form().endsOn);
    EXPECT_FALSE(m.CanRemove());
}

TEST_F(TaskRecurrenceModelTest, RecurringTaskOpensOnItsPattern)
{
    CTaskItem t = DueOn(At(2024, 5, 14));
    t.SetRecurrence(Recur::NthWeekday | Recur::Monthly | Recur::Tuesday | Recur::Second, 2, 14,
                    At(2024, 5, 14), CDateTime());
    CTaskRecurrenceModel m(t, false);
    EXPECT_EQ(m.Form().period, Recur::Monthly);
    EXPECT_EQ(m.Form().monthlyRow, Row::Nth);
    EXPECT_EQ(m.Form().monthlyWeek, 1);
    EXPECT_EQ(m.Form().monthlyWeekday, 1);
    EXPECT_EQ(m.Form().monthlyNthEvery, 2);
    EXPECT_EQ(m.Form().end, At(2024, 5, 14, 23, 59, 59)) << "the later of today and the start";
    EXPECT_TRUE(m.CanRemove());
}

TEST_F(TaskRecurrenceModelTest, TheOtherRowFollowsTheStartsWeek)
{
    CTaskItem t = DueOn(At(2024, 5, 7)); // the 7th is still in the first week
    CTaskRecurrenceModel m(t, false);
    m.ChoosePeriod(Recur::Monthly);
    m.ChooseMonthlyRow(Row::Nth);
    m.ChooseMonthlyRow(Row::Every);
    EXPECT_EQ(m.Form().monthlyWeek, 0);
    m.ChoosePeriod(Recur::Yearly);
    m.ChooseYearlyRow(Row::Every);
    EXPECT_EQ(m.Form().yearlyWeek, 0);
}

TEST_F(TaskRecurrenceModelTest, Refusals)
{
    struct Case
    {
        const char *what;
        std::function<void(CTaskRecurrenceModel &)> set;
        TaskRecurrenceField field;
        int message;
    };
    const Case cases[] = {
        {"weekly without a weekday", [](CTaskRecurrenceModel &m) { m.Form().weekdays = 0; },
         TaskRecurrenceField::Weekdays, EditText::PatternNotValid},
        {"a count of 0",
         [](CTaskRecurrenceModel &m) {
             m.ChoosePeriod(Recur::Daily);
             m.Form().dailyEvery = 0;
         },
         TaskRecurrenceField::Every, EditText::PatternNotValid},
        {"regenerate after 0 months",
         [](CTaskRecurrenceModel &m) {
             m.ChoosePeriod(Recur::Monthly);
             m.Form().monthlyRow = Row::Regenerate;
             m.Form().monthlyRegenerate = 0;
         },
         TaskRecurrenceField::Every, EditText::PatternNotValid},
        {"29 February in a common year",
         [](CTaskRecurrenceModel &m) {
             m.SetStartDate(At(2023, 5, 1));
             m.ChoosePeriod(Recur::Yearly);
             m.Form().yearlyMonth = 1;
             m.Form().yearlyDay = 29;
         },
         TaskRecurrenceField::Day, EditText::PatternNotValid},
        {"an end before the start", [](CTaskRecurrenceModel &m) { m.SetEndDate(At(2024, 4, 30)); },
         TaskRecurrenceField::End, EditText::EndBeforePatternStart},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CTaskItem t = DueOn(At(2024, 5, 8));
        CTaskRecurrenceModel m(t, false);
        c.set(m);
        messages.shown.clear();
        EXPECT_FALSE(m.Ok());
        EXPECT_EQ(m.GetBadField(), c.field);
        EXPECT_EQ(messages.LastText(), EditingText(c.message));
        EXPECT_FALSE(t.IsRecurring()) << "a refused pattern leaves the task as it was";
    }
}

TEST_F(TaskRecurrenceModelTest, DayAboveTwentyEightAsksAndCancelStays)
{
    CTaskItem t = DueOn(At(2024, 5, 8));
    CTaskRecurrenceModel m(t, false);
    m.ChoosePeriod(Recur::Monthly);
    m.Form().monthlyDay = 31;
    messages.answer = MessageResult::Cancel;
    EXPECT_FALSE(m.Ok());
    EXPECT_TRUE(messages.LastText().startsWith(QStringLiteral("Some months have fewer than 31 days.")));
    EXPECT_FALSE(t.IsRecurring());
    messages.answer = MessageResult::Ok;
    EXPECT_TRUE(m.Ok());
    EXPECT_EQ(t.GetRecurrenceFlags(), Recur::ByDate | Recur::Monthly);
    EXPECT_EQ(t.GetPatternStart(), At(2024, 5, 31));
}

TEST_F(TaskRecurrenceModelTest, RegenerateRowsAndEndWriteTheTask)
{
    CTaskItem t = DueOn(At(2024, 5, 8));
    CTaskRecurrenceModel m(t, false);
    m.Form().weeklyRow = Row::Regenerate;
    m.Form().weeklyRegenerate = 3;
    m.SetEndDate(At(2024, 12, 31));
    ASSERT_TRUE(m.Ok());
    EXPECT_TRUE(m.IsChanged());
    EXPECT_TRUE(t.IsRecurring());
    EXPECT_EQ(t.GetRecurrenceFlags(),
              Recur::Regenerate | Recur::Weekly | Recur::Wednesday | Recur::HasEndDate);
    EXPECT_EQ(t.GetRecurrenceInterval(), 3);
    EXPECT_EQ(t.GetPatternEnd(), At(2024, 12, 31, 23, 59, 59));

    // Opened again and confirmed unchanged: no change reported.
    CTaskRecurrenceModel again(t, false);
    EXPECT_EQ(again.Form().weeklyRow, Row::Regenerate);
    ASSERT_TRUE(again.Ok());
    EXPECT_FALSE(again.IsChanged());
    again.RemoveRecurrence();
    EXPECT_FALSE(t.IsRecurring());
}

TEST_F(TaskRecurrenceModelTest, ATaskWithoutDueDateAlwaysCountsAsChanged)
{
    CTaskItem t;
    t.SetRecurrence(Recur::ByDate | Recur::Daily, 1, 0, At(2024, 5, 1), CDateTime());
    CTaskRecurrenceModel m(t, false);
    ASSERT_TRUE(m.Ok());
    EXPECT_TRUE(m.IsChanged());
}

} // namespace
