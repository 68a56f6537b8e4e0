// The OLE date value: canonical construction, parts, negative dates and arithmetic.
#include "core/dates/DateTime.h"

#include <QDate>
#include <vector>
#include <gtest/gtest.h>

TEST(DateTime, KnownValues)
{
    EXPECT_EQ(CDateTime(1899, 12, 30).Value(), 0.0);
    EXPECT_EQ(CDateTime(1899, 12, 31, 6, 0, 0).Value(), 1.25);
    EXPECT_EQ(CDateTime(1899, 12, 29, 6, 0, 0).Value(), -1.25);
    EXPECT_EQ(CDateTime(1900, 1, 1).Value(), 2.0);
    EXPECT_EQ(CDateTime(2000, 1, 1).Value(), 36526.0);
    EXPECT_EQ(CDateTime(1753, 1, 1).Value(), -53688.0);
    EXPECT_EQ(CDateTime(4000, 12, 31).Value(), 767376.0);
}

TEST(DateTime, PartsRoundTripAgainstQDate)
{
    // Every day from 1753 to 4000 decomposes to the same civil date Qt gives for that offset.
    const QDate epoch(1899, 12, 30);
    for (long n = -53688; n <= 767376; n += 1) {
        const QDate q = epoch.addDays(n);
        CDateTime::Parts p;
        ASSERT_TRUE(CDateTime(double(n) + (n >= 0 ? 0.5 : -0.5)).GetParts(p)) << n;
        ASSERT_EQ(p.year, q.year()) << n;
        ASSERT_EQ(p.month, q.month()) << n;
        ASSERT_EQ(p.day, q.day()) << n;
        ASSERT_EQ(p.hour, 12) << n;
        ASSERT_EQ(p.dayOfWeek, q.dayOfWeek() % 7 + 1) << n;
        ASSERT_EQ(p.dayOfYear, q.dayOfYear()) << n;
        ASSERT_EQ(CDateTime(q.year(), q.month(), q.day()).Value(), double(n)) << n;
    }
}

TEST(DateTime, InvalidParts)
{
    EXPECT_FALSE(CDateTime(2023, 2, 29).IsValid());
    EXPECT_TRUE(CDateTime(2024, 2, 29).IsValid());
    EXPECT_FALSE(CDateTime(2024, 13, 1).IsValid());
    EXPECT_FALSE(CDateTime(2024, 1, 1, 24, 0, 0).IsValid());
    EXPECT_EQ(CDateTime::Invalid().GetYear(), -1);
}

TEST(DateTime, ArithmeticAcrossTheEpoch)
{
    const CDateTime a(1899, 12, 29, 18, 0, 0);
    const CDateTime b = a + CDateSpan(0.5);
    EXPECT_EQ(b.ToIsoString(), QStringLiteral("1899-12-30 06:00:00"));
    EXPECT_DOUBLE_EQ((b - a).Value(), 0.5);
    EXPECT_LT(a, b);
    EXPECT_EQ((CDateTime(1899, 12, 30) - CDateSpan(1.75)).ToIsoString(), QStringLiteral("1899-12-28 06:00:00"));
}

TEST(DateTime, SecondsRoundToNearest)
{
    const CDateTime t(2024, 3, 10, 23, 59, 59);
    EXPECT_EQ(t.GetSecond(), 59);
    EXPECT_EQ(CDateTime(t.Value() + 0.4 / 86400).GetSecond(), 59);
    EXPECT_EQ(CDateTime(2024, 3, 10, 10, 30, 0) + CDateSpan(0, 0, 90, 0), CDateTime(2024, 3, 10, 12, 0, 0));
}

TEST(DateSpan, Parts)
{
    const CDateSpan s(1, 2, 3, 4);
    EXPECT_EQ(s.GetDays(), 1);
    EXPECT_EQ(s.GetHours(), 2);
    EXPECT_EQ(s.GetMinutes(), 3);
    EXPECT_EQ(s.GetSeconds(), 4);
    EXPECT_EQ(CDateSpan::FromMinutes(90).GetHours(), 1);
    EXPECT_EQ(CDateSpan::FromMinutes(90).GetMinutes(), 30);
}

TEST(DateTime, DayNumbersAgreeWithTheParts)
{
    // The day-number shortcuts against the parts: values on both sides of the epoch, a hair
    // either side of midnight and of the half second, and the ends of the value range.
    std::vector<double> values = {0.0, -0.0, 1.25, -1.25, -657434.0, 2958465.0, 2958465.99999, 767376.0};
    for (double day = -60000; day <= 800000; day += 7919.5) {
        for (double frac : {0.0, 0.25, 0.5 / 86400, 0.4 / 86400, 0.6 / 86400, 1 - 0.4 / 86400, 1 - 0.6 / 86400})
            values.push_back(day + (day >= 0 ? frac : -frac));
    }
    for (double v : values) {
        const CDateTime d(v);
        SCOPED_TRACE(v);
        CDateTime::Parts p;
        long day = 0, seconds = 0;
        ASSERT_EQ(d.GetDayAndSeconds(day, seconds), d.GetParts(p));
        if (!d.GetParts(p))
            continue;
        EXPECT_EQ(seconds, p.hour * 3600L + p.minute * 60L + p.second);
        EXPECT_EQ(day, CDateTime::DayNumber(p.year, p.month, p.day));
        // The date at midnight and the date at the time of day, built both ways.
        const CDateTime midnight(p.year, p.month, p.day);
        EXPECT_EQ(d.DatePart(), midnight);
        EXPECT_EQ(d.DatePart().Value(), midnight.Value());
        if (midnight.IsValid())
            EXPECT_EQ(CDateTime::FromDayAndSeconds(day, seconds),
                      CDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second));
    }
    EXPECT_FALSE(CDateTime::Invalid().DatePart().IsValid());
}
