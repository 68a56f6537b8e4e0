// The reminder window: its controls, its own caption and frame, and its answers.
#include "shell/reminders/ReminderDlg.h"

#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/lists/ItemType.h"
#include "core/lists/ItemTypeList.h"
#include "core/system/Messages.h"
#include "editing/base/ItemKey.h"
#include "shell/reminders/ReminderPlacement.h"
#include "shell/reminders/ReminderRules.h"
#include "shell/reminders/ReminderShell.h"
#include "shell/reminders/ReminderTextField.h"
#include "shell/reminders/ReminderWindows.h"
#include "shell/sound/SoundPlayer.h"
#include "toolkit/controls/CaptionStatic.h"
#include "toolkit/controls/ColorSwatch.h"
#include "toolkit/controls/DurationComboBox.h"
#include "toolkit/controls/FlatButton.h"
#include "toolkit/controls/LinkButton.h"
#include "toolkit/drawing/ImagePixelsQt.h"
#include "toolkit/style/ViewResources.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QColor ToQColor(COLORREF c)
{
    return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

const QString kSnoozeTooLong = QStringLiteral("Please enter a shorter duration.");
const QString kSnoozeInvalid = QStringLiteral(
    "The duration you entered is not valid.\nPlease read 'Date and time shortcuts' in the help file.");
const QString kSnoozeBeforeStart = QStringLiteral("The snooze period for an occurrence cannot be set to "
                                                  "appear before start.\nShorten the snooze time or remove "
                                                  "\"before start\".");
const QString kSnoozePastNext = QStringLiteral("The snooze period for an occurrence cannot be set to appear "
                                               "after the next occurrence.\nShorten the snooze "
                                               "time.");
const QString kSnoozePastEnd = QStringLiteral("The snooze period for an occurrence cannot be set to appear "
                                              "after the end of occurrence.\nYou specified not "
                                              "to show the reminder window when the event time is "
                                              "over.\nShorten the snooze time or reschedule the event.");
const QString kConvertEvent =
    QStringLiteral("You are about to convert this event to a task. Are you sure you want to do this?");
const QString kConvertTask =
    QStringLiteral("You are about to convert this task to an event. Are you sure you want to do this?");

constexpr int kAcceptCommand = 1057;
constexpr int kSnoozeCommand = 1053;
constexpr int kOpenCommand = 1058;
constexpr int kDeleteCommand = 1059;

} // namespace

CReminderDlg::CReminderDlg(CReminderWindows &windows)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_windows(windows),
      m_player(std::make_unique<CSoundPlayer>())
{
    setObjectName(QStringLiteral("ReminderDlg"));
    setWindowTitle(QStringLiteral("Reminder"));
    setMouseTracking(true);
    BuildControls();
}

CReminderDlg::~CReminderDlg()
{
    m_player->Stop();
    if (!m_closing)
        m_windows.WindowClosed(this);
}

void CReminderDlg::BuildControls()
{
    const CaptionMetrics &m = m_caption.Metrics();
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(m.frameX, m_caption.ClientTop(), m.frameX, m.frameY);
    outer->setSpacing(0);
    m_body = new QWidget(this);
    m_body->setObjectName(QStringLiteral("reminderBody"));
    outer->addWidget(m_body);

    m_subject = new CReminderTextField(true, m_body);
    m_subject->setObjectName(QStringLiteral("subject"));
    m_notes = new CReminderTextField(false, m_body);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_upperLine = new CColorSwatch(m_body);
    m_lowerLine = new CColorSwatch(m_body);
    m_label = new CCaptionStatic(QStringLiteral("&Click Snooze to be reminded again after:"), m_body);
    m_label->setObjectName(QStringLiteral("snoozeLabel"));
    m_label->setFocusPolicy(Qt::StrongFocus); // the window's keyboard focus rests here
    m_label->installEventFilter(this);
    m_snoozeCombo = new CDurationComboBox(m_body);
    m_snoozeCombo->setObjectName(QStringLiteral("snoozeSpan"));
    m_label->setBuddy(m_snoozeCombo);
    m_beforeStart = new CLinkButton(QStringLiteral("&before start"), m_body);
    m_beforeStart->setObjectName(QStringLiteral("beforeStart"));
    m_snooze = new CFlatButton(QStringLiteral("&Snooze"), m_body);
    m_snooze->setObjectName(QStringLiteral("snooze"));
    m_accept = new CFlatButton(QStringLiteral("&Accept"), m_body);
    m_accept->setObjectName(QStringLiteral("accept"));
    m_open = new CFlatButton(QStringLiteral("&Open..."), m_body);
    m_open->setObjectName(QStringLiteral("open"));
    m_delete = new CFlatButton(QStringLiteral("&Delete"), m_body);
    m_delete->setObjectName(QStringLiteral("delete"));

    auto *grid = new QGridLayout(m_body);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_subject, 0, 0, 1, 2);
    grid->addWidget(m_accept, 0, 2);
    grid->addWidget(m_upperLine, 1, 0, 1, 2);
    grid->addWidget(m_notes, 2, 0, 3, 2);
    grid->addWidget(m_open, 2, 2);
    grid->addWidget(m_delete, 3, 2);
    grid->addWidget(m_lowerLine, 5, 0, 1, 3);
    grid->addWidget(m_label, 6, 0, 1, 3);
    grid->addWidget(m_snoozeCombo, 7, 0);
    grid->addWidget(m_beforeStart, 7, 1, Qt::AlignLeft);
    grid->addWidget(m_snooze, 7, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    m_snoozeCombo->setMinimumWidth(140);
    for (CFlatButton *button : {m_accept, m_open, m_delete, m_snooze})
        button->setMinimumWidth(90);

    connect(m_accept, &QPushButton::clicked, this, [this] { RunCommand(kAcceptCommand); });
    connect(m_snooze, &QPushButton::clicked, this, [this] { RunCommand(kSnoozeCommand); });
    connect(m_open, &QPushButton::clicked, this, [this] { RunCommand(kOpenCommand); });
    connect(m_delete, &QPushButton::clicked, this, [this] { RunCommand(kDeleteCommand); });
}

