#include "containers/base/ViewContainer.h"

#include "containers/base/ContainerDocument.h"
#include "containers/base/FilterSettings.h"
#include "containers/base/PeriodStep.h"
#include "containers/base/ViewKinds.h"
#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/document/MessagePort.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/system/Messages.h"
#include "core/system/Profile.h"
#include "views/base/CalendarViewCtrl.h"
#include "views/zoom/DayZoomList.h"

#include <QFocusEvent>
#include <QMetaObject>

namespace {
bool g_showHidden = false;
const CContainerContext g_noContext;
} // namespace

CViewContainer::CViewContainer(QWidget *parent) : CCustomWnd(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

CViewContainer::~CViewContainer() = default;

const CContainerContext &CViewContainer::Context() const
{
    return m_context ? *m_context : g_noContext;
}

void CViewContainer::SetDataSource(IContainerDocument *document, IViewDocument *viewDocument)
{
    m_document = document;
    m_viewDocument = viewDocument ? viewDocument : dynamic_cast<IViewDocument *>(document);
}

bool CViewContainer::IsDataReadOnly() const
{
    return !m_document || m_document->IsReadOnly();
}

// ---------------------------------------------------------------------------------------------
// Kind, section, dates

CCalendarViewCtrl *CViewContainer::SetViewKind(int kind, int sectionIndex)
{
    m_kind = kind;
    m_sectionIndex = sectionIndex;
    SetSectionIndex(sectionIndex);
    CCalendarViewCtrl *view = GetViewCtrl();
    if (view)
        view->SetSectionIndex(sectionIndex);
    return view;
}

QString CViewContainer::GetSection() const
{
    return GetConstString(m_sectionIndex);
}

CDateTime CViewContainer::GetFirstShownDate() const
{
    if (const CCalendarViewCtrl *view = GetViewCtrl())
        return view->GetFirstDate();
    return GetCurrentDate();
}

CDateTime CViewContainer::GetLastShownDate() const
{
    if (const CCalendarViewCtrl *view = GetViewCtrl()) {
        CDateTime last = view->GetFirstDate();
        AddDays(last, view->GetDayCount());
        return last;
    }
    return GetCurrentDate();
}

void CViewContainer::AttachZoomList(CDayZoomList &list, int cell)
{
    const CCalendarViewCtrl *view = GetViewCtrl();
    if (!view)
        return;
    CCalendarViewCtrl::EntryList entries;
    view->CopyEntriesForCell(entries, cell);
    for (auto &entry : entries)
        list.AddRow(std::move(entry));
}

CDateTime CViewContainer::GetCurrentDate() const
{
    return CDateTime(0.0);
}

void CViewContainer::GoToDate(int, const CDateTime &) {}

HRESULT CViewContainer::LoadPeriodItems(bool, bool, const CDateTime &)
{
    return S_OK;
}

bool CViewContainer::GoPrevPeriod()
{
    return StepPeriod(false);
}

bool CViewContainer::GoNextPeriod()
{
    return StepPeriod(true);
}

bool CViewContainer::StepPeriod(bool forward)
{
    CDateTime date = GetCurrentDate();
    int mode = 0;
    if (!CPeriodStep::Step(m_kind, IsWorkWeek(), forward, date, mode))
        return false;
    GoToDate(mode, date);
    return true;
}

bool CViewContainer::ShowStoredItem(std::unique_ptr<CCalendarItem> item)
{
    CItemRef holder;
    holder.SetRecordId(item->GetRecordId());
    holder.SetItem(std::move(item));
    return AddItemToView(holder, SelectAddedItems());
}

// ---------------------------------------------------------------------------------------------
// Views

int CViewContainer::GetFocusedDay(CDateTime &date) const
{
    const CCalendarViewCtrl *view = GetViewCtrl();
    if (!view)
        return -1;
    int cell = view->GetFirstSelectedCell();
    if (cell < 0) {
        const CDisplayItem *focused = view->GetEntry(view->GetFocusedEntry());
        if (focused)
            cell = view->CellFromDate(focused->GetStart());
    }
    if (cell < 0)
        return -1;
    date = view->GetDayDate(cell);
    return cell;
}

void CViewContainer::ReloadOptions()
{
    LoadPaneOptions(false);
    if (CCalendarViewCtrl *view = GetViewCtrl())
        view->ReloadOptions();
    if (ViewKind::HasTaskPad(m_kind) && Context().taskPad)
        Context().taskPad->ReloadOptions();
}

void CViewContainer::ReloadColors()
{
    if (CCalendarViewCtrl *view = GetFirstView())
        view->LoadViewColors();
    if (CCalendarViewCtrl *view = GetSecondView())
        view->LoadViewColors();
}

void CViewContainer::Reload(bool)
{
    const HRESULT hr = ReloadItems(false, false, CDateTime::Null());
    setFocus();
    if (IsReloadSuccess(hr)) {
        if (Context().navigator)
            Context().navigator->UpdateToday();
        if (ViewKind::HasTaskPad(m_kind) && Context().taskPad)
            Context().taskPad->Reload();
        update();
        if (Context().navigator)
            Context().navigator->Repaint();
    } else {
        HandleSessionError(hr);
    }
}

void CViewContainer::ClearEntries()
{
    if (CCalendarViewCtrl *view = GetViewCtrl())
        view->RemoveAllEntries();
}

void CViewContainer::RefreshViews(bool sort)
{
    if (CCalendarViewCtrl *view = GetViewCtrl()) {
        view->Refresh(sort);
        view->InvalidateAll();
    }
}

void CViewContainer::SwitchPane(bool)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    ITaskPadPort *taskPad = Context().taskPad;
    QWidget *taskPadWidget = taskPad ? taskPad->GetWidget() : nullptr;
    const bool viewFocused = !m_focusedPane || m_focusedPane != taskPadWidget;
    if (viewFocused && ViewKind::HasTaskPad(m_kind) && taskPad && taskPad->IsShown()) {
        m_focusedPane = taskPadWidget;
        taskPad->TakeFocus();
    } else {
        m_focusedPane = nullptr;
        if (view && view->GetHost())
            view->GetHost()->TakeFocus();
    }
    UpdateDetailsPane(false);
}

