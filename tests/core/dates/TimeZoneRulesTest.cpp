// Local time and UTC through zone records: daylight transitions of a northern and a southern
// zone, failures, record layouts, and zone records made from Qt's zone data.
#include "core/dates/TimeZoneRules.h"
#include "core/system/ResultCode.h"

#include <QDateTime>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {
SYSTEMTIME St(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    SYSTEMTIME st;
    st.wYear = std::uint16_t(y);
    st.wMonth = std::uint16_t(mo);
    st.wDay = std::uint16_t(d);
    st.wHour = std::uint16_t(h);
    st.wMinute = std::uint16_t(mi);
    st.wSecond = std::uint16_t(s);
    return st;
}

// A yearly rule: the nth (5 = last) weekday (0 Sunday) of a month at a local time.
SYSTEMTIME Rule(int month, int weekday, int nth, int hour)
{
    SYSTEMTIME st;
    st.wMonth = std::uint16_t(month);
    st.wDayOfWeek = std::uint16_t(weekday);
    st.wDay = std::uint16_t(nth);
    st.wHour = std::uint16_t(hour);
    return st;
}

// Central European time: daylight saving from the last Sunday of March 02:00 to the last
// Sunday of October 03:00.
TIME_ZONE_INFORMATION Northern()
{
    TIME_ZONE_INFORMATION z;
    z.Bias = -60;
    z.StandardDate = Rule(10, 0, 5, 3);
    z.DaylightDate = Rule(3, 0, 5, 2);
    z.DaylightBias = -60;
    return z;
}

// Eastern Australia: daylight saving from the first Sunday of October 02:00 to the first Sunday
// of April 03:00, over the turn of the year.
TIME_ZONE_INFORMATION Southern()
{
    TIME_ZONE_INFORMATION z;
    z.Bias = -600;
    z.StandardDate = Rule(4, 0, 1, 3);
    z.DaylightDate = Rule(10, 0, 1, 2);
    z.DaylightBias = -60;
    return z;
}

std::string Text(const SYSTEMTIME &st)
{
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour,
                             st.wMinute, st.wSecond)
        .toStdString();
}

// The fields as one comparable number, for the long sweeps.
std::int64_t Key(const SYSTEMTIME &st)
{
    return ((((std::int64_t(st.wYear) * 13 + st.wMonth) * 32 + st.wDay) * 24 + st.wHour) * 60 + st.wMinute) *
               60 +
           st.wSecond;
}

SYSTEMTIME FromQt(const QDateTime &dt)
{
    return St(dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(), dt.time().minute(),
              dt.time().second());
}

QDateTime ToQt(const SYSTEMTIME &st, const QTimeZone &zone)
{
    return QDateTime(QDate(st.wYear, st.wMonth, st.wDay), QTime(st.wHour, st.wMinute, st.wSecond), zone);
}
} // namespace

TEST(TimeZoneRules, AcrossBothTransitions)
{
    const TIME_ZONE_INFORMATION north = Northern();
    const TIME_ZONE_INFORMATION south = Southern();
    const struct
    {
        const TIME_ZONE_INFORMATION *zone;
        SYSTEMTIME utc, local;
        bool repeated = false; // a local time of the repeated hour reads back as its first instant
    } cases[] = {
        // Northern 2024: daylight saving from 31 March 01:00 UTC to 27 October 01:00 UTC.
        {&north, St(2024, 1, 15, 12, 0), St(2024, 1, 15, 13, 0)},
        {&north, St(2024, 3, 31, 0, 59), St(2024, 3, 31, 1, 59)},
        {&north, St(2024, 3, 31, 1, 0), St(2024, 3, 31, 3, 0)},
        {&north, St(2024, 7, 1, 22, 30), St(2024, 7, 2, 0, 30)},
        {&north, St(2024, 10, 27, 0, 59), St(2024, 10, 27, 2, 59)},
        {&north, St(2024, 10, 27, 1, 0), St(2024, 10, 27, 2, 0), true},
        {&north, St(2024, 12, 31, 23, 30), St(2025, 1, 1, 0, 30)},
        // Southern 2024: daylight saving until 6 April 16:00 UTC and from 5 October 16:00 UTC.
        {&south, St(2024, 1, 15, 0, 0), St(2024, 1, 15, 11, 0)},
        {&south, St(2024, 4, 6, 15, 59), St(2024, 4, 7, 2, 59)},
        {&south, St(2024, 4, 6, 16, 0), St(2024, 4, 7, 2, 0), true},
        {&south, St(2024, 7, 1, 0, 0), St(2024, 7, 1, 10, 0)},
        {&south, St(2024, 10, 5, 15, 59), St(2024, 10, 6, 1, 59)},
        {&south, St(2024, 10, 5, 16, 0), St(2024, 10, 6, 3, 0)},
        {&south, St(2024, 12, 31, 20, 0), St(2025, 1, 1, 7, 0)},
    };
    for (const auto &c : cases) {
        SYSTEMTIME local, utc;
        ASSERT_TRUE(UtcToLocalSystemTime(c.zone, c.utc, local)) << Text(c.utc);
        EXPECT_EQ(Text(local), Text(c.local)) << "from UTC " << Text(c.utc);
        ASSERT_TRUE(LocalToUtcSystemTime(c.zone, c.local, utc)) << Text(c.local);
        EXPECT_EQ(Text(utc), Text(c.repeated ? FromQt(ToQt(c.utc, QTimeZone::utc()).addSecs(-3600)) : c.utc))
            << "from local " << Text(c.local);
    }
}

