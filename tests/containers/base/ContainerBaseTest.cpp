// The container base on a real data file: a changed item shown again, reload results, counts,
// the paste state and the print visitors.
#include "containers/support/ContainerFixture.h"

#include "containers/base/ContainerStrings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace container_test;

namespace {

class ContainerBaseTest : public ContainerFixture
{
};

// A container whose load ends with the code the test chooses.
class FailingLoad : public TestContainer
{
  public:
    using TestContainer::TestContainer;
    HRESULT LoadPeriodItems(bool, bool, const CDateTime &) override { return result; }
    HRESULT result = S_OK;
};

TEST_F(ContainerBaseTest, AChangedItemReplacesItsEntries)
{
    const std::uint32_t id = StoreEvent(QStringLiteral("before"), At(2024, 3, 12, 9), Hours(1));
    const std::uint32_t task = StoreTask(QStringLiteral("task"), At(2024, 3, 13));
    TestContainer &c = MakeContainer(ViewKind::Week);
    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);

    CItemRef holder;
    holder.SetRecordId(id);
    auto changed = std::make_unique<CEventItem>(Event(id));
    changed->SetStart(At(2024, 3, 14, 15));
    changed->SetSubject(QStringLiteral("after"));
    holder.SetItem(std::move(changed));
    c.OnItemUpdated(holder, false);
    EXPECT_LT(c.m_view.FindEntry(id, At(2024, 3, 12, 9)), 0);
    const CDisplayItem *moved = Find(c.m_view, id, At(2024, 3, 14, 15));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->GetSubject(), QStringLiteral("after"));

    CItemRef taskHolder;
    taskHolder.SetRecordId(task);
    taskHolder.SetItem(std::make_unique<CTaskItem>(Task(task)));
    m_taskPad.updated.clear();
    c.OnItemUpdated(taskHolder, false);
    EXPECT_EQ(m_taskPad.updated, std::vector<std::uint32_t>{task});
    EXPECT_EQ(c.m_view.GetEntryCount(), 2);
}

TEST_F(ContainerBaseTest, ARescheduledReminderClearsTheMarkOfItsEntry)
{
    CEventItem event;
    event.SetSubject(QStringLiteral("call"));
    event.SetStart(At(2024, 3, 12, 9));
    event.SetDuration(Hours(1));
    event.SetReminder(true, Minutes(15));
    ASSERT_EQ(m_doc.StoreEvent(event, true), S_OK);
    TestContainer &c = MakeContainer(ViewKind::Week);
    ASSERT_EQ(c.ReloadItems(false, false, At(2024, 3, 11)), S_OK);
    CDisplayItem *entry = Find(c.m_view, event.GetRecordId(), At(2024, 3, 12, 9));
    ASSERT_TRUE(entry);
    ASSERT_TRUE(entry->HasFlag(CDisplayItem::FlagReminder));
    EXPECT_TRUE(c.OnItemRescheduled(event.GetRecordId(), At(2024, 3, 12, 9), At(2024, 3, 12, 9)));
    EXPECT_FALSE(entry->HasFlag(CDisplayItem::FlagReminder));
    EXPECT_FALSE(c.OnItemRescheduled(event.GetRecordId() + 100, At(2024, 3, 12, 9), At(2024, 3, 12, 9)));
}

TEST_F(ContainerBaseTest, ReloadResultsAndCounts)
{
    m_containers.push_back(std::make_unique<FailingLoad>(ViewKind::Month));
    auto &c = static_cast<FailingLoad &>(*m_containers.back());
    c.SetContext(&m_context);
    c.SetDataSource(&m_port);

    c.result = QV_E_ITEM_LOAD; // counts as success
    c.Reload(false);
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_EQ(m_taskPad.reloads, 1);

    c.result = QV_E_NO_RESOURCES;
    c.Reload(false);
    EXPECT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_taskPad.reloads, 1);

    c.UpdateCountPane();
    EXPECT_EQ(m_main.taskPadCount, 0);
    TestContainer &year = MakeContainer(ViewKind::Year);
    year.UpdateCountPane();
    EXPECT_EQ(m_main.taskPadCount, -1);
}

TEST_F(ContainerBaseTest, PasteNeedsTextOrItemsAndAWritableFile)
{
    TestContainer &c = MakeContainer(ViewKind::Week);
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(c.CanPaste());
    auto *data = new QMimeData;
    data->setData(QStringLiteral("application/x-other"), QByteArray("x"));
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_FALSE(c.CanPaste());
    QGuiApplication::clipboard()->setText(QStringLiteral("lunch"));
    EXPECT_TRUE(c.CanPaste());
    c.SetDataSource(nullptr);
    EXPECT_FALSE(c.CanPaste());
}

class FakeTaskPadPrint : public ITaskPadPrintView
{
  public:
    bool AddTaskIfPasses(const CTaskItem &task) override
    {
        tasks.push_back(task.GetRecordId());
        return true;
    }
    std::vector<std::uint32_t> tasks;
};

TEST_F(ContainerBaseTest, PrintVisitorsFillThePrintViewAndTheTaskPadColumn)
{
    const std::uint32_t inside = StoreEvent(QStringLiteral("inside"), At(2024, 4, 2, 9), Hours(1));
    StoreEvent(QStringLiteral("outside"), At(2024, 3, 12, 9), Hours(1));
    const std::uint32_t due = StoreTask(QStringLiteral("due"), At(2024, 4, 3));
    const std::uint32_t later = StoreTask(QStringLiteral("later"), At(2024, 6, 3));
    TestContainer &c = MakeContainer(ViewKind::Week);
    TestView printView(3);
    printView.SetFirstDate(At(2024, 4, 1));
    FakeTaskPadPrint taskPad;
    ContainerPrintJob job;
    job.styleId = 259;
    job.view = &printView;
    job.taskPad = &taskPad;
    job.start = At(2024, 4, 1);
    job.dayCount = 7;
    c.SetPrintJob(&job);

    ASSERT_EQ(CItemLoadingVisitors::LoadPrintEvents(c), S_OK);
    ASSERT_EQ(CItemLoadingVisitors::LoadPrintTasks(c), S_OK);
    std::vector<std::uint32_t> printed;
    for (const auto &e : printView.GetEntries())
        printed.push_back(e->GetItemRef());
    std::sort(printed.begin(), printed.end());
    std::vector<std::uint32_t> expected{inside, due};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(printed, expected);
    EXPECT_EQ(taskPad.tasks, (std::vector<std::uint32_t>{due, later}));

    EXPECT_EQ(CItemLoadingVisitors::PrintEventMode(64), 3);
    EXPECT_EQ(CItemLoadingVisitors::PrintEventMode(259), 0);
    WriteProfileInt(GetPrintingSection(259), QStringLiteral("SN"), 1);
    EXPECT_EQ(CItemLoadingVisitors::PrintEventMode(259), 3);
    EXPECT_EQ(CItemLoadingVisitors::PrintEventMode(261), 0);
    EXPECT_EQ(CItemLoadingVisitors::PrintTaskMode(262), 0);
    EXPECT_EQ(CItemLoadingVisitors::PrintTaskMode(32), 3);
}

} // namespace
