// The event editor's window: sections Event, Time (or Recurrence), Reminder and Notes, the
// categories row and the item toolbar beside OK and Cancel.
#include "editing/event/EditEventDlg.h"

#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/CategoryList.h"
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
#include "editing/event/EventRecurrenceDlg.h"
#include "editing/event/EventStore.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

using namespace EditorWidgets;

CEditEventDlg::CEditEventDlg(std::unique_ptr<CItemRef> holder, const EventEditorContext &context,
                             bool readOnly, bool newException, QWidget *parent,
                             const EventEditorSettings &settings)
    : CDialogEx(parent), m_model(std::move(holder), readOnly, newException, settings), m_context(context)
{
    setObjectName(QStringLiteral("EditEventDlg"));
    setSizeGripEnabled(true);
    m_loaded = m_model.Load();
    BuildForm();
    m_initialSize = size();
    if (m_loaded) {
        LoadWidgets();
        // An event that keeps its editor size opens at that size.
        RestoreKeptSize(*this, m_model.GetEvent());
    }
    if (readOnly) {
        m_ok->setEnabled(false);
        m_subject->setFocus();
    }
    // The reminder window of the edited item stays disabled while its editor is open; without a
    // main window the editor comes up on that window's screen.
    if (m_loaded && m_context.reminderWindows && m_context.reminderWindows->IsReminderWindowOpen(ReminderKey())) {
        m_context.reminderWindows->HoldReminderWindow(ReminderKey(), true);
        m_holdsReminder = true;
        if (!parent)
            CenterOnMonitorOf(m_context.reminderWindows->GetReminderWindow(ReminderKey()));
    }
}

CEditEventDlg::~CEditEventDlg()
{
    ReleaseReminderWindow();
}

CItemKey CEditEventDlg::ReminderKey()
{
    CItemKey key;
    key.kind = CCalendarItem::KindEvent;
    key.itemId = m_model.GetHolder().GetRecordId();
    key.occurrence = m_model.GetHolder().GetOccurrenceDate();
    return key;
}

void CEditEventDlg::ReleaseReminderWindow()
{
    if (!m_holdsReminder)
        return;
    m_holdsReminder = false;
    if (m_context.reminderWindows)
        m_context.reminderWindows->HoldReminderWindow(ReminderKey(), false);
}

