#include "containers/mainbase/NavigatorPort.h"

#include "containers/mainbase/MainBasePointers.h"
#include "toolkit/navigator/DateNavigatorWnd.h"

void CNavigatorPort::SetFilter(const CActiveFilter &filter)
{
    if (CDateNavigatorWnd *navigator = CMainBasePointers::DateNavigator()) {
        // A changed filter emptied the marks: they are built again for it.
        if (navigator->SetFilter(filter))
            navigator->RebuildBusyDays();
    }
}

void CNavigatorPort::Repaint()
{
    if (CDateNavigatorWnd *navigator = CMainBasePointers::DateNavigator())
        navigator->update();
}

void CNavigatorPort::UpdateToday()
{
    if (CDateNavigatorWnd *navigator = CMainBasePointers::DateNavigator()) {
        navigator->UpdateToday();
        navigator->update();
    }
}

bool CNavigatorPort::WantsEvent(const CEventItem &summary) const
{
    const CDateNavigatorWnd *navigator = CMainBasePointers::DateNavigator();
    return navigator && navigator->ItemInRange(summary);
}

void CNavigatorPort::MarkBusyDays(const CEventItem &event)
{
    if (CDateNavigatorWnd *navigator = CMainBasePointers::DateNavigator())
        navigator->MarkItem(event, false);
}

void CNavigatorPort::SetSelection(const CDateTime &start, int unit, int count)
{
    if (CDateNavigatorWnd *navigator = CMainBasePointers::DateNavigator())
        navigator->SetSelection(start, unit, count);
}
