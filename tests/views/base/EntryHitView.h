// A bare calendar view for tests of the base's behaviour: its entries are hit where the test
// placed them, anywhere else is nothing.
#pragma once

#include "views/base/CalendarViewCtrl.h"

class EntryHitView : public CCalendarViewCtrl
{
  public:
    int HitTest(const QPoint &point, int *index) const override
    {
        const int hit = EntryFromPoint(point);
        if (index)
            *index = hit;
        return hit >= 0 ? HitEntryBody : HitNothing;
    }
};
