#include "containers/year/YearContainer.h"

#include "containers/base/ContainerDocument.h"
#include "containers/base/ViewKinds.h"
#include "containers/customize/CustomizeYearViewDlg.h"
#include "containers/loading/ItemLoadingVisitors.h"
#include "containers/month/CalendarPeriodRules.h"
#include "core/dates/DateRules.h"
#include "core/system/Messages.h"

CYearContainer::CYearContainer(QWidget *parent) : CFramedViewContainer(parent)
{
    AttachView(m_view, ViewKind::Year, kFrameId, kViewId, false, false);
}

CYearContainer::~CYearContainer()
{
    // The view's window goes before the view it shows.
    delete GetFrame();
}

CDateTime CYearContainer::GetLastShownDate() const
{
    CDateTime last = m_view.GetFirstDate();
    AddDays(last, m_view.Model().GetDaysInYear());
    return last;
}

CShownRange CYearContainer::GetShownRange() const
{
    CShownRange range = CFramedViewContainer::GetShownRange();
    // The grid has a cell for every place of its twelve month panels; the year has fewer days.
    range.dayCount = m_view.Model().HasPanels() ? m_view.Model().GetDaysInYear() : 0;
    return range;
}

void CYearContainer::GetDefaultPrintRange(int &styleId, CDateTime &start, CDateTime &end) const
{
    styleId = kPrintStyle;
    start = m_view.GetFirstDate();
    end = start;
    AddMonths(end, 1, 12);
    AddDays(end, -1);
}

void CYearContainer::AlignPrintRange(CDateTime &start, CDateTime &end) const
{
    CCalendarPeriodRules::AlignToYears(start, end);
}

int CYearContainer::CountPrintPages(const CDateTime &start, const CDateTime &end)
{
    return CCalendarPeriodRules::CountPages(start, end, CCalendarPeriodRules::Period::Months(12));
}

CDateTime CYearContainer::GetPrintPageDate(const CDateTime &start, int page)
{
    return CCalendarPeriodRules::PageDate(start, CCalendarPeriodRules::Period::Months(12), page);
}

HRESULT CYearContainer::LoadPeriodItems(bool keepStatus, bool dateGiven, const CDateTime &date)
{
    CWaitCursor wait(Context().prompts);
    CDateTime day = dateGiven && IsUsable(date) ? date : m_view.GetFocusDate();
    if (!IsUsable(day))
        day = GetToday();
    m_view.SetItemTypes(m_document ? m_document->GetItemTypes() : nullptr);
    m_view.SetDate(day);
    const HRESULT hr = CItemLoadingVisitors::LoadScreenEvents(*this);
    FinishLoad(keepStatus);
    return hr;
}

void CYearContainer::GoToDate(int mode, const CDateTime &date)
{
    if (!IsUsable(date))
        return;
    const CDateTime focused = m_view.GetFocusDate();
    CheckReload(ReloadItems(false, true, date));
    if ((mode == 3 || mode == 4) && IsUsable(focused))
        m_view.GoToDate(CCalendarPeriodRules::AddYearsKeepingDay(focused, date.GetYear() - focused.GetYear()),
                        false);
    update();
}

void CYearContainer::ClearEntries()
{
    CFramedViewContainer::ClearEntries();
    m_view.Model().ClearEntries();
    m_view.InvalidateAll();
}

bool CYearContainer::RunCustomizeDialog()
{
    EnableReminderWindows(false);
    CCustomizeYearViewDlg dialog(this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    EnableReminderWindows(true);
    return ok;
}

bool CYearContainer::OnContainerCommand(int id)
{
    if (id == ContainerCmd::CustomizeView) {
        if (RunCustomizeDialog())
            ReloadOptions();
        return true;
    }
    return CFramedViewContainer::OnContainerCommand(id);
}
