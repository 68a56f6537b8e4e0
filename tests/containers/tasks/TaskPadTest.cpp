// The TaskPad on a fixed clock (Tuesday 12 March 2024, 08:00) beside a week view of 11 to 17
// March: which tasks each TaskPad view selects, its settings, its commands and menus, and the
// changes to the file that completing, deleting, dragging and dropping tasks make.
#include "containers/support/ContainerFixture.h"

#include "containers/base/ContainerStrings.h"
#include "containers/mainbase/WidgetRenders.h"
#include "containers/tasks/TaskListWnd.h"
#include "containers/tasks/TaskPad.h"
#include "containers/tasks/TaskPadDeleteRule.h"
#include "containers/tasks/TaskPadFilter.h"
#include "toolkit/navigator/DateNavigatorBar.h"
#include "views/base/CustomWnd.h"

#include <QMimeData>
#include <set>

using namespace container_test;

namespace {

// The tasks of the selection table, by letter.
struct Sample
{
    char letter;
    int dueDay;   // March; 0 none
    int startDay; // 0 none
    int doneDay;  // completed on; 0 open
};
const Sample kSamples[] = {
    {'A', 11, 0, 0},  // due yesterday, open: overdue
    {'B', 12, 0, 0},  // due today
    {'C', 19, 12, 0}, // due next week, starts today
    {'D', 19, 11, 0}, // due next week, started yesterday
    {'E', 0, 0, 0},   // no due date
    {'F', 11, 0, 11}, // completed yesterday
    {'G', 13, 0, 12}, // completed today
    {'H', 5, 0, 0},   // due before the shown week, open
    {'I', 25, 0, 0},  // due after the week, no start date
};

CTaskItem MakeSample(const Sample &s)
{
    CTaskItem t;
    t.SetSubject(QString(QLatin1Char(s.letter)));
    if (s.dueDay)
        t.SetDueDate(CDateTime(2024, 3, s.dueDay));
    if (s.startDay)
        t.SetStartDate(CDateTime(2024, 3, s.startDay));
    if (s.doneDay)
        t.MarkCompleted(CDateTime(2024, 3, s.doneDay));
    return t;
}

QString Accepted(const CTaskPadFilter &filter)
{
    QString letters;
    for (const Sample &s : kSamples)
        if (filter.Accepts(MakeSample(s), CDateTime(2024, 3, 11), CDateTime(2024, 3, 18),
                           CDateTime(2024, 3, 12)))
            letters += QLatin1Char(s.letter);
    return letters;
}

TEST(TaskPadFilterTest, EachViewSelectsItsTasks)
{
    const struct
    {
        int view;
        bool noDue, completed, needsStart;
        const char *shown;
    } cases[] = {
        {CTaskPadFilter::ViewAll, true, true, false, "ABCDEFGHI"},
        {CTaskPadFilter::ViewAll, false, false, false, "ABCDHI"},
        {CTaskPadFilter::ViewOverdue, true, true, false, "AH"},
        {CTaskPadFilter::ViewSelectedDays, true, true, false, "ABCDEFG"},
        {CTaskPadFilter::ViewSelectedDays, false, true, false, "ABCDFG"},
        {CTaskPadFilter::ViewSelectedDays, true, false, false, "ABCDE"},
        {CTaskPadFilter::ViewCompletedOnDays, false, false, false, "FG"},
        // Today's: completed yesterday hidden even with "FlCD"; starting today and due later
        // hidden, started yesterday shown; due later without a start shown unless "FlSD".
        {CTaskPadFilter::ViewToday, true, true, false, "ABDEGHI"},
        {CTaskPadFilter::ViewToday, true, true, true, "ABDEGH"},
        {CTaskPadFilter::ViewToday, false, false, false, "ABDHI"},
    };
    for (const auto &c : cases) {
        CTaskPadFilter f;
        f.view = c.view;
        f.includeNoDue = c.noDue;
        f.includeCompleted = c.completed;
        f.dueLaterNeedsStart = c.needsStart;
        EXPECT_EQ(Accepted(f), QString::fromLatin1(c.shown))
            << "view " << c.view << " FlND " << c.noDue << " FlCD " << c.completed << " FlSD "
            << c.needsStart;
    }
}

TEST(TaskPadFilterTest, StoredViewsAndTheIncludeMarks)
{
    const struct
    {
        int stored, read;
    } views[] = {{0, 0}, {1, 0}, {2, 2}, {3, 0}, {4, 4}, {5, 5}, {6, 6}, {7, 0}, {-1, 0}};
    for (const auto &v : views)
        EXPECT_EQ(CTaskPadFilter::ReadView(v.stored), v.read) << v.stored;

    CTaskPadFilter f;
    f.includeNoDue = f.includeCompleted = true;
    f.view = CTaskPadFilter::ViewOverdue;
    EXPECT_FALSE(f.IncludeCommandsEnabled());
    EXPECT_FALSE(f.ShowsNoDueChecked());
    EXPECT_FALSE(f.ShowsCompletedChecked());
    f.includeNoDue = f.includeCompleted = false;
    f.view = CTaskPadFilter::ViewCompletedOnDays;
    EXPECT_FALSE(f.IncludeCommandsEnabled());
    EXPECT_TRUE(f.ShowsNoDueChecked());
    EXPECT_TRUE(f.ShowsCompletedChecked());
    f.view = CTaskPadFilter::ViewToday;
    EXPECT_TRUE(f.IncludeCommandsEnabled());
    EXPECT_FALSE(f.ShowsNoDueChecked());
}

class TaskPadTest : public ContainerFixture
{
  protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        m_pad = std::make_unique<CTaskPad>();
        m_context.taskPad = m_pad.get();
    }
    void TearDown() override
    {
        m_containers.clear();
        m_pad.reset();
        ContainerFixture::TearDown();
    }
    TestContainer &Week()
    {
        TestContainer &c = MakeContainer(ViewKind::Week);
        m_pad->SetContainer(&c);
        EXPECT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
        return c;
    }
    std::map<QString, std::uint32_t> StoreSamples()
    {
        std::map<QString, std::uint32_t> ids;
        for (const Sample &s : kSamples) {
            CTaskItem t = MakeSample(s);
            EXPECT_EQ(m_doc.StoreTask(t, true), S_OK);
            ids[t.GetSubject()] = t.GetRecordId();
        }
        return ids;
    }
    QString Rows() const
    {
        QStringList subjects;
        for (const auto &e : m_pad->Ctrl().GetEntries())
            subjects << e->GetSubject();
        subjects.sort();
        return subjects.join(QString());
    }
    int Row(std::uint32_t id) const
    {
        const auto &rows = m_pad->Ctrl().GetEntries();
        for (int i = 0; i < int(rows.size()); ++i)
            if (rows[std::size_t(i)]->GetItemRef() == id)
                return i;
        return -1;
    }
    void SelectOnly(std::uint32_t id)
    {
        for (const auto &e : m_pad->Ctrl().GetEntries())
            e->SetState(e->GetItemRef() == id ? CDisplayItem::StateSelected | CDisplayItem::StateFocus : 0);
        m_pad->Ctrl().SetFocusedEntry(Row(id));
    }
    std::unique_ptr<CTaskPad> m_pad;
};

