// The start and duration a new event takes from a view's selection.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>

struct NewEventRequest
{
    int viewKind = 1;                         // 1 time grid, 2 banner, 3 week, 4 month, 5 year, 6 list
    QString itemTypeName;                     // the new event's item type
    CDateTime givenStart = CDateTime::Null(); // a start the caller chose, or null
    CDateTime rangeStart;                     // date of the first selected cell
    CDateTime rangeEnd;                       // date of the last selected cell plus the span a cell covers
    bool severalCells = false;                // the first selected cell lies before the last
    int defaultMinutes = 30;                  // "DD": 0 is read as 1, at most 720
    bool newEventsAllDay = false;             // "NEAD"
    CDateTime now;
};

struct NewEventTimes
{
    CDateTime start;
    CDateSpan duration;
};

// Birthdays, holidays and anniversaries become all-day events unless a time-grid selection
// without a given start says otherwise; week, month, year and list views without a start
// take the current time rounded up to the half hour.
NewEventTimes ComputeNewEventTimes(const NewEventRequest &request);
// The item types whose new events are all-day.
bool IsAllDayItemType(const QString &itemTypeName);
// Orders a selection's first and last cell.
void OrderPair(int &a, int &b);
