#include "shell/MainBaseArea.h"

#include "containers/base/DialogEditorOpener.h"
#include "containers/base/MainViewContainer.h"
#include "containers/base/ViewKinds.h"
#include "containers/customize/CustomizeCalendarViewDlg.h"
#include "containers/customize/CustomizeDateNavigatorDlg.h"
#include "containers/customize/CustomizeListViewDlg.h"
#include "containers/customize/CustomizeYearViewDlg.h"
#include "containers/mainbase/MainBaseWnd.h"
#include "containers/mainbase/ViewContainerFactory.h"
#include "containers/tasks/TaskListWnd.h"
#include "containers/tasks/TaskPad.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/Messages.h"
#include "editing/base/ReminderWindowsGate.h"
#include "editing/event/DocumentEventStore.h"
#include "editing/properties/PropertiesDlg.h"
#include "editing/task/DocumentTaskStore.h"
#include "editing/task/EditTaskDlg.h"
#include "toolkit/bars/CaptionBar.h"
#include "toolkit/bars/ItemsStatusBar.h"
#include "toolkit/commands/CommandRouter.h"
#include "toolkit/commands/CommandTable.h"
#include "toolkit/navigator/DateNavigatorBar.h"
#include "toolkit/navigator/DateNavigatorWnd.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/base/DragState.h"
#include "views/zoom/DayZoomList.h"

#include <QLabel>
#include <QStackedLayout>

ICentralArea *MakeCentralArea(CCalendarDocument &document, const CentralAreaParts &parts, QWidget *parent)
{
    return new CMainBaseArea(document, parts, parent);
}

CMainBaseArea::CMainBaseArea(CCalendarDocument &document, const CentralAreaParts &parts, QWidget *parent)
    : QWidget(parent), m_document(document), m_parts(parts)
{
    setObjectName(QStringLiteral("centralArea"));
    m_eventStore = std::make_unique<CDocumentEventStore>(m_document);
    m_taskStore = std::make_unique<CDocumentTaskStore>(m_document);
    EventEditorContext events{m_eventStore.get(), &m_document.GetMasterList(), &m_document.GetDataFile()};
    events.reminderWindows = m_parts.reminders;
    m_editors = std::make_unique<CDialogEditorOpener>(events);
    m_editors->SetTaskOpener([this](std::unique_ptr<CItemRef> holder, QWidget *parent, bool readOnly) {
        TaskEditorContext tasks{m_taskStore.get(), &m_document.GetMasterList(), &m_document.GetDataFile()};
        tasks.reminderWindows = m_parts.reminders;
        CEditTaskDlg::OpenTaskEditor(std::move(holder), tasks, parent, false, false, readOnly);
    });
    m_editors->SetPropertiesOpener([](std::unique_ptr<CItemRef> holder, QWidget *parent, bool) {
        ShowPropertiesDialog(std::move(holder), parent);
    });
    m_context.prompts = &m_prompts;
    m_context.editors = m_editors.get();
    m_context.navigator = &m_navigator;
    m_context.details = &m_preview;
    m_context.zoomList = &m_zoomList;
    m_context.mainWindow = this;
    m_taskPad = std::make_unique<CTaskPad>();
    m_context.taskPad = m_taskPad.get();

    m_stack = new QStackedLayout(this);
    m_hint = new QLabel(tr("No data file is open.\nOpen one with File > Open, or create one with File > New."),
                        this);
    m_hint->setObjectName(QStringLiteral("noFileHint"));
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setAutoFillBackground(true);
    m_stack->addWidget(m_hint);

    m_base = new CMainBaseWnd(this, this);
    CCommandRouter &router = CCommandTable::Instance().Router();
    const bool made = m_base->Create(
        [this, &router](int kind, QWidget *parent) -> IMainBaseContainer * {
            CMainViewContainer *container = CViewContainerFactory::Create(kind, parent);
            if (container) {
                container->SetContext(&m_context);
                router.RegisterTarget(container, container);
            }
            return container;
        },
        m_taskPad.get());
    if (made) {
        m_base->Bar()->Navigator()->SetOwner([this](const NavigatorNotification &note) { return OnNavigatorNotify(note); });
        m_stack->addWidget(m_base);
    }
    AttachDataFile();
}