TEST_F(TaskPadTest, ItsViewsSelectTasksFromTheFileAndAreKept)
{
    StoreSamples();
    TestContainer &c = Week();
    // The default view: tasks for the selected days; the container's load fed it.
    EXPECT_EQ(m_pad->Ctrl().Filter().view, CTaskPadFilter::ViewSelectedDays);
    EXPECT_EQ(Rows(), QStringLiteral("ABCDEFG"));
    EXPECT_EQ(m_pad->GetEntryCount(), 7);
    const struct
    {
        int command;
        const char *rows;
    } views[] = {
        {CTaskPad::CmdToday, "ABDEGHI"},        {CTaskPad::CmdOverdue, "AH"},
        {CTaskPad::CmdCompletedOnDays, "FG"},   {CTaskPad::CmdAll, "ABCDEFGHI"},
        {CTaskPad::CmdSelectedDays, "ABCDEFG"},
    };
    for (const auto &v : views) {
        const int loads = c.loads;
        EXPECT_TRUE(m_pad->OnCommand(v.command));
        EXPECT_EQ(Rows(), QString::fromLatin1(v.rows)) << v.command;
        EXPECT_GT(c.loads, loads); // the container reloads too
    }
    m_pad->OnCommand(CTaskPad::CmdToday);
    m_pad->OnCommand(CTaskPad::CmdIncludeNoDue);
    EXPECT_EQ(Rows(), QStringLiteral("ABDGHI"));
    EXPECT_EQ(GetProfileInt(QStringLiteral("TaskPad"), QStringLiteral("FltT"), -1), 6);
    EXPECT_EQ(GetProfileInt(QStringLiteral("TaskPad"), QStringLiteral("FlND"), -1), 0);
    EXPECT_EQ(GetProfileInt(QStringLiteral("TaskPad"), QStringLiteral("FlCD"), -1), 1);

    // A new pad reads them back; a stored 3 reads as All Tasks.
    CTaskPad again;
    EXPECT_EQ(again.Ctrl().Filter().view, CTaskPadFilter::ViewToday);
    EXPECT_FALSE(again.Ctrl().Filter().includeNoDue);
    WriteProfileInt(QStringLiteral("TaskPad"), QStringLiteral("FltT"), 3);
    CTaskPad third;
    EXPECT_EQ(third.Ctrl().Filter().view, CTaskPadFilter::ViewAll);
}

