// The event editor's window: sections Event, Time (or Recurrence), Reminder and Notes, the
// categories row and the item toolbar beside OK and Cancel.
#include "editing/event/EditEventDlg.h"

#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/lists/CategoryList.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/lists/ItemTypeList.h"
#include "core/lists/MasterList.h"
#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/EditorFields.h"
#include "editing/base/EditorWidgets.h"
#include "editing/base/ItemKey.h"
#include "editing/base/NotesEdit.h"
#include "editing/base/RecurrencePromptDlg.h"
#include "editing/base/ReminderWindowPort.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/base/SectionHeading.h"
#include "editing/event/EventRecurrenceDlg.h"
#include "editing/event/EventStore.h"
#include "editing/lists/CategoriesDlg.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/drawing/ImagePixelsQt.h"
#include "toolkit/style/MenuLook.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using namespace EditorWidgets;

namespace {
// The window icon of an item type: its small icon for the title bar, its large one for the task
// switcher; null when the type has no icons.
QIcon TypeWindowIcon(const IItemTypeCatalog &types, int index)
{
    const auto *list = dynamic_cast<const CItemTypeList *>(&types);
    ImagePixels large, small;
    if (!list || index < 0 || !list->GetTypeIcons(index, large, small))
        return {};
    QIcon icon;
    const CImageList &smallImages = list->GetSmallImages();
    const CImageList &largeImages = list->GetLargeImages();
    icon.addPixmap(PixmapFromPixels(small, smallImages.GetImageWidth(), smallImages.GetImageHeight()));
    icon.addPixmap(PixmapFromPixels(large, largeImages.GetImageWidth(), largeImages.GetImageHeight()));
    return icon;
}

// The mark of one changed occurrence, as the views draw it on such an item.
QPixmap OccurrenceGlyph(const QColor &colour)
{
    constexpr int kChangedOccurrenceGlyph = 2;
    const QSize cell = CMenuLook::kGlyphCells[1];
    QPixmap pixmap(cell);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(colour);
    DrawItemGlyph(painter, kChangedOccurrenceGlyph, 0, 0, cell.width(), cell.height(), cell.width(),
                  CMenuLook::Instance());
    return pixmap;
}
} // namespace

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
        const CEventItem &event = m_model.GetEvent();
        if (event.HasFlag(CCalendarItem::FlagEditorWindowSize)) {
            const std::uint32_t packed = event.GetEditorWindowSize();
            const QSize kept(int(packed & 0xFFFF), int(packed >> 16));
            if (kept.width() > 0 && kept.height() > 0)
                resize(kept.expandedTo(minimumSizeHint()));
        }
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
    m_recurrence = new QPushButton(tr("&Recurrence..."), this);
    m_recurrence->setObjectName(QStringLiteral("recurrence"));
    m_modifySeries = new QPushButton(tr("Modify the &series"), this);
    m_modifySeries->setObjectName(QStringLiteral("modifySeries"));
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
    auto *reminderBar = new QToolBar(this);
    reminderBar->setIconSize(QSize(16, 16));
    m_topmost = ToolAction(reminderBar, tr("Make the reminder window topmost"),
                           QStyle::SP_TitleBarShadeButton, "topmost", true);
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

    // Notes.
    auto *notesHeading = CSectionHeading::Create(tr("N&otes"), this);
    layout->addWidget(notesHeading);
    m_notes = new CNotesEdit(this, CEventEditorModel::kMaxNotes);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setMinimumHeight(90);
    notesHeading->setBuddy(m_notes);
    layout->addWidget(m_notes, 1);

    // Categories.
    auto *categoriesRow = new QHBoxLayout;
    m_categoriesButton = new QPushButton(tr("Cate&gories..."), this);
    m_categoriesButton->setObjectName(QStringLiteral("categoriesButton"));
    m_categories = new QLineEdit(this);
    m_categories->setObjectName(QStringLiteral("categories"));
    m_categories->setMaxLength(CEventEditorModel::kMaxCategories);
    categoriesRow->addWidget(m_categoriesButton);
    categoriesRow->addWidget(m_categories, 1);
    layout->addLayout(categoriesRow);

    // Item toolbar and the buttons.
    auto *bottom = new QHBoxLayout;
    auto *itemBar = new QToolBar(this);
    itemBar->setIconSize(QSize(16, 16));
    m_print = ToolAction(itemBar, tr("Print"), QStyle::SP_FileDialogDetailedView, "print", false);
    m_delete = ToolAction(itemBar, tr("Delete"), QStyle::SP_TrashIcon, "delete", false);
    itemBar->addSeparator();
    m_hidden = ToolAction(itemBar, tr("Hidden Item"), QStyle::SP_DesktopIcon, "hidden", true);
    m_locked = ToolAction(itemBar, tr("Locked Item"), QStyle::SP_DialogApplyButton, "locked", true);
    bottom->addWidget(itemBar);
    bottom->addStretch();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEditEventDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEditEventDlg::reject);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

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
    connect(m_topmost, &QAction::toggled, this, [this](bool on) {
        if (!m_filling)
            m_model.SetTopmost(on);
    });
    connect(m_noWindowAfter, &QAction::toggled, this, [this](bool on) {
        if (!m_filling)
            m_model.SetNoWindowAfterTime(on);
    });
    connect(m_hidden, &QAction::toggled, this, [this](bool on) {
        if (!m_filling)
            m_model.SetHidden(on);
    });
    connect(m_locked, &QAction::toggled, this, [this](bool on) {
        if (!m_filling)
            m_model.SetLocked(on);
    });
    connect(m_recurrence, &QPushButton::clicked, this, &CEditEventDlg::OnRecurrence);
    connect(m_modifySeries, &QPushButton::clicked, this, &CEditEventDlg::OnModifySeries);
    connect(m_categoriesButton, &QPushButton::clicked, this, &CEditEventDlg::OnCategories);
    connect(m_print, &QAction::triggered, this, &CEditEventDlg::OnPrint);
    connect(m_delete, &QAction::triggered, this, &CEditEventDlg::OnDelete);
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
    m_hidden->setChecked(form.hidden);
    m_locked->setChecked(form.locked);
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
    m_delete->setEnabled(bar.deleteEnabled);
    m_hidden->setEnabled(bar.hiddenEnabled);
    m_locked->setEnabled(bar.lockedEnabled);
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
    CCategoriesDlg dialog(m_context.masterList, m_context.file, m_categories->text(), this);
    CReminderWindowsGate::Hold gate;
    if (dialog.exec() == QDialog::Accepted) {
        m_categories->setText(dialog.GetResult());
        m_model.SetCategories(dialog.GetResult());
    }
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
    const QString subject = m_subject->GetStoredText();
    if (m_model.IsOccurrence()) {
        CRecurrencePromptDlg prompt(1, 1, subject, this);
        CReminderWindowsGate::Hold gate;
        if (prompt.exec() != QDialog::Accepted)
            return;
        oneOccurrence = prompt.GetChoice() == 0;
    } else {
        const QString question = PrintfText(EditingText(EditText::DeleteItemQuestion), {subject});
        if (ShowMessageBox(this, true, question, MessageIcon::Warning, MessageButtons::YesNo) !=
            MessageResult::Yes)
            return;
    }
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
        if (topmost)
            dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
        if (openRecurrence)
            QTimer::singleShot(0, &dialog, &CEditEventDlg::OnRecurrence);
        return dialog.RunModal(true);
    }
    auto *dialog = new CEditEventDlg(std::move(holder), context, readOnly, newException, nullptr);
    if (!dialog->IsLoaded()) {
        delete dialog;
        return 0;
    }
    dialog->setWindowFlag(Qt::WindowMinimizeButtonHint);
    if (topmost)
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog->CreateModeless();
    if (openRecurrence)
        QTimer::singleShot(0, dialog, &CEditEventDlg::OnRecurrence);
    return 0;
}
