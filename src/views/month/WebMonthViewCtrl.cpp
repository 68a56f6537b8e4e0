// The month view as HTML publishing uses it.
#include "views/month/WebMonthViewCtrl.h"

#include "core/dates/DateRules.h"

CWebMonthViewCtrl::CWebMonthViewCtrl()
{
    m_sectionIndex = kSectionWeb;
    m_model.SetVisibleWeekdays(true, true);
}

void CWebMonthViewCtrl::Refresh(bool sort)
{
    if (sort)
        SortDisplayItems();
}

bool CWebMonthViewCtrl::AddItem(CItemRef &ref)
{
    const CDateTime from = GetAnchorDate();
    CDateTime to = from;
    if (!AddMonths(to, from.GetDay(), 1))
        return false;
    const int days = int((to - from).GetTotalDays() + 0.5);
    return AddOccurrences(ref, from, days);
}

bool CWebMonthViewCtrl::AddEntry(std::unique_ptr<CDisplayItem> entry)
{
    return m_model.PlaceEntryPerDay(std::move(entry), m_entries, m_cellMarks);
}

QString CWebMonthViewCtrl::GetCalendarTitle() const
{
    IViewDocument *doc = m_container ? m_container->GetDocument() : nullptr;
    return doc ? doc->GetCalendarTitle() : QString();
}
