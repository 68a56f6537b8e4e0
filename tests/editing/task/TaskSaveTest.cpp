// Saving a task against a temporary data file: after each save, or each failure put at one of its
// store steps, the file is reopened and its task records compared (nothing lost, nothing twice).
#include "core/document/DocumentTestSupport.h"

#include "core/items/RecurrenceBits.h"
#include "editing/base/EditingStrings.h"
#include "editing/task/DocumentTaskStore.h"
#include "editing/task/TaskEditorModel.h"
#include "editing/task/TaskSave.h"

#include <algorithm>

namespace {

using namespace document_test;

// Passes every call on to the document, except the call numbered failAt (counted from 1), which
// fails without touching the file.
class FaultyTaskStore : public ITaskStore
{
  public:
    explicit FaultyTaskStore(CCalendarDocument &doc) : m_real(doc) {}
    HRESULT LoadTask(CTaskItem &t) override { return Step() ? m_real.LoadTask(t) : kFailure; }
    HRESULT StoreTask(CTaskItem &t) override { return Step() ? m_real.StoreTask(t) : kFailure; }
    HRESULT DeleteTask(std::uint32_t id) override { return Step() ? m_real.DeleteTask(id) : kFailure; }
    HRESULT SaveTaskRef(CItemRef &h) override { return Step() ? m_real.SaveTaskRef(h) : kFailure; }
    HRESULT DeleteHeldTask(CItemRef &h, bool one) override
    {
        return Step() ? m_real.DeleteHeldTask(h, one) : kFailure;
    }
    void RefreshItem(const CTaskItem &) override {}

    static constexpr HRESULT kFailure = HRESULT(0x80070000u + 112); // disk full
    int failAt = 0;
    int calls = 0;

  private:
    bool Step() { return ++calls != failAt; }
    CDocumentTaskStore m_real;
};

struct StoredTask
{
    QString subject;
    CDateTime due;
    bool recurring = false;
    bool completed = false;
    bool detached = false;
    std::uint32_t externalRef = 0;

    bool operator==(const StoredTask &o) const
    {
        return subject == o.subject && due == o.due && recurring == o.recurring && completed == o.completed &&
               detached == o.detached && externalRef == o.externalRef;
    }
};

void PrintTo(const StoredTask &t, std::ostream *os)
{
    *os << "{" << t.subject.toStdString() << " due " << t.due.ToIsoString().toStdString()
        << (t.recurring ? " recurring" : "") << (t.completed ? " completed" : "")
        << (t.detached ? " detached" : "") << " ref " << t.externalRef << "}";
}

StoredTask Rec(const char *subject, const CDateTime &due, bool recurring, bool completed, bool detached,
               std::uint32_t ref = 0)
{
    return StoredTask{QString::fromUtf8(subject), due, recurring, completed, detached, ref};
}

class TaskSaveTest : public DocumentFixture
{
  public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        CreateAndOpen();
    }

    std::vector<StoredTask> Reopened()
    {
        m_doc.CloseCalendarFile();
        EXPECT_EQ(m_doc.OpenCalendarFile(m_path), S_OK);
        std::vector<StoredTask> out;
        m_doc.EnumAllTasks([&](std::uint32_t id) {
            CTaskItem t(id);
            EXPECT_EQ(m_doc.LoadTask(t), S_OK);
            out.push_back({t.GetSubject(), t.GetDueDate(), t.IsRecurring(), t.IsCompleted(),
                           t.HasFlag(CTaskItem::TF_SERIES_CLOSED), t.GetKeepMark()});
            return S_OK;
        });
        std::sort(out.begin(), out.end(), [](const StoredTask &a, const StoredTask &b) {
            return a.due < b.due || (a.due == b.due && a.completed < b.completed);
        });
        return out;
    }

