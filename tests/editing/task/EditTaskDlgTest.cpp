// The task editor and task recurrence windows offscreen: the coupling seen in the controls, OK
// storing into the file, the recurrence dialog's focus on a refusal, and renders of each.
#include "core/document/DocumentTestSupport.h"

#include "../DialogRenders.h"
#include "core/items/RecurrenceBits.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/NotesEdit.h"
#include "editing/base/ReminderWindowPort.h"
#include "editing/task/DocumentTaskStore.h"
#include "editing/task/EditTaskDlg.h"
#include "editing/task/PriorityComboDelegate.h"
#include "editing/task/TaskRecurrenceDlg.h"
#include "toolkit/navigator/DatePickerCtrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QAbstractItemView>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QToolBar>
#include <set>

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

// The reminder windows as the editor sees them: the open task ids, the held ones and the closes.
class OpenReminders : public IReminderWindowPort
{
  public:
    bool IsReminderWindowOpen(const CItemKey &key) const override
    {
        return key.kind == 2 && open.count(key.itemId) != 0;
    }
    QWidget *GetReminderWindow(const CItemKey &) const override { return nullptr; }
    void HoldReminderWindow(const CItemKey &key, bool hold) override
    {
        if (hold)
            held.insert(key.itemId);
        else
            held.erase(key.itemId);
    }
    void CloseReminderWindow(const CItemKey &key) override { open.erase(key.itemId); }
    std::set<std::uint32_t> open;
    std::set<std::uint32_t> held;
};

class TaskReminderWindowTest : public EditTaskDlgTest
{
  public:
    TaskEditorContext WithWindows()
    {
        TaskEditorContext context = Context();
        context.reminderWindows = &m_windows;
        return context;
    }
    std::unique_ptr<CItemRef> Stored(std::uint32_t id)
    {
        auto holder = std::make_unique<CItemRef>();
        EXPECT_EQ(m_doc.LoadItemRef(*holder, CCalendarItem::KindTask, id), S_OK);
        return holder;
    }
    CTaskItem Load(std::uint32_t id)
    {
        CTaskItem t(id);
        EXPECT_EQ(m_doc.LoadTask(t), S_OK);
        return t;
    }
    OpenReminders m_windows;
};

TEST_F(TaskReminderWindowTest, TheWindowIsHeldWhileTheEditorRunsAndComesBackOnCancel)
{
    const std::uint32_t id = StoreSeries();
    const std::uint32_t other = StoreSeries();
    m_windows.open = {id, other};
    {
        CEditTaskDlg editor(Stored(id), WithWindows(), false, nullptr, EventEditorSettings());
        EXPECT_EQ(m_windows.held, std::set<std::uint32_t>{id}) << "only the edited task's window";
        editor.reject();
        EXPECT_TRUE(m_windows.held.empty());
    }
    // A new task has no window to hold.
    CEditTaskDlg fresh(std::make_unique<CItemRef>(2), WithWindows(), false, nullptr, EventEditorSettings());
    EXPECT_TRUE(m_windows.held.empty());
    // An editor that goes without Cancel lets the window go too.
    {
        CEditTaskDlg editor(Stored(id), WithWindows(), false, nullptr, EventEditorSettings());
        EXPECT_EQ(m_windows.held.size(), 1u);
    }
    EXPECT_TRUE(m_windows.held.empty());
    EXPECT_EQ(m_windows.open.size(), 2u);
}

TEST_F(TaskReminderWindowTest, DeleteFromTheEditorClosesTheWindow)
{
    const std::uint32_t id = StoreSeries();
    const std::uint32_t other = StoreSeries();
    m_windows.open = {id, other};
    CTaskItem single;
    single.SetSubject(QStringLiteral("Single"));
    single.SetDueDate(At(2024, 3, 12));
    ASSERT_EQ(m_doc.StoreTask(single, false), S_OK);
    m_windows.open.insert(single.GetRecordId());
    m_messages.answer = MessageResult::Yes;
    CEditTaskDlg editor(Stored(single.GetRecordId()), WithWindows(), false, nullptr, EventEditorSettings());
    editor.OnDelete();
    EXPECT_EQ(m_windows.open, (std::set<std::uint32_t>{id, other}));
    EXPECT_TRUE(m_windows.held.empty());
    CTaskItem gone(single.GetRecordId());
    EXPECT_NE(m_doc.LoadTask(gone), S_OK);
}

