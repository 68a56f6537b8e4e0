#include "containers/lists/SearchContainer.h"

#include "containers/base/ContainerDocument.h"
#include "containers/base/ContainerStrings.h"
#include "containers/base/ViewKinds.h"
#include "containers/lists/SearchCriteria.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DateRules.h"
#include "core/document/CalendarDocument.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/system/Messages.h"
#include "toolkit/bars/FindBar.h"
#include "views/base/CustomWnd.h"
#include "views/list/EventListWnd.h"
#include "views/list/ItemListWnd.h"

#include <QApplication>
#include <QComboBox>

namespace {
// The bar stands a little taller than its controls need.
constexpr int kBarExtraHeight = 8;
} // namespace

CSearchContainer::CSearchContainer(QWidget *parent) : CEventListContainer(ViewKind::Search, parent)
{
    m_detailsPaneShown = true; // the only container whose details pane shows by default
    m_findBar = new CFindBar(this);
    m_findBar->setObjectName(QStringLiteral("findBar"));
    m_findBar->InitControls();
    m_findBar->setGeometry(0, 0, std::max(width(), m_findBar->sizeHint().width()),
                           m_findBar->sizeHint().height() + kBarExtraHeight);
    connect(m_findBar, &CFindBar::commandRequested, this, [this](int id) { OnCommand(id); });
    connect(m_findBar, &CFindBar::focusTaken, this, [this] { SetFocusedPane(m_findBar->SearchCombo()); });
    connect(m_findBar, &CFindBar::tabbedOut, this, [this](bool) {
        if (m_listWnd)
            m_listWnd->setFocus(Qt::TabFocusReason);
    });
    if (m_frame)
        m_frame->setGeometry(FrameRect());
}

// The bar goes while the container can still hear its last signals.
CSearchContainer::~CSearchContainer()
{
    delete m_findBar;
    m_findBar = nullptr;
}

QRect CSearchContainer::FrameRect() const
{
    if (!m_findBar || m_findBar->isHidden())
        return rect();
    const int top = m_findBar->height() + kBarGap;
    return QRect(0, top, width(), std::max(0, height() - top));
}

void CSearchContainer::resizeEvent(QResizeEvent *event)
{
    if (m_findBar)
        m_findBar->setGeometry(0, 0, width(), m_findBar->height());
    CEventListContainer::resizeEvent(event);
}

void CSearchContainer::FocusFindBar()
{
    if (m_findBar && !m_findBar->isHidden())
        m_findBar->FocusSearchText();
}

bool CSearchContainer::ListHasFocus() const
{
    if (!m_listWnd)
        return false;
    const QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == m_listWnd || m_listWnd->isAncestorOf(focus)))
        return true;
    return !focus && m_focusedPane == m_listWnd;
}

// ---------------------------------------------------------------------------------------------
// Searching

HRESULT CSearchContainer::StartEmptySearch()
{
    const CItemTypeList *types = m_document ? m_document->GetItemTypes() : nullptr;
    const CCategoryListBase *categories = m_document ? m_document->GetCategories() : nullptr;
    CActiveFilter filter;
    filter.SetByName(types, categories, CActiveFilter::KindNone, QString(), CDateTime::Null(), QString());
    m_fromDate = CDateTime::Null();
    m_toDate = CDateTime::Null();
    return ApplyFilter(filter, false);
}

HRESULT CSearchContainer::RunSearch()
{
    CDateTime start, end;
    const QString typed = m_findBar->GetSearchCriteria(start, end);
    const CSearchCriteria criteria(typed, start, end);
    const CSearchCriteria::Check check = criteria.Validate();
    if (check != CSearchCriteria::Check::Ok) {
        ContainerText::Warn(CSearchCriteria::WarningText(check), this);
        m_findBar->FocusSearchText();
        return S_OK;
    }
    m_findBar->AddToHistory(criteria.GetText());
    const CItemTypeList *types = m_document ? m_document->GetItemTypes() : nullptr;
    const CCategoryListBase *categories = m_document ? m_document->GetCategories() : nullptr;
    CActiveFilter filter;
    filter.SetByName(types, categories, m_filter.GetKind(), m_filter.GetName(), m_filter.GetDate(),
                     criteria.GetSearchText());
    m_findBar->SetLabelFonts();
    m_fromDate = criteria.GetStart();
    m_toDate = criteria.GetEnd();
    const HRESULT hr = ApplyFilter(filter, false);
    if (IsReloadSuccess(hr)) {
        if (GetItemCount() > 0 && m_listWnd)
            m_listWnd->setFocus(Qt::OtherFocusReason);
        update();
    } else {
        HandleSessionError(hr);
    }
    return hr;
}

