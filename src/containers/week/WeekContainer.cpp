#include "containers/week/WeekContainer.h"

#include "containers/base/ViewKinds.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "containers/month/CalendarPeriodRules.h"
#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"
#include "core/system/Profile.h"

#include <cmath>

CWeekContainer::CWeekContainer(QWidget *parent) : CFramedViewContainer(parent)
{
    AttachView(m_view, ViewKind::Week, kFrameId, kViewId, true, false);
}

CWeekContainer::~CWeekContainer()
{
    // The view's window goes before the view it shows.
    delete GetFrame();
}

int CWeekContainer::GetPrintFirstWeekday() const
{
    return GetProfileInt(GetSection(), QStringLiteral("WE"), 0) != 0 ? 0 : GetFirstDayOfWeek();
}

void CWeekContainer::GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const
{
    styleId = kPrintStyle;
    start = m_view.GetFirstDate();
    end = start;
    AddDays(end, 6);
}

void CWeekContainer::AlignPrintRange(CDateTime &start, CDateTime &end) const
{
    CCalendarPeriodRules::AlignToWeeks(start, end, GetPrintFirstWeekday());
}

int CWeekContainer::CountPrintPages(const CDateTime &start, const CDateTime &end)
{
    return CCalendarPeriodRules::CountPages(start, end, CCalendarPeriodRules::Period::Days(7));
}

CDateTime CWeekContainer::GetPrintPageDate(const CDateTime &start, int page)
{
    return CCalendarPeriodRules::PageDate(start, CCalendarPeriodRules::Period::Days(7), page);
}

HRESULT CWeekContainer::LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date)
{
    CWaitCursor wait(Context().prompts);
    // Without a date the grid stays on its week and its focused day.
    const CDateTime day = dateGiven && IsUsable(date) ? date : m_view.GetFocusDate();
    m_view.SetDate(IsUsable(day) ? day : GetToday());
    SyncSidePanes(day, m_view.GetFirstDate(), 7, m_view.GetDayCount());
    HRESULT hr = CItemLoadingVisitors::LoadScreenEvents(*this);
    if (hr == S_OK)
        hr = CItemLoadingVisitors::LoadScreenTasks(*this, CItemLoadingVisitors::TaskLoad{});
    RepaintSidePanes();
    FinishLoad(keepStatus);
    return hr;
}

void CWeekContainer::GoToDate(int mode, const CDateTime &date)
{
    if (!IsUsable(date))
        return;
    const long offset = std::lround((date.DatePart() - m_view.GetFirstDate()).GetTotalDays());
    if ((mode == 1 || mode == 2) && offset >= 0 && offset < m_view.GetDayCount()) {
        SetAllStates(0, CDisplayItem::StateFocus | CDisplayItem::StateSelected, true);
        m_view.SetFocusedEntry(-1);
        m_view.SetCurrentCell(int(offset));
        return;
    }
    const int remembered = m_view.GetCurrentCell();
    CheckReload(ReloadItems(false, true, date));
    if (mode == 3 || mode == 4)
        m_view.SetCurrentCell(remembered);
    update();
}
