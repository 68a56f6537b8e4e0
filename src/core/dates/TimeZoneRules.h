// Local time and UTC: the system-time, file-time and time-zone records as plain data, and the
// conversion that evaluates a zone's daylight-saving rule with our own arithmetic.
#pragma once

#include <QByteArray>
#include <cstdint>

class QTimeZone;

// A calendar time broken into fields; wDayOfWeek counts 0 Sunday .. 6 Saturday.
struct SYSTEMTIME
{
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0;
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;
};

// 100-nanosecond units since 1601-01-01 00:00.
using FILETIME = std::uint64_t;

// A zone and its daylight-saving rule. A transition date with wYear 0 is a yearly rule: wMonth,
// wDayOfWeek and wDay 1..4 (the first to fourth such weekday) or 5 (the last); the transition's
// time is the local time in force before it. Biases are minutes, UTC = local + bias.
struct TIME_ZONE_INFORMATION
{
    std::int32_t Bias = 0;
    char16_t StandardName[32] = {};
    SYSTEMTIME StandardDate;
    std::int32_t StandardBias = 0;
    char16_t DaylightName[32] = {};
    SYSTEMTIME DaylightDate;
    std::int32_t DaylightBias = 0;
};

// The stored size of a zone record (little-endian, no padding).
inline constexpr int kTimeZoneInformationSize = 172;
inline constexpr int kSystemTimeSize = 16;

// Byte layouts of the records, little-endian.
QByteArray SystemTimeToBytes(const SYSTEMTIME &st);
bool SystemTimeFromBytes(const char *data, int size, SYSTEMTIME &st);
QByteArray TimeZoneInformationToBytes(const TIME_ZONE_INFORMATION &tzi);
// False (and the record untouched) when fewer than 172 bytes are given.
bool TimeZoneInformationFromBytes(const char *data, int size, TIME_ZONE_INFORMATION &tzi);
inline bool TimeZoneInformationFromBytes(const QByteArray &bytes, TIME_ZONE_INFORMATION &tzi)
{
    return TimeZoneInformationFromBytes(bytes.constData(), int(bytes.size()), tzi);
}

// Field checks as the system does them (years 1601..30827, the day within its month, ...);
// wDayOfWeek is ignored on input and filled in on output.
bool SystemTimeToFileTime(const SYSTEMTIME &st, FILETIME &ft);
bool FileTimeToSystemTime(FILETIME ft, SYSTEMTIME &st);

// Where `time` lies against a transition rule of its own year: -1 earlier, 0 at, 1 later.
// False when the time's fields cannot be converted or the rule's weekday rule is out of range.
bool CompareWithTransition(const SYSTEMTIME &time, const SYSTEMTIME &rule, int &result);

// The bias in minutes (UTC = local + bias) in force at a UTC or local time. False when the zone
// has a daylight rule with a zero standard month or a transition wDay outside 1..5 (the error is
// then the invalid-parameter code), or when the time cannot be converted.
bool GetTimeZoneBias(const TIME_ZONE_INFORMATION &tz, const SYSTEMTIME &time, bool timeIsLocal,
                     std::int32_t &bias, std::uint32_t *error = nullptr);

// Conversions with the given zone, or with the current zone when `tz` is null. On failure the
// out value is untouched and *error (when given) holds the system error code.
bool UtcToLocalSystemTime(const TIME_ZONE_INFORMATION *tz, const SYSTEMTIME &utc, SYSTEMTIME &local,
                          std::uint32_t *error = nullptr);
bool LocalToUtcSystemTime(const TIME_ZONE_INFORMATION *tz, const SYSTEMTIME &local, SYSTEMTIME &utc,
                          std::uint32_t *error = nullptr);

// The zone record that describes a Qt zone during one year: its standard bias and, when the
// zone changes to and from daylight saving once each that year, the two transitions as yearly
// rules. False when the zone's offsets that year do not fit one record (an offset change
// without daylight saving, or more than one daylight period).
bool TimeZoneInformationFromZone(const QTimeZone &zone, int year, TIME_ZONE_INFORMATION &tzi);

// The conversions in a Qt zone: through its record for the year when the year fits one,
// else through the zone's own offsets.
bool UtcToLocalInZone(const QTimeZone &zone, const SYSTEMTIME &utc, SYSTEMTIME &local,
                      std::uint32_t *error = nullptr);
bool LocalToUtcInZone(const QTimeZone &zone, const SYSTEMTIME &local, SYSTEMTIME &utc,
                      std::uint32_t *error = nullptr);