// ---------------------------------------------------------------------------------------------
// Creation

bool CReminderDlg::CreateReminder(CItemRef &holder)
{
    const CCalendarItem *item = holder.GetItem();
    if (!item)
        return false;
    CCalendarDocument &document = m_windows.Document();
    CItemTypeList &types = document.GetItemTypes();
    const int typeIndex = types.FindType(item->GetItemTypeName());
    holder.GetItem()->SetItemTypeIndex(typeIndex);
    // An item without a known type shows and sounds as the "< undefined >" type.
    const CItemType *type = typeIndex >= 0 ? types.GetType(typeIndex) : &types.GetUndefinedType();
    const ReminderSettings settings = ReminderSettings::FromProgram();
    if (!m_content.Build(*item, type, GetNow(), settings))
        return false;
    if (!holder.GetOccurrenceDate().IsValid() || holder.GetOccurrenceDate().Value() == 0.0)
        holder.SetOccurrenceDate(m_content.occurrenceDate);

    Fill(*item);
    // The window's size after filling is its smallest.
    m_initialSize = sizeHint().expandedTo(QSize(460, 250));
    setMinimumSize(m_initialSize);
    if (m_content.keepSize && m_content.storedWidth > 0 && m_content.storedHeight > 0)
        resize(QSize(m_content.storedWidth, m_content.storedHeight).expandedTo(m_initialSize));
    else
        resize(m_initialSize);
    Place();

    if (m_content.playSound) {
        const QString path =
            m_content.sound.GetMode() == CReminderSound::SoundFile ? m_content.sound.GetPath() : QString();
        m_player->Play(path, m_content.soundIntervalMs);
    }
    if (!document.AreReminderWindowsEnabled())
        EnableReminder(false);
    ShowInZOrder();
    if (settings.takeFocus)
        m_label->setFocus();
    return true;
}

void CReminderDlg::Fill(const CCalendarItem &item)
{
    m_subject->SetStoredText(m_content.subjectLine);
    m_notes->SetStoredText(m_content.notes);
    m_bandText = m_content.captionText;
    setWindowTitle(m_content.windowTitle);
    m_accept->setText(m_content.acceptText);
    m_keepMark = item.GetKeepMark() != 0 || item.GetReservedValue() != 0;

    m_beforeStart->setVisible(m_content.beforeStartAllowed);
    m_beforeStart->setEnabled(m_content.beforeStartAllowed);
    m_snoozeCombo->FillList(false);
    if (item.GetSnoozeInterval().Value() > 0.0)
        m_snoozeCombo->SetDuration(item.GetSnoozeInterval());

    // Icons of the item type.
    ImagePixels large, small;
    const CItemTypeList &types = m_windows.Document().GetItemTypes();
    QPixmap smallIcon, largeIcon;
    auto blank = [](const QPixmap &pixmap) {
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    return false;
        return true;
    };
    if (types.GetTypeIcons(item.GetItemTypeIndex(), large, small)) {
        smallIcon = PixmapFromPixels(small, CItemTypeList::kSmallIconSize, CItemTypeList::kSmallIconSize);
        largeIcon = PixmapFromPixels(large, CItemTypeList::kLargeIconSize, CItemTypeList::kLargeIconSize);
    }
    if (smallIcon.isNull() || blank(smallIcon)) {
        InitViewResources();
        smallIcon = QPixmap(QString::fromLatin1(kDefaultIcon16Path));
        largeIcon = QPixmap(QString::fromLatin1(kDefaultIcon32Path));
    }
    m_smallIcon = QIcon(smallIcon);
    QIcon windowIcon(largeIcon);
    windowIcon.addPixmap(smallIcon);
    setWindowIcon(windowIcon);

    m_delete->setVisible(m_content.deleteVisible);
    m_open->setEnabled(m_windows.Shell().CanOpenItem(m_content.kind));

    if (m_content.ownFont) {
        QFont font(m_content.fontFace);
        font.setPointSize(std::max(1, m_content.fontPoints));
        font.setBold(m_content.fontBold);
        font.setItalic(m_content.fontItalic);
        m_subject->setFont(font);
    } else {
        QFont font = m_subject->font();
        font.setBold(true);
        m_subject->setFont(font);
    }
    QFont measured = m_subject->font();
    measured.setWeight(QFont::Bold);
    m_subject->setFixedHeight(QFontMetrics(measured).height() + 6);

    ApplyColors();

    m_soundPlaying = m_content.stopSoundPossible;
    m_caption.SetStopPresent(m_content.stopSoundPossible);
    m_caption.SetSoundPlaying(m_soundPlaying);
    BuildMenu();
}