void CViewContainer::PrintMemoDirect()
{
    if (Context().mainWindow)
        Context().mainWindow->PrintSelectedMemo();
}

void CViewContainer::LoadPaneOptions(bool reload)
{
    const QString section = GetSection();
    if (reload) {
        m_sidePaneShown = GetProfileInt(section, QStringLiteral("SSP"), m_sidePaneShown) != 0;
        m_detailsPaneShown = GetProfileInt(section, QStringLiteral("SDP"), m_detailsPaneShown) != 0;
        if (m_kind == ViewKind::Tasks) {
            int kind = GetProfileInt(section, QStringLiteral("FltC"), GetTaskFilterKind());
            if (kind < 1 || kind > 3)
                kind = 0;
            SetTaskFilterKind(kind);
        }
    }
    m_includeTasksWithDue = GetProfileInt(section, QStringLiteral("STDD"), 1) != 0;
    m_includeCompleted = GetProfileInt(section, QStringLiteral("STC"), 1) != 0;
}

QString CViewContainer::GetFilterCaption() const
{
    if (!m_document)
        return {};
    return m_filter.GetTaskCaption(GetTaskFilterKind());
}

// ---------------------------------------------------------------------------------------------
// The shown period

CShownRange CViewContainer::GetShownRange() const
{
    CShownRange range;
    if (const CCalendarViewCtrl *view = GetViewCtrl()) {
        range.start = view->GetFirstDate();
        range.dayCount = view->GetDayCount();
    }
    range.includeTasksWithDue = m_includeTasksWithDue;
    range.includeCompleted = m_includeCompleted;
    range.showHidden = IsShowingHiddenItems();
    range.tasksFromStart = ProgramSettings().tasksOverStartToDue != 0;
    return range;
}

bool CViewContainer::IsItemInShownRange(const CCalendarItem &item) const
{
    if (!GetViewCtrl())
        return true;
    return GetShownRange().Contains(item);
}

bool CViewContainer::IsItemInPrintRange(const CCalendarItem &item) const
{
    if (!m_printJob)
        return IsItemInShownRange(item);
    CShownRange range = GetShownRange();
    range.start = m_printJob->start;
    range.dayCount = m_printJob->dayCount;
    return range.Contains(item);
}

bool CViewContainer::IsShowingHiddenItems()
{
    return g_showHidden;
}

void CViewContainer::SetShowingHiddenItems(bool on)
{
    g_showHidden = on;
}

// ---------------------------------------------------------------------------------------------
// Filter

