// The task editor and task recurrence windows offscreen: the coupling seen in the controls, OK
// storing into the file, the recurrence dialog's focus on a refusal, and renders of each.
#include "core/document/DocumentTestSupport.h"

#include "../DialogRenders.h"
#include "core/items/RecurrenceBits.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/NotesEdit.h"
#include "editing/task/DocumentTaskStore.h"
#include "editing/task/EditTaskDlg.h"
#include "editing/task/TaskRecurrenceDlg.h"
#include "toolkit/navigator/DatePickerCtrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>

namespace {

using namespace document_test;

class EditTaskDlgTest : public DocumentFixture
{
  public:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        CreateAndOpen();
    }
    TaskEditorContext Context()
    {
        m_store = std::make_unique<CDocumentTaskStore>(m_doc);
        return {m_store.get(), &m_doc.GetMasterList(), &m_doc.GetDataFile()};
    }
    std::uint32_t StoreSeries()
    {
        CTaskItem t;
        t.SetSubject(QStringLiteral("Water plants"));
        t.SetDueDate(At(2024, 3, 11));
        t.SetRecurrence(Recur::ByDate | Recur::Weekly | Recur::Monday, 1, 0, At(2024, 3, 11), CDateTime(0.0));
        t.SetReminderTime(At(2024, 3, 11, 8, 30));
        t.SetFlag(CCalendarItem::FlagReminder, true);
        EXPECT_EQ(m_doc.StoreTask(t, false), S_OK);
        return t.GetRecordId();
    }
    std::unique_ptr<CDocumentTaskStore> m_store;
};

TEST_F(EditTaskDlgTest, PercentComboCompletesAndOkStores)
{
    auto holder = std::make_unique<CItemRef>(2);
    holder->GetTask()->SetDueDate(At(2024, 3, 15));
    CEditTaskDlg dialog(std::move(holder), Context(), false, nullptr, EventEditorSettings());
    ASSERT_TRUE(dialog.IsLoaded());
    dialog.show();
    dialog.findChild<CNotesEdit *>(QStringLiteral("subject"))->setPlainText(QStringLiteral("File taxes"));
    auto *percent = dialog.findChild<QComboBox *>(QStringLiteral("percent"));
    percent->setCurrentIndex(4);
    emit percent->activated(4);
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("status"))->currentIndex(), 2);
    EXPECT_FALSE(dialog.findChild<QPushButton *>(QStringLiteral("recurrence"))->isEnabled());
    EXPECT_TRUE(
        dialog.findChild<CDatePickerCtrl *>(QStringLiteral("completionDate"))->NoneBox()->isChecked());
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.GetResult(), 1);
    std::vector<CTaskItem> stored;
    m_doc.EnumAllTasks([&](std::uint32_t id) {
        CTaskItem t(id);
        m_doc.LoadTask(t);
        stored.push_back(t);
        return S_OK;
    });
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].GetSubject(), QStringLiteral("File taxes"));
    EXPECT_TRUE(stored[0].IsCompleted());
    EXPECT_EQ(stored[0].GetDueDate(), At(2024, 3, 15));
}

TEST_F(EditTaskDlgTest, CancelAsksOnlyAfterChangesAndYesSaves)
{
    SetDataFileOpenQuery([] { return true; });
    CEditTaskDlg untouched(std::make_unique<CItemRef>(2), Context(), false, nullptr, EventEditorSettings());
    untouched.reject();
    EXPECT_TRUE(m_messages.shown.isEmpty());

    CEditTaskDlg typed(std::make_unique<CItemRef>(2), Context(), false, nullptr, EventEditorSettings());
    typed.findChild<CNotesEdit *>(QStringLiteral("subject"))->setPlainText(QStringLiteral("Call Ann"));
    m_messages.answer = MessageResult::Cancel;
    typed.reject();
    EXPECT_EQ(m_messages.LastText(), EditingText(EditText::SaveChangesQuestion));
    m_messages.answer = MessageResult::Yes;
    typed.reject();
    EXPECT_EQ(typed.GetResult(), 1) << "Yes saves as OK does";
    int count = 0;
    m_doc.EnumAllTasks([&](std::uint32_t) {
        ++count;
        return S_OK;
    });
    EXPECT_EQ(count, 1);
    SetDataFileOpenQuery({});
}

