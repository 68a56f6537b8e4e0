// Moving and copying dragged entries on a real data file: single events, occurrences against
// their series, recurring tasks, TaskPad drops on a day, and failures part-way through. After
// each the file is opened again and exactly the expected records are checked.
#include "containers/support/ContainerFixture.h"

#include "containers/base/ContainerStrings.h"
#include "views/base/CustomWnd.h"

using namespace container_test;

namespace {

class MoveItemsTest : public ContainerFixture
{
  protected:
    TestContainer &Loaded(int kind = ViewKind::Week)
    {
        TestContainer &c = MakeContainer(kind);
        EXPECT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
        return c;
    }
    // A drag of the entries of the view, each moved by `by` (its new start in the drag record).
    CDragState Drag(CCalendarViewCtrl &view, const std::vector<std::pair<std::uint32_t, CDateTime>> &entries,
                    const CDateSpan &by = CDateSpan(0.0))
    {
        CDragState drag;
        drag.sourceView = &view;
        drag.sourceViewKind = view.GetViewKind();
        for (const auto &[id, occurrence] : entries) {
            CDisplayItem *e = Find(view, id, occurrence);
            EXPECT_TRUE(e) << id;
            if (!e)
                continue;
            e->SetState(e->GetState() | CDisplayItem::StateDragged);
            e->SetNewStart(e->GetStart() + by);
            drag.draggedEntries.push_back(e);
            drag.dragItems.emplace_back(*e);
        }
        return drag;
    }
};

TEST_F(MoveItemsTest, MoveAndCopyASingleEvent)
{
    const std::uint32_t id = StoreEvent(QStringLiteral("meeting"), At(2024, 3, 12, 9), Hours(1));
    TestContainer &c = Loaded();
    CDragState move = Drag(c.m_view, {{id, At(2024, 3, 12, 9)}}, Hours(26));
    EXPECT_TRUE(c.MoveItems(&c.m_view, true, kDropEffectMove, move, CDateTime::Null()));
    CDragState copy = Drag(c.m_view, {{id, At(2024, 3, 13, 11)}}, Days(1));
    EXPECT_TRUE(c.MoveItems(&c.m_view, true, kDropEffectCopy, copy, CDateTime::Null()));

    Reopen();
    const auto events = EventIds();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(Event(id).GetStart(), At(2024, 3, 13, 11));
    const std::uint32_t other = events[0] == id ? events[1] : events[0];
    EXPECT_EQ(Event(other).GetStart(), At(2024, 3, 14, 11));
    EXPECT_EQ(Event(other).GetSubject(), QStringLiteral("meeting"));
    EXPECT_NE(Event(other).GetUniqueId(), Event(id).GetUniqueId());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(MoveItemsTest, TheMoveConfirmationAndZeroOffsetDrops)
{
    const std::uint32_t id = StoreEvent(QStringLiteral("meeting"), At(2024, 3, 12, 9), Hours(1));
    TestContainer &c = Loaded();
    ProgramSettings().confirmMove = 1;
    m_messages.script = {MessageResult::No};
    CDragState drag = Drag(c.m_view, {{id, At(2024, 3, 12, 9)}}, Days(1));
    EXPECT_FALSE(c.MoveItems(&c.m_view, true, kDropEffectMove, drag, CDateTime::Null()));
    EXPECT_EQ(m_messages.LastText(), ContainerText::WithSubject(58031, QStringLiteral("meeting")));
    // A drop on the date the container shows moves nothing.
    EXPECT_FALSE(c.MoveItems(nullptr, false, kDropEffectMove, drag, c.GetCurrentDate()));
    Reopen();
    EXPECT_EQ(Event(id).GetStart(), At(2024, 3, 12, 9));
}

TEST_F(MoveItemsTest, OccurrencesKeepTheRulesOfTheirSeries)
{
    // Every three days from 12 March: 12, 15, 18, ...
    CEventItem series = MakeSeries(At(2024, 3, 12, 9), Hours(1), Recur::Daily | Recur::ByDate, 3);
    series.SetSubject(QStringLiteral("series"));
    ASSERT_EQ(m_doc.StoreEvent(series, true), S_OK);
    const std::uint32_t id = series.GetRecordId();
    TestContainer &c = Loaded();
    struct Case
    {
        CDateTime occurrence;
        CDateSpan by;
        int message; // 0: moved
    };
    const Case cases[] = {
        {At(2024, 3, 15, 9), Days(3), 59214},  // onto the 18th, another occurrence's day
        {At(2024, 3, 12, 9), Days(4), 59215},  // past the 15th
        {At(2024, 3, 15, 9), Days(-4), 59222}, // before the 12th
        {At(2024, 3, 12, 9), Days(1), 0},      // the 13th is free
    };
    for (const Case &cs : cases) {
        m_messages.shown.clear();
        CDragState drag = Drag(c.m_view, {{id, cs.occurrence}}, cs.by);
        EXPECT_TRUE(c.MoveItems(&c.m_view, false, kDropEffectMove, drag, CDateTime::Null()));
        if (cs.message) {
            EXPECT_EQ(m_messages.LastText(),
                      ContainerText::WithSubject(cs.message, QStringLiteral("series")));
            CDisplayItem *e = Find(c.m_view, id, cs.occurrence);
            ASSERT_TRUE(e);
            EXPECT_EQ(e->GetState() & 0x07u, 0u); // drawn where it was
        } else {
            EXPECT_TRUE(m_messages.shown.isEmpty());
        }
    }
    Reopen();
    const CEventItem stored = Event(id);
    ASSERT_EQ(stored.GetExceptionCount(), 1);
    EXPECT_EQ(stored.GetExceptions()[0].keyDate, At(2024, 3, 12, 9));
    EXPECT_EQ(stored.GetExceptions()[0].newStart, At(2024, 3, 13, 9));
    EXPECT_EQ(EventIds().size(), 1u);
}

TEST_F(MoveItemsTest, AReminderBeforeThePreviousOccurrenceIsResetOnlyAfterOk)
{
    CEventItem series = MakeSeries(At(2024, 3, 12, 9), Hours(1), Recur::Daily | Recur::ByDate, 3);
    series.SetSubject(QStringLiteral("series"));
    series.SetReminder(true, Days(2));
    ASSERT_EQ(m_doc.StoreEvent(series, true), S_OK);
    const std::uint32_t id = series.GetRecordId();
    TestContainer &c = Loaded();

    m_messages.script = {MessageResult::Cancel};
    CDragState drag = Drag(c.m_view, {{id, At(2024, 3, 15, 9)}}, Days(-1));
    c.MoveItems(&c.m_view, false, kDropEffectMove, drag, CDateTime::Null());
    EXPECT_EQ(m_messages.LastText(), ContainerText::WithSubject(59221, QStringLiteral("series")));
    EXPECT_EQ(Event(id).GetExceptionCount(), 0);

    m_messages.script = {MessageResult::Ok};
    CDragState again = Drag(c.m_view, {{id, At(2024, 3, 15, 9)}}, Days(-1));
    c.MoveItems(&c.m_view, false, kDropEffectMove, again, CDateTime::Null());
    Reopen();
    const CEventItem stored = Event(id);
    ASSERT_EQ(stored.GetExceptionCount(), 1);
    EXPECT_EQ(stored.GetExceptions()[0].newStart, At(2024, 3, 14, 9));
    EXPECT_EQ(stored.GetExceptions()[0].reminderLead.Value(), 0.0);
}

TEST_F(MoveItemsTest, CopyingAnOccurrenceTakesItsChangesAndLeavesTheSeries)
{
    CEventItem series = MakeSeries(At(2024, 3, 12, 9), Hours(1), Recur::Daily | Recur::ByDate, 1);
    series.SetSubject(QStringLiteral("series"));
    CRecurrenceException *changed = series.GetException(At(2024, 3, 13, 9), true);
    ASSERT_TRUE(changed);
    changed->SetSubject(true, QStringLiteral("changed"));
    changed->SetLocation(true, QStringLiteral("room 2"));
    changed->SetNotes(true, QStringLiteral("bring slides"));
    changed->SetReminder(true, Minutes(10));
    ASSERT_EQ(m_doc.StoreEvent(series, true), S_OK);
    const std::uint32_t id = series.GetRecordId();
    TestContainer &c = Loaded();

    CDragState drag = Drag(c.m_view, {{id, At(2024, 3, 13, 9)}}, Days(3));
    EXPECT_TRUE(c.MoveItems(&c.m_view, false, kDropEffectCopy, drag, CDateTime::Null()));
    Reopen();
    const auto events = EventIds();
    ASSERT_EQ(events.size(), 2u);
    const CEventItem copy = Event(events[0] == id ? events[1] : events[0]);
    EXPECT_FALSE(copy.IsRecurring());
    EXPECT_EQ(copy.GetStart(), At(2024, 3, 16, 9));
    EXPECT_EQ(copy.GetSubject(), QStringLiteral("changed"));
    EXPECT_EQ(copy.GetLocation(), QStringLiteral("room 2"));
    EXPECT_EQ(copy.GetNotes(), QStringLiteral("bring slides"));
    EXPECT_TRUE(copy.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_EQ(copy.GetReminderLead().GetTotalMinutes(), 10.0);
    const CEventItem original = Event(id);
    EXPECT_TRUE(original.IsRecurring());
    EXPECT_EQ(original.GetExceptionCount(), 1);
    EXPECT_EQ(original.GetSubject(), QStringLiteral("series"));
}

TEST_F(MoveItemsTest, RecurringTasksFinishOrSplitAndAdvance)
{
    const std::uint32_t last = StoreRecurringTask(QStringLiteral("last"), At(2024, 3, 13), At(2024, 3, 15));
    const std::uint32_t weekly = StoreRecurringTask(QStringLiteral("weekly"), At(2024, 3, 12));
    TestContainer &c = Loaded();

    CDragState drag = Drag(c.m_view, {{last, At(2024, 3, 13)}, {weekly, At(2024, 3, 12)}}, Days(1));
    EXPECT_TRUE(c.MoveItems(&c.m_view, false, kDropEffectMove, drag, CDateTime::Null()));

    Reopen();
    const auto tasks = TaskIds();
    ASSERT_EQ(tasks.size(), 3u);
    const CTaskItem finished = Task(last);
    EXPECT_TRUE(finished.HasFlag(CTaskItem::TF_SERIES_CLOSED));
    EXPECT_EQ(finished.GetDueDate(), At(2024, 3, 14));
    const CTaskItem series = Task(weekly);
    EXPECT_EQ(series.GetDueDate(), At(2024, 3, 19));
    EXPECT_FALSE(series.HasFlag(CTaskItem::TF_SERIES_CLOSED));
    std::uint32_t splitId = 0;
    for (std::uint32_t id : tasks)
        if (id != last && id != weekly)
            splitId = id;
    const CTaskItem split = Task(splitId);
    EXPECT_EQ(split.GetSubject(), QStringLiteral("weekly"));
    EXPECT_EQ(split.GetDueDate(), At(2024, 3, 13));
    EXPECT_TRUE(split.HasFlag(CTaskItem::TF_SERIES_CLOSED));
}

TEST_F(MoveItemsTest, ARecurringTaskWithoutANextDueDateIsFinishedInPlace)
{
    CTaskItem task;
    task.SetSubject(QStringLiteral("odd"));
    task.SetDueDate(At(2024, 3, 12));
    task.SetRecurrence(Recur::Daily | Recur::ByDate, 7, 0, At(2024, 3, 12), CDateTime());
    ASSERT_EQ(m_doc.StoreTask(task, true), S_OK);
    TestContainer &c = Loaded();
    CDragState drag = Drag(c.m_view, {{task.GetRecordId(), At(2024, 3, 12)}}, Days(2));
    // The stored task loses its due date behind the view's back: no next instance can be found.
    CTaskItem stored = Task(task.GetRecordId());
    stored.SetFlag(CTaskItem::TF_HAS_DUE, false);
    ASSERT_EQ(m_doc.StoreTask(stored, true), S_OK);

    EXPECT_TRUE(c.MoveItems(&c.m_view, false, kDropEffectMove, drag, CDateTime::Null()));
    Reopen();
    ASSERT_EQ(TaskIds().size(), 1u);
    const CTaskItem moved = Task(task.GetRecordId());
    EXPECT_TRUE(moved.HasFlag(CTaskItem::TF_SERIES_CLOSED));
    EXPECT_EQ(moved.GetDueDate(), At(2024, 3, 14));
}

TEST_F(MoveItemsTest, ATaskPadDropOnADayTakesExactlyThatDay)
{
    const std::uint32_t id = StoreTask(QStringLiteral("pad"), At(2024, 3, 12));
    const std::uint32_t other = StoreTask(QStringLiteral("view"), At(2024, 3, 12));
    TestContainer &c = Loaded();
    TestView pad(7);
    CItemRef holder;
    holder.SetRecordId(id);
    holder.SetItem(std::make_unique<CTaskItem>(Task(id)));
    ASSERT_TRUE(pad.AddItem(holder));
    m_taskPad.listView = &pad;
    CDragState fromPad = Drag(pad, {{id, At(2024, 3, 12)}});
    EXPECT_TRUE(c.MoveItems(nullptr, false, kDropEffectMove, fromPad, At(2024, 3, 20)));
    // The same drop from the view moves by the offset from the shown date (11 March).
    CDragState fromView = Drag(c.m_view, {{other, At(2024, 3, 12)}});
    EXPECT_TRUE(c.MoveItems(nullptr, false, kDropEffectMove, fromView, At(2024, 3, 20)));
    Reopen();
    EXPECT_EQ(Task(id).GetDueDate(), At(2024, 3, 20));
    EXPECT_EQ(Task(other).GetDueDate(), At(2024, 3, 21));
    EXPECT_EQ(TaskIds().size(), 2u);
}

TEST_F(MoveItemsTest, AStoreFailureAtTheKthEntryLeavesTheRestAsTheyWere)
{
    std::vector<std::uint32_t> ids;
    std::vector<std::pair<std::uint32_t, CDateTime>> entries;
    for (int i = 0; i < 4; ++i) {
        ids.push_back(StoreEvent(QStringLiteral("e%1").arg(i), At(2024, 3, 12, 9 + i), Hours(1)));
        entries.push_back({ids.back(), At(2024, 3, 12, 9 + i)});
    }
    TestContainer &c = Loaded();
    CDragState drag = Drag(c.m_view, entries);
    m_port.ResetCounts();
    m_port.failStoreAt = 3;
    EXPECT_TRUE(c.MoveItems(nullptr, false, kDropEffectMove, drag, At(2024, 3, 13)));
    EXPECT_EQ(m_messages.shown.size(), 1u);
    for (int i = 2; i < 4; ++i) {
        CDisplayItem *e = Find(c.m_view, ids[i], At(2024, 3, 12, 9 + i));
        ASSERT_TRUE(e);
        EXPECT_FALSE(e->HasState(CDisplayItem::StateDragged));
    }
    Reopen();
    EXPECT_EQ(Event(ids[0]).GetStart(), At(2024, 3, 14, 9));
    EXPECT_EQ(Event(ids[1]).GetStart(), At(2024, 3, 14, 10));
    EXPECT_EQ(Event(ids[2]).GetStart(), At(2024, 3, 12, 11));
    EXPECT_EQ(Event(ids[3]).GetStart(), At(2024, 3, 12, 12));
    EXPECT_EQ(EventIds().size(), 4u);
}

TEST_F(MoveItemsTest, ALoadFailureIsReportedAndRestoresTheRest)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    const std::uint32_t t = StoreTask(QStringLiteral("t"), At(2024, 3, 13));
    TestContainer &c = Loaded();
    CDragState drag = Drag(c.m_view, {{a, At(2024, 3, 12, 9)}, {t, At(2024, 3, 13)}}, Days(1));
    m_port.ResetCounts();
    m_port.failLoadAt = 2; // the task
    m_port.failCode = QV_E_CORRUPT;
    EXPECT_TRUE(c.MoveItems(&c.m_view, false, kDropEffectMove, drag, CDateTime::Null()));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_TRUE(m_messages.LastText().startsWith(ErrorCodeToText(QV_E_CORRUPT)));
    CDisplayItem *e = Find(c.m_view, t, At(2024, 3, 13));
    ASSERT_TRUE(e);
    EXPECT_FALSE(e->HasState(CDisplayItem::StateDragged));

    // Nothing changed before the failure: the result says so.
    m_messages.shown.clear();
    CDragState second = Drag(c.m_view, {{t, At(2024, 3, 13)}}, Days(1));
    m_port.ResetCounts();
    m_port.failLoadAt = 1;
    EXPECT_FALSE(c.MoveItems(&c.m_view, false, kDropEffectMove, second, CDateTime::Null()));
    EXPECT_EQ(m_messages.shown.size(), 1u);
    Reopen();
    EXPECT_EQ(Event(a).GetStart(), At(2024, 3, 13, 9));
    EXPECT_EQ(Task(t).GetDueDate(), At(2024, 3, 13));
}

TEST_F(MoveItemsTest, ALockedEntryAmongSeveralStaysAndIsReported)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    const std::uint32_t locked =
        StoreEvent(QStringLiteral("locked"), At(2024, 3, 12, 10), Hours(1), CCalendarItem::FlagLocked);
    TestContainer &c = Loaded();
    CDragState drag = Drag(c.m_view, {{a, At(2024, 3, 12, 9)}, {locked, At(2024, 3, 12, 10)}}, Days(1));
    EXPECT_TRUE(c.MoveItems(&c.m_view, false, kDropEffectMove, drag, CDateTime::Null()));
    EXPECT_EQ(m_messages.Texts(), QStringList{ContainerText::Load(61277)});
    Reopen();
    EXPECT_EQ(Event(a).GetStart(), At(2024, 3, 13, 9));
    EXPECT_EQ(Event(locked).GetStart(), At(2024, 3, 12, 10));
}

TEST_F(MoveItemsTest, TheTaskViewMovesNoTaskAndCopiesOnlyOnCopy)
{
    const std::uint32_t id = StoreTask(QStringLiteral("t"), At(2024, 3, 13));
    TestContainer &c = Loaded(ViewKind::Tasks);
    CDragState move = Drag(c.m_view, {{id, At(2024, 3, 13)}});
    c.MoveItems(&c.m_view, false, kDropEffectMove, move, CDateTime::Null());
    Reopen();
    EXPECT_EQ(TaskIds().size(), 1u);
    CDragState copy = Drag(c.m_view, {{id, At(2024, 3, 13)}});
    c.MoveItems(&c.m_view, false, kDropEffectCopy, copy, CDateTime::Null());
    Reopen();
    EXPECT_EQ(TaskIds().size(), 2u);
}

TEST_F(MoveItemsTest, ReadOnlyDataIsRefusedBeforeAnythingIsAsked)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    TestContainer &c = Loaded();
    CDragState drag = Drag(c.m_view, {{a, At(2024, 3, 12, 9)}}, Days(1));
    m_doc.CloseCalendarFile();
    ASSERT_EQ(m_doc.OpenCalendarFile(m_path, QString(), nullptr, true, true), S_OK);
    ProgramSettings().confirmMove = 1;
    EXPECT_FALSE(c.MoveItems(&c.m_view, true, kDropEffectMove, drag, CDateTime::Null()));
    EXPECT_EQ(m_messages.Texts(), QStringList{ContainerText::Load(58016)});
}

} // namespace
