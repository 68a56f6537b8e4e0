// Durations as text ("1.5 hours", "45 minutes", "2 days") and back.
#pragma once

#include <QString>

class CDateSpan;

// Results of ParseDuration.
enum ParseDurationResult
{
    kDurationParsed = 0,  // the span holds the duration (or an empty text left it alone)
    kDurationTooLong = 1, // more minutes than the maximum
    kDurationBadUnit = 2, // the unit is none of minutes, hours and days
};

// The span in the largest unit that shows it with at most a short fraction: minutes, hours or
// days, with the unit's name from the string table.
QString FormatDuration(const CDateSpan &span);

// Reads a number with an optional fraction and an optional unit (any leading part of "minutes",
// "hours" or "days"; minutes without one), cut to whole minutes. The span changes only on success.
int ParseDuration(const QString &text, CDateSpan &span, long maxMinutes);
