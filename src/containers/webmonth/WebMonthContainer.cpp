#include "containers/webmonth/WebMonthContainer.h"

#include "containers/base/ViewKinds.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "core/items/CalendarItem.h"
#include "core/items/ItemRef.h"

CWebMonthContainer::CWebMonthContainer(QWidget *parent) : CViewContainer(parent)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    m_view.SetContainer(this);
    SetViewKind(ViewKind::WebMonth, ViewKind::SectionIndexOf(ViewKind::WebMonth));
    m_sidePaneShown = false;
    m_detailsPaneShown = false;
}

CWebMonthContainer::~CWebMonthContainer()
{
    m_view.SetContainer(nullptr);
}

HRESULT CWebMonthContainer::LoadPeriodItems(bool, bool, const CDateTime &date)
{
    WaitCursor(true);
    m_view.RemoveAllEntries();
    m_view.SetDate(false, true, date);
    HRESULT hr = CItemLoadingVisitors::LoadScreenEvents(*this);
    if (hr == S_OK) {
        CItemLoadingVisitors::TaskLoad how;
        how.alreadyLoaded = false;
        how.addToView = true;
        how.addToTaskPad = false;
        hr = CItemLoadingVisitors::LoadScreenTasks(*this, how);
    }
    m_view.Refresh(true);
    WaitCursor(false);
    return hr;
}

CShownRange CWebMonthContainer::GetShownRange() const
{
    CShownRange range = CViewContainer::GetShownRange();
    range.showHidden = m_showHidden;
    return range;
}

bool CWebMonthContainer::AddItemToView(CItemRef &holder, int)
{
    // The base's rules with the publisher's own hidden-items choice in place of the program's.
    const CCalendarItem *item = holder.GetItem();
    if (!item || item->HasFlag(CCalendarItem::FlagDeleted))
        return false;
    if (item->HasFlag(CCalendarItem::FlagHidden) && !m_showHidden)
        return false;
    if (!m_filter.MatchesItem(*item))
        return false;
    if (item->GetKind() == CCalendarItem::KindTask && !IsItemInShownRange(*item))
        return false;
    return m_view.AddItem(holder);
}