TEST_F(TaskReminderWindowTest, SavingASeriesWithItsWindowOpenHandlesItUpToNow)
{
    const std::uint32_t id = StoreSeries();
    const CDateTime handled = Load(id).GetHandledUpTo();
    SetClock(At(2024, 3, 12, 8, 50));
    struct Case
    {
        bool windowOpen;
        const char *subject;
    };
    for (const Case &c : {Case{false, "Water the plants"}, Case{true, "Water all plants"}}) {
        SCOPED_TRACE(c.subject);
        m_windows.open.clear();
        if (c.windowOpen)
            m_windows.open.insert(id);
        CEditTaskDlg editor(Stored(id), WithWindows(), false, nullptr, EventEditorSettings());
        editor.findChild<CNotesEdit *>(QStringLiteral("subject"))->setPlainText(QString::fromUtf8(c.subject));
        editor.accept();
        ASSERT_EQ(editor.GetResult(), 1);
        const CTaskItem stored = Load(id);
        EXPECT_EQ(stored.GetSubject(), QString::fromUtf8(c.subject));
        EXPECT_EQ(stored.GetHandledUpTo(), c.windowOpen ? At(2024, 3, 12, 8, 50) : handled);
    }
}

TEST(PriorityComboDelegateTest, RowColoursAndImagePlace)
{
    QPalette palette;
    palette.setColor(QPalette::Highlight, Qt::darkBlue);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Dark, Qt::gray);
    palette.setColor(QPalette::Button, Qt::lightGray);
    palette.setColor(QPalette::Base, Qt::yellow);
    palette.setColor(QPalette::Text, Qt::black);
    using Colors = CPriorityComboDelegate::RowColors;
    // Selected wins over disabled.
    EXPECT_EQ(CPriorityComboDelegate::ColorsFor(palette, true, false), (Colors{Qt::white, Qt::darkBlue}));
    EXPECT_EQ(CPriorityComboDelegate::ColorsFor(palette, false, false), (Colors{Qt::gray, Qt::lightGray}));
    EXPECT_EQ(CPriorityComboDelegate::ColorsFor(palette, false, true), (Colors{Qt::black, Qt::yellow}));
    // Urgent shows image 4, Lowest image 0.
    EXPECT_EQ(CPriorityComboDelegate::ImageIndex(0), 4);
    EXPECT_EQ(CPriorityComboDelegate::ImageIndex(4), 0);
    EXPECT_EQ(CPriorityComboDelegate::ImageIndex(5), -1);
    EXPECT_EQ(CPriorityComboDelegate::ImageRect(QRect(10, 20, 100, 18)), QRect(12, 22, 14, 14));
    EXPECT_GT(CPriorityComboDelegate::TextRect(QRect(10, 20, 100, 18)).left(), 12 + 14);
}

TEST(PriorityComboDelegateTest, EveryPriorityButNormalHasItsOwnImage)
{
    auto opaque = [](const QPixmap &pixmap) {
        const QImage image = pixmap.toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += qAlpha(image.pixel(x, y)) > 0;
        return count;
    };
    QList<QImage> seen;
    for (int p = 0; p <= 4; ++p) {
        const QPixmap image = CPriorityComboDelegate::PriorityImage(p);
        EXPECT_EQ(image.size(), QSize(14, 14));
        if (p == 2) {
            EXPECT_EQ(opaque(image), 0) << "Normal draws nothing";
            continue;
        }
        EXPECT_GT(opaque(image), 10) << p;
        EXPECT_FALSE(seen.contains(image.toImage())) << p;
        seen << image.toImage();
    }
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

    // The priority list as it drops down: a row per priority, High selected.
    auto *priority = whole.findChild<QComboBox *>(QStringLiteral("priority"));
    ASSERT_TRUE(priority);
    QAbstractItemView *list = priority->view();
    QImage rows(160, 5 * 18, QImage::Format_ARGB32);
    rows.fill(Qt::white);
    {
        QPainter painter(&rows);
        for (int p = 0; p <= 4; ++p) {
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.rect = QRect(0, p * 18, rows.width(), 18);
            option.font = priority->font();
            option.state = QStyle::State_Enabled | (p == 1 ? QStyle::State_Selected : QStyle::State_None);
            priority->itemDelegate()->paint(&painter, option, priority->model()->index(p, 0));
        }
    }
    QDir dir(QCoreApplication::applicationDirPath());
    rows.save(dir.filePath(QStringLiteral("renders/task_editor_priority_list.png")));
    priority->setCurrentIndex(0);
    RenderDialog(whole, "task_editor_urgent");

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
