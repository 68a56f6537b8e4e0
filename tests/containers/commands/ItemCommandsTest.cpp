// The item commands on a real data file over mixed selections: after each, the file is opened
// again and exactly the expected records are checked.
#include "containers/support/ContainerFixture.h"

#include "containers/base/ContainerStrings.h"
#include "core/lists/ItemType.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

using namespace container_test;

namespace {

bool Contains(const std::vector<std::uint32_t> &ids, std::uint32_t id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class ItemCommandsTest : public ContainerFixture
{
  protected:
    TestContainer &Loaded(int kind)
    {
        TestContainer &c = MakeContainer(kind);
        EXPECT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
        return c;
    }
    static void MakePrivate(CCalendarViewCtrl &view, std::uint32_t id)
    {
        for (const auto &e : view.GetEntries())
            if (e->GetItemRef() == id)
                e->SetFlags((e->GetFlags() | CDisplayItem::FlagPrivate) & ~CDisplayItem::FlagOwnItem);
    }
};

TEST_F(ItemCommandsTest, DeleteOverAMixedSelection)
{
    const std::uint32_t locked =
        StoreEvent(QStringLiteral("locked"), At(2024, 3, 12, 9), Hours(1), CCalendarItem::FlagLocked);
    const std::uint32_t priv = StoreEvent(QStringLiteral("private"), At(2024, 3, 12, 10), Hours(1));
    const std::uint32_t series = StoreDaily(QStringLiteral("daily"), At(2024, 3, 1, 8), Hours(1));
    const std::uint32_t single = StoreEvent(QStringLiteral("single"), At(2024, 3, 13, 9), Hours(1));
    const std::uint32_t task = StoreTask(QStringLiteral("task"), At(2024, 3, 14));
    TestContainer &c = Loaded(ViewKind::Week);
    MakePrivate(c.m_view, priv);
    const CDateTime occurrence = At(2024, 3, 12, 8);
    Select(c.m_view, locked);
    Select(c.m_view, priv);
    Select(c.m_view, series, &occurrence);
    Select(c.m_view, single);
    Select(c.m_view, task);
    m_messages.script = {MessageResult::Yes, MessageResult::Ok};
    m_prompts.choices = {OccurrenceChoice::Occurrence};

    ASSERT_TRUE(c.OnCommand(ContainerCmd::Delete));

    EXPECT_EQ(m_messages.Texts(),
              (QStringList{ContainerText::WithCount(58003, 5), ContainerText::Load(61261)}));
    EXPECT_EQ(m_prompts.asked.size(), 1u);
    Reopen();
    const auto events = EventIds();
    EXPECT_TRUE(Contains(events, locked));
    EXPECT_TRUE(Contains(events, priv));
    EXPECT_TRUE(Contains(events, series));
    EXPECT_FALSE(Contains(events, single));
    EXPECT_FALSE(Contains(TaskIds(), task));
    const CEventItem kept = Event(series);
    const CRecurrenceException *gone = kept.GetExceptionAt(kept.FindExceptionIndex(occurrence));
    ASSERT_TRUE(gone);
    EXPECT_TRUE(gone->IsDeleted());
    EXPECT_EQ(kept.GetExceptionCount(), 1);
    // The view lost exactly the deleted entries.
    EXPECT_GE(c.m_view.FindEntry(locked, At(2024, 3, 12, 9)), 0);
    EXPECT_LT(c.m_view.FindEntry(series, occurrence), 0);
    EXPECT_GE(c.m_view.FindEntry(series, At(2024, 3, 13, 8)), 0);
    EXPECT_LT(c.m_view.FindEntry(single, At(2024, 3, 13, 9)), 0);
}

TEST_F(ItemCommandsTest, DeleteConfirmations)
{
    const std::uint32_t locked =
        StoreEvent(QStringLiteral("locked"), At(2024, 3, 12, 9), Hours(1), CCalendarItem::FlagLocked);
    const std::uint32_t series = StoreDaily(QStringLiteral("daily"), At(2024, 3, 1, 8), Hours(1));
    const std::uint32_t single = StoreEvent(QString(140, QLatin1Char('s')), At(2024, 3, 13, 9), Hours(1));
    TestContainer &c = Loaded(ViewKind::Week);

    // A single locked entry: reported, nothing asked or deleted.
    Select(c.m_view, locked);
    c.OnCommand(ContainerCmd::Delete);
    EXPECT_EQ(m_messages.LastText(), ContainerText::WithSubject(61259, QStringLiteral("locked")));
    c.m_view.SetAllItemStates(0, CDisplayItem::StateSelected, false);

    // An occurrence: straight to the occurrence prompt; Cancel keeps everything.
    m_messages.shown.clear();
    const CDateTime occurrence = At(2024, 3, 14, 8);
    Select(c.m_view, series, &occurrence);
    c.OnCommand(ContainerCmd::Delete);
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_EQ(m_prompts.asked, (std::vector<std::pair<int, int>>{{1, 1}}));
    c.m_view.SetAllItemStates(0, CDisplayItem::StateSelected, false);

    // One plain entry: the subject is cut in the question; No keeps it.
    Select(c.m_view, single);
    m_messages.script = {MessageResult::No};
    c.OnCommand(ContainerCmd::Delete);
    EXPECT_EQ(m_messages.LastText(), ContainerText::Load(58002).replace(
                                         QStringLiteral("%s"), QString(124, QLatin1Char('s')) + "..."));
    Reopen();
    EXPECT_EQ(EventIds().size(), 3u);
    EXPECT_EQ(Event(series).GetExceptionCount(), 0);
}

TEST_F(ItemCommandsTest, CutDeletesTheOccurrenceInTheDayViewAndTheSeriesInTheList)
{
    const std::uint32_t series = StoreDaily(QStringLiteral("daily"), At(2024, 3, 1, 8), Hours(1));
    const CDateTime occurrence = At(2024, 3, 12, 8);
    {
        TestContainer &day = Loaded(ViewKind::Day);
        Select(day.m_view, series, &occurrence);
        day.OnCommand(ContainerCmd::Cut);
        EXPECT_TRUE(m_messages.shown.isEmpty());
        EXPECT_TRUE(m_prompts.asked.empty());
        ASSERT_TRUE(QGuiApplication::clipboard()->mimeData());
        EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(TransferFormatMimeType()));
    }
    Reopen();
    ASSERT_TRUE(Contains(EventIds(), series));
    EXPECT_EQ(Event(series).GetExceptionCount(), 1);

    TestContainer &list = Loaded(ViewKind::EventList);
    const CDateTime other = At(2024, 3, 13, 8);
    Select(list.m_view, series, &other);
    list.OnCommand(ContainerCmd::Cut);
    EXPECT_TRUE(m_messages.shown.isEmpty());
    Reopen();
    EXPECT_FALSE(Contains(EventIds(), series));
}

TEST_F(ItemCommandsTest, DeletingOneInstanceOfARecurringTask)
{
    const std::uint32_t advancing = StoreRecurringTask(QStringLiteral("weekly"), At(2024, 3, 12));
    const std::uint32_t ending = StoreRecurringTask(QStringLiteral("last"), At(2024, 3, 13), At(2024, 3, 15));
    // A recurring task without a due date has no next instance to move to.
    CTaskItem undated;
    undated.SetSubject(QStringLiteral("undated"));
    undated.SetDueDate(At(2024, 3, 14));
    undated.SetRecurrence(Recur::Daily | Recur::ByDate, 7, 0, At(2024, 3, 14), CDateTime());
    ASSERT_EQ(m_doc.StoreTask(undated, true), S_OK);
    TestContainer &c = Loaded(ViewKind::Week);
    ASSERT_GE(c.m_view.FindEntry(undated.GetRecordId(), At(2024, 3, 14)), 0);
    // Drop the due date behind the view's back: the entry still shows the old date.
    CTaskItem stored = Task(undated.GetRecordId());
    stored.SetFlag(CTaskItem::TF_HAS_DUE, false);
    ASSERT_EQ(m_doc.StoreTask(stored, true), S_OK);

    for (std::uint32_t id : {advancing, ending, undated.GetRecordId()})
        Select(c.m_view, id);
    m_messages.script = {MessageResult::Yes};
    m_prompts.choices = {OccurrenceChoice::Occurrence, OccurrenceChoice::Occurrence,
                         OccurrenceChoice::Occurrence};
    c.OnCommand(ContainerCmd::Delete);

    Reopen();
    const auto tasks = TaskIds();
    ASSERT_EQ(tasks, (std::vector<std::uint32_t>{advancing}));
    EXPECT_EQ(Task(advancing).GetDueDate(), At(2024, 3, 19));
    // The finished instances are gone from the view.
    EXPECT_LT(c.m_view.FindEntry(ending, At(2024, 3, 13)), 0);
    EXPECT_LT(c.m_view.FindEntry(undated.GetRecordId(), At(2024, 3, 14)), 0);
}

TEST_F(ItemCommandsTest, AStoreFailureAtTheKthEntryStopsWithOneReport)
{
    std::vector<std::uint32_t> ids;
    for (int i = 0; i < 4; ++i)
        ids.push_back(StoreEvent(QStringLiteral("e%1").arg(i), At(2024, 3, 12, 9 + i), Hours(1)));
    TestContainer &c = Loaded(ViewKind::Week);
    c.m_view.SetAllItemStates(CDisplayItem::StateSelected, CDisplayItem::StateSelected, false);
    m_port.ResetCounts();
    m_port.failStoreAt = 3;
    const int lockedBefore = 0;
    c.OnCommand(ContainerCmd::Lock);

    EXPECT_EQ(m_messages.shown.size(), 1u);
    Reopen();
    int locked = lockedBefore;
    std::vector<bool> states;
    for (std::uint32_t id : ids)
        states.push_back(Event(id).HasFlag(CCalendarItem::FlagLocked));
    for (bool s : states)
        locked += s ? 1 : 0;
    EXPECT_EQ(states, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(locked, 2);
}

TEST_F(ItemCommandsTest, ChangeTypeSkipsLockedAndPrivateAndStopsAtTheFirstFailure)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    const std::uint32_t locked =
        StoreEvent(QStringLiteral("locked"), At(2024, 3, 12, 10), Hours(1), CCalendarItem::FlagLocked);
    const std::uint32_t priv = StoreEvent(QStringLiteral("private"), At(2024, 3, 12, 11), Hours(1));
    const std::uint32_t b = StoreEvent(QStringLiteral("b"), At(2024, 3, 12, 12), Hours(1));
    const std::uint32_t t = StoreTask(QStringLiteral("t"), At(2024, 3, 13));
    TestContainer &c = Loaded(ViewKind::Week);
    MakePrivate(c.m_view, priv);
    c.m_view.SetAllItemStates(CDisplayItem::StateSelected, CDisplayItem::StateSelected, false);
    m_port.ResetCounts();
    m_port.failStoreAt = 3; // two of a, b and the task change, the third store fails
    c.OnCommand(ContainerCmd::SetTypeFirst + 1);

    const QString typeName = m_doc.GetItemTypes().GetType(1)->GetName();
    EXPECT_EQ(m_messages.shown.size(), 2u); // the failure, then the locked entry
    EXPECT_EQ(m_messages.LastText(), ContainerText::Load(61277));
    Reopen();
    const int changed = int(Event(a).GetItemTypeName() == typeName) +
                        int(Event(b).GetItemTypeName() == typeName) +
                        int(Task(t).GetItemTypeName() == typeName);
    EXPECT_EQ(changed, 2);
    EXPECT_NE(Event(locked).GetItemTypeName(), typeName);
    EXPECT_NE(Event(priv).GetItemTypeName(), typeName);
}

TEST_F(ItemCommandsTest, ConvertEventsToTasks)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    const std::uint32_t b = StoreEvent(QStringLiteral("b"), At(2024, 3, 13, 9), Hours(1));
    const std::uint32_t locked =
        StoreEvent(QStringLiteral("locked"), At(2024, 3, 14, 9), Hours(1), CCalendarItem::FlagLocked);
    TestContainer &c = Loaded(ViewKind::Week);
    c.m_view.SetAllItemStates(CDisplayItem::StateSelected, CDisplayItem::StateSelected, false);
    m_messages.script = {MessageResult::No, MessageResult::Ok};
    c.OnCommand(ContainerCmd::ConvertToTask);

