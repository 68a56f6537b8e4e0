// Duration texts: the unit choice of FormatDuration and the reader of typed durations.
#include "core/dates/DurationText.h"

#include "core/dates/DateTime.h"
#include "core/system/StringTable.h"

namespace {
enum : int
{
    kIdMinute = 59241,
    kIdMinutes = 59242,
    kIdHour = 59243,
    kIdHours = 59244,
    kIdDay = 59245,
    kIdDays = 59246,
};

// Half a second in days, added after scaling so that a span a hair below a whole unit counts.
constexpr double kHalfSecondInDays = 5.787037037037037e-6;

QString WholeText(long n, int singularId, int pluralId)
{
    return QString::number(n) + QLatin1Char(' ') + LoadResString(n == 1 ? singularId : pluralId);
}

QString FractionText(double value, int unitId)
{
    return QString::asprintf("%g", value) + QLatin1Char(' ') + LoadResString(unitId);
}
} // namespace

QString FormatDuration(const CDateSpan &span)
{
    const double days = span.GetTotalDays();
    if (span.GetMinutes() != 0) {
        const long n = long(days * 1440 + kHalfSecondInDays);
        if (n >= 144 && n % 72 == 0)
            return FractionText(n * 0.0006944444444444445, kIdDays);
        if (n < 60 || (n % 15 != 0 && n % 6 != 0))
            return WholeText(n, kIdMinute, kIdMinutes);
        return FractionText(n * 0.016666666666666666, kIdHours);
    }
    if (span.GetHours() != 0) {
        const long n = long(days * 24 + kHalfSecondInDays);
        if (n < 12 || n % 6 != 0)
            return WholeText(n, kIdHour, kIdHours);
        return FractionText(n * 0.041666666666666664, kIdDays);
    }
    const long n = long(days);
    if (n == 0)
        return WholeText(0, kIdMinute, kIdMinutes);
    return WholeText(n, kIdDay, kIdDays);
}

int ParseDuration(const QString &text, CDateSpan &span, long maxMinutes)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return kDurationParsed;

    // The number is kept as an exact decimal fraction: summing 0.1, 0.01, ... in binary
    // floating point would cut values such as 2.05 hours to one minute too few.
    __int128 whole = 0;
    __int128 fraction = 0;
    __int128 scale = 1;
    int points = 0;
    qsizetype i = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c == u'.') {
            ++points; // a second point ends the use of further digits
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        const int digit = c - u'0';
        if (points == 0) {
            whole = whole * 10 + digit;
            if (whole > maxMinutes)
                return kDurationTooLong;
        } else if (points == 1 && scale < __int128(1000000000000000LL)) {
            fraction = fraction * 10 + digit;
            scale *= 10;
        }
    }

    const QString unit = t.mid(i).trimmed().toLower();
    long factor = 0;
    if (unit.isEmpty() || LoadResString(kIdMinutes).toLower().startsWith(unit))
        factor = 1;
    else if (LoadResString(kIdHours).toLower().startsWith(unit))
        factor = 60;
    else if (LoadResString(kIdDays).toLower().startsWith(unit))
        factor = 1440;
    else
        return kDurationBadUnit;

    const __int128 minutes = (whole * scale + fraction) * factor / scale;
    if (minutes > maxMinutes)
        return kDurationTooLong;
    span = CDateSpan::FromMinutes(double(minutes));
    return kDurationParsed;
}
