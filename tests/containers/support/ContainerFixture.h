// A container over a real temporary data file: the document behind a port that counts loads and
// can make a chosen store or load fail, a headless week view, and fakes of the panes, the
// editors, the prompts and the message boxes, each recording what it was asked.
#pragma once

#include "core/document/DocumentTestSupport.h"

#include "containers/base/DocumentItemPort.h"
#include "containers/base/ViewContainer.h"
#include "containers/base/ViewKinds.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "core/items/RecurrenceBits.h"
#include "core/system/AppSettings.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/DragState.h"

#include <QStringList>
#include <deque>
#include <optional>

namespace container_test {
using namespace document_test;

// The document port with faults on demand: the k-th store (counting from 1) or the k-th whole
// load fails with the code given; loads and summaries are counted.
class FaultyDocument : public CDocumentItemPort
{
  public:
    using CDocumentItemPort::CDocumentItemPort;
    using CDocumentItemPort::LoadEvent;
    using CDocumentItemPort::LoadTask;

    HRESULT LoadEvent(CEventItem &event) override
    {
        if (++wholeLoads == failLoadAt)
            return failCode;
        return CDocumentItemPort::LoadEvent(event);
    }
    HRESULT LoadTask(CTaskItem &task) override
    {
        if (++wholeLoads == failLoadAt)
            return failCode;
        return CDocumentItemPort::LoadTask(task);
    }
    HRESULT LoadEventSummary(CEventItem &event) override
    {
        ++summaryLoads;
        return CDocumentItemPort::LoadEventSummary(event);
    }
    HRESULT LoadTaskSummary(CTaskItem &task) override
    {
        ++summaryLoads;
        return CDocumentItemPort::LoadTaskSummary(task);
    }
    HRESULT StoreEvent(CEventItem &event) override
    {
        if (++stores == failStoreAt)
            return failCode;
        return CDocumentItemPort::StoreEvent(event);
    }
    HRESULT StoreTask(CTaskItem &task) override
    {
        if (++stores == failStoreAt)
            return failCode;
        return CDocumentItemPort::StoreTask(task);
    }
    void ResetCounts() { wholeLoads = summaryLoads = stores = 0; }

    int wholeLoads = 0;
    int summaryLoads = 0;
    int stores = 0;
    int failStoreAt = 0;
    int failLoadAt = 0;
    HRESULT failCode = 0x80070005;
};

// Seven days from a Monday, no geometry: entries are kept as the items make them.
class TestView : public CCalendarViewCtrl
{
  public:
    explicit TestView(int kind)
    {
        SetViewKind(kind);
        SetDayCount(7);
        SetFirstDate(CDateTime(2024, 3, 11));
    }
    CDateTime GetDayDate(int n) const override
    {
        CDateTime d = GetFirstDate();
        AddDays(d, n);
        return d;
    }
    int CellFromDate(const CDateTime &d, int * = nullptr) const override
    {
        return int((d.DatePart() - GetFirstDate()).GetTotalDays() + 0.5);
    }
};

class TestContainer : public CViewContainer
{
  public:
    explicit TestContainer(int kind) : m_view(kind)
    {
        SetViewKind(kind, ViewKind::SectionIndexOf(kind));
        m_view.SetContainer(this);
    }
    CCalendarViewCtrl *GetViewCtrl() const override { return const_cast<TestView *>(&m_view); }
    CDateTime GetCurrentDate() const override { return m_view.GetFirstDate(); }
    int GetItemCount() const override { return m_view.GetEntryCount(); }
    HRESULT LoadPeriodItems(bool, bool, const CDateTime &date) override
    {
        ++loads;
        if (date.IsValid() && date.Value() != 0.0)
            m_view.SetFirstDate(date.DatePart());
        m_view.RemoveAllEntries();
        HRESULT hr = CItemLoadingVisitors::LoadScreenEvents(*this);
        if (hr == S_OK) {
            CItemLoadingVisitors::TaskLoad how;
            how.addToTaskPad = true;
            hr = CItemLoadingVisitors::LoadScreenTasks(*this, how);
        }
        m_view.SortDisplayItems();
        return hr;
    }
    void GoToDate(int mode, const CDateTime &date) override
    {
        gotoModes.push_back(mode);
        gotoDates.push_back(date);
        LoadPeriodItems(false, false, date);
    }

