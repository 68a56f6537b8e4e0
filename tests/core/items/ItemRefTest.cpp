// Item holder: what each constructor holds, shells from view entries, items from a view's draft
// (task due dates from whole-day and short drafts), and replacing the held item.
#include "core/items/ItemTestUtil.h"

#include "core/items/DisplayItem.h"
#include "core/items/DragItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/ItemTypeList.h"
#include "core/items/TaskItem.h"

#include <gtest/gtest.h>

namespace {
// A task that counts its deletions.
class CountedTask : public CTaskItem
{
  public:
    explicit CountedTask(int &deleted) : m_deleted(deleted) {}
    ~CountedTask() override { ++m_deleted; }

  private:
    int &m_deleted;
};

class ItemRefs : public testing::Test
{
  protected:
    void SetUp() override
    {
        for (const char *name : {"Call", "Meeting"})
            ASSERT_TRUE(m_types.AddType(CItemType(QString::fromUtf8(name)), ImagePixels(32 * 32),
                                        ImagePixels(16 * 16)));
        SetItemTypeCatalog(&m_types);
    }
    void TearDown() override { SetItemTypeCatalog(nullptr); }

    FixedClock m_clock{At(2024, 6, 20, 15, 45)};
    CItemTypeList m_types;
};

CDragItem Draft(int kind, const CDateTime &start, const CDateSpan &duration)
{
    CDragItem d;
    d.kind = kind;
    d.start = start;
    d.duration = duration;
    d.text = QStringLiteral("Plan");
    return d;
}
} // namespace

TEST(ItemRef, HoldsAnEventATaskOrNothingByKind)
{
    const struct
    {
        int kind;
        bool event, task;
    } cases[] = {
        {1, true, false}, {2, false, true}, {0, false, false}, {3, false, false}, {-1, false, false}};
    for (const auto &c : cases) {
        const CItemRef ref(c.kind);
        EXPECT_EQ(ref.GetEvent() != nullptr, c.event) << c.kind;
        EXPECT_EQ(ref.GetTask() != nullptr, c.task) << c.kind;
        EXPECT_EQ(ref.GetItem() != nullptr, c.event || c.task) << c.kind;
        EXPECT_EQ(ref.GetRecordId(), 0u);
        EXPECT_EQ(ref.GetOccurrenceDate(), CDateTime());
        EXPECT_FALSE(ref.IsOneOccurrence());
    }
    const CItemRef empty;
    EXPECT_EQ(empty.GetItem(), nullptr);
}

TEST(ItemRef, ShellOfAnEventEntry)
{
    CDisplayItem entry(CDisplayItem::KindEvent, 1, QStringLiteral("Meeting"), At(2024, 6, 3, 9, 0),
                       Hours(1.5));
    entry.SetItemRef(12);
    entry.SetOccurrenceDate(At(2024, 6, 3, 9, 0));
    entry.SetStamp(At(2024, 5, 30, 10, 0));
    entry.SetSubject(QStringLiteral("Budget"));
    entry.SetFlag(CDisplayItem::FlagRecurring, true);
    const CItemRef ref(entry);
    ASSERT_NE(ref.GetEvent(), nullptr);
    EXPECT_EQ(ref.GetTask(), nullptr);
    EXPECT_EQ(ref.GetEvent()->GetStart(), At(2024, 6, 3, 9, 0));
    EXPECT_EQ(ref.GetEvent()->GetStart() + ref.GetEvent()->GetDuration(), entry.GetEnd());
    EXPECT_TRUE(ref.GetEvent()->GetSubject().isEmpty());
    EXPECT_EQ(ref.GetRecordId(), 12u);
    EXPECT_EQ(ref.GetOccurrenceDate(), At(2024, 6, 3, 9, 0));
    EXPECT_EQ(ref.GetStamp(), At(2024, 5, 30, 10, 0));
    EXPECT_TRUE(ref.IsOneOccurrence());

    entry.SetKind(0);
    const CItemRef none(entry);
    EXPECT_EQ(none.GetItem(), nullptr);
    EXPECT_EQ(none.GetRecordId(), 12u);
}

TEST_F(ItemRefs, TaskDueDatesFromDrafts)
{
    const struct
    {
        const char *what;
        CDateTime start;
        CDateSpan duration;
        CDateTime due;
        bool hasStart;
    } cases[] = {
        {"two whole days", At(2024, 6, 3), Days(2), At(2024, 6, 4), true},
        {"one whole day", At(2024, 6, 3), Days(1), At(2024, 6, 3), true},
        {"a day and a half from noon", At(2024, 6, 3, 12, 0), Days(1.5), At(2024, 6, 4), true},
        {"an hour", At(2024, 6, 3, 9, 0), Hours(1), At(2024, 6, 3), false},
        {"shrunk to nothing", At(2024, 6, 3), Days(0), At(2024, 6, 3), false},
    };
    for (const auto &c : cases) {
        CItemRef ref;
        ASSERT_TRUE(ref.CreateFromViewDraft(Draft(2, c.start, c.duration))) << c.what;
        const CTaskItem *task = ref.GetTask();
        ASSERT_NE(task, nullptr) << c.what;
        EXPECT_TRUE(task->HasDueDate()) << c.what;
        EXPECT_EQ(task->GetDueDate(), c.due) << c.what;
        EXPECT_EQ(task->HasStartDate(), c.hasStart) << c.what;
        if (c.hasStart) {
            EXPECT_EQ(task->GetStartDate(), At(2024, 6, 3)) << c.what;
        }
        EXPECT_FALSE(task->IsCompleted()) << c.what;
    }
}