TEST(TimeZoneRules, SkippedAndRepeatedLocalHours)
{
    const TIME_ZONE_INFORMATION north = Northern();
    const struct
    {
        SYSTEMTIME local, utc;
    } cases[] = {
        {St(2024, 3, 31, 1, 59), St(2024, 3, 31, 0, 59)},
        {St(2024, 3, 31, 2, 30), St(2024, 3, 31, 0, 30)},   // skipped hour: read as daylight time
        {St(2024, 10, 27, 2, 30), St(2024, 10, 27, 0, 30)}, // repeated hour: its first, daylight reading
        {St(2024, 10, 27, 3, 0), St(2024, 10, 27, 2, 0)},
    };
    for (const auto &c : cases) {
        SYSTEMTIME utc;
        ASSERT_TRUE(LocalToUtcSystemTime(&north, c.local, utc));
        EXPECT_EQ(Text(utc), Text(c.utc)) << Text(c.local);
    }
}

TEST(TimeZoneRules, SyntheticZonesMatchTheirNamedZones)
{
    // The two records describe these zones' present rules; every quarter hour of two years agrees.
    const struct
    {
        TIME_ZONE_INFORMATION zone;
        const char *id;
    } zones[] = {{Northern(), "Europe/Berlin"}, {Southern(), "Australia/Sydney"}};
    for (const auto &z : zones) {
        const QTimeZone qz(z.id);
        ASSERT_TRUE(qz.isValid()) << z.id;
        const QDateTime end(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc());
        for (QDateTime t(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc()); t < end; t = t.addSecs(900)) {
            SYSTEMTIME local;
            ASSERT_TRUE(UtcToLocalSystemTime(&z.zone, FromQt(t), local));
            ASSERT_EQ(Key(local), Key(FromQt(t.toTimeZone(qz)))) << z.id << " " << Text(FromQt(t));
        }
    }
}

TEST(TimeZoneRules, RoundTripOutsideTheRepeatedHour)
{
    for (const TIME_ZONE_INFORMATION &zone : {Northern(), Southern()}) {
        const QDateTime end(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc());
        for (QDateTime t(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc()); t < end; t = t.addSecs(1800)) {
            SYSTEMTIME local, back;
            ASSERT_TRUE(UtcToLocalSystemTime(&zone, FromQt(t), local));
            ASSERT_TRUE(LocalToUtcSystemTime(&zone, local, back));
            // A local time of the repeated hour reads back as its first, daylight instant.
            const bool repeated = Key(back) != Key(FromQt(t)) && Key(back) == Key(FromQt(t.addSecs(-3600)));
            if (!repeated) {
                ASSERT_EQ(Key(back), Key(FromQt(t))) << Text(local);
            }
        }
    }
}

