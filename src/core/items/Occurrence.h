// COccurrence: one occurrence of an event as the occurrence search reports it. Display items,
// reminders, printing and export build on these records.
#pragma once

#include "core/dates/DateTime.h"

class CEventItem;

struct COccurrence
{
    const CEventItem *item = nullptr;
    CDateTime keyDate;       // the pattern date (the exception key); the start for a single event
    CDateTime start;         // where it starts: the key date, or an exception's new start
    CDateSpan duration;      // the event's duration, or the exception's
    int exceptionIndex = -1; // the event's exception that changed it; -1 for none

    CDateTime End() const { return start + duration; }
    bool operator==(const COccurrence &o) const
    {
        return item == o.item && keyDate == o.keyDate && start == o.start && duration == o.duration &&
               exceptionIndex == o.exceptionIndex;
    }
};