void CEditEventDlg::BuildForm()
{
    auto *layout = new QVBoxLayout(this);

    // Event.
    layout->addWidget(CSectionHeading::Create(tr("Event"), this));
    auto *eventGrid = new QGridLayout;
    m_subject = MakeSubjectField(this, CEventEditorModel::kMaxSubject);
    m_location = new QComboBox(this);
    m_location->setObjectName(QStringLiteral("location"));
    m_location->setEditable(true);
    m_location->setInsertPolicy(QComboBox::NoInsert);
    m_location->lineEdit()->setMaxLength(CEventEditorModel::kMaxLocation);
    if (m_context.store) {
        const CCategoryList &places = m_context.store->GetLocationList();
        for (int i = 0; i < places.GetCount(); ++i)
            m_location->addItem(places.GetAt(i)->GetName());
    }
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("type"));
    if (const IItemTypeCatalog *types = GetItemTypeCatalog())
        FillTypeChoices(*m_type, *types);
    auto addRow = [&](int row, const QString &text, QWidget *field) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        eventGrid->addWidget(label, row, 0);
        eventGrid->addWidget(field, row, 1, 1, 3);
    };
    addRow(0, tr("Su&bject:"), m_subject);
    addRow(1, tr("&Location:"), m_location);
    addRow(2, tr("&Type:"), m_type);
    eventGrid->setColumnStretch(1, 1);
    layout->addLayout(eventGrid);

    // Time, or the pattern text of a series.
    auto *timeHead = new QHBoxLayout;
    m_timeHeading = CSectionHeading::Create(tr("Time"), this);
    m_occurrenceIcon = new QLabel(this);
    m_occurrenceIcon->setPixmap(OccurrenceGlyph(palette().color(QPalette::WindowText)));
    m_occurrenceIcon->setToolTip(tr("One occurrence of a recurring event"));
    timeHead->addWidget(m_timeHeading);
    timeHead->addWidget(m_occurrenceIcon);
    timeHead->addStretch();
    layout->addLayout(timeHead);
    auto *timeRow = new QHBoxLayout;
    m_timeBlock = new QStackedWidget(this);
    auto *times = new QWidget(m_timeBlock);
    auto *tg = new QGridLayout(times);
    tg->setContentsMargins(0, 0, 0, 0);
    m_startDate = CEditorFields::CreateDateField(times, QStringLiteral("startDate"));
    m_startTime = CEditorFields::CreateTimeField(times, QStringLiteral("startTime"));
    m_endDate = CEditorFields::CreateDateField(times, QStringLiteral("endDate"));
    m_endTime = CEditorFields::CreateTimeField(times, QStringLiteral("endTime"));
    m_duration = CEditorFields::CreateDurationField(times, QStringLiteral("duration"), true);
    m_allDay = new QCheckBox(tr("All da&y event"), times);
    m_allDay->setObjectName(QStringLiteral("allDay"));
    auto *startLabel = new QLabel(tr("Start time&:"), times);
    startLabel->setBuddy(m_startDate);
    auto *endLabel = new QLabel(tr("End ti&me:"), times);
    endLabel->setBuddy(m_endDate);
    auto *durationLabel = new QLabel(tr("D&uration:"), times);
    durationLabel->setBuddy(m_duration);
    tg->addWidget(startLabel, 0, 0);
    tg->addWidget(m_startDate, 0, 1);
    tg->addWidget(m_startTime, 0, 2);
    tg->addWidget(durationLabel, 0, 3);
    tg->addWidget(m_duration, 0, 4);
    tg->addWidget(endLabel, 1, 0);
    tg->addWidget(m_endDate, 1, 1);
    tg->addWidget(m_endTime, 1, 2);
    tg->addWidget(m_allDay, 1, 3, 1, 2);
    tg->setColumnStretch(5, 1);
    m_timeBlock->addWidget(times);
    m_patternText = new QLabel(m_timeBlock);
    m_patternText->setObjectName(QStringLiteral("patternText"));
    m_patternText->setWordWrap(true);
    m_patternText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_timeBlock->addWidget(m_patternText);
    timeRow->addWidget(m_timeBlock, 1);
    auto *timeButtons = new QVBoxLayout;
    MakeSeriesButtons(this, m_recurrence, m_modifySeries);
    timeButtons->addWidget(m_recurrence);
    timeButtons->addWidget(m_modifySeries);
    timeButtons->addStretch();
    timeRow->addLayout(timeButtons);
    layout->addLayout(timeRow);

    // Reminder.
    layout->addWidget(CSectionHeading::Create(tr("Reminder"), this));
    auto *reminderRow = new QHBoxLayout;
    m_notify = new QCheckBox(tr("Noti&fy:"), this);
    m_notify->setObjectName(QStringLiteral("notify"));
    m_lead = CEditorFields::CreateDurationField(this, QStringLiteral("reminderLead"), true);
    m_lead->setMinimumContentsLength(12);
    auto *before = new QLabel(tr("before"), this);
    m_setup = new QPushButton(tr("Set&up..."), this);
    m_setup->setObjectName(QStringLiteral("reminderSetup"));
    QToolBar *reminderBar = MakeReminderBar(this, m_topmost);
    m_noWindowAfter =
        ToolAction(reminderBar, tr("Don't show the reminder window when the event time is over"),
                   QStyle::SP_DialogNoButton, "noWindowAfter", true);
    reminderRow->addWidget(m_notify);
    reminderRow->addWidget(m_lead);
    reminderRow->addWidget(before);
    reminderRow->addWidget(m_setup);
    reminderRow->addWidget(reminderBar);
    reminderRow->addStretch();
    layout->addLayout(reminderRow);

    // Notes, categories, and the item toolbar beside OK and Cancel.
    m_notes = AddNotesSection(this, layout, CEventEditorModel::kMaxNotes);
    AddCategoriesRow(this, layout, CEventEditorModel::kMaxCategories, m_categoriesButton, m_categories);
    layout->addLayout(MakeFootRow(this, m_item, m_ok));

    // Keyboard order as the form reads.
    setTabOrder(m_subject, m_location);
    setTabOrder(m_location, m_type);
    setTabOrder(m_type, m_startDate);
    setTabOrder(m_startDate, m_startTime);
    setTabOrder(m_startTime, m_duration);
    setTabOrder(m_duration, m_endDate);
    setTabOrder(m_endDate, m_endTime);
    setTabOrder(m_endTime, m_allDay);
    setTabOrder(m_allDay, m_recurrence);
    setTabOrder(m_recurrence, m_modifySeries);
    setTabOrder(m_modifySeries, m_notify);
    setTabOrder(m_notify, m_lead);
    setTabOrder(m_lead, m_setup);
    setTabOrder(m_setup, m_notes);
    setTabOrder(m_notes, m_categoriesButton);
    setTabOrder(m_categoriesButton, m_categories);

    // Wiring: every change goes to the model, which tells what the form shows next.
    auto timeChanged = [this](auto apply) {
        return [this, apply] {
            if (m_filling)
                return;
            apply();
            LoadTimes();
        };
    };
    CEditorFields::OnChanged(m_startDate, this, timeChanged([this] {
                                 m_model.SetStartDate(CEditorFields::GetDate(m_startDate));
                             }));
    CEditorFields::OnChanged(m_startTime, this, timeChanged([this] {
                                 m_model.SetStartTime(CEditorFields::GetTime(m_startTime));
                             }));
    CEditorFields::OnChanged(m_endDate, this,
                             timeChanged([this] { m_model.SetEndDate(CEditorFields::GetDate(m_endDate)); }));
    CEditorFields::OnChanged(m_endTime, this,
                             timeChanged([this] { m_model.SetEndTime(CEditorFields::GetTime(m_endTime)); }));
    CEditorFields::OnChanged(m_duration, this, timeChanged([this] {
                                 CDateSpan span;
                                 if (CEditorFields::GetDuration(m_duration, span))
                                     m_model.SetDuration(span);
                             }));
    connect(m_allDay, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling)
            return;
        m_model.SetAllDay(on);
        LoadTimes();
    });
    connect(m_subject, &CNotesEdit::notesChanged, this, [this] {
        GatherTexts();
        if (const IItemTypeCatalog *types = GetItemTypeCatalog()) {
            if (m_model.ApplyTypePrefix(*types) == CCalendarItem::PrefixResult::Applied)
                LoadWidgets();
        }
    });
    connect(m_type, &QComboBox::activated, this, [this](int index) {
        m_model.ChooseItemType(index);
        m_filling = true;
        CEditorFields::SetDuration(m_lead, CDateSpan(0.0));
        m_lead->setEditText(m_model.GetForm().reminderLeadText);
        m_filling = false;
        RefreshTitle();
    });
    connect(m_notify, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling)
            return;
        m_model.SetReminderOn(on);
        RefreshStates();
    });
    ForwardToggle(m_topmost, this, m_filling, [this](bool on) { m_model.SetTopmost(on); });
    ForwardToggle(m_noWindowAfter, this, m_filling, [this](bool on) { m_model.SetNoWindowAfterTime(on); });
    ForwardToggle(m_item.hidden, this, m_filling, [this](bool on) { m_model.SetHidden(on); });
    ForwardToggle(m_item.locked, this, m_filling, [this](bool on) { m_model.SetLocked(on); });
    connect(m_recurrence, &QPushButton::clicked, this, &CEditEventDlg::OnRecurrence);
    connect(m_modifySeries, &QPushButton::clicked, this, &CEditEventDlg::OnModifySeries);
    connect(m_categoriesButton, &QPushButton::clicked, this, &CEditEventDlg::OnCategories);
    connect(m_item.print, &QAction::triggered, this, &CEditEventDlg::OnPrint);
    connect(m_item.remove, &QAction::triggered, this, &CEditEventDlg::OnDelete);
    connect(m_setup, &QPushButton::clicked, this, &CEditEventDlg::reminderSetupRequested);
    resize(520, 560);
}