void CReminderDlg::ApplyColors()
{
    const bool own = m_content.ownColors;
    const COLORREF back = m_content.backColor;
    const COLORREF text = m_content.textColor;
    QPalette p = QPalette();
    if (own) {
        p.setColor(QPalette::Window, ToQColor(back));
        p.setColor(QPalette::WindowText, ToQColor(text));
        p.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(m_content.shadowColor));
    }
    setPalette(p);
    setAutoFillBackground(true);
    for (CFlatButton *button : {m_accept, m_open, m_delete, m_snooze}) {
        if (own)
            button->SetColors(back, text);
        else
            button->ResetColors();
    }
    if (own) {
        m_beforeStart->SetColors(back, text);
        m_snoozeCombo->SetColors(back, text);
        m_label->SetColors(back, text);
        m_upperLine->SetColor(back);
        m_lowerLine->SetColor(back);
    } else {
        m_beforeStart->ResetColors();
        m_snoozeCombo->SetColors(0, 0);
        m_snoozeCombo->SetSystemLook(true);
        m_label->ResetColors();
        m_upperLine->ResetColors();
        m_lowerLine->ResetColors();
    }
    m_subject->SetColors(own, ToQColor(text), ToQColor(back));
    m_notes->SetColors(own, ToQColor(text), ToQColor(back));
    update();
}

void CReminderDlg::Place()
{
    const ReminderSettings settings = ReminderSettings::FromProgram();
    const QList<QScreen *> screens = QGuiApplication::screens();
    QScreen *primary = QGuiApplication::primaryScreen();
    if (screens.isEmpty() || !primary)
        return;
    const int index = CReminderPlacement::ChooseScreen(int(screens.size()), int(screens.indexOf(primary)),
                                                       settings.otherMonitor, settings.monitorNumber);
    QScreen *screen = index >= 0 && index < screens.size() ? screens.at(index) : primary;
    move(CReminderPlacement::Shared().Place(size(), screen->availableGeometry(), settings.cascadeX,
                                            settings.cascadeY));
}

void CReminderDlg::ShowInZOrder()
{
    const ReminderSettings settings = ReminderSettings::FromProgram();
    const ReminderZOrder z = CReminderRules::ZOrder(settings.takeFocus, settings.alwaysOnTop,
                                                    settings.bringToTop, m_content.itemTopmost);
    m_topmost = z.topmost;
    m_caption.SetTopmost(m_topmost);
    setWindowFlag(Qt::WindowStaysOnTopHint, m_topmost);
    // Without the focus the window comes up behind the one the person works in.
    setAttribute(Qt::WA_ShowWithoutActivating, !z.activate);
    QWidget *foreground = QApplication::activeWindow();
    const bool foregroundMaximised = foreground && foreground->isMaximized();
    show();
    if (z.raiseOnce || z.topmost || z.activate)
        raise();
    if (z.activate)
        activateWindow();
    if (z.flashIfMaximised && foregroundMaximised)
        QApplication::alert(this);
}

// ---------------------------------------------------------------------------------------------
// Menu

void CReminderDlg::BuildMenu()
{
    m_menu = std::make_unique<QMenu>(this);
    m_menu->setObjectName(QStringLiteral("reminderMenu"));
    auto add = [this](const QString &text, int command, bool checkable = false) {
        QAction *action = m_menu->addAction(text);
        action->setData(command);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        return action;
    };
    add(QStringLiteral("&Print"), ReminderCmd::Print);
    m_menu->addSeparator();
    add(QStringLiteral("&Accept"), ReminderCmd::Accept);
    add(QStringLiteral("&Delete"), ReminderCmd::Delete);
    m_menu->addSeparator();
    add(m_content.convertText, ReminderCmd::Convert);
    if (m_content.stopSoundEntry) {
        m_menu->addSeparator();
        add(QStringLiteral("St&op Sound"), ReminderCmd::StopSound);
    }
    m_menu->addSeparator();
    add(QStringLiteral("Collapse/Expand &Window"), ReminderCmd::Collapse, true);
    add(QStringLiteral("Always on &Top"), ReminderCmd::AlwaysOnTop, true);
    m_menu->addSeparator();
    add(QStringLiteral("Pr&operties..."), ReminderCmd::Properties);
    connect(m_menu.get(), &QMenu::aboutToShow, this, &CReminderDlg::UpdateMenu);
}

