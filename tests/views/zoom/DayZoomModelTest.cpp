// The zoom-day list's decisions without its window: rows, size, enabling, the delete questions,
// cut and copy, mark complete, conversions, keys and the busy flag.
#include "views/zoom/DayZoomModel.h"
#include "views/support/ViewFakes.h"
#include "common/FakeMessagePort.h"
#include "core/system/AppSettings.h"
#include "core/document/TransferFormat.h"
#include "views/base/CustomWnd.h"

#include <QMimeData>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr std::uint32_t kDocId = 10; // the one event the fake document holds

struct ZoomContainer : FakeContainer
{
    std::vector<std::uint32_t> deleted;
    bool deleteQuiet = false;
    std::set<std::uint32_t> refuse; // items the container keeps when asked to delete them
    std::function<void(int)> refill;
    int refills = 0;
    std::vector<std::pair<std::size_t, bool>> conversions; // (count, with due dates)
    const CDisplayItem *detailsShown = nullptr;
    int detailsCalls = 0;
    bool detailsVisible = true;
    std::vector<std::uint32_t> opened;
    int lockCalls = 0;

    void DeleteItems(const std::vector<CDisplayItem *> &items, bool quiet) override
    {
        deleteQuiet = quiet;
        for (CDisplayItem *item : items) {
            deleted.push_back(item->GetItemRef());
            if (!refuse.count(item->GetItemRef()))
                item->SetState(item->GetState() | CDisplayItem::StateRemoved);
        }
    }
    void SetItemsLocked(const std::vector<CDisplayItem *> &, bool) override { ++lockCalls; }
    void ConvertEventsToTasks(const std::vector<CDisplayItem *> &items, bool due) override
    {
        conversions.emplace_back(items.size(), due);
    }
    void ConvertTasksToEvents(const std::vector<CDisplayItem *> &items) override
    {
        conversions.emplace_back(items.size(), false);
    }
    void RefillDayList(int dayKey) override
    {
        ++refills;
        if (refill)
            refill(dayKey);
    }
    bool IsDetailsPaneVisible() const override { return detailsVisible; }
    void ShowDetails(const CDisplayItem *item, bool) override
    {
        detailsShown = item;
        ++detailsCalls;
    }
    void OpenItem(const CDisplayItem &item) override { opened.push_back(item.GetItemRef()); }
};

struct ZoomHost : IDayZoomHost
{
    bool clipboardWorks = true;
    std::unique_ptr<QMimeData> clipboard;
    std::vector<int> posted;
    int destroyed = 0;

    bool SetClipboardData(std::unique_ptr<QMimeData> data) override
    {
        if (!clipboardWorks)
            return false;
        clipboard = std::move(data);
        return true;
    }
    void PostCommand(int id) override { posted.push_back(id); }
    void DestroyWindow() override { ++destroyed; }
    void Repaint() override {}
    void SetWaitState(bool on) override { waits.push_back(on); }

    std::vector<bool> waits; // each SetWaitState call
    bool Waiting() const { return !waits.empty() && waits.back(); }
};

std::unique_ptr<CDisplayItem> Row(std::uint32_t id, const QString &subject, int hour,
                                  int kind = CDisplayItem::KindEvent, std::uint32_t flags = 0)
{
    const CDateTime start(2024, 9, 12, hour, 0, 0);
    auto e = std::make_unique<CDisplayItem>(kind, 0, QStringLiteral("Type"), start, CDateSpan(0, 1, 0, 0));
    e->SetItemRef(id);
    e->SetSubject(subject);
    e->SetOccurrenceDate(start);
    e->SetFlags(e->GetFlags() | flags | CDisplayItem::FlagOwnItem);
    return e;
}

class DayZoomTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        saved = ProgramSettings();
        CEventItem stored;
        stored.SetSubject(QStringLiteral("Stored"));
        stored.SetStart(CDateTime(2024, 9, 12, 9, 0, 0));
        stored.SetDuration(CDateSpan(0, 1, 0, 0));
        container.doc.events.emplace(kDocId, stored);
        model.SetHost(&host);
    }
    void TearDown() override { ProgramSettings() = saved; }
    void SelectRows(std::initializer_list<int> rows)
    {
        model.ClearSelection();
        for (int r : rows)
            model.SetSelected(r, true);
    }
    QStringList Subjects() const
    {
        QStringList s;
        for (int i = 0; i < model.GetRowCount(); ++i)
            s << model.GetRow(i)->GetSubject();
        return s;
    }

    AppSettings saved;
    FakeMessagePort messages;
    ZoomContainer container;
    ZoomHost host;
    CDayZoomModel model{&container, 12, CDateTime(2024, 9, 12), false};
};