    // A weekly task due on Mondays from 11 March 2024, with an external reference id.
    std::uint32_t StoreWeeklyTask(std::uint32_t word = Recur::ByDate | Recur::Weekly | Recur::Monday,
                                  std::uint16_t interval = 1, const CDateTime &end = CDateTime(0.0))
    {
        CTaskItem t;
        t.SetSubject(QStringLiteral("Water plants"));
        t.SetDueDate(At(2024, 3, 11));
        const bool ends = end.Value() != 0.0;
        t.SetRecurrence(word | (ends ? Recur::HasEndDate : 0), interval, 0, At(2024, 3, 11), end);
        t.SetKeepMark(42);
        EXPECT_EQ(m_doc.StoreTask(t, false), S_OK);
        return t.GetRecordId();
    }

    // The editor on one occurrence, as a view opens it: the task's own record id cleared.
    std::unique_ptr<CTaskEditorModel> OpenOccurrence(std::uint32_t id)
    {
        auto holder = std::make_unique<CItemRef>();
        EXPECT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindTask, id), S_OK);
        holder->GetTask()->SetRecordId(0);
        holder->SetOneOccurrence(true);
        auto model = std::make_unique<CTaskEditorModel>(std::move(holder), false, EventEditorSettings());
        EXPECT_TRUE(model->Load());
        EXPECT_TRUE(model->IsOccurrenceAlone());
        return model;
    }

    std::unique_ptr<CTaskEditorModel> OpenStored(std::uint32_t id)
    {
        auto holder = std::make_unique<CItemRef>();
        EXPECT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindTask, id), S_OK);
        auto model = std::make_unique<CTaskEditorModel>(std::move(holder), false, EventEditorSettings());
        EXPECT_TRUE(model->Load());
        return model;
    }
};