    EXPECT_EQ(m_messages.Texts().front(), ContainerText::Load(59434));
    Reopen();
    EXPECT_EQ(EventIds(), (std::vector<std::uint32_t>{locked}));
    const auto tasks = TaskIds();
    ASSERT_EQ(tasks.size(), 2u);
    QStringList subjects;
    for (std::uint32_t id : tasks) {
        const CTaskItem t = Task(id);
        subjects << t.GetSubject();
        EXPECT_FALSE(t.HasDueDate());
        EXPECT_FALSE(t.HasStartDate());
    }
    subjects.sort();
    EXPECT_EQ(subjects, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_LT(c.m_view.FindEntry(a, At(2024, 3, 12, 9)), 0);
    EXPECT_LT(c.m_view.FindEntry(b, At(2024, 3, 13, 9)), 0);
}

TEST_F(ItemCommandsTest, AFailedTaskStoreKeepsTheEventAndOneEntryOpensTheNewTask)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    TestContainer &c = Loaded(ViewKind::Week);
    Select(c.m_view, a);
    m_messages.script = {MessageResult::Yes, MessageResult::Ok};
    m_port.failStoreAt = 1;
    c.OnCommand(ContainerCmd::ConvertToTask);
    Reopen();
    EXPECT_EQ(EventIds(), (std::vector<std::uint32_t>{a}));
    EXPECT_TRUE(TaskIds().empty());
    EXPECT_TRUE(m_editors.opened.empty());