TEST_F(TaskPadTest, MenusMarkTheViewAndDisableTheIncludesForOverdue)
{
    StoreSamples();
    Week();
    m_pad->Window()->resize(220, 400);
    m_pad->Window()->show();
    m_pad->OnCommand(CTaskPad::CmdOverdue);
    CCmdUI overdue, noDue, completed;
    EXPECT_TRUE(m_pad->OnUpdateCommand(CTaskPad::CmdOverdue, overdue));
    EXPECT_TRUE(overdue.enabled && overdue.checked);
    m_pad->OnUpdateCommand(CTaskPad::CmdIncludeNoDue, noDue);
    m_pad->OnUpdateCommand(CTaskPad::CmdIncludeCompleted, completed);
    EXPECT_FALSE(noDue.enabled || noDue.checked);
    EXPECT_FALSE(completed.enabled || completed.checked);
    // The toggle does nothing while it is disabled.
    m_pad->OnCommand(CTaskPad::CmdIncludeNoDue);
    EXPECT_TRUE(m_pad->Ctrl().Filter().includeNoDue);

    m_pad->OnCommand(CTaskPad::CmdAll);
    CCmdUI open, print;
    m_pad->OnUpdateCommand(ContainerCmd::OpenItem, open);
    EXPECT_FALSE(open.enabled);
    SelectOnly(m_pad->Ctrl().GetEntry(0)->GetItemRef());
    m_pad->OnUpdateCommand(ContainerCmd::OpenItem, open);
    m_pad->OnUpdateCommand(CTaskPad::CmdPrint, print);
    EXPECT_TRUE(open.enabled && print.enabled);

    // The pad's popups replace the task list's header and empty-rows menus.
    EXPECT_EQ(m_pad->Ctrl().GetContextMenuIndex(QPoint(10, 2), false), 20);
    m_pad->Ctrl().SetFocusedEntry(-1);
    EXPECT_EQ(m_pad->Ctrl().GetContextMenuIndex(QPoint(-1, -1), true), 19);
    m_pad->Ctrl().SetFocusedEntry(0);
    EXPECT_EQ(m_pad->Ctrl().GetContextMenuIndex(QPoint(-1, -1), true), 9);
}

TEST_F(TaskPadTest, CompletingATaskChangesTheFileAndItsRow)
{
    const auto ids = StoreSamples();
    Week();
    SelectOnly(ids.at(QStringLiteral("B")));
    EXPECT_TRUE(m_pad->OnCommand(ContainerCmd::CompleteTasks));
    Reopen();
    const CTaskItem b = Task(ids.at(QStringLiteral("B")));
    EXPECT_TRUE(b.IsCompleted());
    EXPECT_EQ(b.GetCompletedDate().DatePart(), At(2024, 3, 12));
    const int row = Row(ids.at(QStringLiteral("B")));
    ASSERT_GE(row, 0); // completed tasks stay with "FlCD" on
    EXPECT_TRUE(m_pad->Ctrl().GetEntry(row)->HasFlag(CDisplayItem::FlagCompleted));
    EXPECT_FALSE(Task(ids.at(QStringLiteral("A"))).IsCompleted());
}

