// The task list on a real data file: its column sets and popup menus, the overdue pass of the day
// change, the press on the "Complete" column, and pasting text and the item format (well-formed,
// from another file version, and damaged in every length and count it carries).
#include "containers/support/ContainerFixture.h"

#include "containers/tasks/TaskListCtrl.h"
#include "containers/tasks/TaskListPaste.h"
#include "containers/tasks/TaskListRules.h"
#include "containers/tasks/TaskListWnd.h"
#include "core/document/TransferFormat.h"
#include "core/document/TransferWriter.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/StringTable.h"
#include "views/base/CustomWnd.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QtEndian>

using namespace container_test;

namespace {

// A list container with the task list as its view: every task is shown.
class TaskListHost : public CViewContainer
{
  public:
    TaskListHost()
    {
        SetViewKind(ViewKind::Tasks, ViewKind::SectionIndexOf(ViewKind::Tasks));
        list.SetContainer(this);
    }
    CCalendarViewCtrl *GetViewCtrl() const override { return const_cast<CTaskListCtrl *>(&list); }
    int GetItemCount() const override { return list.GetEntryCount(); }
    bool IsItemInShownRange(const CCalendarItem &) const override { return true; }
    HRESULT LoadPeriodItems(bool, bool, const CDateTime &) override
    {
        list.RemoveAllEntries();
        CItemLoadingVisitors::TaskLoad how;
        const HRESULT hr = CItemLoadingVisitors::LoadScreenTasks(*this, how);
        list.SortDisplayItems();
        return hr;
    }
    CTaskListCtrl list;
};

class TaskListTest : public ContainerFixture
{
  protected:
    TaskListHost &Host()
    {
        m_host = std::make_unique<TaskListHost>();
        m_host->SetContext(&m_context);
        m_host->SetDataSource(&m_port);
        m_host->UpdateFilter(false);
        EXPECT_EQ(m_host->ReloadItems(false, false, CDateTime::Null()), S_OK);
        return *m_host;
    }
    void TearDown() override
    {
        m_host.reset();
        ContainerFixture::TearDown();
    }
    QString TypeName(int index) { return m_doc.GetItemTypes().GetType(index)->GetName(); }
    std::unique_ptr<TaskListHost> m_host;
};

// The list's window with a menu that answers by itself: it records what it offered and picks
// the entry of the chosen command.
class ScriptedMenuWnd : public CTaskListWnd
{
  public:
    using CTaskListWnd::CTaskListWnd;
    QAction *ExecMenu(QMenu &menu, const QPoint &) override
    {
        offered.clear();
        QAction *pick = nullptr;
        for (QAction *a : menu.actions()) {
            if (a->isSeparator())
                continue;
            offered << a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (off)"));
            if (a->data().toInt() == choose)
                pick = a;
        }
        return pick;
    }
    QStringList offered;
    int choose = 0;
};

QByteArray Bytes(std::initializer_list<std::uint32_t> words)
{
    QByteArray out;
    for (std::uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            out.append(char((w >> (8 * i)) & 0xFF));
    return out;
}

TEST(TaskListRulesTest, ColumnSetsAndMenus)
{
    EXPECT_EQ(CTaskListRules::Columns(false),
              (std::vector<int>{0, 32, 2, 3, 33, 4, 34, 35, 5, 37, 38, 6, 7}));
    EXPECT_EQ(CTaskListRules::Columns(true).size(), 18u);
    EXPECT_EQ(CTaskListRules::TaskPadColumns(false), (std::vector<int>{0, 32, 33, 4, 35}));
    EXPECT_EQ(CTaskListRules::TaskPadColumns(true), CTaskListRules::Columns(true));

    using P = CTaskListRules::MenuPlace;
    const struct
    {
        P place;
        bool focused;
        int hit;
        int menu;
    } cases[] = {
        {P::Keyboard, true, 0, 9},
        {P::Keyboard, false, 0, 11},
        {P::Header, false, 0, 7},
        {P::Rows, false, HitEntryBody, 9},
        {P::Rows, false, HitNothing, 11},
        {P::Rows, false, HitVertScroll, -1},
        {P::Rows, false, HitHorzScroll, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CTaskListRules::ChooseContextMenu(c.place, c.focused, c.hit), c.menu) << c.hit;
    EXPECT_EQ(CTaskListRules::TaskPadMenu(7), 20);
    EXPECT_EQ(CTaskListRules::TaskPadMenu(11), 19);
    EXPECT_EQ(CTaskListRules::TaskPadMenu(9), 9);
    EXPECT_EQ(CTaskListRules::TaskPadMenu(-1), -1);
}

TEST(TaskListRulesTest, PastedTextSplitsAtTheFirstLineFeed)
{
    const struct
    {
        QString text, subject, notes;
    } cases[] = {
        {QStringLiteral("Buy milk"), QStringLiteral("Buy milk"), QString()},
        {QStringLiteral("Buy milk\r\nand bread\r\nand eggs"), QStringLiteral("Buy milk"),
         QStringLiteral("and bread\r\nand eggs")},
        {QStringLiteral("Call back\nabout the invoice"), QStringLiteral("Call back"),
         QStringLiteral("about the invoice")},
        {QStringLiteral("One line") + QChar(0), QStringLiteral("One line"), QString()},
        {QStringLiteral("\nonly notes"), QString(), QStringLiteral("only notes")},
    };
    for (const auto &c : cases) {
        QString subject, notes;
        CTaskListRules::SplitPastedText(c.text, subject, notes);
        EXPECT_EQ(subject, c.subject) << c.text.toStdString();
        EXPECT_EQ(notes, c.notes) << c.text.toStdString();
    }
}

TEST_F(TaskListTest, HoldsTasksOnlyWithItsDefaultLayout)
{
    StoreEvent(QStringLiteral("meeting"), At(2024, 3, 12, 9), Hours(1));
    StoreTask(QStringLiteral("report"), At(2024, 3, 14));
    TaskListHost &h = Host();
    EXPECT_EQ(h.list.GetEntryCount(), 1);
    EXPECT_EQ(h.list.GetSection(), QStringLiteral("Tasks"));
    EXPECT_EQ(h.list.GetCaption(), QStringLiteral("Tasks"));
    h.list.LoadDefaultLayout();
    EXPECT_EQ(h.list.Columns().Count(), 13);
    EXPECT_EQ(h.list.Columns().SortId(), 35);

    CItemRef event;
    event.SetItem(std::make_unique<CEventItem>(Event(EventIds().front())));
    EXPECT_FALSE(h.list.AddItem(event));
    CItemRef empty;
    EXPECT_FALSE(h.list.AddItem(empty));
    EXPECT_EQ(h.list.GetEntryCount(), 1);
}

TEST_F(TaskListTest, TheDayChangeMarksOpenTasksThatFellDue)
{
    const std::uint32_t dueToday = StoreTask(QStringLiteral("due today"), At(2024, 3, 12));
    const std::uint32_t done = StoreTask(QStringLiteral("done"), At(2024, 3, 12), CTaskItem::TF_COMPLETED);
    CTaskItem someday;
    someday.SetSubject(QStringLiteral("someday"));
    ASSERT_EQ(m_doc.StoreTask(someday, true), S_OK);
    const std::uint32_t noDue = someday.GetRecordId();
    const std::uint32_t later = StoreTask(QStringLiteral("later"), At(2024, 3, 20));
    TaskListHost &h = Host();
    ASSERT_EQ(h.list.GetEntryCount(), 4);
    auto overdue = [&](std::uint32_t id) {
        for (const auto &e : h.list.GetEntries())
            if (e->GetItemRef() == id)
                return e->HasFlag(CDisplayItem::FlagOverdue);
        ADD_FAILURE() << id;
        return false;
    };
    EXPECT_FALSE(h.list.MarkOverdue()); // the same day as the rows were made
    EXPECT_FALSE(overdue(dueToday));

    SetNowProvider([] { return CDateTime(2024, 3, 13, 0, 5, 0); });
    UpdateToday();
    EXPECT_TRUE(h.list.MarkOverdue());
    EXPECT_TRUE(overdue(dueToday));
    EXPECT_FALSE(overdue(done));
    EXPECT_FALSE(overdue(noDue));
    EXPECT_FALSE(overdue(later));
    EXPECT_EQ(h.list.GetOverdueDay(), At(2024, 3, 13));
    EXPECT_FALSE(h.list.MarkOverdue());
}

TEST_F(TaskListTest, PastingItemsMakesNewTasksTypedByName)
{
    const QString type = TypeName(1);
    CEventItem event;
    event.SetSubject(QStringLiteral("workshop"));
    event.SetStart(At(2024, 3, 15, 9));
    event.SetDuration(Hours(2));
    event.SetItemTypeName(type);
    CTaskItem task;
    task.SetSubject(QStringLiteral("slides"));
    task.SetDueDate(At(2024, 3, 14));
    task.SetItemTypeName(QStringLiteral("no such type"));
    CTransferWriter writer(m_port.GetFormatVersion());
    writer.AddEvent(event, Transfer::TagEvent);
    writer.AddEmpty();
    writer.AddTask(task);

    TaskListHost &h = Host();
    QMimeData data;
    data.setData(TransferFormatMimeType(), writer.GetBytes());
    EXPECT_EQ(h.list.PasteItems(data, QPoint()), S_OK);
    EXPECT_EQ(h.list.GetEntryCount(), 2);
    // Each new task takes the type of its name in the open file's list.
    std::vector<std::unique_ptr<CTaskItem>> read;
    ASSERT_EQ(
        CTaskListPaste::ReadTasks(writer.GetBytes(), m_port.GetFormatVersion(), m_port.GetItemTypes(), read),
        S_OK);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0]->GetItemTypeIndex(), 1);
    EXPECT_EQ(read[0]->GetRecordId(), 0u);
    EXPECT_EQ(read[1]->GetItemTypeIndex(), -1);

    Reopen();
    const auto ids = TaskIds();
    ASSERT_EQ(ids.size(), 2u);
    QStringList subjects;
    for (std::uint32_t id : ids) {
        const CTaskItem t = Task(id);
        subjects << t.GetSubject();
        if (t.GetSubject() == QStringLiteral("workshop")) {
            EXPECT_EQ(t.GetItemTypeName(), type);
            EXPECT_EQ(t.GetDueDate(), At(2024, 3, 15));
        } else {
            EXPECT_EQ(t.GetDueDate(), At(2024, 3, 14));
        }
    }
    subjects.sort();
    EXPECT_EQ(subjects, (QStringList{QStringLiteral("slides"), QStringLiteral("workshop")}));
    EXPECT_TRUE(EventIds().empty());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(TaskListTest, DamagedOrForeignBytesPasteNothing)
{
    CTaskItem task;
    task.SetSubject(QStringLiteral("slides"));
    CTransferWriter writer(m_port.GetFormatVersion());
    writer.AddTask(task);
    const QByteArray good = writer.GetBytes();
    const std::uint32_t version = m_port.GetFormatVersion();

    const QByteArray recordLength = good.mid(12, 4);
    const struct
    {
        const char *what;
        QByteArray bytes;
        bool warned;
    } cases[] = {
        {"another file version", Bytes({version + 1, 1}) + good.mid(8), false},
        {"a count far past the bytes", Bytes({version, 0x40000000}) + good.mid(8), true},
        {"one more record than there is", Bytes({version, 2}) + good.mid(8), true},
        {"a record length past the end", good.left(12) + Bytes({0x7FFFFFF0}) + good.mid(16), true},
        {"cut inside the record", good.left(good.size() / 2), true},
        {"cut before the names", good.left(16 + qFromLittleEndian<quint32>(recordLength.constData())), true},
        {"only the header", good.left(4), true},
    };
    TaskListHost &h = Host();
    for (const auto &c : cases) {
        m_messages.shown.clear();
        QMimeData data;
        data.setData(TransferFormatMimeType(), c.bytes);
        EXPECT_EQ(h.list.PasteItems(data, QPoint()), S_FALSE) << c.what;
        EXPECT_TRUE(TaskIds().empty()) << c.what;
        if (c.warned) {
            ASSERT_EQ(m_messages.shown.size(), 1) << c.what;
            EXPECT_EQ(m_messages.shown.front().text, LoadResString(IDS_PASTE_DAMAGED));
        } else {
            EXPECT_TRUE(m_messages.shown.isEmpty()) << c.what;
        }
    }
    QMimeData text;
    text.setText(QStringLiteral("x"));
    EXPECT_EQ(h.list.PasteItems(text, QPoint()), QV_E_REFUSED);
}

TEST_F(TaskListTest, PastedTextOpensTheTaskEditor)
{
    TaskListHost &h = Host();
    QMimeData two;
    two.setText(QStringLiteral("Book the hall\r\nfor forty people"));
    EXPECT_EQ(h.list.PasteText(two, QPoint()), S_OK);
    QMimeData one;
    one.setText(QStringLiteral("Send invitations"));
    EXPECT_EQ(h.list.PasteText(one, QPoint()), S_OK);
    QMimeData none;
    none.setData(TransferFormatMimeType(), QByteArray(8, '\0'));
    EXPECT_EQ(h.list.PasteText(none, QPoint()), QV_E_CANCELLED);

    ASSERT_EQ(m_editors.opened.size(), 2u);
    EXPECT_EQ(m_editors.opened[0].kind, 2);
    EXPECT_EQ(m_editors.opened[0].subject, QStringLiteral("Book the hall"));
    EXPECT_EQ(m_editors.opened[0].itemId, 0u);
    EXPECT_EQ(m_editors.opened[1].subject, QStringLiteral("Send invitations"));
    EXPECT_TRUE(TaskIds().empty()); // nothing is stored before the editor's OK
}

TEST_F(TaskListTest, TheHeaderAndEmptyRowsMenusRunTheirCommands)
{
    StoreTask(QStringLiteral("one"), At(2024, 3, 14));
    TaskListHost &h = Host();
    ScriptedMenuWnd window(h.list);
    const int subject = h.list.Columns().VisualIndexOf(4);
    ASSERT_GE(subject, 0);
    h.list.SetRightClickColumn(subject);
    window.choose = 32918; // Sort Descending
    window.ShowContextMenu(CTaskListRules::MenuListHeader, QPoint());
    EXPECT_TRUE(window.offered.contains(QStringLiteral("&Field Chooser...")));
    EXPECT_EQ(h.list.Columns().SortId(), 4);
    EXPECT_FALSE(h.list.Columns().Ascending());

    window.choose = ContainerCmd::NewTask;
    window.ShowContextMenu(CTaskListRules::MenuNoSelection, QPoint());
    EXPECT_TRUE(window.offered.contains(QStringLiteral("&New Task")));
    ASSERT_EQ(m_editors.opened.size(), 1u);
    EXPECT_EQ(m_editors.opened[0].kind, 2);
}

TEST_F(TaskListTest, APressOnTheCompleteColumnTogglesOnlyThatTask)
{
    const std::uint32_t first = StoreTask(QStringLiteral("first"), At(2024, 3, 13));
    const std::uint32_t second = StoreTask(QStringLiteral("second"), At(2024, 3, 14));
    TaskListHost &h = Host();
    h.list.LoadDefaultLayout();
    ASSERT_EQ(h.list.GetEntry(0)->GetItemRef(), first);
    h.list.GetEntry(0)->SetState(CDisplayItem::StateSelected | CDisplayItem::StateFocus);
    h.list.SetFocusedEntry(0);

    const int column = h.list.Columns().VisualIndexOf(CTaskListRules::CompleteColumn);
    ASSERT_GE(column, 0);
    const QPoint onSecond(h.list.Columns().LeftOf(column) + 4,
                          h.list.GetHeaderHeight() + h.list.GetRowHeight() + h.list.GetRowHeight() / 2);
    h.list.OnLeftDown(onSecond, 0);
    h.list.OnLeftUp(onSecond);
    // The selection stayed where it was; the second task is completed in the file.
    EXPECT_TRUE(h.list.GetEntry(0)->HasState(CDisplayItem::StateSelected));
    EXPECT_FALSE(h.list.GetEntry(1)->HasState(CDisplayItem::StateSelected));
    EXPECT_EQ(h.list.GetFocusedEntry(), 0);
    EXPECT_TRUE(Task(second).IsCompleted());
    EXPECT_FALSE(Task(first).IsCompleted());

    // A press there that is released elsewhere does nothing.
    h.list.OnLeftDown(onSecond, 0);
    h.list.OnLeftUp(QPoint(onSecond.x() + 200, onSecond.y()));
    EXPECT_TRUE(Task(second).IsCompleted());
}

} // namespace
