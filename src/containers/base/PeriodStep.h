// CPeriodStep: the date a container moves to for its previous or next period, and the GoToDate
// mode it hands on. Day steps clamp to 1753-01-01 .. 4000-12-31; month steps land on day 1.
#pragma once

#include "core/dates/DateTime.h"

class CPeriodStep
{
  public:
    // False for kinds that never step here (the lists; the Month container steps itself).
    static bool Step(int kind, bool workWeek, bool forward, CDateTime &date, int &mode);
};
