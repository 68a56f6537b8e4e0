// The duration combo box's rules without a window: the list, picking, and typed durations read
// on leaving the field, with bad input refused and the stored duration kept.
#include "toolkit/controls/DurationComboModel.h"

#include <gtest/gtest.h>

namespace {
double Minutes(const CDateSpan &span)
{
    return span.GetTotalDays() * 1440;
}
} // namespace

TEST(DurationComboModel, ListOfFixedDurations)
{
    CDurationComboModel model;
    const auto &entries = model.FillList(false);
    ASSERT_EQ(entries.size(), 16);
    EXPECT_EQ(entries.at(0).text, "5 minutes");
    EXPECT_EQ(entries.at(0).data, 5u);
    EXPECT_EQ(entries.at(5).text, "1 hour");
    EXPECT_EQ(entries.at(5).data, 0x10001u);
    EXPECT_EQ(entries.at(10).text, "1 day");
    EXPECT_EQ(entries.at(14).text, "7 days");
    EXPECT_EQ(entries.at(14).data, 0x20007u);
    EXPECT_EQ(entries.at(15).text, "Other...");
    EXPECT_EQ(entries.at(15).data, 0u);
    EXPECT_FALSE(model.ZeroAllowed());

    const auto &withZero = model.FillList(true);
    ASSERT_EQ(withZero.size(), 17);
    EXPECT_EQ(withZero.at(0).text, "0 minutes");
    EXPECT_TRUE(model.ZeroAllowed());
}

TEST(DurationComboModel, PickingStoresOrInvalidates)
{
    CDurationComboModel model;
    model.FillList(false);
    CDateSpan span;
    EXPECT_TRUE(model.GetDuration(span)); // valid from construction, though nothing is stored
    EXPECT_FALSE(model.Duration().IsValid());

    EXPECT_TRUE(model.Pick(8)); // 8 hours
    ASSERT_TRUE(model.GetDuration(span));
    EXPECT_DOUBLE_EQ(Minutes(span), 480);

    EXPECT_FALSE(model.Pick(15)); // "Other..." waits for a typed duration
    EXPECT_FALSE(model.GetDuration(span));
    EXPECT_EQ(model.State(), CDurationComboModel::kNotADuration);

    EXPECT_FALSE(model.Pick(-1));
    EXPECT_FALSE(model.Pick(16));
    EXPECT_FALSE(model.IsValid());
}

TEST(DurationComboModel, LeavingTheFieldReadsTheTypedDuration)
{
    struct Case
    {
        bool zeroAllowed;
        bool previous; // a duration of 15 minutes was set before
        const char *text;
        bool report;
        int state;
        bool valid;
        double minutes;    // stored afterwards (when valid)
        const char *shown; // the normalised text, "" when left alone
    };
    const Case cases[] = {
        {false, true, "1.5 h", true, 0, true, 90, "1.5 hours"},
        {false, true, "45", true, 0, true, 45, "45 minutes"},
        {false, true, "10 min", true, 0, true, 10, "10 minutes"},
        {false, true, "3 D", true, 0, true, 4320, "3 days"},
        {false, true, "1.2.3", true, 0, true, 1, "1 minute"},
        {false, true, "336 days", true, 0, true, 483840, "336 days"},
        {false, true, "2 w", false, 2, false, 0, ""},
        {false, true, "400 days", false, 1, false, 0, ""},
        {false, true, "336.5 days", false, 1, false, 0, ""},
        {false, true, "abc", false, 2, false, 0, ""},
        {false, true, "0", false, 2, false, 0, ""},
        {false, true, "h", false, 2, false, 0, ""},
        {true, true, "0", true, 0, true, 0, "0 minutes"},
        {false, true, "0.5", false, 2, false, 0, ""}, // under a minute is zero
        // An empty text keeps the duration there was, and reports nothing.
        {false, true, "  ", false, 0, true, 15, "15 minutes"},
        {false, false, "", false, 2, false, 0, ""},
    };
    for (const Case &c : cases) {
        CDurationComboModel model;
        model.FillList(c.zeroAllowed);
        if (c.previous)
            model.SetDuration(CDateSpan::FromMinutes(15));
        model.Edit();
        const auto result = model.Leave(QString::fromUtf8(c.text));
        EXPECT_EQ(result.report, c.report) << c.text;
        EXPECT_EQ(result.text, QString::fromUtf8(c.shown)) << c.text;
        EXPECT_EQ(model.State(), c.state) << c.text;
        CDateSpan span = CDateSpan::FromMinutes(-1);
        EXPECT_EQ(model.GetDuration(span), c.valid) << c.text;
        if (c.valid)
            EXPECT_NEAR(Minutes(span), c.minutes, 1e-6) << c.text;
        else
            EXPECT_DOUBLE_EQ(Minutes(span), -1) << c.text; // refused: the caller's value untouched
    }
}

TEST(DurationComboModel, ValidFieldIsNotReadAgain)
{
    CDurationComboModel model;
    model.FillList(false);
    model.SetDuration(CDateSpan::FromMinutes(30));
    const auto result = model.Leave(QStringLiteral("2 hours"));
    EXPECT_FALSE(result.report);
    CDateSpan span;
    ASSERT_TRUE(model.GetDuration(span));
    EXPECT_NEAR(Minutes(span), 30, 1e-9);
}
