// The task editor's window: sections Task, Dates, Status, Reminder and Notes, the categories row
// and the item toolbar beside OK and Cancel.
#include "editing/task/EditTaskDlg.h"

#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/MasterList.h"
#include "core/system/Messages.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/EditorFields.h"
#include "editing/base/EditorWidgets.h"
#include "editing/base/ItemKey.h"
#include "editing/base/NotesEdit.h"
#include "editing/base/ReminderWindowPort.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/base/SectionHeading.h"
#include "editing/task/PriorityComboDelegate.h"
#include "editing/task/TaskRecurrenceDlg.h"
#include "editing/task/TaskStore.h"
#include "toolkit/controls/TimeComboBox.h"
#include "toolkit/navigator/DatePickerCtrl.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

using namespace EditorWidgets;

namespace {

CDatePickerCtrl *NoneDateField(QWidget *parent, const char *name)
{
    auto *picker = new CDatePickerCtrl(parent, true);
    picker->setObjectName(QString::fromLatin1(name));
    return picker;
}

bool HasDate(const CDatePickerCtrl *picker)
{
    return picker->NoneBox() ? picker->NoneBox()->isChecked() : true;
}

// Shows a date, or none when `has` is off (the date stays in the field for when it is ticked).
void ShowDate(CDatePickerCtrl *picker, const CDateTime &date, bool has)
{
    const QSignalBlocker block(picker);
    if (date.IsValid())
        picker->SetDateTime(date);
    if (picker->NoneBox()) {
        const QSignalBlocker blockBox(picker->NoneBox());
        picker->NoneBox()->setChecked(has);
    }
}

} // namespace

CEditTaskDlg::CEditTaskDlg(std::unique_ptr<CItemRef> holder, const TaskEditorContext &context, bool readOnly,
                           QWidget *parent, const EventEditorSettings &settings)
    : CDialogEx(parent), m_model(std::move(holder), readOnly, settings), m_context(context)
{
    setObjectName(QStringLiteral("EditTaskDlg"));
    setSizeGripEnabled(true);
    m_loaded = m_model.Load();
    BuildForm();
    m_initialSize = size();
    if (m_loaded) {
        LoadWidgets();
        RestoreKeptSize(*this, m_model.GetTask());
    }
    if (readOnly) {
        m_ok->setEnabled(false);
        m_subject->setFocus();
    }
    // The reminder window of the edited task stays disabled while its editor is open; without a
    // main window the editor comes up on that window's screen.
    if (m_loaded && m_context.reminderWindows && m_context.reminderWindows->IsReminderWindowOpen(ReminderKey())) {
        m_context.reminderWindows->HoldReminderWindow(ReminderKey(), true);
        m_holdsReminder = true;
        if (!parent)
            CenterOnMonitorOf(m_context.reminderWindows->GetReminderWindow(ReminderKey()));
    }
}

CEditTaskDlg::~CEditTaskDlg()
{
    ReleaseReminderWindow();
}

CItemKey CEditTaskDlg::ReminderKey()
{
    CItemKey key;
    key.kind = CCalendarItem::KindTask;
    key.itemId = m_model.GetHolder().GetRecordId();
    key.occurrence = m_model.GetHolder().GetOccurrenceDate();
    return key;
}

void CEditTaskDlg::ReleaseReminderWindow()
{
    if (!m_holdsReminder)
        return;
    m_holdsReminder = false;
    if (m_context.reminderWindows)
        m_context.reminderWindows->HoldReminderWindow(ReminderKey(), false);
}

