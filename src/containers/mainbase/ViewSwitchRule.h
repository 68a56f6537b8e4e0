// CViewSwitchRule: the decisions of switching views in the main base window: which date the new
// view shows, when a switch changes nothing, and which result codes count as success.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"

class CViewSwitchRule
{
  public:
    // 0, 1 and 0x80040500 to 0x80040509 count as success after a reload, a filter or a search.
    static bool IsSuccess(HRESULT code);
    // The date of a switch: the given one; else the current container's shown start when it is
    // a calendar view (kinds 1 to 5); else the target's own.
    static CDateTime DateFor(const CDateTime &given, int currentKind, const CDateTime &currentStart,
                             const CDateTime &targetStart);
    // A switch to the container already shown, at the date it shows, changes nothing; for the
    // Multi-day view also the day count (index 0 keeps it, index k asks for k + 1 days) and the
    // work-week flag must agree.
    static bool IsNoOp(bool sameContainer, const CDateTime &shownDate, const CDateTime &date, bool multiDay,
                       int index, int dayCount, bool workWeek, bool currentWorkWeek);
    // Multi-day commands: 32867 keeps the day count (index 0), 32868 to 32880 ask for 2 to 14
    // days, Work Week (34724) is index 4 with the work-week flag.
    static bool MultiDayIndexForCommand(int command, int &index, bool &workWeek);
};
