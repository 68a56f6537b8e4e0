// Local time and UTC through a zone record's daylight rule, file-time arithmetic, the records'
// byte layouts, and zone records made from Qt's zone data for the current zone.
#include "core/dates/TimeZoneRules.h"

#include "core/system/ResultCode.h"

#include <QDateTime>
#include <QTimeZone>
#include <cstring>

namespace {
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kTicksPerMinute = 60 * kTicksPerSecond; // 600,000,000
constexpr std::int64_t kTicksPerDay = 86400 * kTicksPerSecond;
constexpr std::uint64_t kMaxFileTime = 0x7FFFFFFFFFFFFFFFull;

bool Fail(std::uint32_t *error, std::uint32_t code)
{
    if (error)
        *error = code;
    return false;
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeap(y)) ? 29 : kDays[m - 1];
}

// Days from 1601-01-01 to a civil date (proleptic Gregorian).
std::int64_t DaysFrom1601(int y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = y / 400; // y >= 1600 here, so no negative eras
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 584694; // 584694: days from 0000-03-01 to 1601-01-01
}

void CivilFrom1601(std::int64_t days, int &y, int &m, int &d)
{
    const std::int64_t z = days + 584694;
    const std::int64_t era = z / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

// The time shifted by a number of minutes, or false when it leaves the file-time range.
bool ShiftMinutes(const SYSTEMTIME &in, std::int64_t minutes, SYSTEMTIME &out)
{
    FILETIME ft = 0;
    if (!SystemTimeToFileTime(in, ft))
        return false;
    const std::int64_t shifted = std::int64_t(ft) - minutes * kTicksPerMinute;
    if (shifted < 0)
        return false;
    return FileTimeToSystemTime(FILETIME(shifted), out);
}

void PutU16(char *p, std::uint16_t v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}
void PutI32(char *p, std::int32_t v)
{
    const auto u = std::uint32_t(v);
    for (int i = 0; i < 4; ++i)
        p[i] = char((u >> (8 * i)) & 0xFF);
}
std::uint16_t GetU16(const char *p)
{
    return std::uint16_t(std::uint8_t(p[0]) | (std::uint8_t(p[1]) << 8));
}
std::int32_t GetI32(const char *p)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= std::uint32_t(std::uint8_t(p[i])) << (8 * i);
    return std::int32_t(u);
}

void PutSystemTime(char *p, const SYSTEMTIME &st)
{
    const std::uint16_t f[8] = {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
                                st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
    for (int i = 0; i < 8; ++i)
        PutU16(p + 2 * i, f[i]);
}

SYSTEMTIME GetSystemTime(const char *p)
{
    SYSTEMTIME st;
    st.wYear = GetU16(p);
    st.wMonth = GetU16(p + 2);
    st.wDayOfWeek = GetU16(p + 4);
    st.wDay = GetU16(p + 6);
    st.wHour = GetU16(p + 8);
    st.wMinute = GetU16(p + 10);
    st.wSecond = GetU16(p + 12);
    st.wMilliseconds = GetU16(p + 14);
    return st;
}

// Offsets of the zone record's fields.
constexpr int kOffBias = 0, kOffStdName = 4, kOffStdDate = 68, kOffStdBias = 84, kOffDstName = 88,
              kOffDstDate = 152, kOffDstBias = 168;

SYSTEMTIME FromQDateTime(const QDateTime &dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    SYSTEMTIME st;
    st.wYear = std::uint16_t(d.year());
    st.wMonth = std::uint16_t(d.month());
    st.wDay = std::uint16_t(d.day());
    st.wDayOfWeek = std::uint16_t(d.dayOfWeek() % 7);
    st.wHour = std::uint16_t(t.hour());
    st.wMinute = std::uint16_t(t.minute());
    st.wSecond = std::uint16_t(t.second());
    st.wMilliseconds = std::uint16_t(t.msec());
    return st;
}

QDateTime ToQDateTime(const SYSTEMTIME &st, const QTimeZone &zone)
{
    return QDateTime(QDate(st.wYear, st.wMonth, st.wDay),
                     QTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds), zone);
}

// A transition instant as a yearly rule in the local time in force before it.
bool MakeRule(const QDateTime &atUtc, int offsetBeforeSeconds, int year, SYSTEMTIME &rule)
{
    const QDateTime local = atUtc.addSecs(offsetBeforeSeconds);
    const QDate d = local.date();
    if (d.year() != year)
        return false;
    rule = SYSTEMTIME();
    rule.wMonth = std::uint16_t(d.month());
    rule.wDayOfWeek = std::uint16_t(d.dayOfWeek() % 7);
    rule.wDay = std::uint16_t(d.day() + 7 > d.daysInMonth() ? 5 : (d.day() - 1) / 7 + 1);
    rule.wHour = std::uint16_t(local.time().hour());
    rule.wMinute = std::uint16_t(local.time().minute());
    rule.wSecond = std::uint16_t(local.time().second());
    return true;
}

