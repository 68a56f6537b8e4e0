#include "views/year/YearDayCell.h"

void CYearDayCell::RecomputeCommonType()
{
    commonType = -1;
    if (entries.empty())
        return;
    const int first = entries.front().itemTypeIndex;
    for (const CYearDayEntry &e : entries) {
        if (e.itemTypeIndex != first)
            return;
    }
    commonType = first;
}

void CYearDayCell::Clear()
{
    flags = 0;
    day = -1;
    commonType = -1;
    entries.clear();
}
