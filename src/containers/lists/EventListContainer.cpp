#include "containers/lists/EventListContainer.h"

#include "containers/base/ContainerDocument.h"
#include "containers/base/ViewKinds.h"
#include "containers/lists/TablePaging.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/system/Profile.h"
#include "views/base/CustomWnd.h"
#include "views/list/EventListWnd.h"
#include "views/list/ItemListWnd.h"

#include <QResizeEvent>

namespace {
constexpr std::uint32_t kKeptStateMask = 0x3; // focus and selection
} // namespace

QString CEventListContainer::Title()
{
    return QStringLiteral("Event List");
}

CEventListContainer::CEventListContainer(QWidget *parent) : CMainViewContainer(parent)
{
    m_sidePaneShown = false;
    CreateChildren(CEventListWnd::ModeEventList);
    SetViewKind(ViewKind::EventList, ViewKind::SectionIndexOf(ViewKind::EventList));
}

CEventListContainer::CEventListContainer(int kind, QWidget *parent) : CMainViewContainer(parent)
{
    // The lists stand without the Date Navigator bar unless the user shows it.
    m_sidePaneShown = false;
    CreateChildren(kind == ViewKind::Search ? CEventListWnd::ModeSearch : CEventListWnd::ModeEventList);
    SetViewKind(kind, ViewKind::SectionIndexOf(kind));
}

// The list window saves the columns as it goes and needs the list for that: it goes first.
CEventListContainer::~CEventListContainer()
{
    delete m_frame;
    m_frame = nullptr;
    m_listWnd = nullptr;
}

void CEventListContainer::CreateChildren(int listMode)
{
    m_list = std::make_unique<CEventListWnd>(listMode);
    m_list->SetContainer(this);
    m_frame = new CBorderWnd(this);
    m_frame->setObjectName(QStringLiteral("listFrame"));
    m_listWnd = new CItemListWnd(*m_list, m_frame);
    m_listWnd->setObjectName(QStringLiteral("eventList"));
    m_frame->SetChild(m_listWnd);
    m_frame->setGeometry(FrameRect());
}

CCalendarViewCtrl *CEventListContainer::GetViewCtrl() const
{
    return m_list.get();
}

int CEventListContainer::GetItemCount() const
{
    return m_list ? m_list->GetEntryCount() : 0;
}

CDateTime CEventListContainer::GetCurrentDate() const
{
    return GetNow().DatePart();
}

void CEventListContainer::GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const
{
    styleId = kTableStyle;
    start = GetNow().DatePart();
    end = start;
}

QRect CEventListContainer::FrameRect() const
{
    return rect();
}

void CEventListContainer::resizeEvent(QResizeEvent *event)
{
    CMainViewContainer::resizeEvent(event);
    if (m_frame)
        m_frame->setGeometry(FrameRect());
}

// ---------------------------------------------------------------------------------------------
// Loading

HRESULT CEventListContainer::LoadPeriodItems(bool keepStatus, bool, const CDateTime &date)
{
    WaitCursor(true);
    m_list->SetDate(date);
    m_list->SetRange(CDateTime::Null(), CDateTime::Null());
    m_list->ScrollHorizontally(CItemListCtrl::Scroll::Top);
    const HRESULT hr = CItemLoadingVisitors::LoadScreenEvents(*this);
    RefreshViews(true);
    if (IContainerMainWindow *main = Context().mainWindow)
        main->SetInfoBarTitle(Title());
    if (!keepStatus)
        UpdateCountPane();
    WaitCursor(false);
    return hr;
}

bool CEventListContainer::IsItemInShownRange(const CCalendarItem &) const
{
    return true;
}

bool CEventListContainer::IsShowingHiddenItemsHere() const
{
    return !GetPrintJob() || IsShowingHiddenItems();
}

bool CEventListContainer::AddItemToView(CItemRef &holder, int)
{
    const CCalendarItem *item = holder.GetItem();
    if (!m_list || !item || item->HasFlag(CCalendarItem::FlagDeleted))
        return false;
    if (item->HasFlag(CCalendarItem::FlagHidden) && !IsShowingHiddenItemsHere())
        return false;
    // Only the Event List leaves out the events that are over.
    m_list->SetIncludePastItems(m_kind != ViewKind::EventList || m_includePastItems);
    return m_list->OfferItem(holder, &m_filter);
}

// ---------------------------------------------------------------------------------------------
// Changes

CEventListContainer::KeptState CEventListContainer::KeepState(std::uint32_t recordId) const
{
    KeptState kept;
    for (const auto &e : m_list->GetEntries())
        if (e->GetItemRef() == recordId)
            kept.states.emplace_back(e->GetOccurrenceDate(), e->GetState() & kKeptStateMask);
    if (const CDisplayItem *focused = m_list->GetEntry(m_list->GetFocusedEntry())) {
        kept.hasFocus = true;
        kept.focusRecord = focused->GetItemRef();
        kept.focusOccurrence = focused->GetOccurrenceDate();
    }
    return kept;
}

void CEventListContainer::RestoreState(const KeptState &kept, std::uint32_t recordId)
{
    if (!kept.states.empty()) {
        for (int i = 0; i < m_list->GetEntryCount(); ++i) {
            CDisplayItem *e = m_list->GetEntry(i);
            if (e->GetItemRef() != recordId)
                continue;
            // An entry keeps the states of the entry of its occurrence; the one entry of an item
            // whose start moved keeps the states of the one it replaces.
            std::uint32_t state = 0;
            bool found = false;
            for (const auto &[occurrence, bits] : kept.states)
                if (occurrence == e->GetOccurrenceDate()) {
                    state = bits;
                    found = true;
                }
            if (!found && kept.states.size() == 1) {
                state = kept.states.front().second;
                found = true;
            }
            if (found)
                e->SetState((e->GetState() & ~kKeptStateMask) | state);
        }
    }
    if (!kept.hasFocus)
        return;
    int focus = m_list->FindEntry(kept.focusRecord, kept.focusOccurrence);
    if (focus < 0 && kept.focusRecord == recordId)
        for (int i = 0; i < m_list->GetEntryCount() && focus < 0; ++i)
            if (m_list->GetEntry(i)->GetItemRef() == recordId)
                focus = i;
    m_list->SetFocusedEntry(focus >= 0 ? focus : std::min(m_list->GetFocusedEntry(), m_list->GetEntryCount() - 1));
}

