#include "containers/tasks/TaskContainer.h"

#include "containers/base/ViewKinds.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "containers/tasks/TaskListRules.h"
#include "containers/tasks/TaskListWnd.h"
#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "core/system/StringTable.h"
#include "views/base/CustomWnd.h"
#include "views/base/NotifyTarget.h"

#include <QResizeEvent>

namespace {
constexpr std::uint32_t kKeptStates = CDisplayItem::StateFocus | CDisplayItem::StateSelected;
} // namespace

CTaskContainer::CTaskContainer(QWidget *parent) : CMainViewContainer(parent)
{
    // The Tasks view shows neither the Date Navigator nor the details pane until asked.
    m_sidePaneShown = false;
    m_detailsPaneShown = false;
    m_list.SetContainer(this);
    SetViewKind(ViewKind::Tasks, ConstName::Tasks);
    m_frame = new CBorderWnd(this);
    m_frame->setObjectName(QStringLiteral("TasksFrame"));
    m_listWnd = new CTaskListWnd(m_list, m_frame);
    m_listWnd->setObjectName(QStringLiteral("TaskList"));
    m_frame->SetChild(m_listWnd);
    m_frame->setGeometry(rect());
}

CTaskContainer::~CTaskContainer()
{
    // The list window goes before the list it shows.
    delete m_frame;
    m_frame = nullptr;
    m_listWnd = nullptr;
}

CCalendarViewCtrl *CTaskContainer::GetViewCtrl() const
{
    return const_cast<CTaskListCtrl *>(&m_list);
}

CDateTime CTaskContainer::GetCurrentDate() const
{
    return TodayForDisplay();
}

void CTaskContainer::GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const
{
    styleId = kTableStyle;
    start = end = TodayForDisplay();
}

bool CTaskContainer::PassesTaskMode(const CTaskItem &task, int mode, const CDateTime &today)
{
    if (task.GetKind() != CCalendarItem::KindTask || task.HasFlag(CCalendarItem::FlagDeleted))
        return false;
    switch (mode) {
    case ModeActive:
        return !task.IsCompleted() && task.GetStatus() != StatusPostponed;
    case ModeOverdue:
        return task.HasDueDate() && !task.IsCompleted() && task.GetDueDate().DatePart() < today;
    case ModeCompleted:
        return task.IsCompleted();
    default:
        return true;
    }
}

int CTaskContainer::ModeOfCommand(int id)
{
    switch (id) {
    case CmdActive:
        return ModeActive;
    case CmdOverdue:
        return ModeOverdue;
    case CmdCompleted:
        return ModeCompleted;
    case CmdAll:
        return ModeAll;
    default:
        return -1;
    }
}

bool CTaskContainer::IsItemInShownRange(const CCalendarItem &item) const
{
    const auto *task = dynamic_cast<const CTaskItem *>(&item);
    return task && PassesTaskMode(*task, m_mode, TodayForDisplay());
}

HRESULT CTaskContainer::LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date)
{
    WaitCursor(true);
    m_list.SetDate(dateGiven && date.IsValid() && date.Value() != 0.0 ? date.DatePart() : TodayForDisplay());
    m_list.ScrollHorizontally(CItemListCtrl::Scroll::Top);
    CItemLoadingVisitors::TaskLoad how;
    how.addToView = true;
    how.addToTaskPad = false;
    const HRESULT hr = CItemLoadingVisitors::LoadScreenTasks(*this, how);
    m_list.Refresh(true);
    m_list.InvalidateAll();
    if (IContainerMainWindow *main = Context().mainWindow)
        main->SetInfoBarTitle(CTaskListRules::Caption());
    if (!keepStatus)
        UpdateCountPane();
    WaitCursor(false);
    return hr;
}

void CTaskContainer::OnItemUpdated(CItemRef &holder, bool select)
{
    const CCalendarItem *item = holder.GetItem();
    if (!item || item->GetKind() != CCalendarItem::KindTask)
        return;
    const std::uint32_t id = holder.GetRecordId() != 0 ? holder.GetRecordId() : item->GetRecordId();
    const CDisplayItem *focused = m_list.GetEntry(m_list.GetFocusedEntry());
    const std::uint32_t focusRecord = focused ? focused->GetItemRef() : 0;
    bool hadEntry = false;
    std::uint32_t oldState = 0;
    for (const auto &e : m_list.GetEntries()) {
        if (e->GetItemRef() == id) {
            hadEntry = true;
            oldState = e->GetState();
            break;
        }
    }
    const int before = m_list.GetEntryCount();
    RemoveItemEntries(id);
    const bool removed = m_list.GetEntryCount() != before;
    const bool added = AddItemToView(holder, select);
    if (added && hadEntry) {
        for (const auto &e : m_list.GetEntries())
            if (e->GetItemRef() == id)
                e->SetState((e->GetState() & ~kKeptStates) | (oldState & kKeptStates));
    }
    if (!removed && !added)
        return;
    RefreshViews(true);
    m_list.SetFocusedEntry(-1);
    for (int i = 0; i < m_list.GetEntryCount(); ++i) {
        if (focusRecord != 0 && m_list.GetEntry(i)->GetItemRef() == focusRecord) {
            m_list.SetFocusedEntry(i);
            m_list.EnsureEntryVisible(i);
            break;
        }
    }
    m_list.NotifyContainer(kNotifySelectionChanged);
    UpdateCountPane();
}

void CTaskContainer::RunModeCommand(int mode)
{
    SetTaskFilterKind(mode);
    CActiveFilter filter;
    filter.Copy(m_filter);
    const HRESULT hr = ApplyFilter(filter, false);
    if (!IsReloadSuccess(hr))
        HandleSessionError(hr);
    update();
    if (m_listWnd)
        m_listWnd->update();
    TakeFocus();
}

bool CTaskContainer::OnContainerCommand(int id)
{
    const int mode = ModeOfCommand(id);
    if (mode < 0)
        return CMainViewContainer::OnContainerCommand(id);
    RunModeCommand(mode);
    return true;
}

bool CTaskContainer::OnUpdateContainerCommand(int id, CCmdUI &ui)
{
    const int mode = ModeOfCommand(id);
    if (mode < 0)
        return CMainViewContainer::OnUpdateContainerCommand(id, ui);
    ui.Enable(true);
    ui.SetCheck(m_mode == mode);
    return true;
}

std::vector<int> CTaskContainer::CountTablePages(int bodyWidth, int bodyHeight, int rowHeight,
                                                 bool withImages, bool selectedOnly) const
{
    const int across = CTablePaging::PagesAcross(CTablePrintColumns::ForTaskList(m_list.Columns(), withImages),
                                                 bodyWidth);
    const int perPage = CTablePaging::RowsPerPage(bodyHeight, rowHeight);
    if (!selectedOnly)
        return CTablePaging::PageStarts(m_list.GetEntryCount(), perPage, across);
    std::vector<std::uint32_t> states;
    for (const auto &e : m_list.GetEntries())
        states.push_back(e->GetState());
    return CTablePaging::SelectedPageStarts(states, perPage, across);
}

void CTaskContainer::resizeEvent(QResizeEvent *event)
{
    CMainViewContainer::resizeEvent(event);
    if (m_frame)
        m_frame->setGeometry(rect());
}