    m_port.failStoreAt = 0;
    TestContainer &again = Loaded(ViewKind::Week);
    Select(again.m_view, a);
    m_messages.script = {MessageResult::Yes};
    again.OnCommand(ContainerCmd::ConvertToTask);
    Reopen();
    EXPECT_TRUE(EventIds().empty());
    ASSERT_EQ(TaskIds().size(), 1u);
    const CTaskItem task = Task(TaskIds().front());
    EXPECT_TRUE(task.HasDueDate());
    ASSERT_EQ(m_editors.opened.size(), 1u);
    EXPECT_EQ(m_editors.opened.front().kind, 2);
    EXPECT_EQ(m_editors.opened.front().holderId, task.GetRecordId());
}

TEST_F(ItemCommandsTest, ConvertTaskToEventAsksAboutTheTask)
{
    const std::uint32_t t = StoreTask(QStringLiteral("t"), At(2024, 3, 13));
    TestContainer &c = Loaded(ViewKind::Week);
    Select(c.m_view, t);
    m_messages.script = {MessageResult::Yes};
    c.OnCommand(ContainerCmd::ConvertToEvent);
    EXPECT_TRUE(m_messages.LastText().contains(QStringLiteral("this task to an event")));
    Reopen();
    EXPECT_TRUE(TaskIds().empty());
    ASSERT_EQ(EventIds().size(), 1u);
    EXPECT_EQ(Event(EventIds().front()).GetSubject(), QStringLiteral("t"));
}