void CopyName(char16_t (&dst)[32], const QString &name)
{
    const int n = int(std::min<qsizetype>(name.size(), 31));
    for (int i = 0; i < n; ++i)
        dst[i] = name.at(i).unicode();
    dst[n] = 0;
}

bool ConvertInZone(const QTimeZone &zone, const SYSTEMTIME &in, SYSTEMTIME &out, bool toLocal,
                   std::uint32_t *error)
{
    FILETIME check = 0;
    if (!SystemTimeToFileTime(in, check))
        return Fail(error, SystemError::InvalidParameter);
    if (!zone.isValid())
        return Fail(error, SystemError::InvalidParameter);
    // Reading a zone's transitions is slow; views convert many times in the same zone and year.
    struct CachedRecord
    {
        QByteArray zoneId;
        int year = 0;
        bool fits = false;
        TIME_ZONE_INFORMATION tzi;
    };
    thread_local CachedRecord cache;
    if (cache.zoneId.isEmpty() || cache.zoneId != zone.id() || cache.year != in.wYear) {
        cache.zoneId = zone.id();
        cache.year = in.wYear;
        cache.fits = TimeZoneInformationFromZone(zone, in.wYear, cache.tzi);
    }
    if (cache.fits) {
        const TIME_ZONE_INFORMATION tzi = cache.tzi;
        return toLocal ? UtcToLocalSystemTime(&tzi, in, out, error)
                       : LocalToUtcSystemTime(&tzi, in, out, error);
    }
    // Offsets that no single record describes: take the zone's own.
    const QDateTime converted = toLocal ? ToQDateTime(in, QTimeZone::utc()).toTimeZone(zone)
                                        : ToQDateTime(in, zone).toTimeZone(QTimeZone::utc());
    if (!converted.isValid())
        return Fail(error, SystemError::InvalidParameter);
    SYSTEMTIME result = FromQDateTime(converted);
    FILETIME ft = 0;
    if (!SystemTimeToFileTime(result, ft))
        return Fail(error, SystemError::InvalidParameter);
    out = result;
    return true;
}
} // namespace

QByteArray SystemTimeToBytes(const SYSTEMTIME &st)
{
    QByteArray b(kSystemTimeSize, '\0');
    PutSystemTime(b.data(), st);
    return b;
}

bool SystemTimeFromBytes(const char *data, int size, SYSTEMTIME &st)
{
    if (!data || size < kSystemTimeSize)
        return false;
    st = GetSystemTime(data);
    return true;
}

QByteArray TimeZoneInformationToBytes(const TIME_ZONE_INFORMATION &tzi)
{
    QByteArray b(kTimeZoneInformationSize, '\0');
    char *p = b.data();
    PutI32(p + kOffBias, tzi.Bias);
    for (int i = 0; i < 32; ++i) {
        PutU16(p + kOffStdName + 2 * i, std::uint16_t(tzi.StandardName[i]));
        PutU16(p + kOffDstName + 2 * i, std::uint16_t(tzi.DaylightName[i]));
    }
    PutSystemTime(p + kOffStdDate, tzi.StandardDate);
    PutI32(p + kOffStdBias, tzi.StandardBias);
    PutSystemTime(p + kOffDstDate, tzi.DaylightDate);
    PutI32(p + kOffDstBias, tzi.DaylightBias);
    return b;
}

bool TimeZoneInformationFromBytes(const char *data, int size, TIME_ZONE_INFORMATION &tzi)
{
    if (!data || size < kTimeZoneInformationSize)
        return false;
    TIME_ZONE_INFORMATION r;
    r.Bias = GetI32(data + kOffBias);
    for (int i = 0; i < 32; ++i) {
        r.StandardName[i] = char16_t(GetU16(data + kOffStdName + 2 * i));
        r.DaylightName[i] = char16_t(GetU16(data + kOffDstName + 2 * i));
    }
    r.StandardDate = GetSystemTime(data + kOffStdDate);
    r.StandardBias = GetI32(data + kOffStdBias);
    r.DaylightDate = GetSystemTime(data + kOffDstDate);
    r.DaylightBias = GetI32(data + kOffDstBias);
    tzi = r;
    return true;
}

