// The task editor's model: the status, percent and completion coupling as a table of steps, the
// date coupling of start, due and reminder, the reminder field's signed spans and the title.
#include "editing/task/TaskEditorModel.h"

#include "common/FakeMessagePort.h"
#include "core/items/ItemRef.h"
#include "core/items/ItemTestUtil.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"
#include "editing/base/EditingStrings.h"

#include <gtest/gtest.h>

namespace {

class TaskEditorModelTest : public ::testing::Test
{
  protected:
    FixedClock clock{At(2024, 5, 1, 12, 0)};
    FakeMessagePort messages;

    // A stored task due 10 May, started 6 May, with a reminder at 9 May 09:00.
    static std::unique_ptr<CTaskEditorModel> Open(std::uint32_t id = 7, bool reminder = true)
    {
        auto holder = std::make_unique<CItemRef>(2);
        CTaskItem *t = holder->GetTask();
        t->SetRecordId(id);
        holder->SetRecordId(id);
        t->SetSubject(QStringLiteral("Report"));
        t->SetDueDate(At(2024, 5, 10));
        t->SetStartDate(At(2024, 5, 6));
        t->SetReminderTime(At(2024, 5, 9, 9, 0));
        t->SetFlag(CCalendarItem::FlagReminder, reminder);
        auto model = std::make_unique<CTaskEditorModel>(std::move(holder), false, EventEditorSettings());
        EXPECT_TRUE(model->Load());
        return model;
    }
};

TEST_F(TaskEditorModelTest, StatusAndPercentCoupling)
{
    // Each step acts on the form the step before left.
    struct Step
    {
        const char *what;
        std::function<void(CTaskEditorModel &)> act;
        int status;
        int percent;
        bool completed;
        bool reminderOn;
        bool recurrenceEnabled;
    };
    const Step steps[] = {
        {"opened", [](CTaskEditorModel &) {}, 0, 0, false, true, true},
        {"25% starts the task", [](CTaskEditorModel &m) { m.ChoosePercentEntry(1); }, 1, 25, false, true,
         true},
        {"0% is not started again", [](CTaskEditorModel &m) { m.ChoosePercentEntry(0); }, 0, 0, false, true,
         true},
        {"100% completes and turns the reminder off", [](CTaskEditorModel &m) { m.ChoosePercentEntry(4); }, 2,
         100, true, false, false},
        {"50% reopens in progress with the reminder back",
         [](CTaskEditorModel &m) { m.ChoosePercentEntry(2); }, 1, 50, false, true, true},
        {"status Completed selects 100%", [](CTaskEditorModel &m) { m.ChooseStatus(2); }, 2, 100, true, false,
         false},
        {"Awaiting on a completed task keeps Awaiting at 0%", [](CTaskEditorModel &m) { m.ChooseStatus(3); },
         3, 0, false, true, true},
        {"a percent keeps Awaiting", [](CTaskEditorModel &m) { m.ChoosePercentEntry(3); }, 3, 75, false, true,
         true},
        {"a completion date completes",
         [](CTaskEditorModel &m) { m.SetCompletionDate(At(2024, 5, 2), false); }, 2, 100, true, false, false},
        {"no completion date undoes it", [](CTaskEditorModel &m) { m.SetCompletionDate({}, true); }, 0, 0,
         false, true, true},
    };
    auto model = Open();
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        s.act(*model);
        const TaskForm &f = model->GetForm();
        EXPECT_EQ(f.status, s.status);
        EXPECT_EQ(f.percent, s.percent);
        EXPECT_EQ(f.completed, s.completed);
        EXPECT_EQ(f.reminderOn, s.reminderOn);
        EXPECT_EQ(model->GetControlState().reminderEnabled, s.reminderOn);
        EXPECT_EQ(model->GetControlState().recurrenceEnabled, s.recurrenceEnabled);
    }
    EXPECT_TRUE(model->IsModifiedFlag());
}

TEST_F(TaskEditorModelTest, ReminderStaysOffAfterCompletionWhenItWasOff)
{
    auto model = Open(7, false);
    model->ChoosePercentEntry(4);
    model->ChoosePercentEntry(2);
    EXPECT_FALSE(model->GetForm().reminderOn);
}

TEST_F(TaskEditorModelTest, DueBeforeStartIsRefusedAndRestored)
{
    auto model = Open();
    EXPECT_FALSE(model->SetDueDate(At(2024, 5, 5)));
    EXPECT_EQ(model->GetForm().due, At(2024, 5, 10));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.LastText(), EditingText(EditText::DueBeforeStart));
}

TEST_F(TaskEditorModelTest, DueDateKeepsTheReminderLead)
{
    auto model = Open();
    EXPECT_TRUE(model->SetDueDate(At(2024, 5, 20)));
    EXPECT_EQ(model->GetForm().reminder, At(2024, 5, 19, 9, 0));
    EXPECT_EQ(model->GetForm().start, At(2024, 5, 6)) << "a set start stays";
}

