// CTimeTextParser: times of day as people type them into a time field ("17:30", "5:30 pm",
// "5pm", "9.30") and the digit shorthand ("1730", "930", "17", "7"). Our own reader, more
// forgiving than the locale's strict time format.
#pragma once

#include "core/dates/DateFormats.h"

#include <QString>
#include <optional>

class CTimeTextParser
{
  public:
    struct Time
    {
        int hour = 0;
        int minute = 0;
        bool operator==(const Time &) const = default;
    };

    // The AM/PM texts and the time separator come from the locale data; "am", "pm", "a", "p",
    // "a.m." and "p.m." are always understood, as are ':' and '.' between the parts.
    explicit CTimeTextParser(const LocaleDateData &data = GetLocaleDateData());

    // A time of day: hours and minutes with optional seconds (ignored), or an hour with an AM/PM
    // marker before or after it. Hours run 0..23, or 1..12 with a marker; minutes and seconds
    // 0..59. Anything else, an hour alone without a marker included, gives no time.
    std::optional<Time> ParseTimeOfDay(const QString &text) const;

    // One to four ASCII digits rewritten as a time text: "1730" -> "17:30", "930" -> "9:30",
    // "17" -> "17:00", "7" -> "7:00". Any other text gives an empty string.
    static QString RewriteDigits(const QString &text);

    // The time of day, else the digit shorthand; the text is trimmed first.
    std::optional<Time> ParseTyped(const QString &text) const;

  private:
    QString m_am, m_pm, m_separator;
};