void CEditEventDlg::RefreshTitle()
{
    setWindowTitle(m_model.GetTitle());
    // The window shows the icons of the event's item type.
    if (const IItemTypeCatalog *types = GetItemTypeCatalog()) {
        const QIcon icon = TypeWindowIcon(*types, m_model.GetEvent().GetItemTypeIndex());
        if (!icon.isNull())
            SetDialogIcon(icon);
    }
}

void CEditEventDlg::LoadWidgets()
{
    m_filling = true;
    const EventForm &form = m_model.GetForm();
    RefreshTitle();
    m_subject->SetStoredText(form.subject);
    m_location->setEditText(form.location);
    m_notes->SetStoredText(form.notes);
    m_categories->setText(form.categories);
    m_type->setCurrentIndex(m_model.GetEvent().GetItemTypeIndex());
    m_notify->setChecked(form.reminderOn);
    m_lead->setEditText(form.reminderLeadText);
    m_item.hidden->setChecked(form.hidden);
    m_item.locked->setChecked(form.locked);
    m_filling = false;
    LoadTimes();
    RefreshStates();
    m_model.ClearModified();
}

void CEditEventDlg::LoadTimes()
{
    m_filling = true;
    const EventForm &form = m_model.GetForm();
    m_timeHeading->setText(m_model.GetTimeHeading());
    m_timeBlock->setCurrentIndex(m_model.ShowsPatternText() ? 1 : 0);
    m_patternText->setText(m_model.GetPatternText());
    CEditorFields::SetDate(m_startDate, form.startDate);
    CEditorFields::SetTime(m_startTime, form.startTime);
    CEditorFields::SetDate(m_endDate, form.endDate);
    CEditorFields::SetTime(m_endTime, form.endTime);
    CEditorFields::SetDuration(m_duration, form.duration);
    m_allDay->setChecked(form.allDay);
    m_startTime->setEnabled(m_model.AreTimeFieldsEnabled());
    m_endTime->setEnabled(m_model.AreTimeFieldsEnabled());
    m_filling = false;
}

