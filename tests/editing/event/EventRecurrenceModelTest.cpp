// The recurrence dialog's model: page defaults, the checks of OK with their messages, and what a
// pattern change means for the exceptions (asked, kept, dropped or out of range).
#include "editing/event/EventRecurrenceModel.h"

#include "common/FakeMessagePort.h"
#include "core/items/EventItem.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecurrenceBits.h"
#include "editing/base/EditingStrings.h"

#include <gtest/gtest.h>

namespace {

class EventRecurrenceModelTest : public ::testing::Test
{
  protected:
    FixedClock clock{At(2024, 5, 1, 12, 0)};
    FakeMessagePort messages;

    static CEventItem WeeklyWithMovedOccurrence()
    {
        CEventItem e =
            MakeSeries(At(2024, 5, 6, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
        CRecurrenceException *x = e.GetException(At(2024, 5, 20, 9, 0), true);
        x->newStart = At(2024, 5, 20, 11, 0);
        x->duration = Hours(1);
        return e;
    }
};

TEST_F(EventRecurrenceModelTest, NewEventOpensWeeklyOnItsDayAndBirthdaysYearly)
{
    CEventItem e;
    e.SetStart(At(2024, 5, 8, 9, 0));
    e.SetDuration(Hours(1));
    CEventRecurrenceModel weekly(e, false);
    EXPECT_EQ(weekly.Form().period, Recur::Weekly);
    EXPECT_EQ(weekly.Form().weekdays, Recur::Wednesday);
    EXPECT_EQ(weekly.Form().endDate, At(2024, 5, 8)) << "the later of today and the start";

    e.SetItemTypeName(QStringLiteral("birthday"));
    CEventRecurrenceModel yearly(e, false);
    EXPECT_EQ(yearly.Form().period, Recur::Yearly);
    EXPECT_EQ(yearly.Form().yearlyMonth, 4);
    EXPECT_EQ(yearly.Form().yearlyDay, 8);
}

TEST_F(EventRecurrenceModelTest, TheSeventhIsInTheFirstWeek)
{
    CEventItem e;
    e.SetStart(At(2024, 5, 7, 9, 0)); // a Tuesday
    e.SetDuration(Hours(1));
    CEventRecurrenceModel m(e, false);
    m.ChoosePeriod(Recur::Monthly);
    m.ClickMonthlyDay();
    EXPECT_EQ(m.Form().monthlyWeek, 0);
    EXPECT_EQ(m.Form().monthlyWeekday, 1);
    m.ChoosePeriod(Recur::Yearly);
    m.ClickYearlyEvery();
    EXPECT_EQ(m.Form().yearlyWeek, 0);
}

TEST_F(EventRecurrenceModelTest, RefusalsAndTheirMessages)
{
    CEventItem e;
    e.SetStart(At(2024, 5, 8, 9, 0));
    e.SetDuration(Hours(25));
    CEventRecurrenceModel m(e, false);
    m.Form().weekdays = 0;
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::StayOpen);
    EXPECT_EQ(messages.LastText(), EditingText(EditText::PatternNotValid));
    EXPECT_EQ(m.GetBadField(), RecurrenceField::Weekdays);

    m.ChoosePeriod(Recur::Daily);
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::StayOpen);
    EXPECT_EQ(messages.LastText(), EditingText(EditText::DurationLongerThanPattern));

    m.SetDuration(Hours(1));
    m.Form().endsOn = true;
    m.Form().endDate = At(2024, 5, 1);
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::StayOpen);
    EXPECT_EQ(messages.LastText(), EditingText(EditText::EndBeforePatternStart));
    EXPECT_FALSE(e.IsRecurring());

    m.Form().endDate = At(2024, 6, 1);
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::Done);
    EXPECT_TRUE(e.IsRecurring());
    EXPECT_TRUE(e.GetPattern().HasEndDate());
    EXPECT_EQ(e.GetPatternEnd(), At(2024, 6, 1, 23, 59, 59));
}

