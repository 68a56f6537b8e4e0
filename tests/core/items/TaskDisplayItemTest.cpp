// Display items of tasks: the views' item for a range and the print item, the values they carry,
// and how captions, drag items and item holders read them.
#include "core/items/ItemTestUtil.h"

#include "core/system/AppSettings.h"
#include "core/dates/DateFormats.h"
#include "core/items/DragItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskDisplayItem.h"
#include "core/items/TaskItem.h"

#include <gtest/gtest.h>

namespace {
class TaskDisplayItems : public testing::Test
{
  protected:
    void SetUp() override
    {
        BuildLocaleFormats(LocaleDateData());
        ProgramSettings().tasksOverStartToDue = 1;
    }
    ~TaskDisplayItems() override { ProgramSettings().tasksOverStartToDue = m_savedStsd; }

    FixedClock m_clock{At(2024, 6, 20, 9, 0)};
    int m_savedStsd = ProgramSettings().tasksOverStartToDue;
};

// Due Tuesday 25 June, from Friday 21 June, with everything a display item shows.
CTaskItem Report()
{
    CTaskItem t(0x2A);
    t.SetDueDate(At(2024, 6, 25));
    EXPECT_TRUE(t.SetStartDate(At(2024, 6, 21)));
    t.SetSubject(QStringLiteral("Quarterly\treport"));
    t.SetNotes(QStringLiteral("figures\n"));
    t.SetItemTypeIndex(4);
    t.SetItemTypeName(QStringLiteral("Work"));
    t.SetCategories(QStringLiteral("Office"));
    t.SetCreatedTime(At(2024, 6, 1, 8, 0));
    t.SetModified(At(2024, 6, 2, 8, 0));
    t.SetReminder(true, CDateSpan());
    t.SetReminderTime(At(2024, 6, 25, 7, 30));
    t.SetPriority(CTaskItem::PriorityHigh);
    t.SetStatus(CTaskItem::StatusInProgress);
    t.SetPercentComplete(25);
    return t;
}
} // namespace

TEST_F(TaskDisplayItems, ViewItemCarriesTheTasksValues)
{
    const CTaskItem t = Report();
    std::unique_ptr<CDisplayItem> item;
    ASSERT_TRUE(t.MakeDisplayItemInRange(&item, 2, At(2024, 6, 24), 7));
    const auto *task = dynamic_cast<const CTaskDisplayItem *>(item.get());
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->GetKind(), CDisplayItem::KindTask);
    EXPECT_EQ(task->GetItemRef(), 0x2Au);
    EXPECT_EQ(task->GetSubject(), QStringLiteral("Quarterly report"));
    EXPECT_EQ(task->GetNotes(), QStringLiteral("figures"));
    EXPECT_EQ(task->GetFlags(), CDisplayItem::FlagHasDue | CDisplayItem::FlagHasStart |
                                    CDisplayItem::FlagAllDay | CDisplayItem::FlagReminder |
                                    CDisplayItem::FlagReminderTime | CDisplayItem::FlagNotes |
                                    CDisplayItem::FlagOwnItem);
    EXPECT_EQ(task->GetOccurrenceDate(), At(2024, 6, 25));
    EXPECT_EQ(task->GetStart(), At(2024, 6, 21));
    EXPECT_EQ(task->GetEnd(), At(2024, 6, 25) + Days(1));
    EXPECT_EQ(task->GetCreated(), At(2024, 6, 1, 8, 0));
    EXPECT_EQ(task->GetStamp(), At(2024, 6, 2, 8, 0));
    EXPECT_EQ(task->GetReminderTime(), At(2024, 6, 25, 7, 30));
    EXPECT_EQ(task->GetStatus(), CTaskItem::StatusInProgress);
    EXPECT_EQ(task->GetPercentComplete(), 25);
    EXPECT_EQ(task->GetPriority(), CTaskItem::PriorityHigh);
    EXPECT_EQ(task->GetItemTypeIndex(), 4);
    EXPECT_EQ(task->GetItemTypeName(), QStringLiteral("Work"));
    EXPECT_EQ(task->GetCategories(), QStringLiteral("Office"));
    EXPECT_EQ(task->GetAge(), -1);
    EXPECT_EQ(task->GetFirstCell(), -1);

    // Shown on the due day alone when tasks do not span from their start.
    ProgramSettings().tasksOverStartToDue = 0;
    ASSERT_TRUE(t.MakeDisplayItemInRange(&item, 0, At(2024, 6, 24), 7));
    EXPECT_EQ(item->GetStart(), At(2024, 6, 25));
    EXPECT_FALSE(item->HasFlag(CDisplayItem::FlagHasStart));
    EXPECT_TRUE(item->HasFlag(CDisplayItem::FlagAllDay));
    EXPECT_TRUE(item->GetNotes().isEmpty());
}