HRESULT CViewContainer::ApplyFilter(const CActiveFilter &filter, bool flag)
{
    m_filter.Copy(filter);
    if (ViewKind::FeedsNavigator(m_kind) && Context().navigator)
        Context().navigator->SetFilter(m_filter);
    const HRESULT hr = ReloadItems(flag, false, m_filter.GetDate());
    if (Context().mainWindow)
        Context().mainWindow->ShowInfoBarText(GetFilterCaption());
    if (hr == S_OK && ViewKind::FeedsNavigator(m_kind) && Context().navigator)
        Context().navigator->Repaint();
    const QString section = GetSection();
    if (m_kind == ViewKind::Tasks)
        WriteProfileInt(section, QStringLiteral("FltC"), GetTaskFilterKind());
    if (CFilterSettings::IsRemembered(section) && m_document)
        CFilterSettings::Write(m_document->GetDataFilePath(), section, m_filter.GetKind(),
                               m_filter.GetName());
    return hr;
}

int CViewContainer::UpdateFilter(bool flag)
{
    if (!flag)
        m_filter.Reset();
    const CItemTypeList *types = m_document ? m_document->GetItemTypes() : nullptr;
    const CCategoryListBase *categories = m_document ? m_document->GetCategories() : nullptr;
    if (flag && m_filter.GetKind() != CActiveFilter::KindUnresolved) {
        m_filter.SetByName(types, categories, m_filter.GetKind(), m_filter.GetName(), m_filter.GetDate(),
                           m_filter.GetSearchText());
    } else {
        const QString section = GetSection();
        int kind = CActiveFilter::KindNone;
        QString name;
        if (CFilterSettings::IsRemembered(section) && m_document)
            CFilterSettings::Read(m_document->GetDataFilePath(), section, kind, name);
        m_filter.SetByName(types, categories, kind, name, CDateTime::Null(), m_filter.GetSearchText());
    }
    if (Context().navigator && ViewKind::FeedsNavigator(m_kind))
        Context().navigator->SetFilter(m_filter);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Items in the views

bool CViewContainer::AddItemToView(CItemRef &holder, int)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    const CCalendarItem *item = holder.GetItem();
    if (!view || !item || item->HasFlag(CCalendarItem::FlagDeleted))
        return false;
    if (item->HasFlag(CCalendarItem::FlagHidden) && !IsShowingHiddenItems())
        return false;
    if (!m_filter.MatchesItem(*item))
        return false;
    if (item->GetKind() == CCalendarItem::KindTask && !IsItemInShownRange(*item))
        return false;
    return view->AddItem(holder);
}

bool CViewContainer::AddItemToPrintView(CItemRef &holder, int)
{
    CCalendarViewCtrl *view = m_printJob ? m_printJob->view : nullptr;
    const CCalendarItem *item = holder.GetItem();
    if (!view || !item || item->HasFlag(CCalendarItem::FlagDeleted))
        return false;
    if (item->HasFlag(CCalendarItem::FlagHidden) && !IsShowingHiddenItems())
        return false;
    if (!m_filter.MatchesItem(*item))
        return false;
    return view->AddItem(holder);
}

void CViewContainer::OnItemUpdated(CItemRef &holder, bool select)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    const CCalendarItem *item = holder.GetItem();
    if (!item)
        return;
    CCalendarViewCtrl::SavedSelection saved;
    if (view)
        saved = view->SaveSelection(holder.GetRecordId());
    bool removed = false;
    if (view && holder.GetRecordId() != 0) {
        const int before = view->GetEntryCount();
        if (item->GetRecordId() == holder.GetRecordId() && !holder.IsOneOccurrence())
            view->RemoveEntriesOfRecord(holder.GetRecordId());
        else
            view->RemoveOccurrenceEntries(holder.GetRecordId(), holder.GetOccurrenceDate());
        removed = view->GetEntryCount() != before;
    }
    const bool added = AddItemToView(holder, select);
    if (view && (removed || added)) {
        view->RestoreSelection(saved);
        RefreshViews(true);
    }
    if (ViewKind::HasTaskPad(m_kind) && item->GetKind() == CCalendarItem::KindTask && Context().taskPad)
        Context().taskPad->UpdateTask(*static_cast<const CTaskItem *>(item));
    if (removed && view)
        view->NotifyContainer(kNotifySelectionChanged);
}

bool CViewContainer::OnItemRescheduled(std::uint32_t recordId, const CDateTime &occurrence,
                                       const CDateTime &newStart)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    return view && RescheduleEntries(*view, recordId, occurrence, newStart);
}