TEST(TimeZoneRules, BadRulesFailWithInvalidParameter)
{
    const SYSTEMTIME when = St(2024, 6, 1, 12, 0);
    struct Case
    {
        const char *what;
        TIME_ZONE_INFORMATION zone;
    };
    std::vector<Case> cases;
    TIME_ZONE_INFORMATION z = Northern();
    z.DaylightDate.wDay = 0;
    cases.push_back({"daylight wDay 0", z});
    z = Northern();
    z.StandardDate.wDay = 6;
    cases.push_back({"standard wDay 6", z});
    z = Northern();
    z.StandardDate.wMonth = 0;
    cases.push_back({"no standard month", z});
    for (const Case &c : cases) {
        SYSTEMTIME out = St(1999, 9, 9);
        std::uint32_t error = 0;
        EXPECT_FALSE(UtcToLocalSystemTime(&c.zone, when, out, &error)) << c.what;
        EXPECT_EQ(error, SystemError::InvalidParameter) << c.what;
        error = 0;
        EXPECT_FALSE(LocalToUtcSystemTime(&c.zone, when, out, &error)) << c.what;
        EXPECT_EQ(error, SystemError::InvalidParameter) << c.what;
        EXPECT_EQ(Text(out), Text(St(1999, 9, 9))) << "output untouched on failure";
    }

    const TIME_ZONE_INFORMATION north = Northern();
    SYSTEMTIME out;
    std::uint32_t error = 0;
    EXPECT_FALSE(UtcToLocalSystemTime(&north, St(2023, 2, 29, 12), out, &error));
    EXPECT_EQ(error, SystemError::InvalidParameter);
    EXPECT_FALSE(UtcToLocalSystemTime(&north, St(2024, 1, 1, 24), out));
}

TEST(TimeZoneRules, ZonesWithoutDaylightSaving)
{
    TIME_ZONE_INFORMATION z;
    z.Bias = 300; // five hours behind UTC
    std::int32_t bias = 0;
    ASSERT_TRUE(GetTimeZoneBias(z, St(2024, 7, 1), false, bias));
    EXPECT_EQ(bias, 300);
    // The standard bias counts only when the standard date names a month; a zero daylight
    // month means no daylight saving, however odd the rest of the record.
    z.StandardBias = 30;
    ASSERT_TRUE(GetTimeZoneBias(z, St(2024, 7, 1), false, bias));
    EXPECT_EQ(bias, 300);
    z.StandardDate.wMonth = 10;
    z.DaylightDate.wDay = 0;
    ASSERT_TRUE(GetTimeZoneBias(z, St(2024, 7, 1), false, bias));
    EXPECT_EQ(bias, 330);

    SYSTEMTIME local;
    ASSERT_TRUE(UtcToLocalSystemTime(&z, St(2024, 1, 1, 3, 0), local));
    EXPECT_EQ(Text(local), Text(St(2023, 12, 31, 21, 30)));
}

TEST(TimeZoneRules, CompareWithTransitionDays)
{
    // Last Sunday of March: the 31st in 2024, the 30th in 2025; the fourth Sunday is the 24th / 23rd.
    const struct
    {
        SYSTEMTIME time, rule;
        int expected;
    } cases[] = {
        {St(2024, 3, 31, 1, 59, 59), Rule(3, 0, 5, 2), -1},
        {St(2024, 3, 31, 2, 0, 0), Rule(3, 0, 5, 2), 0},
        {St(2024, 3, 31, 2, 0, 1), Rule(3, 0, 5, 2), 1},
        {St(2025, 3, 30, 2, 0, 0), Rule(3, 0, 5, 2), 0},
        {St(2025, 3, 31, 0, 0, 0), Rule(3, 0, 5, 2), 1},
        {St(2024, 3, 24, 2, 0, 0), Rule(3, 0, 4, 2), 0},
        {St(2025, 3, 23, 2, 0, 0), Rule(3, 0, 4, 2), 0},
        // First Wednesday when the month starts on a Wednesday (May 2024).
        {St(2024, 5, 1, 2, 0, 0), Rule(5, 3, 1, 2), 0},
        // Another month decides alone.
        {St(2024, 2, 29, 23, 0, 0), Rule(3, 0, 1, 2), -1},
        {St(2024, 4, 1, 0, 0, 0), Rule(3, 0, 5, 2), 1},
    };
    for (const auto &c : cases) {
        int result = 99;
        ASSERT_TRUE(CompareWithTransition(c.time, c.rule, result)) << Text(c.time);
        EXPECT_EQ(result, c.expected) << Text(c.time);
    }
    // A weekday out of range names a fixed day of the month.
    SYSTEMTIME fixed = Rule(3, 7, 15, 12);
    int result = 0;
    ASSERT_TRUE(CompareWithTransition(St(2024, 3, 15, 12), fixed, result));
    EXPECT_EQ(result, 0);
}

