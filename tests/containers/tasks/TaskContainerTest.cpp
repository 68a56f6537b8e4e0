// The Tasks container on a real data file with a few hundred items: each task filter mode shows
// exactly the tasks its rule picks from the file, the mode commands keep the mode across a
// restart, edited and deleted tasks leave or enter the list, and the table paging of the list.
#include "containers/support/ContainerFixture.h"

#include "containers/mainbase/WidgetRenders.h"
#include "containers/tasks/TaskContainer.h"
#include "containers/tasks/TaskListWnd.h"
#include "containers/tasks/TaskPad.h"

#include <QRandomGenerator>
#include <set>

using namespace container_test;

namespace {

class TaskContainerTest : public ContainerFixture
{
  protected:
    void TearDown() override
    {
        m_tasks.reset();
        ContainerFixture::TearDown();
    }
    CTaskContainer &Open()
    {
        m_tasks = std::make_unique<CTaskContainer>();
        m_tasks->SetContext(&m_context);
        m_tasks->SetDataSource(&m_port);
        m_tasks->LoadPaneOptions(true);
        m_tasks->UpdateFilter(false);
        EXPECT_EQ(m_tasks->ReloadItems(false, false, CDateTime::Null()), S_OK);
        return *m_tasks;
    }
    std::set<std::uint32_t> Shown() const
    {
        std::set<std::uint32_t> ids;
        for (const auto &e : m_tasks->List().GetEntries())
            ids.insert(e->GetItemRef());
        return ids;
    }
    // The tasks of the file that the mode's rule picks, read one by one from the document.
    std::set<std::uint32_t> Expected(int mode)
    {
        std::set<std::uint32_t> ids;
        for (std::uint32_t id : TaskIds()) {
            const CTaskItem t = Task(id);
            if (!t.HasFlag(CCalendarItem::FlagHidden) &&
                CTaskContainer::PassesTaskMode(t, mode, At(2024, 3, 12)))
                ids.insert(id);
        }
        return ids;
    }
    // A few hundred items: events, series with exceptions, all-day and multi-day events, and tasks
    // in every state (open, due earlier, due later, without a due date, completed, postponed,
    // started, recurring, hidden).
    void StoreCalendar()
    {
        QRandomGenerator random(23);
        for (int i = 0; i < 60; ++i)
            StoreEvent(QStringLiteral("event %1").arg(i), At(2024, 3, 1 + i % 28, 8 + i % 9),
                       Hours(1 + i % 3));
        for (int i = 0; i < 10; ++i)
            StoreDaily(QStringLiteral("series %1").arg(i), At(2024, 3, 4 + i, 9), Hours(1), 5 + i);
        for (int i = 0; i < 20; ++i)
            StoreEvent(QStringLiteral("trip %1").arg(i), At(2024, 3, 1 + i), Days(1 + i % 4));
        for (int i = 0; i < 220; ++i) {
            CTaskItem t;
            t.SetSubject(QStringLiteral("task %1").arg(i));
            const int kind = int(random.bounded(8));
            if (kind != 0)
                t.SetDueDate(At(2024, 3, 1 + int(random.bounded(28))));
            if (kind == 2)
                t.SetStartDate(At(2024, 3, 1));
            if (kind == 3)
                t.MarkCompleted(At(2024, 3, 1 + int(random.bounded(12))));
            if (kind == 4)
                t.SetStatus(CTaskContainer::StatusPostponed);
            if (kind == 5)
                t.SetStatus(1);
            if (i % 37 == 0)
                t.SetFlags(t.GetFlags() | CCalendarItem::FlagHidden);
            ASSERT_EQ(m_doc.StoreTask(t, true), S_OK);
        }
        StoreRecurringTask(QStringLiteral("weekly report"), At(2024, 3, 8));
    }
    std::unique_ptr<CTaskContainer> m_tasks;
};

TEST_F(TaskContainerTest, EachModeShowsExactlyTheTasksItsRulePicks)
{
    StoreCalendar();
    CTaskContainer &c = Open();
    EXPECT_EQ(c.GetViewKind(), ViewKind::Tasks);
    EXPECT_EQ(c.GetSection(), QStringLiteral("Tasks"));
    EXPECT_FALSE(c.GetShowNavigator());
    EXPECT_FALSE(c.GetShowDetails());
    for (int command : {CTaskContainer::CmdAll, CTaskContainer::CmdActive, CTaskContainer::CmdOverdue,
                        CTaskContainer::CmdCompleted}) {
        EXPECT_TRUE(c.OnCommand(command));
        const int mode = CTaskContainer::ModeOfCommand(command);
        EXPECT_EQ(c.GetTaskFilterKind(), mode);
        EXPECT_EQ(Shown(), Expected(mode)) << "mode " << mode;
        EXPECT_EQ(m_main.viewCount, c.GetItemCount());
        CCmdUI ui;
        EXPECT_TRUE(c.OnUpdateCommand(command, ui));
        EXPECT_TRUE(ui.checked);
    }
    EXPECT_GT(Expected(CTaskContainer::ModeAll).size(), 150u);
    EXPECT_FALSE(Expected(CTaskContainer::ModeOverdue).empty());
}

TEST_F(TaskContainerTest, ModeRules)
{
    const CDateTime today = At(2024, 3, 12);
    CTaskItem overdue;
    overdue.SetDueDate(At(2024, 3, 11));
    CTaskItem noDue;
    CTaskItem done;
    done.SetDueDate(At(2024, 3, 11));
    done.MarkCompleted(today);
    CTaskItem postponed;
    postponed.SetDueDate(At(2024, 3, 20));
    postponed.SetStatus(CTaskContainer::StatusPostponed);
    CTaskItem deleted;
    deleted.SetFlags(CCalendarItem::FlagDeleted);
    const struct
    {
        const CTaskItem *task;
        bool all, active, overdue, completed;
    } cases[] = {
        {&overdue, true, true, true, false},    {&noDue, true, true, false, false},
        {&done, true, false, false, true},      {&postponed, true, false, false, false},
        {&deleted, false, false, false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CTaskContainer::PassesTaskMode(*c.task, 0, today), c.all);
        EXPECT_EQ(CTaskContainer::PassesTaskMode(*c.task, 1, today), c.active);
        EXPECT_EQ(CTaskContainer::PassesTaskMode(*c.task, 2, today), c.overdue);
        EXPECT_EQ(CTaskContainer::PassesTaskMode(*c.task, 3, today), c.completed);
    }
}

TEST_F(TaskContainerTest, TheModeIsKeptAcrossARestart)
{
    StoreTask(QStringLiteral("late"), At(2024, 3, 1));
    Open().OnCommand(CTaskContainer::CmdOverdue);
    EXPECT_EQ(GetProfileInt(QStringLiteral("Tasks"), QStringLiteral("FltC"), -1), 2);
    EXPECT_EQ(Open().GetTaskFilterKind(), CTaskContainer::ModeOverdue);
    EXPECT_EQ(Shown().size(), 1u);
    WriteProfileInt(QStringLiteral("Tasks"), QStringLiteral("FltC"), 7);
    EXPECT_EQ(Open().GetTaskFilterKind(), CTaskContainer::ModeAll);
}

TEST_F(TaskContainerTest, StoredAndDeletedTasksUpdateTheList)
{
    const std::uint32_t keep = StoreTask(QStringLiteral("keep me focused"), At(2024, 3, 20));
    const std::uint32_t edit = StoreTask(QStringLiteral("finish me"), At(2024, 3, 21));
    CTaskContainer &c = Open();
    c.OnCommand(CTaskContainer::CmdActive);
    ASSERT_EQ(Shown(), (std::set<std::uint32_t>{keep, edit}));
    int keepRow = -1;
    for (int i = 0; i < c.List().GetEntryCount(); ++i)
        if (c.List().GetEntry(i)->GetItemRef() == keep)
            keepRow = i;
    ASSERT_GE(keepRow, 0);
    c.List().SetFocusedEntry(keepRow);

    // Completed elsewhere: it no longer passes Active Tasks and leaves; the focus stays.
    CTaskItem done = Task(edit);
    done.MarkCompleted(At(2024, 3, 12));
    ASSERT_EQ(m_doc.StoreTask(done, false), S_OK);
    CItemRef holder;
    holder.SetRecordId(edit);
    holder.SetItem(std::make_unique<CTaskItem>(done));
    c.OnItemUpdated(holder, false);
    EXPECT_EQ(Shown(), std::set<std::uint32_t>{keep});
    ASSERT_NE(c.List().GetEntry(c.List().GetFocusedEntry()), nullptr);
    EXPECT_EQ(c.List().GetEntry(c.List().GetFocusedEntry())->GetItemRef(), keep);

    // A new task stored through the document enters; a deleted one leaves.
    const std::uint32_t added = StoreTask(QStringLiteral("new"), At(2024, 3, 22));
    CItemRef fresh;
    fresh.SetRecordId(added);
    fresh.SetItem(std::make_unique<CTaskItem>(Task(added)));
    c.OnItemUpdated(fresh, false);
    EXPECT_EQ(Shown(), (std::set<std::uint32_t>{keep, added}));
    ASSERT_EQ(m_doc.DeleteTask(keep, false, true), S_OK);
    c.RemoveItemFromViews(keep, nullptr, true);
    EXPECT_EQ(Shown(), std::set<std::uint32_t>{added});
}

TEST_F(TaskContainerTest, TablePagesOfTheList)
{
    for (int i = 0; i < 25; ++i)
        StoreTask(QStringLiteral("task %1").arg(i), At(2024, 3, 1 + i));
    CTaskContainer &c = Open();
    c.List().LoadDefaultLayout();
    int style = 0;
    CDateTime start, end;
    c.GetDefaultPrintRange(style, start, end);
    EXPECT_EQ(style, 262);
    EXPECT_EQ(start, At(2024, 3, 12));
    EXPECT_EQ(end, At(2024, 3, 12));
    // Ten rows a page (11 rows of body less the header row): three bands on one page across.
    EXPECT_EQ(c.CountTablePages(5000, 1100, 100, false, false), (std::vector<int>{0, 10, 20}));
    // A page that holds one row prints one row a page.
    EXPECT_EQ(c.CountTablePages(5000, 150, 100, false, false).size(), 25u);
    // Narrow pages: every band takes several pages across.
    const std::vector<int> narrow = c.CountTablePages(200, 1100, 100, true, false);
    EXPECT_EQ(narrow.size() % 3, 0u);
    EXPECT_GT(narrow.size(), 3u);
}

TEST_F(TaskContainerTest, RendersWithTasksInEveryState)
{
    SetNowProvider([] { return CDateTime(2024, 3, 12, 8, 0, 0); });
    const struct
    {
        const char *subject;
        int dueDay; // 0: no due date
        int state;  // 0 open, 1 completed, 2 postponed, 3 in progress, 4 high priority
    } rows[] = {
        {"Send the quarterly report to the board", 8, 0},
        {"Renew the car insurance", 11, 0},
        {"Book flights for the Lisbon conference", 12, 3},
        {"Call the plumber about the kitchen tap", 13, 4},
        {"Prepare slides for Monday's review", 18, 0},
        {"Order new toner cartridges", 5, 1},
        {"Pay the electricity bill", 10, 1},
        {"Repaint the garden fence", 30, 2},
        {"Read the design notes", 0, 0},
        {"Plan the summer holiday", 0, 3},
    };
    for (const auto &r : rows) {
        CTaskItem t;
        t.SetSubject(QString::fromLatin1(r.subject));
        if (r.dueDay)
            t.SetDueDate(At(2024, 3, r.dueDay));
        if (r.state == 1)
            t.MarkCompleted(At(2024, 3, r.dueDay));
        if (r.state == 2)
            t.SetStatus(CTaskContainer::StatusPostponed);
        if (r.state == 3) {
            t.SetStatus(1);
            t.SetPercentComplete(50);
        }
        if (r.state == 4)
            t.SetPriority(0);
        ASSERT_EQ(m_doc.StoreTask(t, true), S_OK);
    }
    StoreRecurringTask(QStringLiteral("Water the plants"), At(2024, 3, 14));
    CTaskContainer &c = Open();
    c.resize(900, 600);
    ASSERT_EQ(c.GetItemCount(), 11);
    c.List().GetEntry(2)->SetState(CDisplayItem::StateSelected | CDisplayItem::StateFocus);
    c.List().SetFocusedEntry(2);
    const QImage image = RenderWidget(c, "task_container");
    EXPECT_EQ(image.width(), 900);
    EXPECT_EQ(c.ListWindow()->geometry().width(), 900 - 2 * CBorderWnd::kBorder);
}

} // namespace

namespace {

TEST_F(TaskContainerTest, TheTaskPadFollowsTheOwnerTheMainBaseWindowGivesIt)
{
    StoreTask(QStringLiteral("due"), At(2024, 3, 12));
    CTaskPad pad;
    CTaskContainer tasks;
    tasks.SetContext(&m_context);
    tasks.SetDataSource(&m_port);
    IMainBaseTaskPad &asMainBase = pad;
    asMainBase.SetOwner(&tasks);
    EXPECT_EQ(pad.GetContainer(), &tasks);
    EXPECT_EQ(asMainBase.Widget(), pad.Window());
    asMainBase.RefreshRows();
    EXPECT_GT(pad.GetEntryCount(), 0);
    asMainBase.SetOwner(nullptr);
    EXPECT_EQ(pad.GetContainer(), nullptr);
    EXPECT_EQ(pad.GetEntryCount(), 0);
    // A container that goes first leaves the pad without an owner.
    {
        CTaskContainer gone;
        asMainBase.SetOwner(&gone);
    }
    EXPECT_EQ(pad.GetContainer(), nullptr);
}

} // namespace
