// CDayPrintRange: what the Day and Multi-day container offers the print dialog: its default
// print style and range, and the widening of a chosen range to whole weeks in work-week mode.
#pragma once

#include "core/dates/DateTime.h"

class CDayPrintRange
{
  public:
    static constexpr int kStyleDay = 257;
    static constexpr int kStyleMultiDay = 258;

    // Day (257) for one shown day, else Multi-day (258); the shown days from the first one.
    static void GetDefault(int dayCount, const CDateTime &firstShown, int &styleId, CDateTime &start,
                           CDateTime &end);
    // In work-week mode the start moves back to the first day of its week and the end on to the
    // last day of its week (first day of the week 0 Monday .. 6 Sunday); otherwise nothing.
    static void Align(bool workWeek, int firstDayOfWeek, CDateTime &start, CDateTime &end);
};
