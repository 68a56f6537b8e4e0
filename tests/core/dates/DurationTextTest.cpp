// Durations as text and back: the unit choice, the reader's units and limits, and round trips.
#include "core/dates/DurationText.h"
#include "core/dates/DateTime.h"

#include <gtest/gtest.h>

TEST(DurationText, FormatPicksTheUnit)
{
    const struct
    {
        double minutes;
        const char *text;
    } cases[] = {
        {0, "0 minutes"},    {1, "1 minute"},
        {45, "45 minutes"},  {59, "59 minutes"},
        {61, "61 minutes"},                     // neither quarter nor tenth hours
        {60, "1 hour"},                         // whole hours count in hours
        {90, "1.5 hours"},                      // quarter hours
        {66, "1.1 hours"},                      // tenths of an hour
        {75, "1.25 hours"},  {144, "0.1 days"}, // twentieths of a day, from 144 minutes on
        {1512, "1.05 days"}, {600, "10 hours"},
        {720, "0.5 days"}, // whole hours from 12 on in quarter days
        {780, "13 hours"},   {1500, "25 hours"},
        {1800, "1.25 days"}, {1440, "1 day"},
        {2160, "1.5 days"},  {2880, "2 days"},
        {10080, "7 days"},   {30.0 / 60, "0 minutes"}, // under a minute
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatDuration(CDateSpan::FromMinutes(c.minutes)), QString::fromLatin1(c.text))
            << c.minutes;
    // A span a hair short of a whole minute still counts it.
    EXPECT_EQ(FormatDuration(CDateSpan(90.0 / 1440 - 1e-9)), QStringLiteral("1.5 hours"));
}

TEST(DurationText, ParseReadsNumberAndUnit)
{
    const struct
    {
        const char *text;
        long max;
        int result;
        double minutes; // the span after the call; -1 when it must stay as it was
    } cases[] = {
        {"1.5 h", 100000, kDurationParsed, 90},
        {"1.5 hours", 100000, kDurationParsed, 90},
        {"2 d", 100000, kDurationParsed, 2880},
        {"10 m", 100000, kDurationParsed, 10},
        {"  45  ", 100000, kDurationParsed, 45},
        {"5min", 100000, kDurationParsed, 5},
        {"1 HOURS", 100000, kDurationParsed, 60},
        {"3 da", 100000, kDurationParsed, 4320},
        {".5 h", 100000, kDurationParsed, 30},
        {"0.5 d", 100000, kDurationParsed, 720},
        {"1.5 minutes", 100000, kDurationParsed, 1}, // cut to whole minutes
        {"1.2.3", 100000, kDurationParsed, 1},       // a second point ends the number's use
        {"1.2.39 hours", 100000, kDurationParsed, 72},
        {"2.05 h", 100000, kDurationParsed, 123}, // decimal fractions read exactly
        {"4.1 h", 100000, kDurationParsed, 246},
        {"hours", 100000, kDurationParsed, 0},
        {"", 100000, kDurationParsed, -1},
        {"   ", 100000, kDurationParsed, -1},
        {"3 weeks", 100000, kDurationBadUnit, -1},
        {"1.5hrs", 100000, kDurationBadUnit, -1},
        {"-5", 100000, kDurationBadUnit, -1},
        {"abc", 100000, kDurationBadUnit, -1},
        {"90", 60, kDurationTooLong, -1},
        {"2 d", 1440, kDurationTooLong, -1},
        {"1 d", 1440, kDurationParsed, 1440},
        {"99999999999999999999999 m", 1000, kDurationTooLong, -1},
    };
    for (const auto &c : cases) {
        const CDateSpan before = CDateSpan::FromMinutes(777);
        CDateSpan span = before;
        EXPECT_EQ(ParseDuration(QString::fromLatin1(c.text), span, c.max), c.result) << c.text;
        if (c.minutes < 0)
            EXPECT_EQ(span, before) << c.text;
        else
            EXPECT_EQ(span, CDateSpan::FromMinutes(c.minutes)) << c.text;
    }
}

TEST(DurationText, FormattedTextsReadBack)
{
    // Every duration up to two weeks, minute by minute, reads back to itself.
    for (int minutes = 0; minutes <= 20160; ++minutes) {
        const QString text = FormatDuration(CDateSpan::FromMinutes(minutes));
        CDateSpan span;
        ASSERT_EQ(ParseDuration(text, span, 527040), kDurationParsed) << text.toStdString();
        ASSERT_EQ(span, CDateSpan::FromMinutes(minutes)) << minutes << " " << text.toStdString();
    }
}
