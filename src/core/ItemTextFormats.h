// How item texts (recurrence descriptions) write dates, times and durations. The locale-built
// formats of the date rules plug in here; until they do, fixed formats are used.
#pragma once

#include "core/DateTime.h"

#include <QString>
#include <functional>

struct ItemTextFormats
{
    std::function<QString(const CDateTime &)> shortDate; // the short date format
    std::function<QString(const CDateTime &)> time;      // the time format
    std::function<QString(const CDateSpan &)> duration;  // a duration as text ("1.5 hours")
};

// Replaces the formatters; an empty function keeps the fixed format for that value.
void SetItemTextFormats(const ItemTextFormats &formats);

// Fixed formats: "M/d/yyyy", "HH:mm", and whole days, hours or minutes with their unit.
QString FormatItemShortDate(const CDateTime &date);
QString FormatItemTime(const CDateTime &time);
QString FormatItemDuration(const CDateSpan &span);