TEST_F(TaskPadTest, DeletingAsksFirstAndRemovesTheRecord)
{
    const auto ids = StoreSamples();
    Week();
    const std::uint32_t b = ids.at(QStringLiteral("B"));
    SelectOnly(b);
    m_messages.script = {MessageResult::No};
    m_pad->OnCommand(ContainerCmd::Delete);
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.shown.front().text, QStringLiteral("Are you sure you want to delete the 'B' item?"));
    EXPECT_GE(Row(b), 0);

    m_messages.script = {MessageResult::Yes};
    m_pad->OnCommand(ContainerCmd::Delete);
    EXPECT_LT(Row(b), 0);
    Reopen();
    const auto left = TaskIds();
    EXPECT_EQ(std::count(left.begin(), left.end(), b), 0);
    EXPECT_EQ(left.size(), std::size(kSamples) - 1);
}

TEST_F(TaskPadTest, TheDeleteQuestion)
{
    CDisplayItem longSubject;
    longSubject.SetKind(CDisplayItem::KindTask);
    longSubject.SetSubject(QString(200, QLatin1Char('x')));
    CDisplayItem locked;
    locked.SetKind(CDisplayItem::KindTask);
    locked.SetSubject(QStringLiteral("Tax return"));
    locked.SetFlags(CDisplayItem::FlagLocked);
    CDisplayItem recurring;
    recurring.SetKind(CDisplayItem::KindTask);
    recurring.SetFlags(CDisplayItem::FlagRecurring);

    QString text;
    EXPECT_EQ(CTaskPadDeleteRule::Decide({&longSubject}, true, text), CTaskPadDeleteRule::Step::Ask);
    EXPECT_EQ(text, QStringLiteral("Are you sure you want to delete the '%1...' item?")
                        .arg(QString(124, QLatin1Char('x'))));
    EXPECT_EQ(CTaskPadDeleteRule::Decide({&locked}, true, text), CTaskPadDeleteRule::Step::Refuse);
    EXPECT_EQ(text, QStringLiteral("The item \"Tax return\" cannot be deleted."));
    EXPECT_EQ(CTaskPadDeleteRule::Decide({&recurring}, true, text), CTaskPadDeleteRule::Step::Delete);
    EXPECT_EQ(CTaskPadDeleteRule::Decide({&longSubject, &locked}, true, text), CTaskPadDeleteRule::Step::Ask);
    EXPECT_EQ(text, QStringLiteral("Are you sure you want to delete these 2 items?"));
    EXPECT_EQ(CTaskPadDeleteRule::Decide({&locked}, false, text), CTaskPadDeleteRule::Step::Delete);
}

TEST_F(TaskPadTest, DraggingTasksOntoADayOrAViewReschedulesThem)
{
    const auto ids = StoreSamples();
    TestContainer &c = Week();
    const std::uint32_t b = ids.at(QStringLiteral("B"));
    const std::uint32_t a = ids.at(QStringLiteral("A"));
    auto dragOf = [&](std::uint32_t id, const CDateSpan &by) {
        CDragState drag;
        drag.sourceView = &m_pad->Ctrl();
        drag.sourceViewKind = m_pad->Ctrl().GetViewKind();
        CDisplayItem *row = m_pad->Ctrl().GetEntry(Row(id));
        EXPECT_TRUE(row);
        row->SetNewStart(row->GetStart() + by);
        drag.draggedEntries.push_back(row);
        drag.dragItems.emplace_back(*row);
        return drag;
    };
    // Onto a Date Navigator day: the task is due on that day.
    CDragState toDay = dragOf(b, CDateSpan(0.0));
    EXPECT_TRUE(c.MoveItems(nullptr, false, kDropEffectMove, toDay, At(2024, 3, 15)));
    // Onto the week view, two days on from where it was drawn.
    CDragState toView = dragOf(a, Days(2));
    EXPECT_TRUE(c.MoveItems(&c.m_view, false, kDropEffectMove, toView, CDateTime::Null()));

    Reopen();
    EXPECT_EQ(Task(b).GetDueDate(), At(2024, 3, 15));
    EXPECT_EQ(Task(a).GetDueDate(), At(2024, 3, 13));
    EXPECT_EQ(TaskIds().size(), std::size(kSamples));
}