void CEditEventDlg::RefreshStates()
{
    m_filling = true;
    const bool readOnly = m_model.IsReadOnly();
    const bool occurrence = m_model.IsOccurrence();
    m_recurrence->setEnabled(m_model.CanEditRecurrence());
    m_categoriesButton->setEnabled(!occurrence && !readOnly);
    m_categories->setEnabled(!occurrence);
    m_categories->setReadOnly(readOnly);
    m_modifySeries->setVisible(occurrence);
    m_occurrenceIcon->setVisible(occurrence);
    m_type->setEnabled(m_model.CanChooseType());
    m_notify->setEnabled(m_model.CanEditReminder());
    const bool leadOn = m_model.GetForm().reminderOn && !readOnly;
    m_lead->setEnabled(leadOn);
    m_setup->setEnabled(leadOn && !occurrence);
    const EventToolbarState bar = m_model.GetToolbarState();
    m_item.remove->setEnabled(bar.deleteEnabled);
    m_item.hidden->setEnabled(bar.hiddenEnabled);
    m_item.locked->setEnabled(bar.lockedEnabled);
    m_topmost->setChecked(bar.topmostChecked);
    m_topmost->setEnabled(bar.topmostEnabled);
    m_noWindowAfter->setChecked(bar.noWindowAfterChecked);
    m_noWindowAfter->setEnabled(bar.noWindowAfterEnabled);
    m_subject->setReadOnly(readOnly);
    m_notes->setReadOnly(readOnly);
    m_location->setEnabled(!readOnly);
    m_timeBlock->setEnabled(!readOnly);
    m_filling = false;
}

void CEditEventDlg::GatherTexts()
{
    m_model.SetSubject(m_subject->GetStoredText());
    m_model.SetLocation(m_location->currentText());
    m_model.SetNotes(m_notes->GetStoredText());
    m_model.SetCategories(m_categories->text());
    m_model.SetReminderLeadText(m_lead->currentText());
    // A time typed but not yet committed counts too.
    if (!m_model.GetForm().allDay) {
        CEditorFields::CommitText(m_startTime);
        const CDateTime start = CEditorFields::GetTime(m_startTime);
        if (start.IsValid() && !(start == m_model.GetForm().startTime))
            m_model.SetStartTime(start);
    }
}

void CEditEventDlg::FocusField(EventField field)
{
    switch (field) {
    case EventField::StartDate:
        m_startDate->setFocus();
        break;
    case EventField::StartTime:
        m_startTime->setFocus();
        break;
    case EventField::EndDate:
        m_endDate->setFocus();
        break;
    case EventField::EndTime:
        m_endTime->setFocus();
        break;
    case EventField::ReminderLead:
        m_lead->setFocus();
        break;
    case EventField::None:
        break;
    }
}