TEST_F(TaskEditorModelTest, MovingTheStartMovesDueAndReminderAlike)
{
    auto model = Open();
    model->SetStartDate(At(2024, 5, 8));
    EXPECT_EQ(model->GetForm().due, At(2024, 5, 12));
    EXPECT_EQ(model->GetForm().reminder, At(2024, 5, 11, 9, 0));
}

TEST_F(TaskEditorModelTest, StartWithoutDueDateTakesTheDueField)
{
    auto holder = std::make_unique<CItemRef>(2);
    CTaskEditorModel model(std::move(holder), false, EventEditorSettings());
    ASSERT_TRUE(model.Load());
    EXPECT_FALSE(model.GetForm().hasDue);
    EXPECT_EQ(model.GetForm().due, At(2024, 5, 1)) << "today shown while the task has none";
    EXPECT_EQ(model.GetForm().reminder, At(2024, 5, 1, 12, 0)) << "the due day at noon";
    model.SetStartDate(At(2024, 5, 3));
    EXPECT_EQ(model.GetForm().due, At(2024, 5, 3));
    EXPECT_FALSE(model.GetForm().hasDue);
}

TEST_F(TaskEditorModelTest, SignedSpansOfTheReminderField)
{
    auto model = Open();
    model->ApplyReminderShift(2, -Days(1)); // "<1 day": a day before the due date
    EXPECT_EQ(model->GetForm().reminder, At(2024, 5, 9));
    model->ApplyReminderShift(2, Hours(9)); // ">9 hours"
    EXPECT_EQ(model->GetForm().reminder, At(2024, 5, 10, 9, 0));
    model->ApplyReminderShift(1, Minutes(30)); // "+30 min": from now
    EXPECT_EQ(model->GetForm().reminder, At(2024, 5, 1, 12, 30));
    model->SetReminderTime(At(1899, 12, 30, 17, 15));
    EXPECT_EQ(model->GetForm().reminder, At(2024, 5, 1, 17, 15));
}

TEST_F(TaskEditorModelTest, SeriesHasNoStatusAndOccurrenceAloneHasModifySeries)
{
    auto holder = std::make_unique<CItemRef>(2);
    CTaskItem *t = holder->GetTask();
    t->SetDueDate(At(2024, 5, 6));
    t->SetRecurrence(Recur::ByDate | Recur::Weekly | Recur::Monday, 1, 0, At(2024, 5, 6), CDateTime());
    t->SetRecordId(9);
    holder->SetRecordId(9);
    CTaskEditorModel series(std::move(holder), false, EventEditorSettings());
    ASSERT_TRUE(series.Load());
    EXPECT_TRUE(series.IsSeries());
    EXPECT_FALSE(series.GetControlState().statusEnabled);
    EXPECT_TRUE(series.GetControlState().seriesIcon);
    EXPECT_EQ(series.GetTitle(), QStringLiteral("Modify Recurring < undefined >"));

    auto one = std::make_unique<CItemRef>(2);
    *one->GetTask() = series.GetTask();
    one->GetTask()->SetRecordId(0);
    one->SetRecordId(9);
    CTaskEditorModel occurrence(std::move(one), false, EventEditorSettings());
    ASSERT_TRUE(occurrence.Load());
    EXPECT_TRUE(occurrence.IsOccurrenceAlone());
    const TaskControlState s = occurrence.GetControlState();
    EXPECT_TRUE(s.statusEnabled);
    EXPECT_TRUE(s.modifySeriesVisible);
    EXPECT_FALSE(s.lockedEnabled);
    EXPECT_FALSE(s.recurrenceEnabled);
    occurrence.ModifySeries();
    EXPECT_TRUE(occurrence.IsSeries());
}

TEST_F(TaskEditorModelTest, TypePrefixPicksTheType)
{
    FakeItemTypes types;
    types.types.push_back({QStringLiteral("Meeting")});
    types.types.push_back({QStringLiteral("Phone call")});
    EventEditorSettings settings;
    settings.useTypePrefix = true;
    auto holder = std::make_unique<CItemRef>(2);
    CTaskEditorModel model(std::move(holder), false, settings);
    ASSERT_TRUE(model.Load());
    model.SetSubject(QStringLiteral("pho:  call the bank"));
    EXPECT_EQ(model.ApplyTypePrefix(types), CCalendarItem::PrefixResult::Applied);
    EXPECT_EQ(model.GetForm().subject, QStringLiteral("call the bank"));
    EXPECT_EQ(model.GetTask().GetItemTypeName(), QStringLiteral("Phone call"));
}

} // namespace
