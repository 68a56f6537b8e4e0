// CShownRange: which items belong in the period a container shows. The range runs from the
// first shown date for a number of whole days; the flags are the container's task options,
// the program-wide hidden-items switch and the "show tasks from their start date" option.
#pragma once

#include "core/dates/DateTime.h"

class CCalendarItem;

class CShownRange
{
  public:
    // The flag that makes a recurring event count as in range whatever its pattern says.
    static constexpr unsigned int FlagAlwaysInRange = 0x20000000;
    // The pattern word's end-date bit.
    static constexpr unsigned int PatternHasEnd = 0x2000000;

    CDateTime start;
    int dayCount = 1;
    bool includeTasksWithDue = true; // "STDD"
    bool includeCompleted = true;    // "STC"
    bool showHidden = false;
    bool tasksFromStart = true; // "STSD"

    CDateTime End() const;
    // Works on a summary as well as on a whole item: only the leading fields are read.
    bool Contains(const CCalendarItem &item) const;
};
