// Date, time and duration formatting used by item texts, with fixed fallbacks.
#include "core/ItemTextFormats.h"

#include "core/StringTable.h"

#include <cmath>

namespace {
ItemTextFormats &Formats()
{
    static ItemTextFormats formats;
    return formats;
}

QString CountWithUnit(long n, int singularId, int pluralId)
{
    return QStringLiteral("%1 %2").arg(n).arg(LoadResString(n == 1 ? singularId : pluralId));
}
} // namespace

void SetItemTextFormats(const ItemTextFormats &formats)
{
    Formats() = formats;
}

QString FormatItemShortDate(const CDateTime &date)
{
    if (Formats().shortDate)
        return Formats().shortDate(date);
    CDateTime::Parts p;
    if (!date.GetParts(p))
        return QString();
    return QStringLiteral("%1/%2/%3").arg(p.month).arg(p.day).arg(p.year, 4, 10, QLatin1Char('0'));
}

QString FormatItemTime(const CDateTime &time)
{
    if (Formats().time)
        return Formats().time(time);
    CDateTime::Parts p;
    if (!time.GetParts(p))
        return QString();
    return QStringLiteral("%1:%2")
        .arg(p.hour, 2, 10, QLatin1Char('0'))
        .arg(p.minute, 2, 10, QLatin1Char('0'));
}

QString FormatItemDuration(const CDateSpan &span)
{
    if (Formats().duration)
        return Formats().duration(span);
    const long minutes = std::lround(span.GetTotalMinutes());
    if (minutes != 0 && minutes % 1440 == 0)
        return CountWithUnit(minutes / 1440, 59245, 59246);
    if (minutes != 0 && minutes % 60 == 0)
        return CountWithUnit(minutes / 60, 59243, 59244);
    return CountWithUnit(minutes, 59241, 59242);
}
