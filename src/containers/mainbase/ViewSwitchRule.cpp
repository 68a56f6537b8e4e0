// Switching rules of the main base window.
#include "containers/mainbase/ViewSwitchRule.h"

bool CViewSwitchRule::IsSuccess(HRESULT code)
{
    return code == S_OK || code == S_FALSE || (code >= 0x80040500 && code <= 0x80040509);
}

CDateTime CViewSwitchRule::DateFor(const CDateTime &given, int currentKind, const CDateTime &currentStart,
                                   const CDateTime &targetStart)
{
    if (given.IsValid())
        return given;
    if (currentKind >= 1 && currentKind <= 5 && currentStart.IsValid())
        return currentStart;
    return targetStart;
}

bool CViewSwitchRule::IsNoOp(bool sameContainer, const CDateTime &shownDate, const CDateTime &date, bool multiDay,
                             int index, int dayCount, bool workWeek, bool currentWorkWeek)
{
    if (!sameContainer || !shownDate.IsValid() || !date.IsValid() || shownDate.DatePart() != date.DatePart())
        return false;
    if (!multiDay)
        return true;
    return (index == 0 || index + 1 == dayCount) && workWeek == currentWorkWeek;
}

bool CViewSwitchRule::MultiDayIndexForCommand(int command, int &index, bool &workWeek)
{
    workWeek = false;
    if (command == 34724) {
        index = 4;
        workWeek = true;
        return true;
    }
    if (command >= 32867 && command <= 32880) {
        index = command - 32867;
        return true;
    }
    return false;
}
