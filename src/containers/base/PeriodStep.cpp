#include "containers/base/PeriodStep.h"

#include "containers/base/ViewKinds.h"
#include "core/dates/DateRules.h"

bool CPeriodStep::Step(int kind, bool workWeek, bool forward, CDateTime &date, int &mode)
{
    const int sign = forward ? 1 : -1;
    switch (kind) {
    case ViewKind::Day:
        AddDays(date, sign);
        mode = 2;
        return true;
    case ViewKind::MultiDay:
        AddDays(date, sign * (workWeek ? 7 : 1));
        mode = 2;
        return true;
    case ViewKind::Week:
        AddDays(date, sign * 7);
        mode = forward ? 4 : 3;
        return true;
    case ViewKind::Year:
        AddMonths(date, 1, sign * 12);
        mode = forward ? 4 : 3;
        return true;
    default:
        return false;
    }
}