void CEditTaskDlg::BuildForm()
{
    auto *layout = new QVBoxLayout(this);

    // Task.
    layout->addWidget(CSectionHeading::Create(tr("Task"), this));
    auto *taskGrid = new QGridLayout;
    m_subject = MakeSubjectField(this, CTaskEditorModel::kMaxSubject);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("type"));
    if (const IItemTypeCatalog *types = GetItemTypeCatalog())
        FillTypeChoices(*m_type, *types);
    m_priority = new QComboBox(this);
    m_priority->setObjectName(QStringLiteral("priority"));
    for (int p = 0; p <= 4; ++p)
        m_priority->addItem(GetPriorityName(p), p);
    CPriorityComboDelegate::Install(*m_priority);
    auto *subjectLabel = new QLabel(tr("Su&bject:"), this);
    subjectLabel->setBuddy(m_subject);
    auto *typeLabel = new QLabel(tr("&Type:"), this);
    typeLabel->setBuddy(m_type);
    auto *priorityLabel = new QLabel(tr("&Priority:"), this);
    priorityLabel->setBuddy(m_priority);
    taskGrid->addWidget(subjectLabel, 0, 0);
    taskGrid->addWidget(m_subject, 0, 1, 1, 3);
    taskGrid->addWidget(typeLabel, 1, 0);
    taskGrid->addWidget(m_type, 1, 1);
    taskGrid->addWidget(priorityLabel, 1, 2);
    taskGrid->addWidget(m_priority, 1, 3);
    taskGrid->setColumnStretch(1, 1);
    layout->addLayout(taskGrid);

    // Dates and status.
    auto *datesHead = new QHBoxLayout;
    datesHead->addWidget(CSectionHeading::Create(tr("Dates"), this));
    m_occurrenceIcon = new QLabel(this);
    m_occurrenceIcon->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(16));
    m_occurrenceIcon->setToolTip(tr("One occurrence of a recurring task"));
    m_seriesIcon = new QLabel(this);
    m_seriesIcon->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(16));
    m_seriesIcon->setToolTip(tr("A recurring task"));
    datesHead->addWidget(m_occurrenceIcon);
    datesHead->addWidget(m_seriesIcon);
    datesHead->addStretch();
    layout->addLayout(datesHead);
    auto *dates = new QGridLayout;
    m_due = NoneDateField(this, "dueDate");
    m_start = NoneDateField(this, "startDate");
    m_completion = NoneDateField(this, "completionDate");
    m_status = new QComboBox(this);
    m_status->setObjectName(QStringLiteral("status"));
    for (int s = 0; s <= 4; ++s)
        m_status->addItem(GetTaskStatusName(s));
    m_percent = new QComboBox(this);
    m_percent->setObjectName(QStringLiteral("percent"));
    m_percent->setEditable(true);
    m_percent->setInsertPolicy(QComboBox::NoInsert);
    for (int e = 0; e <= 4; ++e)
        m_percent->addItem(QStringLiteral("%1%").arg(e * 25));
    MakeSeriesButtons(this, m_recurrence, m_modifySeries);
    auto addPair = [&](int row, int column, const QString &text, QWidget *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        dates->addWidget(label, row, column);
        dates->addWidget(field, row, column + 1);
    };
    addPair(0, 0, tr("D&ue date:"), m_due);
    addPair(1, 0, tr("St&art date:"), m_start);
    addPair(2, 0, tr("Date c&ompleted:"), m_completion);
    addPair(0, 2, tr("Stat&us:"), m_status);
    addPair(1, 2, tr("% Comp&lete:"), m_percent);
    dates->addWidget(m_recurrence, 2, 2);
    dates->addWidget(m_modifySeries, 2, 3);
    dates->setColumnStretch(4, 1);
    layout->addLayout(dates);

    // Reminder.
    layout->addWidget(CSectionHeading::Create(tr("Reminder"), this));
    auto *reminderRow = new QHBoxLayout;
    m_notify = new QCheckBox(tr("Noti&fy:"), this);
    m_notify->setObjectName(QStringLiteral("notify"));
    m_reminderDate = CEditorFields::CreateDateField(this, QStringLiteral("reminderDate"));
    m_reminderTime = CEditorFields::CreateTimeField(this, QStringLiteral("reminderTime"));
    if (auto *time = qobject_cast<CTimeComboBox *>(m_reminderTime))
        time->SetRelativeInput(true);
    m_setup = new QPushButton(tr("Set&up..."), this);
    m_setup->setObjectName(QStringLiteral("reminderSetup"));
    QToolBar *reminderBar = MakeReminderBar(this, m_topmost);
    reminderRow->addWidget(m_notify);
    reminderRow->addWidget(m_reminderDate);
    reminderRow->addWidget(m_reminderTime);
    reminderRow->addWidget(m_setup);
    reminderRow->addWidget(reminderBar);
    reminderRow->addStretch();
    layout->addLayout(reminderRow);

    // Notes, categories, and the item toolbar beside OK and Cancel.
    m_notes = AddNotesSection(this, layout, CTaskEditorModel::kMaxNotes);
    AddCategoriesRow(this, layout, CTaskEditorModel::kMaxCategories, m_categoriesButton, m_categories);
    layout->addLayout(MakeFootRow(this, m_item, m_ok));

    setTabOrder(m_subject, m_type);
    setTabOrder(m_type, m_priority);
    setTabOrder(m_priority, m_due);
    setTabOrder(m_due, m_start);
    setTabOrder(m_start, m_completion);
    setTabOrder(m_completion, m_status);
    setTabOrder(m_status, m_percent);
    setTabOrder(m_percent, m_recurrence);
    setTabOrder(m_recurrence, m_modifySeries);
    setTabOrder(m_modifySeries, m_notify);
    setTabOrder(m_notify, m_reminderDate);
    setTabOrder(m_reminderDate, m_reminderTime);
    setTabOrder(m_reminderTime, m_setup);
    setTabOrder(m_setup, m_notes);
    setTabOrder(m_notes, m_categoriesButton);
    setTabOrder(m_categoriesButton, m_categories);

    // Wiring: every change goes to the model, which tells what the form shows next.
    auto after = [this](auto apply) {
        return [this, apply] {
            if (m_filling)
                return;
            apply();
            LoadDates();
            RefreshStates();
        };
    };
    connect(m_status, &QComboBox::activated, this,
            after([this] { m_model.ChooseStatus(m_status->currentIndex()); }));
    connect(m_percent, &QComboBox::activated, this,
            after([this] { m_model.ChoosePercentEntry(m_percent->currentIndex()); }));
    connect(m_priority, &QComboBox::activated, this,
            after([this] { m_model.SetPriority(m_priority->currentIndex()); }));
    connect(m_due, &CDatePickerCtrl::dateChanged, this, after([this] {
                if (!HasDate(m_due))
                    m_model.SetDueNone(true);
                else
                    m_model.SetDueDate(CEditorFields::GetDate(m_due));
            }));
    connect(m_start, &CDatePickerCtrl::dateChanged, this, after([this] {
                if (!HasDate(m_start))
                    m_model.SetStartNone(true);
                else
                    m_model.SetStartDate(CEditorFields::GetDate(m_start));
            }));
    connect(m_completion, &CDatePickerCtrl::dateChanged, this, after([this] {
                m_model.SetCompletionDate(CEditorFields::GetDate(m_completion), !HasDate(m_completion));
            }));
    CEditorFields::OnChanged(m_reminderDate, this, after([this] {
                                 m_model.SetReminderDate(CEditorFields::GetDate(m_reminderDate));
                             }));
    if (auto *time = qobject_cast<CTimeComboBox *>(m_reminderTime)) {
        connect(time, &CTimeComboBox::timeChanged, this, [this, after](int kind, double spanDays) {
            after([this, kind, spanDays] {
                if (kind == 0)
                    m_model.SetReminderTime(CEditorFields::GetTime(m_reminderTime));
                else
                    m_model.ApplyReminderShift(kind, CDateSpan(spanDays));
            })();
        });
    }
    connect(m_notify, &QCheckBox::toggled, this,
            after([this] { m_model.SetReminderOn(m_notify->isChecked()); }));
    connect(m_subject, &CNotesEdit::notesChanged, this, [this] {
        if (m_filling)
            return;
        GatherTexts();
        if (const IItemTypeCatalog *types = GetItemTypeCatalog()) {
            if (m_model.ApplyTypePrefix(*types) == CCalendarItem::PrefixResult::Applied)
                LoadWidgets();
        }
    });
    connect(m_type, &QComboBox::activated, this, [this](int index) {
        m_model.ChooseItemType(index);
        setWindowTitle(m_model.GetTitle());
    });
    ForwardToggle(m_topmost, this, m_filling, [this](bool on) { m_model.SetTopmost(on); });
    ForwardToggle(m_item.hidden, this, m_filling, [this](bool on) { m_model.SetHidden(on); });
    ForwardToggle(m_item.locked, this, m_filling, [this](bool on) { m_model.SetLocked(on); });
    connect(m_recurrence, &QPushButton::clicked, this, &CEditTaskDlg::OnRecurrence);
    connect(m_modifySeries, &QPushButton::clicked, this, &CEditTaskDlg::OnModifySeries);
    connect(m_categoriesButton, &QPushButton::clicked, this, &CEditTaskDlg::OnCategories);
    connect(m_item.print, &QAction::triggered, this, &CEditTaskDlg::OnPrint);
    connect(m_item.remove, &QAction::triggered, this, &CEditTaskDlg::OnDelete);
    connect(m_setup, &QPushButton::clicked, this, &CEditTaskDlg::reminderSetupRequested);
    resize(540, 580);
}