    TestView m_view;
    int loads = 0;
    std::vector<int> gotoModes;
    std::vector<CDateTime> gotoDates;
};

class FakePrompts : public IContainerPrompts
{
  public:
    OccurrenceChoice AskOccurrenceOrSeries(int kind, int mode, const QString &subject, QWidget *) override
    {
        asked.push_back({kind, mode});
        subjects << subject;
        if (choices.empty())
            return OccurrenceChoice::Cancel;
        const OccurrenceChoice c = choices.front();
        choices.pop_front();
        return c;
    }
    bool AskGoToDate(CDateTime &date, QWidget *) override
    {
        if (!goToDate)
            return false;
        date = *goToDate;
        return true;
    }
    bool IsShiftHeld() const override { return shift; }
    void SetWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }

    std::deque<OccurrenceChoice> choices;
    std::vector<std::pair<int, int>> asked;
    QStringList subjects;
    std::optional<CDateTime> goToDate;
    bool shift = false;
    int waitDepth = 0;
};

class FakeEditors : public IItemEditorOpener
{
  public:
    struct Opened
    {
        int kind = 0;
        std::uint32_t holderId = 0;
        std::uint32_t itemId = 0;
        bool oneOccurrence = false;
        bool newException = false;
        bool readOnly = false;
        bool recurrencePage = false;
        QString subject;
        CDateTime start;
    };
    void OpenEvent(std::unique_ptr<CItemRef> holder, QWidget *, bool readOnly, bool newException,
                   bool recurrencePage) override
    {
        Opened o{1,
                 holder->GetRecordId(),
                 holder->GetItem()->GetRecordId(),
                 holder->IsOneOccurrence(),
                 newException,
                 readOnly,
                 recurrencePage,
                 holder->GetItem()->GetSubject(),
                 holder->GetEvent()->GetStart()};
        opened.push_back(o);
    }
    void OpenTask(std::unique_ptr<CItemRef> holder, QWidget *, bool readOnly) override
    {
        Opened o{
            2,     holder->GetRecordId(),           holder->GetItem()->GetRecordId(), false, false, readOnly,
            false, holder->GetItem()->GetSubject(), holder->GetTask()->GetDueDate()};
        opened.push_back(o);
    }
    void ShowProperties(std::unique_ptr<CItemRef> holder, QWidget *) override
    {
        properties.push_back(holder->GetRecordId());
    }
    std::vector<Opened> opened;
    std::vector<std::uint32_t> properties;
};

// The TaskPad as a plain list of task ids.
class FakeTaskPad : public ITaskPadPort
{
  public:
    bool IsShown() const override { return shown; }
    QWidget *GetWidget() const override { return widget; }
    CCalendarViewCtrl *GetListView() const override { return listView; }
    ICommandTarget *GetCommandTarget() const override { return nullptr; }
    int GetEntryCount() const override { return int(rows.size()); }
    const CDisplayItem *GetFocusedEntry() const override { return focused; }
    bool WantsTask(const CTaskItem &task) const override { return !task.IsCompleted(); }
    bool AddTask(const CTaskItem &task) override
    {
        if (!WantsTask(task))
            return false;
        rows.push_back(task.GetRecordId());
        return true;
    }
    bool UpdateTask(const CTaskItem &task) override
    {
        updated.push_back(task.GetRecordId());
        return true;
    }
    bool MarkRemoved(std::uint32_t id) override
    {
        const bool has = std::find(rows.begin(), rows.end(), id) != rows.end();
        if (has)
            marked.push_back(id);
        return has;
    }
    bool RemoveTask(std::uint32_t id) override
    {
        const auto before = rows.size();
        rows.erase(std::remove(rows.begin(), rows.end(), id), rows.end());
        return rows.size() != before;
    }
    bool RemoveMarked() override
    {
        bool any = false;
        for (std::uint32_t id : marked)
            any = RemoveTask(id) || any;
        marked.clear();
        return any;
    }
    bool IsFiltering() const override { return false; }
    void Refresh(bool) override { ++refreshes; }
    void Reload() override { ++reloads; }
    void ReloadOptions() override {}
    void TakeFocus() override { ++focusTaken; }

    bool shown = true;
    QWidget *widget = nullptr;
    CCalendarViewCtrl *listView = nullptr;
    const CDisplayItem *focused = nullptr;
    std::vector<std::uint32_t> rows, updated, marked;
    int refreshes = 0, reloads = 0, focusTaken = 0;
};