QAction *CReminderDlg::MenuAction(int command) const
{
    if (!m_menu)
        return nullptr;
    for (QAction *action : m_menu->actions()) {
        if (!action->isSeparator() && action->data().toInt() == command)
            return action;
    }
    return nullptr;
}

void CReminderDlg::UpdateMenu()
{
    const bool modalOpen = GetReminderWindowsHoldNesting() > 0 || !m_commandsEnabled;
    const bool minimised = isMinimized();
    IReminderShell &shell = m_windows.Shell();
    auto set = [this](int command, bool enabled, bool checked = false) {
        if (QAction *action = MenuAction(command)) {
            action->setEnabled(enabled);
            if (action->isCheckable())
                action->setChecked(checked);
        }
    };
    set(ReminderCmd::Print, !modalOpen && shell.CanPrint());
    set(ReminderCmd::Accept, m_wholeEnabled);
    // A hidden Delete button (locked item) is not to be reached through the menu either.
    set(ReminderCmd::Delete, m_wholeEnabled && m_content.deleteVisible);
    set(ReminderCmd::Convert, !modalOpen && !m_windows.Document().IsReadOnly());
    set(ReminderCmd::StopSound, m_content.stopSoundPossible && m_soundPlaying);
    set(ReminderCmd::Collapse, m_wholeEnabled && !minimised, IsCollapsed());
    set(ReminderCmd::AlwaysOnTop, m_wholeEnabled && !minimised, m_topmost);
    set(ReminderCmd::Properties, m_commandsEnabled && shell.CanShowProperties());
}

QMenu *CReminderDlg::CaptionMenu()
{
    UpdateMenu();
    return m_menu.get();
}