TEST_F(DayZoomTest, RowsKeepDisplayOrder)
{
    model.AddRow(Row(3, QStringLiteral("Lunch"), 12));
    model.AddRow(Row(1, QStringLiteral("Breakfast"), 8));
    model.AddRow(Row(2, QStringLiteral("Coffee"), 10));
    EXPECT_EQ(Subjects(), (QStringList{"Breakfast", "Coffee", "Lunch"}));
    EXPECT_EQ(model.AddRow(nullptr), -1);
    model.SetSelected(1, true);
    EXPECT_TRUE(model.GetRow(1)->HasState(CDisplayItem::StateSelected));
    EXPECT_TRUE(model.SelectByKey(3, CDateTime(2024, 9, 12, 12, 0, 0)));
    EXPECT_EQ(model.GetSelectedRows(), std::vector<int>{2});
}

TEST_F(DayZoomTest, WindowGrowsAndShrinksInWholeRows)
{
    const struct
    {
        int rows, rowHeight, heading, workArea;
        QSize size;
    } cases[] = {
        {1, 18, 16, 1000, {400, 374}},  // 50 grows by rows to the first height of 360 or more
        {20, 18, 16, 1000, {400, 392}}, // already tall enough
        {100, 18, 16, 700, {400, 698}}, // shrinks to the work area
        {3, 0, 16, 700, {400, 360}},    // no row height: steps of one pixel, never a hang
    };
    for (const auto &c : cases)
        EXPECT_EQ(CDayZoomModel::FitWindowSize(c.rows, c.rowHeight, c.heading, c.workArea), c.size) << c.rows;
}

TEST_F(DayZoomTest, CommandsNeedASelectionAndWritableData)
{
    model.AddRow(Row(1, QStringLiteral("A"), 9));
    model.AddRow(Row(2, QStringLiteral("B"), 10));
    const int ids[] = {ZoomCommand::Open,   ZoomCommand::Print,     ZoomCommand::Copy,     ZoomCommand::Cut,
                       ZoomCommand::Delete, ZoomCommand::FirstType, ZoomCommand::SelectAll};
    const struct
    {
        std::vector<int> selected;
        bool readOnly;
        std::vector<bool> enabled;
    } cases[] = {
        {{}, false, {false, false, false, false, false, false, true}},
        {{0}, false, {true, true, true, true, true, true, true}},
        {{0, 1}, false, {false, true, true, true, true, true, true}},
        {{0}, true, {true, true, true, false, false, false, true}},
    };
    for (const auto &c : cases) {
        model.ClearSelection();
        for (int r : c.selected)
            model.SetSelected(r, true);
        container.readOnly = c.readOnly;
        for (std::size_t i = 0; i < std::size(ids); ++i)
            EXPECT_EQ(model.IsCommandEnabled(ids[i]), c.enabled[i]) << ids[i] << " " << c.selected.size();
    }
    EXPECT_TRUE(model.IsCommandEnabled(ZoomCommand::Close));
}