TEST_F(EventRecurrenceModelTest, MonthlyDayThirtyOneAsksFirst)
{
    CEventItem e;
    e.SetStart(At(2024, 5, 8, 9, 0));
    e.SetDuration(Hours(1));
    CEventRecurrenceModel m(e, false);
    m.ChoosePeriod(Recur::Monthly);
    m.Form().monthlyDay = 31;
    messages.answer = MessageResult::Cancel;
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::StayOpen);
    EXPECT_EQ(
        messages.LastText(),
        QStringLiteral("Some months have fewer than 31 days. For these months, the occurrence will fall on "
                       "the last day of the month."));
    messages.answer = MessageResult::Ok;
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::Done);
    EXPECT_EQ(e.GetRecurrenceDayNumber(), 31);
}

TEST_F(EventRecurrenceModelTest, ChangedPatternThatStrandsAnExceptionAsksToKeepIt)
{
    for (int answer : {MessageResult::Cancel, MessageResult::Yes, MessageResult::No}) {
        SCOPED_TRACE(answer);
        CEventItem e = WeeklyWithMovedOccurrence();
        CEventRecurrenceModel m(e, false);
        m.Form().weekdays = Recur::Tuesday;
        messages.answer = answer;
        messages.shown.clear();
        const auto result = m.Ok();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.LastText(), EditingText(EditText::KeepExceptionsQuestion));
        if (answer == MessageResult::Cancel) {
            EXPECT_EQ(result, RecurrenceOkResult::StayOpen);
            EXPECT_EQ(e.GetExceptionCount(), 1);
            continue;
        }
        EXPECT_EQ(result, RecurrenceOkResult::Done);
        EXPECT_EQ(m.GetKeepExceptions(), answer == MessageResult::Yes);
        EXPECT_EQ(e.GetExceptionCount(), 0) << "the new pattern drops them from the event";
        EXPECT_EQ(e.GetStart(), At(2024, 5, 7, 9, 0));
    }
}

TEST_F(EventRecurrenceModelTest, LaterStartMarksEarlierExceptionsOutOfRangeWithoutAsking)
{
    CEventItem e = WeeklyWithMovedOccurrence();
    CEventRecurrenceModel m(e, false);
    m.SetStartDate(At(2024, 5, 27));
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::Done);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(m.GetExceptionsOutOfRange());
    EXPECT_EQ(e.GetExceptionCount(), 1)
        << "written field by field, the exceptions stay for saving to sort out";
    EXPECT_EQ(e.GetStart(), At(2024, 5, 27, 9, 0));
}

// An earlier start adds an occurrence on the day a moved occurrence was moved to: asked.
TEST_F(EventRecurrenceModelTest, EarlierStartThatMeetsAMovedOccurrenceAsks)
{
    CEventItem e =
        MakeSeries(At(2024, 5, 13, 9, 0), Hours(1), Recur::ByDate | Recur::Weekly | Recur::Monday, 1);
    CRecurrenceException *x = e.GetException(At(2024, 5, 20, 9, 0), true);
    x->newStart = At(2024, 5, 6, 9, 30); // moved back onto a Monday before the series started
    x->duration = Hours(1);
    CEventRecurrenceModel m(e, false);
    m.SetStartDate(At(2024, 5, 6));
    messages.answer = MessageResult::Yes;
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::Done);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(m.GetKeepExceptions());
    EXPECT_EQ(e.GetExceptionCount(), 0);
}

TEST_F(EventRecurrenceModelTest, ReadOnlyNeverWrites)
{
    CEventItem e = WeeklyWithMovedOccurrence();
    CEventRecurrenceModel m(e, true);
    EXPECT_FALSE(m.CanRemove());
    m.Form().weekdays = Recur::Tuesday;
    EXPECT_EQ(m.Ok(), RecurrenceOkResult::StayOpen);
    EXPECT_EQ(e.GetPattern().GetWord() & Recur::WeekdayMask, Recur::Monday);
}

} // namespace