bool SystemTimeToFileTime(const SYSTEMTIME &st, FILETIME &ft)
{
    if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wDay > DaysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 ||
        st.wMilliseconds > 999)
        return false;
    const std::int64_t days = DaysFrom1601(st.wYear, st.wMonth, st.wDay);
    ft = FILETIME(days * kTicksPerDay +
                  (std::int64_t(st.wHour) * 3600 + st.wMinute * 60 + st.wSecond) * kTicksPerSecond +
                  std::int64_t(st.wMilliseconds) * 10000);
    return true;
}

bool FileTimeToSystemTime(FILETIME ft, SYSTEMTIME &st)
{
    if (ft > kMaxFileTime)
        return false;
    const auto days = std::int64_t(ft / std::uint64_t(kTicksPerDay));
    const auto rest = std::int64_t(ft % std::uint64_t(kTicksPerDay));
    int y = 0, m = 0, d = 0;
    CivilFrom1601(days, y, m, d);
    st.wYear = std::uint16_t(y);
    st.wMonth = std::uint16_t(m);
    st.wDay = std::uint16_t(d);
    st.wDayOfWeek = std::uint16_t((days + 1) % 7); // 1601-01-01 was a Monday
    const std::int64_t secs = rest / kTicksPerSecond;
    st.wHour = std::uint16_t(secs / 3600);
    st.wMinute = std::uint16_t((secs / 60) % 60);
    st.wSecond = std::uint16_t(secs % 60);
    st.wMilliseconds = std::uint16_t((rest % kTicksPerSecond) / 10000);
    return true;
}

bool CompareWithTransition(const SYSTEMTIME &time, const SYSTEMTIME &rule, int &result)
{
    if (time.wMonth != rule.wMonth) {
        result = time.wMonth < rule.wMonth ? -1 : 1;
        return true;
    }
    int day = rule.wDay;
    if (rule.wDayOfWeek <= 6) {
        SYSTEMTIME first;
        first.wYear = time.wYear;
        first.wMonth = time.wMonth;
        first.wDay = 1;
        FILETIME ft = 0;
        if (!SystemTimeToFileTime(first, ft) || !FileTimeToSystemTime(ft, first))
            return false;
        if (rule.wDay >= 1 && rule.wDay <= 4) {
            day = 1 + (rule.wDayOfWeek - first.wDayOfWeek + 7) % 7 + (rule.wDay - 1) * 7;
        } else if (rule.wDay == 5) {
            const int last = DaysInMonth(time.wYear, time.wMonth);
            const int lastDow = (first.wDayOfWeek + last - 1) % 7;
            day = last - (lastDow - rule.wDayOfWeek + 7) % 7;
        } else {
            return false;
        }
    }
    const std::int64_t t =
        std::int64_t(time.wDay) * 86400 + time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
    const std::int64_t r = std::int64_t(day) * 86400 + rule.wHour * 3600 + rule.wMinute * 60;
    result = t < r ? -1 : (t > r ? 1 : 0);
    return true;
}

bool GetTimeZoneBias(const TIME_ZONE_INFORMATION &tz, const SYSTEMTIME &time, bool timeIsLocal,
                     std::int32_t &bias, std::uint32_t *error)
{
    const std::int32_t standardBias = tz.Bias + (tz.StandardDate.wMonth != 0 ? tz.StandardBias : 0);
    if (tz.DaylightDate.wMonth == 0) {
        bias = standardBias;
        return true;
    }
    if (tz.StandardDate.wMonth == 0 || tz.StandardDate.wDay < 1 || tz.StandardDate.wDay > 5 ||
        tz.DaylightDate.wDay < 1 || tz.DaylightDate.wDay > 5)
        return Fail(error, SystemError::InvalidParameter);

    // Each transition is given in the local time in force before it: daylight time for the
    // return to standard time, standard time for the start of daylight saving.
    SYSTEMTIME againstStandard = time;
    SYSTEMTIME againstDaylight = time;
    FILETIME check = 0;
    if (!SystemTimeToFileTime(time, check))
        return Fail(error, SystemError::InvalidParameter);
    if (!timeIsLocal) {
        SYSTEMTIME shifted;
        if (ShiftMinutes(time, std::int64_t(tz.Bias) + tz.DaylightBias, shifted) &&
            shifted.wYear == time.wYear)
            againstStandard = shifted;
        if (ShiftMinutes(time, std::int64_t(tz.Bias) + tz.StandardBias, shifted) &&
            shifted.wYear == time.wYear)
            againstDaylight = shifted;
    }
    int toStandard = 0, toDaylight = 0;
    if (!CompareWithTransition(againstStandard, tz.StandardDate, toStandard) ||
        !CompareWithTransition(againstDaylight, tz.DaylightDate, toDaylight))
        return Fail(error, SystemError::InvalidParameter);

    const bool beforeStandard = toStandard < 0;
    const bool fromDaylight = toDaylight >= 0;
    // A daylight period that runs over the new year (southern zones) is the union of both ends.
    const bool daylight = tz.DaylightDate.wMonth >= tz.StandardDate.wMonth ? (beforeStandard || fromDaylight)
                                                                           : (beforeStandard && fromDaylight);
    bias = daylight ? tz.Bias + tz.DaylightBias : standardBias;
    return true;
}

