// Process-wide defaults that new items take; the settings loader fills them at start-up.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>

struct ItemDefaults
{
    CDateSpan snoozeInterval = CDateSpan(0, 0, 15, 0); // every new item's snooze interval
    bool reminderOnForNewItems = false;                // new items start with their reminder on
    bool applySubjectPrefix = false;                   // "XXX:" subject prefixes pick an item type
    QString newEventItemType; // item type given to new events; empty: the list's default
    CDateSpan eventDuration = CDateSpan(0, 0, 30, 0); // length of a new event without a given end

    // The stored snooze minutes as the loader takes them: 0 reads as 1, at most 527040.
    static CDateSpan SnoozeFromMinutes(long minutes);
};

ItemDefaults &GetItemDefaults();