bool CEventListContainer::RemoveHeldEntries(const CItemRef &holder)
{
    const CCalendarItem *item = holder.GetItem();
    if (!item || holder.GetRecordId() == 0)
        return false;
    const int before = m_list->GetEntryCount();
    if (item->GetRecordId() == holder.GetRecordId())
        m_list->RemoveEntriesOfRecord(holder.GetRecordId());
    else
        m_list->RemoveOccurrenceEntries(holder.GetRecordId(), holder.GetOccurrenceDate());
    return m_list->GetEntryCount() != before;
}

void CEventListContainer::FinishItemChange(const KeptState &kept, std::uint32_t recordId)
{
    RestoreState(kept, recordId);
    RefreshViews(true);
    RestoreState(kept, recordId); // the sort moved the rows
    if (m_listWnd)
        m_listWnd->UpdateScrollBars();
    m_list->NotifyContainer(kNotifySelectionChanged);
}

bool CEventListContainer::ListsKind(int kind) const
{
    return kind == CCalendarItem::KindEvent;
}

void CEventListContainer::OnItemUpdated(CItemRef &holder, bool select)
{
    const CCalendarItem *item = holder.GetItem();
    if (!m_list || !item || !ListsKind(item->GetKind()))
        return;
    const std::uint32_t recordId = item->GetRecordId();
    const KeptState kept = KeepState(holder.GetRecordId());
    const bool removed = RemoveHeldEntries(holder);
    const bool added = AddItemToView(holder, select);
    if (removed || added)
        FinishItemChange(kept, recordId);
}

bool CEventListContainer::OnItemRescheduled(std::uint32_t recordId, const CDateTime &, const CDateTime &)
{
    if (!m_list || !m_document)
        return false;
    bool shown = false;
    for (const auto &e : m_list->GetEntries())
        shown = shown || e->GetItemRef() == recordId;
    if (!shown)
        return false;
    const KeptState kept = KeepState(recordId);
    auto event = std::make_unique<CEventItem>(recordId);
    if (m_document->LoadEvent(*event) != S_OK)
        return false;
    m_list->RemoveEntriesOfRecord(recordId);
    CItemRef holder;
    holder.SetRecordId(recordId);
    holder.SetItem(std::move(event));
    AddItemToView(holder, 0);
    FinishItemChange(kept, recordId);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Options and commands

void CEventListContainer::LoadPaneOptions(bool reload)
{
    CMainViewContainer::LoadPaneOptions(reload);
    if (m_kind == ViewKind::EventList && reload)
        m_includePastItems = GetProfileInt(GetSection(), QStringLiteral("IPI"), m_includePastItems) != 0;
}

QString CEventListContainer::GetFilterCaption() const
{
    if (!m_document)
        return {};
    QString caption = CMainViewContainer::GetFilterCaption();
    if (m_kind == ViewKind::EventList && !m_includePastItems)
        caption += QLatin1Char('*');
    return caption;
}

void CEventListContainer::ToggleIncludePastItems()
{
    m_includePastItems = !m_includePastItems;
    CActiveFilter filter;
    filter.Copy(m_filter);
    const HRESULT hr = ApplyFilter(filter, false);
    if (!IsReloadSuccess(hr))
        HandleSessionError(hr);
    update();
    TakeFocus();
    WriteProfileInt(GetSection(), QStringLiteral("IPI"), m_includePastItems ? 1 : 0);
    if (IContainerMainWindow *main = Context().mainWindow)
        main->ShowInfoBarText(GetFilterCaption());
}

bool CEventListContainer::OnContainerCommand(int id)
{
    if (id == kCmdIncludePastItems) {
        if (m_kind == ViewKind::EventList)
            ToggleIncludePastItems();
        return true;
    }
    return CMainViewContainer::OnContainerCommand(id);
}

bool CEventListContainer::OnUpdateContainerCommand(int id, CCmdUI &ui)
{
    if (id == kCmdIncludePastItems) {
        ui.SetCheck(m_includePastItems);
        ui.Enable(m_kind == ViewKind::EventList);
        return true;
    }
    return CMainViewContainer::OnUpdateContainerCommand(id, ui);
}

// ---------------------------------------------------------------------------------------------
// Table print

std::vector<CTablePrintColumns::Column> CEventListContainer::GetTablePrintColumns(int sourceKind,
                                                                                   const CListColumns *taskPad,
                                                                                   bool imageColumns) const
{
    return CTablePrintColumns::Select(sourceKind, m_list ? &m_list->Columns() : nullptr, taskPad, imageColumns);
}

std::vector<int> CEventListContainer::CountTablePages(int bodyHeight, int rowHeight, int pagesWide,
                                                      bool selectedOnly) const
{
    const int perPage = CTablePaging::RowsPerPage(bodyHeight, rowHeight);
    if (!selectedOnly)
        return CTablePaging::PageStarts(GetItemCount(), perPage, pagesWide);
    std::vector<std::uint32_t> states;
    for (const auto &e : m_list->GetEntries())
        states.push_back(e->GetState());
    return CTablePaging::SelectedPageStarts(states, perPage, pagesWide);
}