class FakeNavigatorPort : public IDateNavigatorPort
{
  public:
    void SetFilter(const CActiveFilter &f) override { filterKinds.push_back(f.GetKind()); }
    void Repaint() override { ++repaints; }
    void UpdateToday() override {}
    bool WantsEvent(const CEventItem &) const override { return true; }
    void MarkBusyDays(const CEventItem &event) override { busy.push_back(event.GetRecordId()); }
    std::vector<int> filterKinds;
    std::vector<std::uint32_t> busy;
    int repaints = 0;
};

class FakeDetails : public IDetailsPanePort
{
  public:
    bool IsVisible() const override { return visible; }
    int GetShownKind() const override { return kind; }
    std::uint32_t GetShownRecordId() const override { return id; }
    void ShowItem(const CCalendarItem *item, const CDateTime &) override
    {
        ++shows;
        kind = item ? int(item->GetKind()) : 0;
        id = item ? item->GetRecordId() : 0;
    }
    bool CanTakeFocus() const override { return id != 0; }
    void TakeFocus() override {}
    bool visible = true;
    int kind = 0;
    std::uint32_t id = 0;
    int shows = 0;
};

class FakeMain : public IContainerMainWindow
{
  public:
    CDateTime GetCurrentDate() const override { return current; }
    void SetItemCounts(int v, int t) override
    {
        viewCount = v;
        taskPadCount = t;
    }
    void SetInfoBarTitle(const QString &) override {}
    void ShowInfoBarText(const QString &text) override { infoText = text; }
    void ShowDayView(const CDateTime &d) override { dayView = d; }
    void PrintSelectedMemo() override { ++prints; }
    void TaskChanged(const CTaskItem &task) override { tasksChanged.push_back(task.GetRecordId()); }
    bool CustomizeView(int, bool &reload) override
    {
        reload = true;
        return true;
    }
    void CustomizeDateNavigator() override {}
    bool OpenZoomList(int cell, const CDateTime &) override
    {
        zoomCell = cell;
        return true;
    }
    CDateTime current = CDateTime::Null();
    int viewCount = -2, taskPadCount = -2, prints = 0, zoomCell = -1;
    QString infoText;
    CDateTime dayView;
    std::vector<std::uint32_t> tasksChanged;
};

// Answers the message boxes one after another from the list (then with `answer`).
class ScriptedMessages : public FakeMessagePort
{
  public:
    ScriptedMessages()
    {
        onShow = [this](const MessageBoxRequest &) {
            if (!script.empty()) {
                answer = script.front();
                script.pop_front();
            } else {
                answer = fallback;
            }
        };
    }
    QStringList Texts() const
    {
        QStringList out;
        for (const auto &r : shown)
            out << r.text;
        return out;
    }
    std::deque<int> script;
    int fallback = MessageResult::Ok;
};