bool UtcToLocalSystemTime(const TIME_ZONE_INFORMATION *tz, const SYSTEMTIME &utc, SYSTEMTIME &local,
                          std::uint32_t *error)
{
    if (!tz)
        return UtcToLocalInZone(QTimeZone::systemTimeZone(), utc, local, error);
    std::int32_t bias = 0;
    if (!GetTimeZoneBias(*tz, utc, false, bias, error))
        return false;
    SYSTEMTIME result;
    if (!ShiftMinutes(utc, bias, result))
        return Fail(error, SystemError::InvalidParameter);
    local = result;
    return true;
}

bool LocalToUtcSystemTime(const TIME_ZONE_INFORMATION *tz, const SYSTEMTIME &local, SYSTEMTIME &utc,
                          std::uint32_t *error)
{
    if (!tz)
        return LocalToUtcInZone(QTimeZone::systemTimeZone(), local, utc, error);
    std::int32_t bias = 0;
    if (!GetTimeZoneBias(*tz, local, true, bias, error))
        return false;
    SYSTEMTIME result;
    if (!ShiftMinutes(local, -std::int64_t(bias), result))
        return Fail(error, SystemError::InvalidParameter);
    utc = result;
    return true;
}

bool TimeZoneInformationFromZone(const QTimeZone &zone, int year, TIME_ZONE_INFORMATION &tzi)
{
    if (!zone.isValid() || year < 1601 || year > 30826)
        return false;
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
    const QDateTime to = QDateTime(QDate(year + 1, 1, 1), QTime(0, 0), QTimeZone::utc()).addMSecs(-1);
    const QTimeZone::OffsetData atStart = zone.offsetData(from);
    const QTimeZone::OffsetDataList changes = zone.transitions(from, to);

    TIME_ZONE_INFORMATION r;
    if (changes.isEmpty()) {
        if (atStart.offsetFromUtc % 60 != 0)
            return false;
        r.Bias = -atStart.offsetFromUtc / 60;
        CopyName(r.StandardName, atStart.abbreviation);
        tzi = r;
        return true;
    }
    if (changes.size() != 2)
        return false;
    const bool firstIsDaylight = changes[0].daylightTimeOffset != 0;
    const QTimeZone::OffsetData &toDaylight = firstIsDaylight ? changes[0] : changes[1];
    const QTimeZone::OffsetData &toStandard = firstIsDaylight ? changes[1] : changes[0];
    if (toDaylight.daylightTimeOffset == 0 || toStandard.daylightTimeOffset != 0)
        return false;
    const int standardOffset = toStandard.offsetFromUtc;
    const int daylightOffset = toDaylight.offsetFromUtc;
    // The year must start in the period the two transitions imply, else the offsets changed otherwise.
    if (atStart.offsetFromUtc != (firstIsDaylight ? standardOffset : daylightOffset))
        return false;
    if (standardOffset % 60 != 0 || daylightOffset % 60 != 0 || standardOffset == daylightOffset)
        return false;
    r.Bias = -standardOffset / 60;
    r.StandardBias = 0;
    r.DaylightBias = -(daylightOffset - standardOffset) / 60;
    if (!MakeRule(toDaylight.atUtc, standardOffset, year, r.DaylightDate) ||
        !MakeRule(toStandard.atUtc, daylightOffset, year, r.StandardDate))
        return false;
    // Both transitions in one month cannot tell a northern period from a southern one.
    if (r.DaylightDate.wMonth == r.StandardDate.wMonth)
        return false;
    CopyName(r.StandardName, toStandard.abbreviation);
    CopyName(r.DaylightName, toDaylight.abbreviation);
    tzi = r;
    return true;
}

bool UtcToLocalInZone(const QTimeZone &zone, const SYSTEMTIME &utc, SYSTEMTIME &local, std::uint32_t *error)
{
    return ConvertInZone(zone, utc, local, true, error);
}

bool LocalToUtcInZone(const QTimeZone &zone, const SYSTEMTIME &local, SYSTEMTIME &utc, std::uint32_t *error)
{
    return ConvertInZone(zone, local, utc, false, error);
}