TEST_F(TaskPadTest, DropsOnThePadMakeNewTasks)
{
    const auto ids = StoreSamples();
    const std::uint32_t meeting = StoreEvent(QStringLiteral("Budget meeting"), At(2024, 3, 14, 10), Hours(1));
    TestContainer &c = Week();
    QMimeData data;
    data.setData(InternalFormatMimeType(), QByteArray(4, '\1'));

    // From the week view: only a copy is offered, and the event becomes a task due that day.
    CDragState *drag = CDragState::Begin();
    ASSERT_TRUE(drag);
    drag->sourceView = &c.m_view;
    drag->sourceViewKind = c.m_view.GetViewKind();
    drag->dragItems.emplace_back(*Find(c.m_view, meeting, At(2024, 3, 14, 10)));
    EXPECT_EQ(m_pad->Ctrl().OnDragOver(&data, 0, QPoint(5, 40)), kDropEffectCopy);
    EXPECT_EQ(m_pad->Ctrl().OnDropEx(&data, kDropEffectCopy, QPoint(5, 40)), kDropEffectCopy);
    CDragState::End();

    // Moving its own rows within the pad changes nothing.
    drag = CDragState::Begin();
    drag->sourceView = &m_pad->Ctrl();
    drag->sourceViewKind = m_pad->Ctrl().GetViewKind();
    drag->dragItems.emplace_back(*m_pad->Ctrl().GetEntry(Row(ids.at(QStringLiteral("A")))));
    EXPECT_EQ(m_pad->Ctrl().OnDragOver(&data, 0, QPoint(5, 40)), kDropEffectMove);
    m_pad->Ctrl().OnDropEx(&data, kDropEffectMove, QPoint(5, 40));
    CDragState::End();

    Reopen();
    const auto tasks = TaskIds();
    ASSERT_EQ(tasks.size(), std::size(kSamples) + 1);
    std::uint32_t made = 0;
    for (std::uint32_t id : tasks)
        if (Task(id).GetSubject() == QStringLiteral("Budget meeting"))
            made = id;
    ASSERT_NE(made, 0u);
    EXPECT_EQ(Task(made).GetDueDate(), At(2024, 3, 14));
    EXPECT_EQ(EventIds().size(), 1u);
    EXPECT_GE(Row(made), 0);
}

TEST_F(TaskPadTest, RendersUnderTheNavigator)
{
    const struct
    {
        const char *subject;
        int due, start, done, priority;
    } rows[] = {
        {"Submit the expense claims", 8, 0, 0, 2},
        {"Renew the parking permit", 11, 0, 0, 0},
        {"Dentist: confirm appointment", 12, 0, 0, 2},
        {"Draft the newsletter", 14, 11, 0, 1},
        {"Call the bank", 12, 0, 12, 2},
        {"Water the garden", 13, 0, 0, 3},
        {"Pick up the dry cleaning", 15, 0, 0, 4},
        {"Book the team lunch", 17, 0, 0, 2},
        {"Tidy the garage", 0, 0, 0, 2},
    };
    for (const auto &r : rows) {
        CTaskItem t;
        t.SetSubject(QString::fromLatin1(r.subject));
        if (r.due)
            t.SetDueDate(At(2024, 3, r.due));
        if (r.start)
            t.SetStartDate(At(2024, 3, r.start));
        if (r.done)
            t.MarkCompleted(At(2024, 3, r.done));
        t.SetPriority(r.priority);
        ASSERT_EQ(m_doc.StoreTask(t, true), S_OK);
    }
    Week();
    m_pad->OnCommand(CTaskPad::CmdAll);
    ASSERT_EQ(m_pad->GetEntryCount(), 9);
    SelectOnly(m_pad->Ctrl().GetEntry(3)->GetItemRef());
    m_pad->Window()->resize(220, 400);
    const QImage image = RenderWidget(*m_pad->Window(), "taskpad");
    EXPECT_EQ(image.size(), QSize(220, 400));

    // In its pane of the Date Navigator bar, as the main base window shows it.
    {
        CDateNavigatorBar bar;
        bar.SetTaskPad(m_pad->Window());
        bar.resize(230, 620);
        bar.SetMonthsDown(2);
        RenderWidget(bar, "taskpad_in_bar");
        EXPECT_TRUE(bar.TaskPadPane()->isAncestorOf(m_pad->Window()));
        // The pad belongs to its maker, not to the bar it was lent to.
        m_pad->Window()->setParent(nullptr);
    }
    EXPECT_TRUE(m_pad->Window());
}

} // namespace