TEST_F(DayZoomTest, DeleteAsksFirst)
{
    model.AddRow(Row(1, QStringLiteral("Gym"), 7, CDisplayItem::KindEvent, CDisplayItem::FlagLocked));
    model.AddRow(Row(2, QString(130, QLatin1Char('s')), 8));
    model.AddRow(Row(3, QStringLiteral("Series"), 9, CDisplayItem::KindEvent, CDisplayItem::FlagRecurring));

    // A locked item is refused with a warning, nothing deleted.
    SelectRows({0});
    model.OnCommand(ZoomCommand::Delete);
    EXPECT_EQ(messages.LastText(), QStringLiteral("The item \"Gym\" cannot be deleted."));
    EXPECT_TRUE(container.deleted.empty());
    EXPECT_EQ(model.GetRowCount(), 3);

    // The subject is quoted cut short; No keeps everything.
    SelectRows({1});
    messages.answer = MessageResult::No;
    model.OnCommand(ZoomCommand::Delete);
    EXPECT_EQ(messages.LastText(), QStringLiteral("Are you sure you want to delete the '%1...' item?")
                                       .arg(QString(124, QLatin1Char('s'))));
    EXPECT_TRUE(container.deleted.empty());

    // A plain occurrence of a series is left to the container's own question.
    SelectRows({2});
    const int boxes = int(messages.shown.size());
    model.OnCommand(ZoomCommand::Delete);
    EXPECT_EQ(int(messages.shown.size()), boxes);
    EXPECT_EQ(container.deleted, std::vector<std::uint32_t>{3});
    EXPECT_FALSE(container.deleteQuiet);
    EXPECT_EQ(Subjects().size(), 2);

    // Several rows: one question with the count; only the rows the container deleted go.
    container.deleted.clear();
    container.refuse = {1};
    SelectRows({0, 1});
    messages.answer = MessageResult::Yes;
    model.OnCommand(ZoomCommand::Delete);
    EXPECT_EQ(messages.LastText(), QStringLiteral("Are you sure you want to delete these 2 items?"));
    EXPECT_EQ(container.deleted, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(Subjects(), QStringList{"Gym"});

    // Without confirmation nothing is asked.
    ProgramSettings().confirmDelete = 0;
    container.refuse.clear();
    SelectRows({0});
    const int before = int(messages.shown.size());
    model.OnCommand(ZoomCommand::Delete);
    EXPECT_EQ(int(messages.shown.size()), before);
    EXPECT_EQ(model.GetRowCount(), 0);
}

TEST_F(DayZoomTest, CutDeletesOnlyWhatReachedTheClipboard)
{
    model.AddRow(Row(kDocId, QStringLiteral("Stored"), 9));
    model.AddRow(Row(99, QStringLiteral("Missing"), 10)); // its record cannot be loaded
    model.SelectAll();

    host.clipboardWorks = false;
    model.OnCommand(ZoomCommand::Cut);
    EXPECT_TRUE(container.deleted.empty());
    EXPECT_EQ(model.GetRowCount(), 2);

    host.clipboardWorks = true;
    model.OnCommand(ZoomCommand::Cut);
    EXPECT_EQ(container.deleted, std::vector<std::uint32_t>{kDocId});
    EXPECT_TRUE(container.deleteQuiet);
    EXPECT_EQ(Subjects(), QStringList{"Missing"});
    ASSERT_TRUE(host.clipboard);
    EXPECT_EQ(host.clipboard->data(QString::fromLatin1(kTextMimeType)),
              QByteArray("Stored\r\nMissing\r\n\0", 18));
    EXPECT_FALSE(host.clipboard->data(TransferFormatMimeType()).isEmpty());
}

TEST_F(DayZoomTest, MarkCompleteCompletesOpenTasksAndRefills)
{
    const auto fill = [&](int) {
        model.AddRow(Row(1, QStringLiteral("Meeting"), 9));
        model.AddRow(Row(2, QStringLiteral("Done"), 10, CDisplayItem::KindTask, CDisplayItem::FlagCompleted));
        model.AddRow(Row(3, QStringLiteral("Report"), 11, CDisplayItem::KindTask));
    };
    fill(0);
    container.refill = fill;
    CTaskItem open;
    open.SetSubject(QStringLiteral("Report"));
    container.doc.tasks.emplace(3, open);

    std::vector<bool> waitingAtToggle;
    container.doc.onToggle = [&] { waitingAtToggle.push_back(host.Waiting()); };

    SelectRows({0, 1}); // an event and a completed task: nothing to do
    model.OnCommand(ZoomCommand::MarkComplete);
    EXPECT_TRUE(container.doc.toggled.empty());
    EXPECT_EQ(container.refills, 0);
    EXPECT_TRUE(host.waits.empty());

    SelectRows({2});
    model.OnCommand(ZoomCommand::MarkComplete);
    EXPECT_EQ(container.doc.toggled, std::vector<std::uint32_t>{3});
    // The document completes the task in the wait state, which ends afterwards.
    EXPECT_EQ(waitingAtToggle, std::vector<bool>{true});
    EXPECT_EQ(host.waits, (std::vector<bool>{true, false}));
    EXPECT_EQ(container.refills, 1);
    EXPECT_EQ(model.GetRowCount(), 3);
    EXPECT_EQ(model.GetSelectedRows(), std::vector<int>{2}); // found again by its key

    // A failure is reported and the loop goes on.
    container.doc.toggleResult = QV_E_ITEM_LOAD;
    model.SelectAll();
    model.OnCommand(ZoomCommand::MarkComplete);
    EXPECT_EQ(container.doc.toggled.back(), 3u);
    EXPECT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(container.refills, 2);
    EXPECT_EQ(model.GetSelectedCount(), 0);

    // A task completed meanwhile is never opened again.
    container.doc.toggled.clear();
    container.doc.toggleResult = S_OK;
    container.doc.tasks.at(3).MarkCompleted(CDateTime(2024, 9, 12));
    SelectRows({2});
    model.OnCommand(ZoomCommand::MarkComplete);
    EXPECT_TRUE(container.doc.toggled.empty());
}

TEST_F(DayZoomTest, KeyboardMenuOpensHalfARowInsideTheSelectedRow)
{
    EXPECT_EQ(CDayZoomModel::KeyboardMenuPoint(QRect(10, 40, 380, 18), 18), QPoint(19, 49));
    EXPECT_EQ(CDayZoomModel::KeyboardMenuPoint(QRect(0, 0, 380, 21), 21), QPoint(10, 10));
    // No row selected: the window's corner.
    EXPECT_EQ(CDayZoomModel::KeyboardMenuPoint(QRect(), 18), QPoint(0, 0));
}

TEST_F(DayZoomTest, ConversionsAskAndClose)
{
    model.AddRow(Row(1, QStringLiteral("A"), 9));
    model.AddRow(Row(2, QStringLiteral("B"), 10));
    model.AddRow(Row(3, QStringLiteral("T"), 11, CDisplayItem::KindTask));

    SelectRows({0});
    messages.answer = MessageResult::Yes;
    model.OnCommand(ZoomCommand::EventToTask);
    EXPECT_EQ(
        messages.LastText(),
        QStringLiteral("You are about to convert this event to a task. Are you sure you want to do this?"));
    ASSERT_EQ(container.conversions.size(), 1u);
    EXPECT_TRUE(container.conversions.back().second);
    EXPECT_EQ(host.posted.back(), ZoomCommand::Close);

    SelectRows({0, 1, 2});
    messages.answer = MessageResult::Cancel;
    model.OnCommand(ZoomCommand::EventToTask);
    EXPECT_EQ(messages.LastText(), QStringLiteral("Do you want to create tasks with Due Dates?"));
    EXPECT_EQ(container.conversions.size(), 1u);
    messages.answer = MessageResult::No;
    model.OnCommand(ZoomCommand::EventToTask);
    ASSERT_EQ(container.conversions.size(), 2u);
    EXPECT_EQ(container.conversions.back(), std::make_pair(std::size_t(2), false));

    SelectRows({2});
    messages.answer = MessageResult::Yes;
    model.OnCommand(ZoomCommand::TaskToEvent);
    EXPECT_EQ(
        messages.LastText(),
        QStringLiteral("You are about to convert this task to an event. Are you sure you want to do this?"));
    EXPECT_EQ(container.conversions.size(), 3u);
}

TEST_F(DayZoomTest, KeysPopupsAndTheBusyFlag)
{
    model.AddRow(Row(kDocId, QStringLiteral("Stored"), 9));
    model.AddRow(Row(3, QStringLiteral("T"), 11, CDisplayItem::KindTask));
    EXPECT_EQ(model.GetContextPopup(), ZoomPopup::CloseOnly);
    SelectRows({1});
    EXPECT_EQ(model.GetContextPopup(), ZoomPopup::Task);
    SelectRows({0});
    EXPECT_EQ(model.GetContextPopup(), ZoomPopup::Item);
    ProgramSettings().itemTypeMenusFirst = 1;
    EXPECT_EQ(model.GetContextPopup(), ZoomPopup::ItemTypesFirst);

    EXPECT_FALSE(model.OnKey(Qt::Key_C, 0));
    EXPECT_FALSE(host.clipboard);
    EXPECT_TRUE(model.OnKey(Qt::Key_C, kModCtrl));
    EXPECT_TRUE(host.clipboard);
    EXPECT_TRUE(model.OnKey(Qt::Key_Return, 0));
    EXPECT_TRUE(model.OnKey(Qt::Key_Escape, 0));
    EXPECT_EQ(host.posted, (std::vector<int>{ZoomCommand::Open, ZoomCommand::Close}));

    // Losing the focus to the delete question does not close the list.
    host.posted.clear();
    messages.answer = MessageResult::No;
    messages.onShow = [&](const MessageBoxRequest &) { model.OnFocusLost(); };
    EXPECT_TRUE(model.OnKey(Qt::Key_Delete, 0));
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(host.posted.empty());
    model.OnFocusLost();
    EXPECT_EQ(host.posted, std::vector<int>{ZoomCommand::Close});

    // Open hands a copy to the container after posting the close.
    host.posted.clear();
    model.OnCommand(ZoomCommand::Open);
    EXPECT_EQ(container.opened, std::vector<std::uint32_t>{kDocId});
    EXPECT_EQ(host.posted, std::vector<int>{ZoomCommand::Close});

    // The details pane shows the single selection, nothing for two rows.
    model.UpdateDetailsPane(false);
    EXPECT_EQ(container.detailsShown, model.GetRow(0));
    model.SelectAll();
    model.UpdateDetailsPane(false);
    EXPECT_EQ(container.detailsShown, nullptr);
}

} // namespace