TEST_F(TaskDisplayItems, RangeTestWithAndWithoutATarget)
{
    const CTaskItem t = Report();
    std::unique_ptr<CDisplayItem> item;
    EXPECT_TRUE(t.MakeDisplayItemInRange(nullptr, 0, At(2024, 6, 21), 1)); // the start's day shows it
    EXPECT_FALSE(t.MakeDisplayItemInRange(nullptr, 0, At(2024, 6, 26), 3));
    EXPECT_FALSE(t.MakeDisplayItemInRange(&item, 0, At(2024, 6, 26), 3));
    EXPECT_EQ(item, nullptr);
    EXPECT_FALSE(t.MakeDisplayItemInRange(&item, 0, At(2024, 6, 24), 0));
    EXPECT_FALSE(CTaskItem().MakeDisplayItemInRange(&item, 0, At(2024, 6, 24), 7));
    EXPECT_EQ(item, nullptr);
}

TEST_F(TaskDisplayItems, PrintItem)
{
    ProgramSettings().tasksOverStartToDue = 0;
    CTaskItem t = Report();
    t.MarkCompleted(At(2024, 6, 19));
    const auto item = t.MakeDisplayItem(1, true);
    const auto *task = dynamic_cast<const CTaskDisplayItem *>(item.get());
    ASSERT_NE(task, nullptr);
    // Printing shows the start whatever the views do, and draws no bar.
    EXPECT_EQ(task->GetStart(), At(2024, 6, 21));
    EXPECT_TRUE(task->HasFlag(CDisplayItem::FlagHasStart));
    EXPECT_FALSE(task->HasFlag(CDisplayItem::FlagAllDay));
    EXPECT_TRUE(task->HasFlag(CDisplayItem::FlagCompleted));
    EXPECT_EQ(task->GetCompletedDate(), At(2024, 6, 19));
    EXPECT_TRUE(task->GetNotes().isEmpty());

    CTaskItem late;
    late.SetDueDate(At(2024, 6, 10));
    EXPECT_TRUE(late.MakeDisplayItem(0)->HasFlag(CDisplayItem::FlagOverdue));
}

TEST_F(TaskDisplayItems, CaptionsDragItemsAndHolders)
{
    const CTaskItem t = Report();
    std::unique_ptr<CDisplayItem> item;
    ASSERT_TRUE(t.MakeDisplayItemInRange(&item, 2, At(2024, 6, 24), 7));
    EXPECT_EQ(item->FormatCaption(false), QStringLiteral("[Task] Quarterly report\n<Office>"));
    EXPECT_EQ(item->FormatCaption(true),
              QStringLiteral("Quarterly report\nTask - [Work]\n<Office>\nfigures"));
    EXPECT_EQ(item->GetTimeRangeText(true, true, true, false, false, false),
              QStringLiteral("Quarterly report [Work]"));

    const CDragItem spanning(*item);
    EXPECT_EQ(spanning.start, At(2024, 6, 21));
    EXPECT_EQ(spanning.duration, (At(2024, 6, 25) + Days(1)) - At(2024, 6, 21));
    ProgramSettings().tasksOverStartToDue = 0;
    ASSERT_TRUE(t.MakeDisplayItemInRange(&item, 0, At(2024, 6, 24), 7));
    const CDragItem dueOnly(*item);
    EXPECT_EQ(dueOnly.start, At(2024, 6, 25));
    EXPECT_EQ(dueOnly.duration, Days(1));

    // The holder made from the entry is a task shell carrying the record id.
    const CItemRef ref(*item);
    ASSERT_NE(ref.GetTask(), nullptr);
    EXPECT_EQ(ref.GetEvent(), nullptr);
    EXPECT_EQ(ref.GetTask()->GetRecordId(), 0x2Au);
    EXPECT_EQ(ref.GetRecordId(), 0x2Au);
    EXPECT_EQ(ref.GetOccurrenceDate(), At(2024, 6, 25));
    EXPECT_EQ(ref.GetStamp(), At(2024, 6, 2, 8, 0));
    EXPECT_TRUE(ref.GetTask()->GetSubject().isEmpty());
}