TEST_F(ItemCommandsTest, CompleteSkipsLockedPrivateAndCompletedTasks)
{
    const std::uint32_t open = StoreTask(QStringLiteral("open"), At(2024, 3, 12));
    const std::uint32_t locked =
        StoreTask(QStringLiteral("locked"), At(2024, 3, 13), CCalendarItem::FlagLocked);
    const std::uint32_t priv = StoreTask(QStringLiteral("private"), At(2024, 3, 14));
    const std::uint32_t event = StoreEvent(QStringLiteral("event"), At(2024, 3, 12, 9), Hours(1));
    TestContainer &c = Loaded(ViewKind::Week);
    MakePrivate(c.m_view, priv);
    c.m_view.SetAllItemStates(CDisplayItem::StateSelected, CDisplayItem::StateSelected, false);
    c.OnCommand(ContainerCmd::CompleteTasks);

    EXPECT_EQ(m_messages.Texts(), QStringList{ContainerText::Load(61277)});
    Reopen();
    EXPECT_TRUE(Task(open).IsCompleted());
    EXPECT_FALSE(Task(locked).IsCompleted());
    EXPECT_FALSE(Task(priv).IsCompleted());
    EXPECT_TRUE(Contains(EventIds(), event));
}

TEST_F(ItemCommandsTest, OpenAnOccurrenceOrTheSeries)
{
    const std::uint32_t series = StoreDaily(QStringLiteral("daily"), At(2024, 3, 1, 8), Hours(1));
    ASSERT_EQ(m_doc.DeleteOccurrence(series, At(2024, 3, 14, 8), true, true), S_OK);
    TestContainer &c = Loaded(ViewKind::Week);
    const CDisplayItem *entry = Find(c.m_view, series, At(2024, 3, 12, 8));
    ASSERT_TRUE(entry);
    const CDisplayItem copy(*entry);

    m_prompts.choices = {OccurrenceChoice::Occurrence};
    c.OpenItem(copy);
    ASSERT_EQ(m_editors.opened.size(), 1u);
    EXPECT_TRUE(m_editors.opened[0].oneOccurrence);
    EXPECT_TRUE(m_editors.opened[0].newException);
    EXPECT_EQ(m_editors.opened[0].itemId, 0u);
    EXPECT_EQ(m_editors.opened[0].holderId, series);

    m_prompts.shift = true;
    c.OpenItem(copy);
    ASSERT_EQ(m_editors.opened.size(), 2u);
    EXPECT_FALSE(m_editors.opened[1].oneOccurrence);
    EXPECT_EQ(m_editors.opened[1].itemId, series);
    EXPECT_EQ(m_prompts.asked.size(), 1u); // Shift asks nothing

    // An occurrence deleted meanwhile cannot be opened.
    m_prompts.shift = false;
    m_prompts.choices = {OccurrenceChoice::Occurrence};
    CDisplayItem deleted(copy);
    deleted.SetOccurrenceDate(At(2024, 3, 14, 8));
    c.OpenItem(deleted);
    EXPECT_EQ(m_editors.opened.size(), 2u);
    EXPECT_TRUE(m_messages.LastText().startsWith(ErrorCodeToText(QV_E_ITEM_LOAD)));

    // Cancel ends the command.
    m_prompts.choices = {OccurrenceChoice::Cancel};
    c.OpenItem(copy);
    EXPECT_EQ(m_editors.opened.size(), 2u);
}