bool CViewContainer::RescheduleEntries(CCalendarViewCtrl &view, std::uint32_t recordId, const CDateTime &occurrence,
                                       const CDateTime &newStart)
{
    bool matched = false;
    for (int i = 0; i < view.GetEntryCount(); ++i) {
        CDisplayItem *e = view.GetEntry(i);
        if (e->GetItemRef() != recordId)
            continue;
        matched = true;
        e->SetNewStart(newStart);
        if (e->GetOccurrenceDate() == occurrence && !e->HasFlag(CDisplayItem::FlagRecurring)) {
            e->SetFlag(CDisplayItem::FlagReminder, false);
            view.InvalidateEntry(i);
        }
    }
    return matched;
}

int CViewContainer::MarkItemRemoved(std::uint32_t recordId, const CDateTime *occurrence, bool)
{
    int result = 0;
    if (CCalendarViewCtrl *view = GetViewCtrl()) {
        const bool changed =
            occurrence
                ? view->SetOccurrenceState(recordId, *occurrence, CDisplayItem::StateRemoved,
                                           CDisplayItem::StateRemoved, false)
                : view->SetItemState(recordId, CDisplayItem::StateRemoved, CDisplayItem::StateRemoved, false);
        if (changed)
            result |= ChangedView;
    }
    if (ViewKind::HasTaskPad(m_kind) && Context().taskPad && Context().taskPad->MarkRemoved(recordId))
        result |= ChangedTaskPad;
    return result;
}

int CViewContainer::RemoveItemFromViews(std::uint32_t recordId, const CDateTime *occurrence, bool notify)
{
    int result = 0;
    CCalendarViewCtrl *view = GetViewCtrl();
    if (view) {
        const int before = view->GetEntryCount();
        if (occurrence)
            view->RemoveOccurrenceEntries(recordId, *occurrence);
        else
            view->RemoveEntriesOfRecord(recordId);
        if (view->GetEntryCount() != before)
            result |= ChangedView;
    }
    if (ViewKind::HasTaskPad(m_kind) && Context().taskPad && Context().taskPad->RemoveTask(recordId))
        result |= ChangedTaskPad;
    if (notify && result) {
        RefreshViews(true);
        if (view)
            view->NotifyContainer(kNotifySelectionChanged);
    }
    return result;
}

bool CViewContainer::SetItemStates(std::uint32_t recordId, std::uint32_t value, std::uint32_t mask,
                                   bool redraw)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    return view && view->SetItemState(recordId, value, mask, redraw);
}

bool CViewContainer::SetOccurrenceStates(std::uint32_t recordId, const CDateTime &occurrence,
                                         std::uint32_t value, std::uint32_t mask, bool redraw)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    return view && view->SetOccurrenceState(recordId, occurrence, value, mask, redraw);
}

bool CViewContainer::SetAllStates(std::uint32_t value, std::uint32_t mask, bool redraw)
{
    CCalendarViewCtrl *view = GetViewCtrl();
    return view && view->SetAllItemStates(value, mask, redraw);
}

void CViewContainer::RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence)
{
    if (CCalendarViewCtrl *view = GetViewCtrl())
        view->RemoveOccurrenceEntries(recordId, occurrence);
}

void CViewContainer::RemoveItemEntries(std::uint32_t recordId)
{
    if (CCalendarViewCtrl *view = GetViewCtrl())
        view->RemoveEntriesOfRecord(recordId);
}

void CViewContainer::RemoveEntriesWithStates(std::uint32_t bits)
{
    if (CCalendarViewCtrl *view = GetViewCtrl())
        view->RemoveEntriesMatching(bits);
}

