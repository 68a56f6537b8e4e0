#include "containers/month/MonthContainer.h"

#include "containers/base/ContainerStrings.h"
#include "containers/base/ViewKinds.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "containers/month/CalendarPeriodRules.h"
#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"
#include "core/system/AppSettings.h"
#include "views/base/CalendarViewWnd.h"

#include <algorithm>
#include <cmath>

namespace {
// The text of warning kIdsNoWorkWeek.
QString NoWorkWeekText()
{
    return QStringLiteral("Please open Options and specify work week.");
}
} // namespace

CMonthContainer::CMonthContainer(QWidget *parent) : CFramedViewContainer(parent)
{
    AttachView(m_view, ViewKind::Month, kFrameId, kViewId, false, false);
}

CMonthContainer::~CMonthContainer()
{
    // The view's window goes before the view it shows.
    delete GetFrame();
}

CDateTime CMonthContainer::GetPeriodStart() const
{
    if (IsWeeksMode())
        return m_view.GetFirstDate();
    const CDateTime &month = m_view.GetAnchorDate();
    return CDateTime(month.GetYear(), month.GetMonth(), 1);
}

CDateTime CMonthContainer::GetLastShownDate() const
{
    CDateTime last = m_view.GetFirstDate();
    AddDays(last, m_view.GetMonthDayCount());
    return last;
}

CDateTime CMonthContainer::GetCurrentDate() const
{
    return m_view.GetFocusDate();
}

CShownRange CMonthContainer::GetShownRange() const
{
    CShownRange range = CFramedViewContainer::GetShownRange();
    // With weekdays hidden the grid still spans whole weeks: the cells are fewer than the days.
    range.dayCount = m_view.GetMonthDayCount();
    return range;
}

void CMonthContainer::GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const
{
    styleId = kPrintStyle;
    if (IsWeeksMode()) {
        start = m_view.GetFirstDate();
        end = start;
        AddDays(end, 7 * GetWeekCount() - 1);
        return;
    }
    start = GetPeriodStart();
    end = start;
    CCalendarPeriodRules::AlignToMonths(start, end);
}

void CMonthContainer::AlignPrintRange(CDateTime &start, CDateTime &end) const
{
    if (IsWeeksMode())
        CCalendarPeriodRules::AlignToWeekBlocks(start, end, GetFirstDayOfWeek(), GetWeekCount());
    else
        CCalendarPeriodRules::AlignToMonths(start, end);
}

int CMonthContainer::CountPrintPages(const CDateTime &start, const CDateTime &end,
                                     bool twoPagesPerPeriod) const
{
    const auto period = IsWeeksMode() ? CCalendarPeriodRules::Period::Days(7 * GetWeekCount())
                                      : CCalendarPeriodRules::Period::Months(1);
    return CCalendarPeriodRules::CountPages(start, end, period, twoPagesPerPeriod ? 2 : 1);
}

CDateTime CMonthContainer::GetPrintPageDate(const CDateTime &start, int page, bool twoPagesPerPeriod) const
{
    const auto period = IsWeeksMode() ? CCalendarPeriodRules::Period::Days(7 * GetWeekCount())
                                      : CCalendarPeriodRules::Period::Months(1);
    const CDateTime date = CCalendarPeriodRules::PageDate(start, period, page, twoPagesPerPeriod ? 2 : 1);
    return twoPagesPerPeriod ? date : CCalendarPeriodRules::SnapToDayFilter(date, GetDayFilter());
}

// ---------------------------------------------------------------------------------------------
// Loading and moving

HRESULT CMonthContainer::LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date)
{
    CWaitCursor wait(Context().prompts);
    const bool ownDate = !dateGiven || !IsUsable(date);
    CDateTime day;
    if (!ownDate)
        day = CCalendarPeriodRules::SnapToDayFilter(date, GetDayFilter());
    else if (IsUsable(m_view.GetAnchorDate()))
        day = m_view.GetAnchorDate();
    else
        day = CCalendarPeriodRules::SnapToDayFilter(GetToday(), GetDayFilter());

    // A reload of the same period keeps the focused cell and the selected range.
    const CDateTime gridBefore = m_view.GetFirstDate();
    const int cellBefore = m_view.GetCurrentCell(), anchorBefore = m_view.GetAnchorCell();
    m_view.SetDate(day);
    if (ownDate && m_view.GetFirstDate() == gridBefore && cellBefore < m_view.GetDayCount()) {
        m_view.SetCurrentCell(cellBefore);
        m_view.SetAnchorCell(std::clamp(anchorBefore, 0, std::max(0, m_view.GetDayCount() - 1)));
        m_view.DrawCellRange();
    }

    SyncSidePanes(day, GetPeriodStart(), IsWeeksMode() ? 7 : 31, m_view.GetMonthDayCount());

    HRESULT hr = CItemLoadingVisitors::LoadScreenEvents(*this);
    if (hr == S_OK) {
        CItemLoadingVisitors::TaskLoad how;
        how.addToTaskPad = false; // the TaskPad loads its own tasks for the date it was given
        hr = CItemLoadingVisitors::LoadScreenTasks(*this, how);
    }
    RepaintSidePanes();
    FinishLoad(keepStatus);
    return hr;
}