TEST_F(ItemCommandsTest, NewItemsStartAtTheRoundedTimeOfThePickedDate)
{
    TestContainer &c = Loaded(ViewKind::Week);
    m_main.current = At(2024, 3, 20);
    SetNowProvider([] { return At(2024, 3, 12, 10, 10); });
    c.OnCommand(ContainerCmd::NewEventFirst);
    ASSERT_EQ(m_editors.opened.size(), 1u);
    EXPECT_EQ(m_editors.opened[0].start, At(2024, 3, 20, 10, 30));
    EXPECT_FALSE(m_editors.opened[0].recurrencePage);

    c.OnCommand(ContainerCmd::NewRecurringFirst + 1);
    ASSERT_EQ(m_editors.opened.size(), 2u);
    EXPECT_TRUE(m_editors.opened[1].recurrencePage);

    c.OnCommand(ContainerCmd::NewTaskForDays);
    ASSERT_EQ(m_editors.opened.size(), 3u);
    EXPECT_EQ(m_editors.opened[2].kind, 2);
    EXPECT_EQ(m_editors.opened[2].start, At(2024, 3, 20)); // its due date
}

// Commands pass the zoom-day list, the TaskPad or the view before the container's own map.
class FakeTarget : public ICommandTarget
{
  public:
    bool OnCommand(int id) override
    {
        ran.push_back(id);
        return handles;
    }
    bool OnUpdateCommand(int, CCmdUI &ui) override
    {
        ui.Enable(true);
        return handles;
    }
    std::vector<int> ran;
    bool handles = true;
};

