#include "toolkit/navigator/NavigatorDay.h"

void CNavigatorDay::RecomputeCommonType()
{
    commonType = -1;
    if (entries.empty())
        return;
    const int first = entries.front().itemTypeIndex;
    for (const CNavigatorDayEntry &e : entries) {
        if (e.itemTypeIndex != first)
            return;
    }
    commonType = first;
}

void CNavigatorDay::Clear()
{
    flags = 0;
    day = -1;
    commonType = -1;
    entries.clear();
}