TEST(TimeZoneRules, FileTimes)
{
    FILETIME ft = 1;
    ASSERT_TRUE(SystemTimeToFileTime(St(1601, 1, 1), ft));
    EXPECT_EQ(ft, 0u);
    ASSERT_TRUE(SystemTimeToFileTime(St(1970, 1, 1), ft));
    EXPECT_EQ(ft, 116444736000000000ull);
    SYSTEMTIME st = St(2024, 2, 29, 23, 59, 58);
    st.wMilliseconds = 999;
    ASSERT_TRUE(SystemTimeToFileTime(st, ft));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(ft, back));
    EXPECT_EQ(Text(back), Text(st));
    EXPECT_EQ(back.wMilliseconds, 999);
    EXPECT_EQ(back.wDayOfWeek, 4); // Thursday
    const SYSTEMTIME bad[] = {St(1600, 12, 31), St(2023, 2, 29), St(2024, 13, 1), St(2024, 1, 0),
                              St(2024, 1, 1, 0, 60)};
    for (const SYSTEMTIME &b : bad)
        EXPECT_FALSE(SystemTimeToFileTime(b, ft)) << Text(b);
    EXPECT_FALSE(FileTimeToSystemTime(0x8000000000000000ull, back));
}

TEST(TimeZoneRules, RecordLayout)
{
    TIME_ZONE_INFORMATION z = Southern();
    const char16_t name[] = u"AUS Eastern Standard Time";
    std::copy(std::begin(name), std::end(name), z.StandardName);
    z.DaylightName[0] = u'D';
    z.StandardBias = 7;
    const QByteArray bytes = TimeZoneInformationToBytes(z);
    ASSERT_EQ(bytes.size(), kTimeZoneInformationSize);
    // Bias -600 at 0; the standard date's month at 68 + 2; the daylight bias -60 at 168.
    EXPECT_EQ(bytes.mid(0, 4), QByteArray::fromHex("a8fdffff"));
    EXPECT_EQ(bytes.mid(4, 4), QByteArray::fromHex("41005500"));
    EXPECT_EQ(bytes.mid(68, 8), QByteArray::fromHex("0000040000000100"));
    EXPECT_EQ(bytes.mid(84, 4), QByteArray::fromHex("07000000"));
    EXPECT_EQ(bytes.mid(88, 2), QByteArray::fromHex("4400"));
    EXPECT_EQ(bytes.mid(152, 8), QByteArray::fromHex("00000a0000000100"));
    EXPECT_EQ(bytes.mid(168, 4), QByteArray::fromHex("c4ffffff"));

    TIME_ZONE_INFORMATION back;
    ASSERT_TRUE(TimeZoneInformationFromBytes(bytes, back));
    EXPECT_EQ(TimeZoneInformationToBytes(back), bytes);
    EXPECT_EQ(back.Bias, -600);
    EXPECT_EQ(back.StandardName[3], u' ');
    EXPECT_EQ(back.DaylightDate.wMonth, 10);

    TIME_ZONE_INFORMATION untouched;
    EXPECT_FALSE(TimeZoneInformationFromBytes(bytes.left(171), untouched));
    EXPECT_EQ(untouched.Bias, 0);
    EXPECT_EQ(SystemTimeToBytes(St(2024, 3, 5, 9, 7, 8)),
              QByteArray::fromHex("e8070300000005000900070008000000"));
}