TEST_F(TaskSaveTest, CompletingAnOccurrenceSplitsItOffAndAdvancesTheSeries)
{
    struct Case
    {
        const char *what;
        std::uint32_t word;
        std::uint16_t interval;
        CDateTime nextDue;
    };
    // Completed on 12 March (the fixture's today): by pattern the next Monday after the due
    // date; regenerating, the completion date plus the interval.
    const Case cases[] = {
        {"weekly on Mondays", Recur::ByDate | Recur::Weekly | Recur::Monday, 1, At(2024, 3, 18)},
        {"regenerate 10 days after completion", Recur::Regenerate | Recur::Daily, 10, At(2024, 3, 22)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        m_doc.CloseCalendarFile();
        CreateAndOpen();
        const std::uint32_t id = StoreWeeklyTask(c.word, c.interval);
        auto model = OpenOccurrence(id);
        model->ChoosePercentEntry(4);
        FaultyTaskStore store(m_doc);
        ASSERT_EQ(CTaskSave(*model, store).Save(), TaskSaveResult::Saved);
        EXPECT_EQ(Reopened(), (std::vector<StoredTask>{
                                  Rec("Water plants", At(2024, 3, 11), true, true, true, 42),
                                  Rec("Water plants", c.nextDue, true, false, false, 0),
                              }));
    }
}

TEST_F(TaskSaveTest, CompletingTheLastOccurrenceLeavesNoSeries)
{
    const std::uint32_t id =
        StoreWeeklyTask(Recur::ByDate | Recur::Weekly | Recur::Monday, 1, At(2024, 3, 15));
    auto model = OpenOccurrence(id);
    model->ChoosePercentEntry(4);
    FaultyTaskStore store(m_doc);
    ASSERT_EQ(CTaskSave(*model, store).Save(), TaskSaveResult::Saved);
    EXPECT_EQ(Reopened(),
              (std::vector<StoredTask>{Rec("Water plants", At(2024, 3, 11), true, true, true, 42)}));
}

TEST_F(TaskSaveTest, AFailureAtAnyStepLosesAndDuplicatesNothing)
{
    for (int failAt = 1; failAt <= 3; ++failAt) {
        SCOPED_TRACE(failAt);
        m_doc.CloseCalendarFile();
        CreateAndOpen();
        const std::uint32_t id = StoreWeeklyTask();
        auto model = OpenOccurrence(id);
        model->ChoosePercentEntry(4);
        FaultyTaskStore store(m_doc);
        store.failAt = failAt;
        m_messages.shown.clear();
        EXPECT_EQ(CTaskSave(*model, store).Save(), TaskSaveResult::StayOpen);
        EXPECT_FALSE(m_messages.shown.isEmpty()) << "the failure is reported";
        EXPECT_EQ(Reopened(),
                  (std::vector<StoredTask>{Rec("Water plants", At(2024, 3, 11), true, false, false, 42)}));
    }
}

TEST_F(TaskSaveTest, AStatusChangeOfAnOccurrenceSavesTheSeries)
{
    const std::uint32_t id = StoreWeeklyTask();
    auto model = OpenOccurrence(id);
    model->ChoosePercentEntry(2);
    FaultyTaskStore store(m_doc);
    ASSERT_EQ(CTaskSave(*model, store).Save(), TaskSaveResult::Saved);
    ASSERT_EQ(Reopened().size(), 1u);
    CTaskItem t(id);
    ASSERT_EQ(m_doc.LoadTask(t), S_OK);
    EXPECT_EQ(t.GetPercentComplete(), 50);
    EXPECT_EQ(t.GetStatus(), CTaskItem::StatusInProgress);
}

TEST_F(TaskSaveTest, UnchangedOrEmptyTasksAreNotSaved)
{
    const std::uint32_t id = StoreWeeklyTask();
    FaultyTaskStore store(m_doc);
    auto stored = OpenStored(id);
    EXPECT_EQ(CTaskSave(*stored, store).Save(), TaskSaveResult::Unchanged);
    CTaskEditorModel fresh(std::make_unique<CItemRef>(2), false, EventEditorSettings());
    ASSERT_TRUE(fresh.Load());
    EXPECT_EQ(CTaskSave(fresh, store).Save(), TaskSaveResult::Unchanged);
    EXPECT_EQ(store.calls, 0);
}

TEST_F(TaskSaveTest, FormRulesOnOk)
{
    CTaskEditorModel model(std::make_unique<CItemRef>(2), false, EventEditorSettings());
    ASSERT_TRUE(model.Load());
    model.SetSubject(QStringLiteral("Pay rent"));
    model.SetNotes(QStringLiteral("by card"));
    model.SetStartDate(At(2024, 3, 20)); // a start without a due date is not kept
    model.ChoosePercentEntry(4);
    model.SetReminderOn(true); // checked again on a completed task
    FaultyTaskStore store(m_doc);
    ASSERT_EQ(CTaskSave(model, store).Save(), TaskSaveResult::Saved);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::CompletedReminderOff));
    CTaskItem t(model.GetHolder().GetRecordId());
    ASSERT_EQ(m_doc.LoadTask(t), S_OK);
    EXPECT_FALSE(t.HasDueDate());
    EXPECT_FALSE(t.HasStartDate());
    EXPECT_FALSE(t.HasFlag(CCalendarItem::FlagReminder));
    EXPECT_TRUE(t.IsCompleted());
    EXPECT_EQ(t.GetNotes(), QStringLiteral("by card\r\n"));
}

TEST_F(TaskSaveTest, ARefusedDateChangesNothing)
{
    const std::uint32_t id = StoreWeeklyTask(Recur::ByDate | Recur::Daily);
    auto model = OpenStored(id);
    const std::uint32_t flags = model->GetTask().GetFlags();
    model->SetStartDate(At(2024, 3, 20)); // a series keeps its due date, so the start passes it
    FaultyTaskStore store(m_doc);
    EXPECT_EQ(CTaskSave(*model, store).Save(), TaskSaveResult::StayOpen);
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::DueBeforeStart));
    EXPECT_EQ(model->GetTask().GetFlags(), flags);
    EXPECT_EQ(store.calls, 0);
}

} // namespace