void CReminderDlg::RunCommand(int command)
{
    if (m_closing)
        return;
    switch (command) {
    case kAcceptCommand:
    case ReminderCmd::Accept:
        if (m_wholeEnabled)
            DoAccept();
        break;
    case kSnoozeCommand:
        if (m_wholeEnabled)
            DoSnooze();
        break;
    case kDeleteCommand:
    case ReminderCmd::Delete:
        if (m_wholeEnabled && m_content.deleteVisible)
            DoDelete();
        break;
    case kOpenCommand:
        if (m_open->isEnabled())
            DoOpen();
        break;
    case ReminderCmd::Print:
        DoPrint();
        break;
    case ReminderCmd::Convert:
        DoConvert();
        break;
    case ReminderCmd::StopSound:
        StopSound();
        break;
    case ReminderCmd::Collapse:
        if (m_wholeEnabled)
            ToggleCollapse();
        break;
    case ReminderCmd::AlwaysOnTop:
        if (m_wholeEnabled)
            ToggleTopmost();
        break;
    case ReminderCmd::Properties:
        DoProperties();
        break;
    case ReminderCmd::Minimise:
        showMinimized();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Answers

QSize CReminderDlg::NormalSize() const
{
    if (IsCollapsed())
        return QSize(width(), m_collapsedHeight);
    if (isMinimized() && normalGeometry().isValid())
        return normalGeometry().size();
    return size();
}

void CReminderDlg::DoAccept()
{
    CCalendarDocument &document = m_windows.Document();
    const QSize normal = NormalSize();
    const bool changed = normal != m_initialSize;
    const HRESULT hr =
        m_content.kind == CCalendarItem::KindEvent
            ? document.DismissEventReminder(m_content.recordId, m_content.occurrenceDate, changed,
                                            normal.width(), normal.height())
            : document.CompleteTaskFromReminder(m_content.recordId, changed, normal.width(), normal.height());
    const ReminderOutcome outcome = CReminderRules::AcceptOutcome(hr);
    if (outcome != ReminderOutcome::Close)
        ReportError(hr, this);
    if (outcome == ReminderOutcome::ReportAndStay)
        return;
    CloseAndActivateNext(true);
}

void CReminderDlg::DoSnooze()
{
    m_snooze->setFocus();
    m_snoozeCombo->CommitText();
    CDateSpan span;
    const bool valid = m_snoozeCombo->GetDuration(span);
    const bool tooLong = m_snoozeCombo->Model().State() == CDurationComboModel::kTooLong;
    const bool beforeStart = m_content.beforeStartAllowed && m_beforeStart->IsChecked();
    auto warn = [this](const QString &text) {
        m_snoozeCombo->setFocus();
        ShowWarningText(text, this);
    };
    switch (
        CReminderRules::CheckSnooze(valid, tooLong, span, beforeStart, m_content.occurrenceStart, GetNow())) {
    case SnoozeCheck::TooLong:
        warn(kSnoozeTooLong);
        return;
    case SnoozeCheck::Invalid:
        warn(kSnoozeInvalid);
        return;
    case SnoozeCheck::BeforeStart:
        warn(kSnoozeBeforeStart);
        return;
    case SnoozeCheck::Ok:
        break;
    }

    CCalendarDocument &document = m_windows.Document();
    const QSize normal = NormalSize();
    const bool changed = normal != m_initialSize;
    bool pastNext = false;
    const HRESULT hr =
        m_content.kind == CCalendarItem::KindEvent
            ? document.SnoozeEventReminder(m_content.recordId, m_content.occurrenceDate, span, beforeStart,
                                           changed, normal.width(), normal.height(), pastNext)
            : document.SnoozeTaskReminder(m_content.recordId, m_content.occurrenceDate, span, beforeStart,
                                          changed, normal.width(), normal.height());
    switch (CReminderRules::SnoozeOutcome(hr, pastNext)) {
    case ReminderOutcome::Close:
        CloseAndActivateNext(true);
        break;
    case ReminderOutcome::WarnNextOccurrence:
        warn(kSnoozePastNext);
        break;
    case ReminderOutcome::WarnEndOfOccurrence:
        warn(kSnoozePastEnd);
        break;
    case ReminderOutcome::ReportAndClose:
        ReportError(hr, this);
        CloseAndActivateNext(true);
        break;
    case ReminderOutcome::ReportAndStay:
        ReportError(hr, this);
        break;
    }
}

void CReminderDlg::DoDelete()
{
    bool oneOccurrence = false;
    if (m_content.recurring) {
        const int scope = m_windows.Shell().AskDeleteScope(m_content.kind, m_subject->GetStoredText(), this);
        if (scope < 0)
            return;
        oneOccurrence = scope == 0;
    }
    CCalendarDocument &document = m_windows.Document();
    const HRESULT hr = m_content.kind == CCalendarItem::KindEvent
                           ? document.DeleteEventAndNotify(m_content.recordId, m_content.occurrenceDate,
                                                           m_keepMark, oneOccurrence)
                           : document.DeleteTaskAndNotify(m_content.recordId, m_content.occurrenceDate,
                                                          m_keepMark, oneOccurrence);
    const ReminderOutcome outcome = CReminderRules::AcceptOutcome(hr);
    if (outcome != ReminderOutcome::Close)
        ReportError(hr, this);
    if (outcome == ReminderOutcome::ReportAndStay)
        return;
    CloseAndActivateNext(true);
}

std::unique_ptr<CItemRef> CReminderDlg::LoadHolder(bool forEditor, bool &newException, HRESULT &hr)
{
    newException = false;
    auto holder = std::make_unique<CItemRef>();
    hr = m_windows.Document().LoadItemRef(*holder, m_content.kind, m_content.recordId);
    if (hr != S_OK)
        return nullptr;
    holder->SetOccurrenceDate(m_content.occurrenceDate);
    CEventItem *event = holder->GetEvent();
    if (forEditor && event && event->IsRecurring()) {
        // The editor edits this occurrence: it has an exception record (a new one when there
        // was none), and the event's cleared record id tells the editor that one occurrence is
        // meant.
        if (!event->GetException(m_content.occurrenceDate, false)) {
            if (!event->GetException(m_content.occurrenceDate, true)) {
                hr = E_OUT_OF_MEMORY;
                return nullptr;
            }
            newException = true;
        }
        event->SetRecordId(0);
        holder->SetOneOccurrence(true);
    }
    return holder;
}

void CReminderDlg::DoOpen()
{
    bool newException = false;
    HRESULT hr = S_OK;
    std::unique_ptr<CItemRef> holder = LoadHolder(true, newException, hr);
    if (!holder) {
        ReportError(hr, this);
        return;
    }
    // The window stays; the editor of its item disables it while it runs.
    m_windows.Shell().OpenItemEditor(std::move(holder), newException, m_topmost,
                                     m_windows.Document().IsReadOnly());
}

void CReminderDlg::DoProperties()
{
    IReminderShell &shell = m_windows.Shell();
    if (!shell.CanShowProperties() || !m_commandsEnabled)
        return;
    bool newException = false;
    HRESULT hr = S_OK;
    std::unique_ptr<CItemRef> holder = LoadHolder(false, newException, hr);
    if (!holder) {
        ReportError(hr);
        return;
    }
    QWidget *main = m_windows.MainWindow();
    shell.ShowProperties(std::move(holder), main ? main : this);
}

void CReminderDlg::DoPrint()
{
    IReminderShell &shell = m_windows.Shell();
    if (!shell.CanPrint() || !m_commandsEnabled)
        return;
    CItemKeyArray keys;
    keys.Add(m_content.kind, m_content.recordId, m_content.occurrenceDate);
    shell.PrintItems(keys);
}

void CReminderDlg::DoConvert()
{
    if (!m_commandsEnabled)
        return;
    const bool event = m_content.kind == CCalendarItem::KindEvent;
    if (ShowMessageBox(this, true, event ? kConvertEvent : kConvertTask, MessageIcon::Warning,
                       MessageButtons::YesNo) != MessageResult::Yes)
        return;
    CCalendarDocument &document = m_windows.Document();
    CItemRef holder;
    HRESULT hr = document.LoadItemRef(holder, m_content.kind, m_content.recordId);
    if (hr == S_OK)
        hr = event ? document.ConvertEventToTask(holder, true) : document.ConvertTaskToEvent(holder, true);
    if (hr != S_OK) {
        // The reminder stays until the item is really converted.
        ReportError(hr);
        return;
    }
    CloseAndActivateNext(false);
}

void CReminderDlg::StopSound()
{
    if (!m_content.stopSoundPossible || !m_soundPlaying)
        return;
    m_player->Stop();
    m_soundPlaying = false;
    m_caption.SetSoundPlaying(false);
    update();
}

HRESULT CReminderDlg::CheckExpired(const CDateTime &now)
{
    if (m_closing ||
        !CReminderRules::ShouldAutoDismiss(m_content.mayAutoDismiss, now, m_content.occurrenceEnd,
                                           m_wholeEnabled, m_accept->isEnabled(), m_heldByEditor))
        return S_OK;
    const QSize normal = NormalSize();
    const HRESULT hr =
        m_windows.Document().DismissEventReminder(m_content.recordId, m_content.occurrenceDate,
                                                  normal != m_initialSize, normal.width(), normal.height());
    CloseAndActivateNext(false);
    return hr;
}

void CReminderDlg::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    m_player->Stop();
    m_windows.WindowClosed(this);
    hide();
    deleteLater();
}

void CReminderDlg::CloseAndActivateNext(bool activate)
{
    const std::uint32_t id = m_content.recordId;
    Close();
    if (!activate)
        return;
    const ReminderSettings settings = ReminderSettings::FromProgram();
    IReminderWindow *next = m_windows.Document().FindReminderWindow(id, false, settings.skipMinimised);
    if (auto *window = static_cast<CReminderDlg *>(next)) {
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
    }
}

// ---------------------------------------------------------------------------------------------
// Enabling around modal dialogs

void CReminderDlg::SetCommandsEnabled(bool enabled)
{
    m_commandsEnabled = enabled;
    m_open->setEnabled(enabled && m_windows.Shell().CanOpenItem(m_content.kind));
}

void CReminderDlg::SetWholeEnabled(bool enabled)
{
    m_wholeEnabled = enabled;
    for (QWidget *control :
         std::initializer_list<QWidget *>{m_label, m_snoozeCombo, m_snooze, m_delete, m_accept})
        control->setEnabled(enabled);
    if (m_content.beforeStartAllowed)
        m_beforeStart->setEnabled(enabled);
    update();
}

void CReminderDlg::EnableReminder(bool enable)
{
    const ReminderEnabling e = CReminderRules::Enabling(enable, m_heldByEditor, m_accept->isEnabled());
    SetCommandsEnabled(enable);
    if (!e.changeWhole)
        return;
    const bool hadFocus = isActiveWindow();
    SetWholeEnabled(enable);
    if (enable) {
        if (hadFocus)
            m_label->setFocus();
        if (isVisible() && !isMinimized())
            raise();
    }
}

void CReminderDlg::SetHeldByEditor(bool held)
{
    m_heldByEditor = held;
    if (held)
        SetWholeEnabled(false);
    else if (!m_wholeEnabled && GetReminderWindowsHoldNesting() == 0)
        EnableReminder(true);
}

// ---------------------------------------------------------------------------------------------
// Collapse and always on top

void CReminderDlg::ToggleCollapse()
{
    // The subject goes to the caption band while only the band shows, and back.
    const QString subject = m_subject->GetStoredText();
    m_subject->SetStoredText(m_bandText);
    m_bandText = subject;
    if (!ReminderSettings::FromProgram().subjectInCaption)
        setWindowTitle(m_bandText);

    const int collapsed = m_caption.CollapsedHeight();
    if (!IsCollapsed()) {
        m_collapsedHeight = height();
        m_body->hide();
        m_caption.SetCollapsed(true);
        setMinimumSize(m_initialSize.width(), collapsed);
        setMaximumHeight(collapsed);
        resize(width(), collapsed);
    } else {
        const int restored = m_collapsedHeight;
        m_collapsedHeight = 0;
        m_caption.SetCollapsed(false);
        setMaximumHeight(QWIDGETSIZE_MAX);
        m_body->show();
        setMinimumSize(m_initialSize);
        resize(width(), restored);
    }
    update();
}

void CReminderDlg::ToggleTopmost()
{
    m_topmost = !m_topmost;
    m_caption.SetTopmost(m_topmost);
    const QRect geometry = this->geometry();
    const bool visible = isVisible();
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setWindowFlag(Qt::WindowStaysOnTopHint, m_topmost); // hides the window
    setGeometry(geometry);
    if (visible)
        show();
    update();
}

// ---------------------------------------------------------------------------------------------
// Caption and frame

QColor CReminderDlg::BandFill() const
{
    if (m_content.ownColors)
        return ToQColor(m_active ? m_content.textColor : m_content.shadowColor);
    return palette().color(m_active ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
}

QColor CReminderDlg::BandTextColour() const
{
    if (m_content.ownColors)
        return ToQColor(m_active ? m_content.backColor : m_content.textColor);
    return palette().color(m_active ? QPalette::Active : QPalette::Inactive, QPalette::HighlightedText);
}

void CReminderDlg::PaintFrame(QPainter &painter)
{
    const QColor back = palette().color(QPalette::Window);
    const QColor highlight =
        m_content.ownColors ? ToQColor(m_content.highlightColor) : palette().color(QPalette::Light);
    const QColor shadow =
        m_content.ownColors ? ToQColor(m_content.shadowColor) : palette().color(QPalette::Dark);
    const QRect r = rect();
    painter.fillRect(r, back);
    // The outer line in the frame colour, the next raised in the highlight and shadow.
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect inner = r.adjusted(1, 1, -2, -2);
    painter.setPen(highlight);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(shadow);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

void CReminderDlg::PaintGlyph(QPainter &painter, int glyph, const QRect &rect, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(colour, 1.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    const QPointF c = QRectF(rect).center();
    const double s = std::min(rect.width(), rect.height()) / 2.0 - 3.0;
    switch (glyph) {
    case 0:   // a push pin leaning over: not on top
    case 1: { // a push pin pressed in: on top
        painter.translate(c);
        if (glyph == 0)
            painter.rotate(45);
        painter.setBrush(glyph == 1 ? QBrush(colour) : Qt::NoBrush);
        painter.drawRect(QRectF(-s * 0.35, -s, s * 0.7, s * 0.9));                 // body
        painter.drawLine(QPointF(-s * 0.7, -s * 0.1), QPointF(s * 0.7, -s * 0.1)); // collar
        painter.drawLine(QPointF(0, -s * 0.1), QPointF(0, s));                     // needle
        break;
    }
    case 2:   // collapse: up
    case 3: { // expand: down
        const double d = glyph == 2 ? -1 : 1;
        QPolygonF arrow{c + QPointF(-s, -d * s * 0.45), c + QPointF(0, d * s * 0.45),
                        c + QPointF(s, -d * s * 0.45)};
        painter.drawPolyline(arrow);
        break;
    }
    case 4:   // speaker sounding
    case 5: { // speaker silent
        QPolygonF speaker{
            c + QPointF(-s, -s * 0.35), c + QPointF(-s * 0.45, -s * 0.35), c + QPointF(0, -s),
            c + QPointF(0, s),          c + QPointF(-s * 0.45, s * 0.35),  c + QPointF(-s, s * 0.35)};
        painter.setBrush(colour);
        painter.drawPolygon(speaker);
        painter.setBrush(Qt::NoBrush);
        if (glyph == 4) {
            painter.drawArc(QRectF(c.x() - s * 0.5, c.y() - s * 0.5, s, s), -50 * 16, 100 * 16);
            painter.drawArc(QRectF(c.x() - s, c.y() - s, s * 2, s * 2), -45 * 16, 90 * 16);
        } else {
            painter.drawLine(c + QPointF(s * 0.35, -s * 0.35), c + QPointF(s, s * 0.35));
            painter.drawLine(c + QPointF(s * 0.35, s * 0.35), c + QPointF(s, -s * 0.35));
        }
        break;
    }
    case 6: // minimise
        painter.drawLine(c + QPointF(-s * 0.8, s * 0.6), c + QPointF(s * 0.8, s * 0.6));
        break;
    case 7: { // recurrence: two arrows in a circle
        const QRectF ring(c.x() - s * 0.8, c.y() - s * 0.8, s * 1.6, s * 1.6);
        painter.drawArc(ring, 30 * 16, 150 * 16);
        painter.drawArc(ring, 210 * 16, 150 * 16);
        break;
    }
    default:
        break;
    }
    painter.restore();
}

void CReminderDlg::PaintCaptionBand(QPainter &painter)
{
    const CaptionMetrics &m = m_caption.Metrics();
    const QRect band = m_caption.BandRect(width()).adjusted(m.frameX - 2, 0, -(m.frameX - 2), 0);
    painter.fillRect(band, BandFill());
    const QColor textColour = BandTextColour();

    // The item type's small icon, at the left.
    int x = m.frameX + 1;
    const QRect iconRect(x, band.top() + (band.height() - m.smallIcon) / 2, m.smallIcon, m.smallIcon);
    m_smallIcon.paint(&painter, iconRect);
    x = iconRect.right() + 5;

    // Buttons: face and glyph in their state.
    int leftmost = width();
    for (const int button : CReminderCaption::kButtons) {
        const QRect r = m_caption.ButtonRect(button, width());
        if (r.isEmpty())
            continue;
        leftmost = std::min(leftmost, r.left());
        const CaptionButtonState state = m_caption.StateOf(button);
        QColor face = BandFill();
        QColor glyph = textColour;
        if (state == CaptionButtonState::Pressed)
            face = face.darker(130);
        else
            face = face.lighter(115);
        if (state == CaptionButtonState::Disabled || !m_wholeEnabled)
            glyph.setAlphaF(0.45);
        painter.setPen(textColour.darker(110));
        painter.setBrush(face);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter.setRenderHint(QPainter::Antialiasing, false);
        PaintGlyph(painter, m_caption.GlyphOf(button),
                   r.translated(state == CaptionButtonState::Pressed ? QPoint(1, 1) : QPoint()), glyph);
    }

    // The recurrence mark in a cell one button wide before the text.
    if (m_content.recurring) {
        const int cell = m.buttonX;
        PaintGlyph(painter, 7, QRect(x, band.top(), cell, band.height()), textColour);
        x += cell;
    }

    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(textColour);
    const QRect textRect(x, band.top(), std::max(0, leftmost - 4 - x), band.height());
    const QString text = QFontMetrics(font).elidedText(m_bandText, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
}

void CReminderDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintFrame(painter);
    PaintCaptionBand(painter);
}

Qt::Edges CReminderDlg::EdgesOf(int hit) const
{
    switch (hit) {
    case HitLeft:
        return Qt::LeftEdge;
    case HitRight:
        return Qt::RightEdge;
    case HitTop:
        return Qt::TopEdge;
    case HitBottom:
        return Qt::BottomEdge;
    case HitTopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case HitTopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case HitBottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HitBottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

void CReminderDlg::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int hit = m_caption.HitTest(pos, size());
    if (event->button() == Qt::RightButton && (hit == HitCaption || hit == HitSysMenu)) {
        CaptionMenu()->popup(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (hit == HitSysMenu) {
        const CaptionMetrics &m = m_caption.Metrics();
        CaptionMenu()->popup(mapToGlobal(QPoint(m.frameX, m_caption.ClientTop())));
        return;
    }
    if (hit == HitAlwaysOnTop || hit == HitCollapse || hit == HitStopSound) {
        if (!m_wholeEnabled && hit != HitStopSound)
            return;
        if (m_caption.Press(hit))
            update();
        return;
    }
    if (m_caption.Press(hit)) {
        update();
        return;
    }
    QWindow *window = windowHandle();
    if (!window)
        return;
    if (hit == HitCaption)
        window->startSystemMove();
    else if (const Qt::Edges edges = EdgesOf(hit))
        window->startSystemResize(edges);
}

void CReminderDlg::mouseMoveEvent(QMouseEvent *event)
{
    const int hit = m_caption.HitTest(event->position().toPoint(), size());
    if (m_caption.PressedButton() != 0) {
        m_caption.Move(hit);
        update();
        return;
    }
    switch (hit) {
    case HitLeft:
    case HitRight:
        setCursor(Qt::SizeHorCursor);
        break;
    case HitTop:
    case HitBottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case HitTopLeft:
    case HitBottomRight:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case HitTopRight:
    case HitBottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

void CReminderDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_caption.PressedButton() == 0)
        return;
    const int command = m_caption.Release(m_caption.HitTest(event->position().toPoint(), size()));
    update();
    if (command != 0)
        RunCommand(command);
}

void CReminderDlg::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton &&
        m_caption.HitTest(event->position().toPoint(), size()) == HitCaption)
        RunCommand(ReminderCmd::Collapse);
}

bool CReminderDlg::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = m_caption.ToolTipOf(m_caption.HitTest(help->pos(), size()));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void CReminderDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        m_active = isActiveWindow();
        if (m_active && !m_closing)
            m_windows.WindowActivated(this);
        update();
    }
    QWidget::changeEvent(event);
}

void CReminderDlg::keyPressEvent(QKeyEvent *event)
{
    // Escape never closes a reminder.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CReminderDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Shift)
            return false;
        if (key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Escape)
            QApplication::beep();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CReminderDlg::closeEvent(QCloseEvent *event)
{
    // The window system's Close does nothing: a reminder goes only with an answer.
    if (!m_closing)
        event->ignore();
}
