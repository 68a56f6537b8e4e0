// CDateTimeChoices: the rows of the Date and Time dialog, the current time in each of its formats.
#pragma once

#include "core/dates/DateTime.h"

#include <QLocale>
#include <QStringList>

class CDateTimeChoices
{
  public:
    // Rows: short date, long date, short date and time, long date and time, the program's time
    // format, the locale's time with seconds; for 12-hour locales also 24-hour H:M and H:M:S.
    static QStringList Rows(const CDateTime &now, const QLocale &locale);
    // One row's text for the time given (OK formats the time of pressing it); empty out of range.
    static QString Row(int row, const CDateTime &now, const QLocale &locale);
    static bool UsesTwelveHourClock(const QLocale &locale);
    // The locale's time separator (at most 3 characters), ":" when it has none.
    static QString TimeSeparator(const QLocale &locale);
};