TEST_F(ItemRefs, WhatDraftsCarry)
{
    CDragItem d = Draft(2, At(2024, 6, 3), Days(1));
    d.recordId = 31;
    d.occurrenceDate = At(2024, 6, 3);
    d.stamp = At(2024, 6, 1, 12, 0);
    d.itemTypeIndex = 1;
    d.flags = CDragItem::FlagCompleted | CDragItem::FlagLocked | CDragItem::FlagOneOccurrence;
    CItemRef ref;
    ASSERT_TRUE(ref.CreateFromViewDraft(d));
    const CTaskItem *task = ref.GetTask();
    ASSERT_NE(task, nullptr);
    EXPECT_TRUE(task->IsCompleted());
    EXPECT_EQ(task->GetCompletedDate(), At(2024, 6, 20));
    EXPECT_TRUE(task->HasFlag(CCalendarItem::FlagLocked));
    EXPECT_FALSE(task->HasFlag(CCalendarItem::FlagReminder));
    EXPECT_EQ(task->GetItemTypeIndex(), 1);
    EXPECT_EQ(task->GetItemTypeName(), QStringLiteral("Meeting"));
    EXPECT_EQ(task->GetSubject(), QStringLiteral("Plan"));
    EXPECT_EQ(ref.GetRecordId(), 31u);
    EXPECT_EQ(ref.GetOccurrenceDate(), At(2024, 6, 3));
    EXPECT_EQ(ref.GetStamp(), At(2024, 6, 1, 12, 0));
    EXPECT_TRUE(ref.IsOneOccurrence());

    // An event with its times; a type index the list does not have keeps no name.
    CDragItem e = Draft(1, At(2024, 6, 3, 9, 0), Hours(2));
    e.itemTypeIndex = 5;
    e.flags = CDragItem::FlagReminder;
    ASSERT_TRUE(ref.CreateFromViewDraft(e));
    const CEventItem *event = ref.GetEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(ref.GetTask(), nullptr);
    EXPECT_EQ(event->GetStart(), At(2024, 6, 3, 9, 0));
    EXPECT_EQ(event->GetDuration(), Hours(2));
    EXPECT_TRUE(event->HasFlag(CCalendarItem::FlagReminder));
    EXPECT_FALSE(event->HasFlag(CCalendarItem::FlagLocked));
    EXPECT_EQ(event->GetItemTypeIndex(), 5);
    EXPECT_TRUE(event->GetItemTypeName().isEmpty());
    EXPECT_FALSE(ref.IsOneOccurrence());

    // A draft on the move is made where it is going.
    CDragItem m = Draft(1, At(2024, 6, 3, 9, 0), Hours(2));
    m.movedStart = At(2024, 6, 5, 14, 0);
    ASSERT_TRUE(ref.CreateFromViewDraft(m));
    EXPECT_EQ(ref.GetEvent()->GetStart(), At(2024, 6, 5, 14, 0));
    EXPECT_EQ(ref.GetEvent()->GetDuration(), Hours(2));

    // Neither kind: nothing held.
    EXPECT_FALSE(ref.CreateFromViewDraft(Draft(4, At(2024, 6, 3), Days(1))));
    EXPECT_EQ(ref.GetItem(), nullptr);
}

TEST(ItemRef, ReplacingTheItemDeletesTheOldOne)
{
    int deleted = 0;
    {
        CItemRef ref;
        ref.SetItem(std::make_unique<CountedTask>(deleted));
        ASSERT_NE(ref.GetTask(), nullptr);
        CEventItem *event = ref.NewEvent();
        EXPECT_EQ(deleted, 1);
        EXPECT_EQ(ref.GetEvent(), event);
        EXPECT_EQ(ref.GetTask(), nullptr);

        ref.SetItem(std::make_unique<CountedTask>(deleted));
        CTaskItem *task = ref.NewTask();
        EXPECT_EQ(deleted, 2);
        EXPECT_EQ(ref.GetTask(), task);

        ref.SetItem(std::make_unique<CountedTask>(deleted));
        CItemRef moved(std::move(ref));
        EXPECT_EQ(deleted, 2);
        EXPECT_NE(moved.GetTask(), nullptr);
    }
    EXPECT_EQ(deleted, 3); // the holder deletes its item when it goes
}