class ContainerFixture : public ::testing::Test
{
  public:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("calendar.qvd"));
        SetNowProvider([] { return CDateTime(2024, 3, 12, 8, 0, 0); });
        UpdateToday();
        ProgramSettings() = AppSettings();
        CViewContainer::SetShowingHiddenItems(false);
        ASSERT_EQ(CCalendarDocument::CreateFreshDataFile(m_path, QStringLiteral("Home"), QString()), S_OK);
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
        m_context.prompts = &m_prompts;
        m_context.editors = &m_editors;
        m_context.taskPad = &m_taskPad;
        m_context.navigator = &m_navigator;
        m_context.details = &m_details;
        m_context.mainWindow = &m_main;
    }
    void TearDown() override
    {
        m_containers.clear();
        m_doc.CloseCalendarFile();
        SetNowProvider({});
        ResetToday();
        ProgramSettings() = AppSettings();
    }

    TestContainer &MakeContainer(int kind)
    {
        m_containers.push_back(std::make_unique<TestContainer>(kind));
        TestContainer &c = *m_containers.back();
        c.SetContext(&m_context);
        c.SetDataSource(&m_port);
        c.LoadPaneOptions(true);
        c.UpdateFilter(false);
        return c;
    }

    std::uint32_t StoreEvent(const QString &subject, const CDateTime &start, const CDateSpan &duration,
                             std::uint32_t flags = 0)
    {
        CEventItem e;
        e.SetSubject(subject);
        e.SetStart(start);
        e.SetDuration(duration);
        e.SetFlags(e.GetFlags() | flags);
        EXPECT_EQ(m_doc.StoreEvent(e, true), S_OK);
        return e.GetRecordId();
    }
    // Daily from the start, for `count` days when given.
    std::uint32_t StoreDaily(const QString &subject, const CDateTime &start, const CDateSpan &duration,
                             int count = 0, std::uint32_t flags = 0)
    {
        CDateTime end;
        std::uint32_t word = Recur::Daily | Recur::ByDate;
        if (count > 0) {
            end = start.DatePart();
            AddDays(end, count - 1);
            word |= Recur::HasEndDate;
        }
        CEventItem e = MakeSeries(start, duration, word, 1, 0, end);
        e.SetSubject(subject);
        e.SetFlags(e.GetFlags() | flags);
        EXPECT_EQ(m_doc.StoreEvent(e, true), S_OK);
        return e.GetRecordId();
    }
    std::uint32_t StoreTask(const QString &subject, const CDateTime &due, std::uint32_t flags = 0,
                            const CDateTime &start = CDateTime())
    {
        CTaskItem t;
        t.SetSubject(subject);
        t.SetDueDate(due);
        if (start.Value() != 0.0)
            t.SetStartDate(start);
        t.SetFlags(t.GetFlags() | flags);
        EXPECT_EQ(m_doc.StoreTask(t, true), S_OK);
        return t.GetRecordId();
    }
    // A weekly (every 7 days) recurring task due on `due`, ending on `end` when given.
    std::uint32_t StoreRecurringTask(const QString &subject, const CDateTime &due,
                                     const CDateTime &end = CDateTime())
    {
        CTaskItem t;
        t.SetSubject(subject);
        t.SetDueDate(due);
        std::uint32_t word = Recur::Daily | Recur::ByDate;
        if (end.Value() != 0.0)
            word |= Recur::HasEndDate;
        t.SetRecurrence(word, 7, 0, due, end);
        EXPECT_EQ(m_doc.StoreTask(t, true), S_OK);
        return t.GetRecordId();
    }

    std::vector<std::uint32_t> EventIds()
    {
        std::vector<std::uint32_t> ids;
        m_doc.EnumAllEvents([&](std::uint32_t id) {
            ids.push_back(id);
            return S_OK;
        });
        return ids;
    }
    std::vector<std::uint32_t> TaskIds()
    {
        std::vector<std::uint32_t> ids;
        m_doc.EnumAllTasks([&](std::uint32_t id) {
            ids.push_back(id);
            return S_OK;
        });
        return ids;
    }
    CEventItem Event(std::uint32_t id)
    {
        CEventItem e(id);
        EXPECT_EQ(m_doc.LoadEvent(e), S_OK);
        return e;
    }
    CTaskItem Task(std::uint32_t id)
    {
        CTaskItem t(id);
        EXPECT_EQ(m_doc.LoadTask(t), S_OK);
        return t;
    }
    // Closes the file and opens it again: what is checked afterwards was stored.
    void Reopen()
    {
        m_doc.CloseCalendarFile();
        ASSERT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
    }
    // Selects exactly the entries of the record (all its occurrences, or the one given).
    static void Select(CCalendarViewCtrl &view, std::uint32_t id, const CDateTime *occurrence = nullptr)
    {
        for (const auto &e : view.GetEntries())
            if (e->GetItemRef() == id && (!occurrence || e->GetOccurrenceDate() == *occurrence))
                e->SetState(e->GetState() | CDisplayItem::StateSelected);
    }
    static CDisplayItem *Find(CCalendarViewCtrl &view, std::uint32_t id, const CDateTime &occurrence)
    {
        return view.GetEntry(view.FindEntry(id, occurrence));
    }

    TempProfile m_profile;
    ScriptedMessages m_messages;
    QTemporaryDir m_dir;
    QString m_path;
    CCalendarDocument m_doc;
    FaultyDocument m_port{m_doc};
    FakePrompts m_prompts;
    FakeEditors m_editors;
    FakeTaskPad m_taskPad;
    FakeNavigatorPort m_navigator;
    FakeDetails m_details;
    FakeMain m_main;
    CContainerContext m_context;
    std::vector<std::unique_ptr<TestContainer>> m_containers;
};

} // namespace container_test
