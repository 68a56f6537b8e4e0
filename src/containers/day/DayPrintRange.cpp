#include "containers/day/DayPrintRange.h"

#include "containers/day/DayContainerLayout.h"
#include "core/dates/DateRules.h"

#include <algorithm>

void CDayPrintRange::GetDefault(int dayCount, const CDateTime &firstShown, int &styleId, CDateTime &start,
                                CDateTime &end)
{
    const int days = std::max(1, dayCount);
    styleId = days == 1 ? kStyleDay : kStyleMultiDay;
    start = firstShown.DatePart();
    end = start;
    AddDays(end, days - 1);
}

void CDayPrintRange::Align(bool workWeek, int firstDayOfWeek, CDateTime &start, CDateTime &end)
{
    if (!workWeek)
        return;
    start = CDayContainerLayout::WeekStart(start, firstDayOfWeek);
    CDateTime last = end.DatePart();
    AddDays(last, 6 - CDayContainerLayout::DaysIntoWeek(last, firstDayOfWeek));
    end = last;
}