void CEditTaskDlg::LoadWidgets()
{
    m_filling = true;
    const TaskForm &form = m_model.GetForm();
    setWindowTitle(m_model.GetTitle());
    m_subject->SetStoredText(form.subject);
    m_notes->SetStoredText(form.notes);
    m_categories->setText(form.categories);
    m_type->setCurrentIndex(m_model.GetTask().GetItemTypeIndex());
    m_priority->setCurrentIndex(form.priority);
    m_item.hidden->setChecked(form.hidden);
    m_item.locked->setChecked(form.locked);
    m_filling = false;
    LoadDates();
    RefreshStates();
    m_model.ClearModified();
}

void CEditTaskDlg::LoadDates()
{
    m_filling = true;
    const TaskForm &form = m_model.GetForm();
    ShowDate(m_due, form.due, form.hasDue);
    ShowDate(m_start, form.start, form.hasStart);
    ShowDate(m_completion, form.completion, form.completed);
    m_status->setCurrentIndex(form.status);
    const int entry = form.percent % 25 == 0 ? form.percent / 25 : -1;
    if (entry >= 0)
        m_percent->setCurrentIndex(entry);
    else
        m_percent->setEditText(QStringLiteral("%1%").arg(form.percent));
    {
        const QSignalBlocker block(m_notify);
        m_notify->setChecked(form.reminderOn);
    }
    if (form.reminder.IsValid()) {
        CEditorFields::SetDate(m_reminderDate, form.reminder.DatePart());
        CEditorFields::SetTime(m_reminderTime, form.reminder);
    }
    m_filling = false;
}