CMainBaseArea::~CMainBaseArea()
{
    CCommandRouter &router = CCommandTable::Instance().Router();
    for (int kind = ViewKind::Day; kind <= ViewKind::Search; ++kind)
        if (IMainBaseContainer *container = m_base->Container(kind))
            router.UnregisterTarget(container->Widget());
    // The containers go before the TaskPad, the ports and the stores they were handed.
    delete m_base;
    m_base = nullptr;
    m_taskPad.reset();
}

CViewContainer *CMainBaseArea::ActiveContainer() const
{
    IMainBaseContainer *current = m_base ? m_base->GetCurrentContainer() : nullptr;
    return current ? dynamic_cast<CViewContainer *>(current->Widget()) : nullptr;
}

void CMainBaseArea::AttachDataFile()
{
    m_base->SetDataFile(m_document.IsOpen() ? &m_document : nullptr);
    ShowHint();
}

void CMainBaseArea::ShowHint()
{
    m_stack->setCurrentWidget(m_document.IsOpen() ? static_cast<QWidget *>(m_base) : m_hint);
    if (m_document.IsOpen())
        m_base->show();
}

void CMainBaseArea::ShowView(int kind, int days, bool workWeek)
{
    m_kind = kind;
    if (!m_document.IsOpen())
        return;
    switch (kind) {
    case ViewKind::MultiDay:
        m_base->ShowMultiDayView(std::max(1, days - 1), workWeek);
        break;
    case ViewKind::Week: m_base->ShowWeekView(); break;
    case ViewKind::Month: m_base->ShowMonthView(); break;
    case ViewKind::Year: m_base->ShowYearView(); break;
    case ViewKind::EventList: m_base->ShowListView(false); break;
    case ViewKind::Tasks: m_base->ShowTaskView(); break;
    case ViewKind::Search: m_base->ShowListView(true); break;
    default: m_base->ShowDayView(); break;
    }
}

int CMainBaseArea::ActiveViewKind() const
{
    IMainBaseContainer *current = m_base->GetCurrentContainer();
    return current && m_document.IsOpen() ? current->GetViewKind() : m_kind;
}

void CMainBaseArea::TimeChanged()
{
    if (CDateNavigatorWnd *navigator = m_base->Bar() ? m_base->Bar()->Navigator() : nullptr) {
        navigator->UpdateToday();
        navigator->update();
    }
    if (CViewContainer *container = ActiveContainer())
        container->update();
}

void CMainBaseArea::ItemStored(const CCalendarItem &item)
{
    CViewContainer *container = ActiveContainer();
    if (!container)
        return;
    CItemRef holder;
    holder.SetRecordId(item.GetRecordId());
    if (const auto *event = dynamic_cast<const CEventItem *>(&item))
        holder.SetItem(std::make_unique<CEventItem>(*event));
    else if (const auto *task = dynamic_cast<const CTaskItem *>(&item))
        holder.SetItem(std::make_unique<CTaskItem>(*task));
    else
        return;
    container->OnItemUpdated(holder, false);
}

void CMainBaseArea::ItemRemoved(std::uint32_t recordId, const CDateTime &occurrence, bool oneOccurrence)
{
    if (CViewContainer *container = ActiveContainer())
        container->RemoveItemFromViews(recordId, oneOccurrence ? &occurrence : nullptr, true);
}

void CMainBaseArea::ItemRescheduled(const CCalendarItem &item, const CDateTime &occurrence)
{
    CViewContainer *container = ActiveContainer();
    if (!container)
        return;
    // An event moves by its start, a task by its due date.
    const auto *event = dynamic_cast<const CEventItem *>(&item);
    const auto *task = dynamic_cast<const CTaskItem *>(&item);
    if (event || task)
        container->OnItemRescheduled(item.GetRecordId(), occurrence, event ? event->GetStart() : task->GetDueDate());
}

void CMainBaseArea::Reload()
{
    if (CViewContainer *container = ActiveContainer())
        container->Reload(false);
}

bool CMainBaseArea::PaneState(int commandId, bool &checked) const
{
    return m_base->PaneState(commandId, checked);
}

