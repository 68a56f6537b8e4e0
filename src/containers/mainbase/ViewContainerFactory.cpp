#include "containers/mainbase/ViewContainerFactory.h"

#include "containers/base/ViewKinds.h"
#include "containers/day/DayContainer.h"
#include "containers/lists/EventListContainer.h"
#include "containers/lists/SearchContainer.h"
#include "containers/month/MonthContainer.h"
#include "containers/tasks/TaskContainer.h"
#include "containers/week/WeekContainer.h"
#include "containers/year/YearContainer.h"

CMainViewContainer *CViewContainerFactory::Create(int viewKind, QWidget *parent)
{
    switch (viewKind) {
    case ViewKind::Day:
    case ViewKind::MultiDay: return new CDayContainer(viewKind, parent);
    case ViewKind::Week: return new CWeekContainer(parent);
    case ViewKind::Month: return new CMonthContainer(parent);
    case ViewKind::Year: return new CYearContainer(parent);
    case ViewKind::EventList: return new CEventListContainer(parent);
    case ViewKind::Tasks: return new CTaskContainer(parent);
    case ViewKind::Search: return new CSearchContainer(parent);
    default: return nullptr;
    }
}