void CViewContainer::UpdateItemTypeEntries(std::uint32_t recordId, int typeIndex, const QString &typeName)
{
    if (CCalendarViewCtrl *view = GetViewCtrl())
        view->SetEntryTypeForItem(recordId, typeIndex, typeName, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Loading and counts

HRESULT CViewContainer::ReloadItems(bool first, bool second, const CDateTime &date)
{
    const HRESULT hr = LoadPeriodItems(first, second, date);
    if (hr == S_OK)
        UpdateDetailsPane(false);
    return hr;
}

void CViewContainer::AfterReload(HRESULT result, bool repaintNavigator)
{
    if (IsReloadSuccess(result)) {
        update();
        if (repaintNavigator && Context().navigator)
            Context().navigator->Repaint();
    } else {
        HandleSessionError(result);
    }
}

bool CViewContainer::IsTaskPadCounted() const
{
    return m_sidePaneShown && Context().taskPad && Context().taskPad->IsShown();
}

void CViewContainer::UpdateCountPane()
{
    IContainerMainWindow *main = Context().mainWindow;
    if (!main)
        return;
    const int taskPadCount =
        ViewKind::HasTaskPad(m_kind) && IsTaskPadCounted() ? Context().taskPad->GetEntryCount() : -1;
    main->SetItemCounts(GetItemCount(), taskPadCount);
}

// ---------------------------------------------------------------------------------------------
// Commands and notifications

bool CViewContainer::OnCommand(int id)
{
    const CContainerContext &ctx = Context();
    if (ctx.zoomList && ctx.zoomList->IsOpen() && id != ContainerCmd::ZoomListClose) {
        if (ICommandTarget *zoom = ctx.zoomList->GetCommandTarget())
            zoom->OnCommand(id);
        return true;
    }
    ICommandTarget *pane = nullptr;
    if (ctx.taskPad && m_focusedPane && m_focusedPane == ctx.taskPad->GetWidget())
        pane = ctx.taskPad->GetCommandTarget();
    else if (CCalendarViewCtrl *view = GetViewCtrl())
        pane = dynamic_cast<ICommandTarget *>(view);
    if (pane && pane->OnCommand(id))
        return true;
    return OnContainerCommand(id);
}

bool CViewContainer::OnUpdateCommand(int id, CCmdUI &ui)
{
    const CContainerContext &ctx = Context();
    if (ctx.zoomList && ctx.zoomList->IsOpen() && id != ContainerCmd::ZoomListClose) {
        if (ICommandTarget *zoom = ctx.zoomList->GetCommandTarget()) {
            if (!zoom->OnUpdateCommand(id, ui))
                ui.Enable(false);
        } else {
            ui.Enable(false);
        }
        return true;
    }
    ICommandTarget *pane = nullptr;
    if (ctx.taskPad && m_focusedPane && m_focusedPane == ctx.taskPad->GetWidget())
        pane = ctx.taskPad->GetCommandTarget();
    else if (CCalendarViewCtrl *view = GetViewCtrl())
        pane = dynamic_cast<ICommandTarget *>(view);
    if (pane && pane->OnUpdateCommand(id, ui))
        return true;
    return OnUpdateContainerCommand(id, ui);
}

int CViewContainer::OnNotify(const CNotifyRecord &record)
{
    switch (record.code) {
    case kNotifyFocusGained:
        m_focusedPane = record.sender;
        return 0;
    case kNotifyKeyDown: {
        // Key notifications carry Qt key values, as the views and panes read them.
        const bool ctrl = (record.flags & kModCtrl) != 0;
        const bool shift = (record.flags & kModShift) != 0;
        switch (record.key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (!ctrl)
                return 0;
            SwitchPane(!shift && record.key != Qt::Key_Backtab);
            return 1;
        case Qt::Key_Insert:
            if (ctrl)
                SendCommand(ContainerCmd::Copy);
            else if (shift)
                SendCommand(ContainerCmd::Paste);
            else
                return 0;
            return 1;
        case Qt::Key_Delete:
            SendCommand(ContainerCmd::Delete);
            return 1;
        case Qt::Key_C:
            if (!ctrl)
                return 0;
            SendCommand(ContainerCmd::Copy);
            return 1;
        case Qt::Key_V:
            if (!ctrl)
                return 0;
            SendCommand(ContainerCmd::Paste);
            return 1;
        case Qt::Key_X:
            if (!ctrl)
                return 0;
            SendCommand(ContainerCmd::Cut);
            return 1;
        default:
            return 0;
        }
    }
    case kNotifySelectionChanged:
        if (!m_focusedPane || record.sender == m_focusedPane || !record.sender)
            UpdateDetailsPane(false);
        return 0;
    default:
        return 0;
    }
}

void CViewContainer::focusInEvent(QFocusEvent *event)
{
    CCustomWnd::focusInEvent(event);
    const CContainerContext &ctx = Context();
    if (ctx.zoomList && ctx.zoomList->IsOpen()) {
        ctx.zoomList->TakeFocus();
        return;
    }
    if (m_focusedPane && m_focusedPane->isVisible()) {
        m_focusedPane->setFocus();
        return;
    }
    m_focusedPane = nullptr;
    if (CCalendarViewCtrl *view = GetViewCtrl(); view && view->GetHost())
        view->GetHost()->TakeFocus();
}

// ---------------------------------------------------------------------------------------------
// IViewContainer

void CViewContainer::SendCommand(int commandId)
{
    OnCommand(commandId);
}

void CViewContainer::PostCommand(int commandId)
{
    QMetaObject::invokeMethod(
        this, [this, commandId] { OnCommand(commandId); }, Qt::QueuedConnection);
}

bool CViewContainer::MoveItems(CCalendarViewCtrl &view, const QMimeData *, int effect, const QPoint &,
                               CDragState &drag)
{
    // The view has already put each dragged item's new start in the drag record.
    return MoveItems(&view, true, effect, drag, CDateTime::Null());
}

void CViewContainer::Refresh()
{
    const HRESULT hr = ReloadItems(false, false, GetCurrentDate());
    if (!IsReloadSuccess(hr))
        HandleSessionError(hr);
    RefreshViews(true);
    UpdateCountPane();
}

void CViewContainer::TaskChanged(CItemRef &holder)
{
    if (ViewKind::HasTaskPad(m_kind) && Context().taskPad)
        if (const CTaskItem *task = holder.GetTask())
            Context().taskPad->UpdateTask(*task);
}

CDateTime CViewContainer::GetNavigatorDay() const
{
    if (Context().mainWindow)
        return Context().mainWindow->GetCurrentDate();
    return CDateTime::Null();
}

void CViewContainer::OfferTaskToTaskPad(CItemRef &holder)
{
    if (ViewKind::HasTaskPad(m_kind) && Context().taskPad)
        if (const CTaskItem *task = holder.GetTask())
            Context().taskPad->AddTask(*task);
}

void CViewContainer::RefreshTaskPad()
{
    if (ViewKind::HasTaskPad(m_kind) && Context().taskPad)
        Context().taskPad->Refresh(false);
}

void CViewContainer::OpenNewEventEditor(CItemRef &holder, bool readOnly)
{
    if (Context().editors)
        Context().editors->OpenEvent(std::make_unique<CItemRef>(std::move(holder)), this,
                                     readOnly || IsDataReadOnly(), false, false);
}

bool CViewContainer::IsZoomListOpen() const
{
    return Context().zoomList && Context().zoomList->IsOpen();
}

void CViewContainer::DeleteItems(const std::vector<CDisplayItem *> &entries, bool quiet)
{
    DeleteItems(entries, false, !quiet, this);
}

void CViewContainer::SetItemsLocked(const std::vector<CDisplayItem *> &entries, bool lock)
{
    SetItemsLocked(entries, lock, false, true, this);
}

void CViewContainer::ChangeItemsType(const std::vector<CDisplayItem *> &entries, int typeIndex)
{
    ChangeItemsType(typeIndex, entries, false, this);
}

void CViewContainer::ConvertEventsToTasks(const std::vector<CDisplayItem *> &entries, bool withDueDates)
{
    ConvertEventsToTasks(entries, withDueDates, false, true, this);
}

void CViewContainer::ConvertTasksToEvents(const std::vector<CDisplayItem *> &entries)
{
    ConvertTasksToEvents(entries, false, true, this);
}

bool CViewContainer::IsDetailsPaneVisible() const
{
    return Context().details && Context().details->IsVisible();
}

// ---------------------------------------------------------------------------------------------
// Helpers

bool CViewContainer::SelectAddedItems()
{
    return ProgramSettings().detailedItems != 0;
}

std::vector<std::unique_ptr<CDisplayItem>> CViewContainer::SelectedEntries() const
{
    std::vector<std::unique_ptr<CDisplayItem>> out;
    if (const CCalendarViewCtrl *view = GetViewCtrl())
        view->GetSelectedItems(out);
    return out;
}

CViewContainer::EntryList CViewContainer::Pointers(const std::vector<std::unique_ptr<CDisplayItem>> &entries)
{
    EntryList out;
    out.reserve(entries.size());
    for (const auto &e : entries)
        out.push_back(e.get());
    return out;
}

void CViewContainer::Beep() const
{
    if (IMessagePort *port = GetMessagePort())
        port->Beep();
}

void CViewContainer::WaitCursor(bool on) const
{
    if (Context().prompts)
        Context().prompts->SetWaitCursor(on);
}