void CEditEventDlg::accept()
{
    if (m_model.IsReadOnly() || !m_context.store)
        return;
    m_ok->setFocus();
    GatherTexts();
    // A size the user gave the window is kept with the event.
    if (size() != m_initialSize)
        m_model.GetEvent().SetEditorWindowSize(true, width(), height());
    CEventSave save(m_model, *m_context.store);
    save.SetReminderWindows(m_context.reminderWindows);
    switch (save.Save()) {
    case EventSaveResult::Saved:
        CDialogEx::accept();
        break;
    case EventSaveResult::Unchanged:
        CDialogEx::reject();
        break;
    case EventSaveResult::StayOpen:
        FocusField(save.GetFocusField());
        break;
    }
}

void CEditEventDlg::reject()
{
    if (m_loaded && !m_model.IsReadOnly()) {
        GatherTexts();
        if (m_model.IsModifiedFlag() && m_context.store) {
            const int answer = ShowMessageBox(this, true, EditingText(EditText::SaveChangesQuestion),
                                              MessageIcon::Warning, MessageButtons::YesNoCancel);
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

void CEditEventDlg::OnRecurrence()
{
    GatherTexts();
    if (m_context.store) {
        CEventSave apply(m_model, *m_context.store);
        if (!apply.ApplyFieldsToItem(true)) {
            FocusField(apply.GetFocusField());
            return;
        }
    }
    CEventRecurrenceDlg dialog(m_model.GetEvent(), m_model.IsReadOnly(), this);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CEventRecurrenceModel &result = dialog.GetModel();
    m_model.RecurrenceChanged(result.GetKeepExceptions(), result.GetExceptionsOutOfRange(),
                              result.HadExternalReferences());
    RefreshTitle();
    LoadTimes();
    RefreshStates();
}

void CEditEventDlg::OnModifySeries()
{
    m_model.ModifySeries();
    LoadWidgets();
}

void CEditEventDlg::OnCategories()
{
    if (const auto chosen = ChooseCategories(this, m_context.masterList, m_context.file, m_categories))
        m_model.SetCategories(*chosen);
}

void CEditEventDlg::OnPrint()
{
    GatherTexts();
    if (m_context.store) {
        CEventSave apply(m_model, *m_context.store);
        if (!apply.ApplyFieldsToItem(true)) {
            FocusField(apply.GetFocusField());
            return;
        }
    }
    auto copy = std::make_shared<CEventItem>(m_model.GetEvent());
    if (const CRecurrenceException *x = m_model.GetException()) {
        copy->RemoveRecurrence();
        copy->RemoveAllExceptions();
        copy->SetStart(x->newStart);
        copy->SetDuration(x->duration);
        if (x->overrideFlags & CRecurrenceException::OverrideSubject)
            copy->SetSubject(x->subject);
        if (x->overrideFlags & CRecurrenceException::OverrideLocation)
            copy->SetLocation(x->location);
        if (x->overrideFlags & CRecurrenceException::OverrideNotes)
            copy->SetNotes(x->notes);
    }
    CItemKeyArray keys;
    keys.Add(CCalendarItem::KindEvent, 0, CDateTime(0.0), copy);
    emit printRequested(keys);
}

void CEditEventDlg::OnDelete()
{
    if (!m_context.store)
        return;
    bool oneOccurrence = false;
    if (!ConfirmDelete(this, m_subject->GetStoredText(), m_model.IsOccurrence(), 1, oneOccurrence))
        return;
    const CItemKey key = ReminderKey();
    const HRESULT hr = m_context.store->DeleteHeldEvent(m_model.GetHolder(), oneOccurrence);
    if (m_context.reminderWindows)
        m_context.reminderWindows->CloseReminderWindow(key);
    m_model.ClearModified();
    if (hr != S_OK)
        ReportError(hr);
    CDialogEx::reject();
}

int CEditEventDlg::OpenEventEditor(std::unique_ptr<CItemRef> holder, const EventEditorContext &context,
                                   QWidget *parent, bool openRecurrence, bool topmost, bool readOnly,
                                   bool newException)
{
    if (!holder || !holder->GetEvent())
        return 0;
    if (parent) {
        CEditEventDlg dialog(std::move(holder), context, readOnly, newException, parent);
        if (!dialog.IsLoaded())
            return 0;
        return RunEditor(dialog, true, topmost, openRecurrence);
    }
    auto *dialog = new CEditEventDlg(std::move(holder), context, readOnly, newException, nullptr);
    if (!dialog->IsLoaded()) {
        delete dialog;
        return 0;
    }
    return RunEditor(*dialog, false, topmost, openRecurrence);
}
