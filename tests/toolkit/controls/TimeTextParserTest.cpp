// The forgiving time reader: the forms people type, the digit shorthand and what is refused.
#include "toolkit/controls/TimeTextParser.h"

#include <gtest/gtest.h>

namespace {
struct ParseCase
{
    const char *text;
    int hour; // -1: refused
    int minute;
};

void ExpectParse(const std::optional<CTimeTextParser::Time> &got, const ParseCase &c)
{
    if (c.hour < 0) {
        EXPECT_FALSE(got.has_value()) << c.text;
        return;
    }
    ASSERT_TRUE(got.has_value()) << c.text;
    EXPECT_EQ(got->hour, c.hour) << c.text;
    EXPECT_EQ(got->minute, c.minute) << c.text;
}
} // namespace

TEST(TimeTextParser, TimesOfDay)
{
    const CTimeTextParser parser{LocaleDateData()};
    const ParseCase cases[] = {
        {"17:30", 17, 30},
        {" 5:30 PM ", 17, 30},
        {"5:30pm", 17, 30},
        {"5.30 p.m.", 17, 30},
        {"5 pm", 17, 0},
        {"7p", 19, 0},
        {"12 am", 0, 0},
        {"12:15 PM", 12, 15},
        {"12:15 am", 0, 15},
        {"9:5", 9, 5},
        {"0:00", 0, 0},
        {"23:59:59", 23, 59},
        {"PM 5:30", 17, 30},
        {"9 : 30", 9, 30},
        {"11:45 A.M.", 11, 45},
        // refused
        {"", -1, 0},
        {"17", -1, 0},
        {"25:00", -1, 0},
        {"24:00", -1, 0},
        {"12:60", -1, 0},
        {"13 pm", -1, 0},
        {"0 am", -1, 0},
        {"5:30 xm", -1, 0},
        {"5::30", -1, 0},
        {"abc", -1, 0},
        {"1:2:3:4", -1, 0},
        {"123:45", -1, 0},
        {"17:30:60", -1, 0},
        {"-1:00", -1, 0},
        {"5:", -1, 0},
        {":30", -1, 0},
        {"pm", -1, 0},
    };
    for (const ParseCase &c : cases)
        ExpectParse(parser.ParseTimeOfDay(QString::fromUtf8(c.text)), c);
}

TEST(TimeTextParser, DigitShorthand)
{
    EXPECT_EQ(CTimeTextParser::RewriteDigits("1730"), "17:30");
    EXPECT_EQ(CTimeTextParser::RewriteDigits("930"), "9:30");
    EXPECT_EQ(CTimeTextParser::RewriteDigits("17"), "17:00");
    EXPECT_EQ(CTimeTextParser::RewriteDigits("7"), "7:00");
    EXPECT_EQ(CTimeTextParser::RewriteDigits("12345"), "");
    EXPECT_EQ(CTimeTextParser::RewriteDigits("9a"), "");
    EXPECT_EQ(CTimeTextParser::RewriteDigits(""), "");

    const CTimeTextParser parser{LocaleDateData()};
    const ParseCase cases[] = {
        {"1730", 17, 30}, {"930", 9, 30},      {"0930", 9, 30}, {"17", 17, 0},  {" 7 ", 7, 0},
        {"0", 0, 0},      {"5:30 pm", 17, 30}, {"2400", -1, 0}, {"960", -1, 0}, {"12345", -1, 0},
        {"99", -1, 0},    {"", -1, 0},         {"٣", -1, 0}, // only ASCII digits are the shorthand
    };
    for (const ParseCase &c : cases)
        ExpectParse(parser.ParseTyped(QString::fromUtf8(c.text)), c);
}

TEST(TimeTextParser, LocaleSeparatorAndMarkers)
{
    LocaleDateData data;
    data.timeSeparator = QStringLiteral("h");
    data.amText = QStringLiteral("vorm.");
    data.pmText = QStringLiteral("nachm.");
    const CTimeTextParser parser{data};
    const ParseCase cases[] = {
        {"17 h 30", 17, 30},   {"17h30", 17, 30}, {"17:30", 17, 30}, {"5:30 nachm.", 17, 30},
        {"vorm. 9:15", 9, 15}, {"5 pm", 17, 0},   {"17 h", -1, 0},
    };
    for (const ParseCase &c : cases)
        ExpectParse(parser.ParseTimeOfDay(QString::fromUtf8(c.text)), c);
}