void CEditTaskDlg::RefreshStates()
{
    m_filling = true;
    const bool readOnly = m_model.IsReadOnly();
    const TaskControlState s = m_model.GetControlState();
    m_status->setEnabled(s.statusEnabled);
    m_percent->setEnabled(s.percentEnabled);
    m_completion->setEnabled(s.completionEnabled);
    m_recurrence->setEnabled(s.recurrenceEnabled);
    m_modifySeries->setVisible(s.modifySeriesVisible);
    m_modifySeries->setEnabled(s.modifySeriesEnabled);
    m_occurrenceIcon->setVisible(s.occurrenceIcon);
    m_seriesIcon->setVisible(s.seriesIcon);
    m_notify->setEnabled(s.notifyEnabled);
    m_reminderDate->setEnabled(s.reminderEnabled);
    m_reminderTime->setEnabled(s.reminderEnabled);
    m_setup->setEnabled(s.reminderEnabled);
    m_item.remove->setEnabled(s.deleteEnabled);
    m_item.hidden->setEnabled(s.hiddenEnabled);
    m_item.locked->setEnabled(s.lockedEnabled);
    m_topmost->setChecked(s.topmostChecked);
    m_topmost->setEnabled(s.topmostEnabled);
    m_subject->setReadOnly(readOnly);
    m_notes->setReadOnly(readOnly);
    m_type->setEnabled(!readOnly);
    m_priority->setEnabled(!readOnly);
    m_due->setEnabled(!readOnly);
    m_start->setEnabled(!readOnly);
    m_categoriesButton->setEnabled(!readOnly);
    m_categories->setReadOnly(readOnly);
    m_filling = false;
}

void CEditTaskDlg::GatherTexts()
{
    m_model.SetSubject(m_subject->GetStoredText());
    m_model.SetNotes(m_notes->GetStoredText());
    m_model.SetCategories(m_categories->text());
}

void CEditTaskDlg::FocusField(TaskField field)
{
    QWidget *target = nullptr;
    switch (field) {
    case TaskField::DueDate:
        target = m_due;
        break;
    case TaskField::StartDate:
        target = m_start;
        break;
    case TaskField::CompletionDate:
        target = m_completion;
        break;
    case TaskField::ReminderDate:
        target = m_reminderDate;
        break;
    case TaskField::ReminderTime:
        target = m_reminderTime;
        break;
    case TaskField::None:
        break;
    }
    if (target)
        target->setFocus();
}