class FakeZoom : public IZoomListPort
{
  public:
    bool IsOpen() const override { return open; }
    ICommandTarget *GetCommandTarget() const override { return target; }
    void TakeFocus() override {}
    bool open = true;
    ICommandTarget *target = nullptr;
};

class RoutedTaskPad : public FakeTaskPad
{
  public:
    ICommandTarget *GetCommandTarget() const override { return target; }
    ICommandTarget *target = nullptr;
};

TEST_F(ItemCommandsTest, RoutingToTheZoomListAndTheTaskPad)
{
    const std::uint32_t a = StoreEvent(QStringLiteral("a"), At(2024, 3, 12, 9), Hours(1));
    FakeTarget zoomTarget, padTarget;
    FakeZoom zoom;
    zoom.target = &zoomTarget;
    RoutedTaskPad pad;
    QWidget padWidget;
    pad.widget = &padWidget;
    pad.target = &padTarget;
    m_context.zoomList = &zoom;
    m_context.taskPad = &pad;
    TestContainer &c = Loaded(ViewKind::Day);
    Select(c.m_view, a);

    c.OnCommand(ContainerCmd::Delete);
    EXPECT_EQ(zoomTarget.ran, std::vector<int>{ContainerCmd::Delete});
    CCmdUI ui;
    ui.Enable(false);
    EXPECT_TRUE(c.OnUpdateCommand(ContainerCmd::Delete, ui));
    EXPECT_TRUE(ui.enabled);

    zoom.open = false;
    c.SetFocusedPane(&padWidget);
    c.OnCommand(ContainerCmd::Delete);
    EXPECT_EQ(padTarget.ran, std::vector<int>{ContainerCmd::Delete});
    EXPECT_TRUE(m_messages.shown.isEmpty());

    // The key notifications come back as the same commands.
    CNotifyRecord key;
    key.code = kNotifyKeyDown;
    key.key = Qt::Key_Delete;
    EXPECT_EQ(c.OnNotify(key), 1);
    EXPECT_EQ(padTarget.ran.size(), 2u);
    // '.' and '-' share their values with the Win32 Delete and Insert keys: they are typing, never commands.
    for (int typed : {int(Qt::Key_Period), int(Qt::Key_Minus)}) {
        key.key = typed;
        key.flags = typed == Qt::Key_Minus ? kModCtrl : 0;
        EXPECT_EQ(c.OnNotify(key), 0);
    }
    EXPECT_EQ(padTarget.ran.size(), 2u);
    Reopen();
    EXPECT_TRUE(Contains(EventIds(), a));
}

TEST_F(ItemCommandsTest, ListKindsHaveNoTodayOrPeriodSteps)
{
    for (int kind : {ViewKind::EventList, ViewKind::Tasks, ViewKind::Search}) {
        TestContainer &c = MakeContainer(kind);
        for (int id : {ContainerCmd::Today, ContainerCmd::GoToDate, ContainerCmd::PrevPeriod,
                       ContainerCmd::NextPeriod}) {
            CCmdUI ui;
            ASSERT_TRUE(c.OnUpdateCommand(id, ui));
            EXPECT_FALSE(ui.enabled) << kind << " " << id;
        }
        c.OnCommand(ContainerCmd::NextPeriod);
        c.OnCommand(ContainerCmd::Today);
        EXPECT_TRUE(c.gotoModes.empty());
    }
    TestContainer &week = MakeContainer(ViewKind::Week);
    week.OnCommand(ContainerCmd::NextPeriod);
    EXPECT_EQ(week.gotoModes, std::vector<int>{4});
    EXPECT_EQ(week.gotoDates.front(), At(2024, 3, 18));
}

} // namespace