bool CMonthContainer::IsInShownPeriod(int mode, const CDateTime &date) const
{
    if (mode != 1 && mode != 2)
        return false;
    const CDateTime day = date.DatePart();
    if (IsWeeksMode())
        return day >= m_view.GetFirstDate() && day < GetLastShownDate();
    const CDateTime first = GetPeriodStart();
    CDateTime next = first;
    AddMonths(next, 1, 1);
    return day >= first && day < next;
}

int CMonthContainer::CellInsideGrid(int cell) const
{
    const int columns = std::max(1, m_view.GetModel().GetColumns());
    const int rows = std::max(1, m_view.GetModel().GetRows());
    while (cell >= 0 && cell / columns >= rows)
        cell -= columns;
    return std::clamp(cell, 0, std::max(0, m_view.GetDayCount() - 1));
}

void CMonthContainer::GoToDate(int mode, const CDateTime &date)
{
    if (!IsUsable(date))
        return;
    const CDateTime day = CCalendarPeriodRules::SnapToDayFilter(date, GetDayFilter());
    if (IsInShownPeriod(mode, day)) {
        const int offset = int(std::lround((day.DatePart() - m_view.GetFirstDate()).GetTotalDays()));
        const CMonthGridModel &model = m_view.GetModel();
        // A day the filter hides has no cell (the snap stops after a week of such days).
        if (model.IsOffsetVisible(offset) && m_view.GetDayCount() > 0) {
            SetAllStates(0, CDisplayItem::StateFocus | CDisplayItem::StateSelected, true);
            m_view.SetFocusedEntry(-1);
            m_view.SetCurrentCell(m_view.DayOffsetToCell(offset) % m_view.GetDayCount());
            return;
        }
    }
    const int remembered = m_view.GetCurrentCell();
    CheckReload(ReloadItems(false, true, day));
    if (mode == 3 || mode == 4)
        m_view.SetCurrentCell(CellInsideGrid(remembered));
    update();
}

bool CMonthContainer::StepPeriod(bool forward, bool singleStep)
{
    const int sign = forward ? 1 : -1;
    CDateTime date = GetPeriodStart();
    if (IsWeeksMode())
        AddDays(date, sign * 7 * (singleStep ? 1 : GetWeekCount()));
    else
        AddMonths(date, 1, sign);
    GoToDate(forward ? 4 : 3, date);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Commands

void CMonthContainer::SetViewMode(bool showWork, bool showNonWork, bool weeksMode, int weeks)
{
    m_view.SetVisibleWeekdays(showWork, showNonWork, weeksMode, weeks, true);
    CheckReload(ReloadItems(false, true, m_view.GetAnchorDate()));
    update();
    if (GetViewWindow())
        GetViewWindow()->update();
}

bool CMonthContainer::OnContainerCommand(int id)
{
    const int filter = GetDayFilter();
    const bool work = filter != CCalendarPeriodRules::NonWorkDaysOnly;
    const bool weekend = filter != CCalendarPeriodRules::WorkDaysOnly;
    if (id >= kCmdWeeksFirst && id <= kCmdWeeksLast) {
        SetViewMode(work, weekend, true, id - kCmdWeeksFirst + 1);
        return true;
    }
    switch (id) {
    case kCmdWholeMonth:
        SetViewMode(work, weekend, false, GetWeekCount());
        return true;
    case kCmdWeekendOnly:
        if (CountWorkDays() == 7)
            ContainerText::Warn(NoWorkWeekText(), this);
        else
            SetViewMode(false, true, IsWeeksMode(), GetWeekCount());
        return true;
    case kCmdWorkDaysOnly:
        if (CountWorkDays() == 0)
            ContainerText::Warn(NoWorkWeekText(), this);
        else
            SetViewMode(true, false, IsWeeksMode(), GetWeekCount());
        return true;
    case kCmdAllDays:
        SetViewMode(true, true, IsWeeksMode(), GetWeekCount());
        return true;
    default:
        return CFramedViewContainer::OnContainerCommand(id);
    }
}

bool CMonthContainer::OnUpdateContainerCommand(int id, CCmdUI &ui)
{
    if (id >= kCmdWeeksFirst && id <= kCmdWeeksLast) {
        ui.SetCheck(IsWeeksMode() && GetWeekCount() == id - kCmdWeeksFirst + 1);
        return true;
    }
    switch (id) {
    case kCmdWholeMonth:
        ui.SetCheck(!IsWeeksMode());
        return true;
    case kCmdWeekendOnly:
        ui.SetCheck(GetDayFilter() == CCalendarPeriodRules::NonWorkDaysOnly);
        return true;
    case kCmdWorkDaysOnly:
        ui.SetCheck(GetDayFilter() == CCalendarPeriodRules::WorkDaysOnly);
        return true;
    case kCmdAllDays:
        ui.SetCheck(GetDayFilter() == CCalendarPeriodRules::AllDays);
        return true;
    default:
        return CFramedViewContainer::OnUpdateContainerCommand(id, ui);
    }
}