TEST_F(EditTaskDlgTest, OpenTaskEditorRefusesAHolderWithoutATask)
{
    EXPECT_EQ(
        CEditTaskDlg::OpenTaskEditor(std::make_unique<CItemRef>(1), Context(), nullptr, false, false, false),
        0);
    EXPECT_EQ(CEditTaskDlg::OpenTaskEditor(nullptr, Context(), nullptr, false, false, false), 0);
}

TEST_F(EditTaskDlgTest, RecurrenceDialogFocusesTheSecondWeekdayWhenNoneIsTicked)
{
    CTaskItem task;
    task.SetDueDate(At(2024, 3, 13));
    CTaskRecurrenceDlg dialog(task, false);
    dialog.show();
    for (int i = 0; i < 7; ++i)
        dialog.findChild<QCheckBox *>(QStringLiteral("weekday%1").arg(i))->setChecked(false);
    QApplication::setActiveWindow(&dialog);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "stays open";
    EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QCheckBox *>(QStringLiteral("weekday1")));
    EXPECT_FALSE(task.IsRecurring());
}

TEST_F(EditTaskDlgTest, Renders)
{
    auto fresh = std::make_unique<CItemRef>(2);
    fresh->GetTask()->SetDueDate(At(2024, 3, 15));
    fresh->GetTask()->SetStartDate(At(2024, 3, 12));
    CEditTaskDlg created(std::move(fresh), Context(), false, nullptr, EventEditorSettings());
    created.findChild<CNotesEdit *>(QStringLiteral("subject"))
        ->setPlainText(QStringLiteral("Renew passport"));
    created.findChild<CNotesEdit *>(QStringLiteral("notes"))
        ->setPlainText(QStringLiteral("Photos from https://example.org/photos\nBring the old one."));
    RenderDialog(created, "task_editor_new");

    const std::uint32_t id = StoreSeries();
    auto series = std::make_unique<CItemRef>();
    ASSERT_EQ(m_doc.LoadItemRef(*series, CCalendarItem::KindTask, id), S_OK);
    CEditTaskDlg whole(std::move(series), Context(), false, nullptr, EventEditorSettings());
    EXPECT_FALSE(whole.findChild<QComboBox *>(QStringLiteral("status"))->isEnabled());
    RenderDialog(whole, "task_editor_series");

    auto one = std::make_unique<CItemRef>();
    ASSERT_EQ(m_doc.LoadItemRef(*one, CCalendarItem::KindTask, id), S_OK);
    one->GetTask()->SetRecordId(0);
    CEditTaskDlg occurrence(std::move(one), Context(), false, nullptr, EventEditorSettings());
    EXPECT_TRUE(
        occurrence.findChild<QPushButton *>(QStringLiteral("modifySeries"))->isVisibleTo(&occurrence));
    RenderDialog(occurrence, "task_editor_occurrence");

    CTaskItem task;
    task.SetDueDate(At(2024, 3, 13));
    task.SetRecurrence(Recur::Regenerate | Recur::Monthly, 2, 0, At(2024, 3, 13), At(2024, 12, 31));
    CTaskRecurrenceDlg recurrence(task, false);
    const std::pair<std::uint32_t, const char *> pages[] = {{Recur::Daily, "task_recurrence_daily"},
                                                            {Recur::Weekly, "task_recurrence_weekly"},
                                                            {Recur::Monthly, "task_recurrence_monthly"},
                                                            {Recur::Yearly, "task_recurrence_yearly"}};
    for (const auto &[period, name] : pages) {
        recurrence.ShowPeriod(period);
        RenderDialog(recurrence, name);
    }
}

} // namespace