TEST(TimeZoneRules, RecordsMadeFromQtZones)
{
    TIME_ZONE_INFORMATION z;
    ASSERT_TRUE(TimeZoneInformationFromZone(QTimeZone("Europe/Berlin"), 2024, z));
    EXPECT_EQ(z.Bias, -60);
    EXPECT_EQ(z.DaylightBias, -60);
    EXPECT_EQ(TimeZoneInformationToBytes(z).mid(68, 16), SystemTimeToBytes(Rule(10, 0, 5, 3)));
    EXPECT_EQ(TimeZoneInformationToBytes(z).mid(152, 16), SystemTimeToBytes(Rule(3, 0, 5, 2)));

    ASSERT_TRUE(TimeZoneInformationFromZone(QTimeZone("America/New_York"), 2024, z));
    EXPECT_EQ(z.Bias, 300);
    EXPECT_EQ(TimeZoneInformationToBytes(z).mid(68, 16), SystemTimeToBytes(Rule(11, 0, 1, 2)));
    EXPECT_EQ(TimeZoneInformationToBytes(z).mid(152, 16), SystemTimeToBytes(Rule(3, 0, 2, 2)));

    ASSERT_TRUE(TimeZoneInformationFromZone(QTimeZone("Asia/Tokyo"), 2024, z));
    EXPECT_EQ(z.Bias, -540);
    EXPECT_EQ(z.DaylightDate.wMonth, 0);

    // Irish summer time is the standard; winter time counts as a negative daylight shift.
    ASSERT_TRUE(TimeZoneInformationFromZone(QTimeZone("Europe/Dublin"), 2024, z));
    EXPECT_EQ(z.Bias, -60);
    EXPECT_EQ(z.DaylightBias, 60);
    EXPECT_EQ(z.DaylightDate.wMonth, 10);

    ASSERT_TRUE(TimeZoneInformationFromZone(QTimeZone("Australia/Lord_Howe"), 2024, z));
    EXPECT_EQ(z.Bias, -630);
    EXPECT_EQ(z.DaylightBias, -30);

    // A year with a single change (daylight saving given up) fits no record.
    EXPECT_FALSE(TimeZoneInformationFromZone(QTimeZone("America/Sao_Paulo"), 2019, z));
    EXPECT_FALSE(TimeZoneInformationFromZone(QTimeZone(), 2024, z));
}

TEST(TimeZoneRules, ZonePathAgreesWithQt)
{
    // Present and past rules, a zone whose daylight saving is negative, one with a half-hour
    // shift, one that gave daylight saving up, and one with several changes a year.
    const struct
    {
        const char *id;
        int year;
    } cases[] = {
        {"Europe/Berlin", 2024},     {"America/New_York", 2006},    {"America/New_York", 2024},
        {"Europe/Dublin", 2024},     {"Australia/Lord_Howe", 2024}, {"America/Sao_Paulo", 2018},
        {"America/Sao_Paulo", 2019}, {"Africa/Casablanca", 2012},   {"Asia/Tokyo", 2024},
        {"Pacific/Chatham", 2024},
    };
    for (const auto &c : cases) {
        const QTimeZone zone(c.id);
        ASSERT_TRUE(zone.isValid()) << c.id;
        const QDateTime end(QDate(c.year + 1, 1, 1), QTime(0, 0), QTimeZone::utc());
        for (QDateTime t(QDate(c.year, 1, 1), QTime(0, 0), QTimeZone::utc()); t < end; t = t.addSecs(1800)) {
            const QDateTime qtLocal = t.toTimeZone(zone);
            SYSTEMTIME local, utc;
            ASSERT_TRUE(UtcToLocalInZone(zone, FromQt(t), local)) << c.id;
            ASSERT_EQ(Key(local), Key(FromQt(qtLocal))) << c.id << " UTC " << Text(FromQt(t));
            // A local time that occurs once reads back to its instant; one of a repeated
            // hour may read back to its other instant.
            ASSERT_TRUE(LocalToUtcInZone(zone, local, utc)) << c.id;
            if (Key(utc) == Key(FromQt(t)))
                continue;
            bool repeated = false;
            for (const int delta : {-3600, -1800, 1800, 3600})
                repeated = repeated || (Key(FromQt(t.addSecs(delta).toTimeZone(zone))) == Key(local) &&
                                        Key(FromQt(t.addSecs(delta))) == Key(utc));
            ASSERT_TRUE(repeated) << c.id << " local " << Text(local) << " read back as " << Text(utc);
        }
    }
}

TEST(TimeZoneRules, CurrentZoneIsTheSystemZone)
{
    const QByteArray saved = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Berlin");
    SYSTEMTIME summer, winter, utc;
    const bool ok1 = UtcToLocalSystemTime(nullptr, St(2024, 7, 1, 12, 0), summer);
    const bool ok2 = UtcToLocalSystemTime(nullptr, St(2024, 1, 1, 12, 0), winter);
    const bool ok3 = LocalToUtcSystemTime(nullptr, St(2024, 7, 1, 14, 0), utc);
    if (hadTz)
        qputenv("TZ", saved);
    else
        qunsetenv("TZ");
    ASSERT_TRUE(ok1 && ok2 && ok3);
    EXPECT_EQ(Text(summer), Text(St(2024, 7, 1, 14, 0)));
    EXPECT_EQ(Text(winter), Text(St(2024, 1, 1, 13, 0)));
    EXPECT_EQ(Text(utc), Text(St(2024, 7, 1, 12, 0)));
}