void CEditTaskDlg::accept()
{
    if (m_model.IsReadOnly() || !m_context.store)
        return;
    m_ok->setFocus();
    CEditorFields::CommitText(m_reminderTime);
    GatherTexts();
    CTaskSave save(m_model, *m_context.store);
    save.SetReminderWindows(m_context.reminderWindows);
    switch (save.Save(size(), m_initialSize)) {
    case TaskSaveResult::Saved:
        CDialogEx::accept();
        break;
    case TaskSaveResult::Unchanged:
        CDialogEx::reject();
        break;
    case TaskSaveResult::StayOpen:
        LoadDates();
        RefreshStates();
        FocusField(save.GetFocusField());
        break;
    }
}

void CEditTaskDlg::reject()
{
    if (m_loaded && !m_model.IsReadOnly() && IsDataFileOpen()) {
        GatherTexts();
        if (m_model.IsModifiedFlag() && m_context.store) {
            const int answer =
                AskQuestion(EditingText(EditText::SaveChangesQuestion), this, MessageButtons::YesNoCancel);
            if (answer == MessageResult::Cancel)
                return;
            if (answer == MessageResult::Yes) {
                accept();
                return;
            }
        }
    }
    ReleaseReminderWindow();
    CDialogEx::reject();
}

void CEditTaskDlg::OnRecurrence()
{
    GatherTexts();
    if (m_context.store) {
        CTaskSave check(m_model, *m_context.store);
        if (!check.ValidateDates()) {
            FocusField(check.GetFocusField());
            return;
        }
    }
    CTaskRecurrenceDlg dialog(m_model.GetTask(), m_model.IsReadOnly(), this);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_model.RecurrenceChanged(dialog.IsChanged());
    setWindowTitle(m_model.GetTitle());
    LoadDates();
    RefreshStates();
}

void CEditTaskDlg::ReminderOptionsApplied()
{
    m_model.MarkModified();
    RefreshStates();
}

void CEditTaskDlg::OnModifySeries()
{
    m_model.ModifySeries();
    LoadWidgets();
}

void CEditTaskDlg::OnCategories()
{
    if (const auto chosen = ChooseCategories(this, m_context.masterList, m_context.file, m_categories))
        m_model.SetCategories(*chosen);
}

void CEditTaskDlg::OnPrint()
{
    GatherTexts();
    if (m_context.store) {
        CTaskSave gather(m_model, *m_context.store);
        if (!gather.GatherFromControls(false)) {
            FocusField(gather.GetFocusField());
            return;
        }
    }
    auto copy = std::make_shared<CTaskItem>(m_model.GetTask());
    copy->SetRecordId(0);
    CItemKeyArray keys;
    keys.Add(CCalendarItem::KindTask, 0, CDateTime(0.0), copy);
    emit printRequested(keys);
}

void CEditTaskDlg::OnDelete()
{
    if (!m_context.store)
        return;
    bool oneOccurrence = false;
    if (!ConfirmDelete(this, m_subject->GetStoredText(), m_model.IsOccurrenceAlone(), 2, oneOccurrence))
        return;
    const CItemKey key = ReminderKey();
    const HRESULT hr = m_context.store->DeleteHeldTask(m_model.GetHolder(), oneOccurrence);
    ReleaseReminderWindow();
    if (m_context.reminderWindows)
        m_context.reminderWindows->CloseReminderWindow(key);
    m_model.ClearModified();
    if (hr != S_OK)
        ReportError(hr);
    CDialogEx::reject();
}

int CEditTaskDlg::OpenTaskEditor(std::unique_ptr<CItemRef> holder, const TaskEditorContext &context,
                                 QWidget *parent, bool openRecurrence, bool topmost, bool readOnly)
{
    if (!holder || !holder->GetTask())
        return 0;
    if (parent) {
        CEditTaskDlg dialog(std::move(holder), context, readOnly, parent);
        return RunEditor(dialog, true, topmost, openRecurrence);
    }
    auto *dialog = new CEditTaskDlg(std::move(holder), context, readOnly, nullptr);
    return RunEditor(*dialog, false, topmost, openRecurrence);
}