void CMainBaseArea::TogglePane(int commandId)
{
    bool checked = false;
    if (m_base->PaneState(commandId, checked))
        m_base->OnCommand(commandId);
}

void CMainBaseArea::SettingsChanged()
{
    m_base->OnSysColorChange();
    if (m_base->Bar())
        m_base->Bar()->Navigator()->ReloadOptions();
    m_base->update();
    for (QWidget *child : m_base->findChildren<QWidget *>())
        child->update();
}

bool CMainBaseArea::UpdateCountPane()
{
    CViewContainer *container = ActiveContainer();
    if (!container || !m_document.IsOpen())
        return false;
    container->UpdateCountPane();
    return true;
}

// ---- IMainBaseShell ----

void CMainBaseArea::SetInfoBarMode(int viewKind)
{
    if (m_parts.infoBar)
        m_parts.infoBar->SetViewMode(viewKind);
}

void CMainBaseArea::SetInfoBarTitle(const QString &title)
{
    if (m_parts.infoBar)
        m_parts.infoBar->SetTitle(title);
}

void CMainBaseArea::ShowInfoBarText(const QString &text)
{
    if (m_parts.infoBar)
        m_parts.infoBar->SetToolButtonText(text);
}

void CMainBaseArea::ShowWarningText(const QString &text)
{
    ::ShowWarningText(text, this);
}

void CMainBaseArea::HandleSessionError(HRESULT code)
{
    m_document.HandleSessionError(code);
}

// ---- IContainerMainWindow ----

void CMainBaseArea::SetItemCounts(int viewCount, int taskPadCount)
{
    if (m_parts.statusBar)
        m_parts.statusBar->SetItemCount(viewCount, taskPadCount);
}

void CMainBaseArea::ShowDayView(const CDateTime &date)
{
    m_base->ShowDayView(date);
}

void CMainBaseArea::TaskChanged(const CTaskItem &task)
{
    ItemStored(task);
}

bool CMainBaseArea::CustomizeView(int sectionIndex, bool &reload)
{
    reload = false;
    const int kind = ActiveViewKind();
    CReminderWindowsGate::Hold gate;
    if (kind == ViewKind::Year) {
        CCustomizeYearViewDlg dialog(this);
        return dialog.exec() == QDialog::Accepted;
    }
    if (ViewKind::IsList(kind)) {
        CCustomizeListViewDlg dialog(sectionIndex, nullptr, this);
        return dialog.exec() == QDialog::Accepted;
    }
    CCustomizeCalendarViewDlg dialog(sectionIndex, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    reload = dialog.IsChanged();
    return true;
}

void CMainBaseArea::CustomizeDateNavigator()
{
    CReminderWindowsGate::Hold gate;
    CCustomizeDateNavigatorDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted && dialog.IsChanged() && m_base->Bar())
        m_base->Bar()->Navigator()->ReloadOptions();
}

bool CMainBaseArea::OpenZoomList(int cell, const CDateTime &date)
{
    CViewContainer *container = ActiveContainer();
    CCalendarViewCtrl *view = container ? container->GetViewCtrl() : nullptr;
    if (!view)
        return false;
    auto *list = new CDayZoomList(container, cell, date, true, container);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->SetFonts(view->GetItemFont());
    container->AttachZoomList(*list, cell);
    list->MeasureTimeColumns();
    list->FitWindowSize();
    list->show();
    list->UpdateDetailsPane(false);
    return true;
}

int CMainBaseArea::OnNavigatorNotify(const NavigatorNotification &note)
{
    CViewContainer *container = ActiveContainer();
    switch (note.code) {
    case 1: // a date chosen
    case 3: // moved by navigation
        m_pickedDate = note.code == 1 ? note.date : CDateTime::Null();
        if (container && note.date.IsValid())
            container->GoToDate(2, note.date);
        return 0;
    case 4: { // items of our own views dropped on a day: the active container moves or copies them
        CDragState *drag = CDragState::Current();
        if (!container || !drag || !note.date.IsValid())
            return 0;
        const int effect = note.reason == CDateNavigatorWnd::kDropCopy ? kDropEffectCopy : kDropEffectMove;
        return container->MoveItems(nullptr, true, effect, *drag, note.date.DatePart()) ? 1 : 0;
    }
    default:
        return 0;
    }
}