HRESULT CSearchContainer::LoadPeriodItems(bool keepStatus, bool, const CDateTime &date)
{
    WaitCursor(true);
    m_list->SetDate(date);
    m_list->SetRange(m_fromDate, m_toDate);
    m_list->ScrollHorizontally(CItemListCtrl::Scroll::Top);
    HRESULT hr = S_OK;
    if (!m_filter.GetSearchText().isEmpty()) {
        if (!CSearchCriteria::IsInverted(m_fromDate, m_toDate)) {
            hr = CItemLoadingVisitors::LoadScreenEvents(*this);
            if (hr == S_OK) {
                CItemLoadingVisitors::TaskLoad how;
                how.alreadyLoaded = true;
                hr = CItemLoadingVisitors::LoadScreenTasks(*this, how);
            }
        } else {
            Beep();
        }
    }
    RefreshViews(true);
    if (m_listWnd)
        m_listWnd->UpdateScrollBars();
    if (IContainerMainWindow *main = Context().mainWindow)
        main->SetInfoBarTitle(FormatLongDate(GetNow()));
    if (!keepStatus)
        UpdateCountPane();
    WaitCursor(false);
    return hr;
}

bool CSearchContainer::AddItemToView(CItemRef &holder, int)
{
    CCalendarItem *item = holder.GetItem();
    if (!m_list || !item || item->HasFlag(CCalendarItem::FlagDeleted))
        return false;
    if (item->HasFlag(CCalendarItem::FlagHidden) && !IsShowingHiddenItemsHere())
        return false;
    // Without a search text nothing was found, and an item stored meanwhile is no exception.
    if (m_filter.GetSearchText().isEmpty())
        return false;
    CEventItem *event = holder.GetEvent();
    if (!event)
        return m_filter.MatchesItem(*item) && m_list->AddItem(holder);
    bool added = false;
    if (m_filter.MatchesItem(*event)) {
        if (!m_list->AddItem(holder))
            return false;
        added = true;
    }
    return AddMatchingOccurrences(*event) || added;
}

bool CSearchContainer::AddMatchingOccurrences(CEventItem &event)
{
    bool added = false;
    for (int i = 0; i < event.GetExceptionCount(); ++i) {
        const CRecurrenceException &x = event.GetExceptions()[std::size_t(i)];
        if (x.IsDeleted() || !m_filter.MatchesItem(event, i))
            continue;
        // A changed occurrence outside the searched days is not a result.
        if (!CSearchCriteria::Touches(x.newStart, x.GetEnd(), m_fromDate, m_toDate))
            continue;
        const CDateTime key = x.keyDate;
        if (!m_list->AddEventEntry(event, key))
            break;
        added = true;
    }
    return added;
}

// ---------------------------------------------------------------------------------------------
// Commands and keys

bool CSearchContainer::OnContainerCommand(int id)
{
    switch (id) {
    case CFindBar::kCmdFindNow:
        RunSearch();
        return true;
    case CFindBar::kCmdClose:
        if (m_mainCommand)
            m_mainCommand(kCmdLeaveSearch);
        return true;
    default:
        return CEventListContainer::OnContainerCommand(id);
    }
}

bool CSearchContainer::OnUpdateContainerCommand(int id, CCmdUI &ui)
{
    if (id == CFindBar::kCmdFindNow || id == CFindBar::kCmdClose) {
        ui.Enable(true);
        return true;
    }
    return CEventListContainer::OnUpdateContainerCommand(id, ui);
}

int CSearchContainer::OnNotify(const CNotifyRecord &record)
{
    if (record.code == kNotifyFocusGained) {
        // The list tells of its focus without naming itself.
        SetFocusedPane(record.sender ? record.sender : m_listWnd);
        return 0;
    }
    if (record.code != kNotifyKeyDown)
        return CEventListContainer::OnNotify(record);
    const bool backTab = record.key == Qt::Key_Backtab;
    const bool tab = record.key == Qt::Key_Tab || backTab;
    const bool ctrl = (record.flags & kModCtrl) != 0;
    if (tab && !ctrl && m_findBar && !m_findBar->isHidden()) {
        if (ListHasFocus())
            FocusFindBar();
        else if (m_listWnd)
            m_listWnd->setFocus(Qt::TabFocusReason);
        return 1;
    }
    if (record.key == Qt::Key_F && ctrl) {
        FocusFindBar();
        return 1;
    }
    return CEventListContainer::OnNotify(record);
}
