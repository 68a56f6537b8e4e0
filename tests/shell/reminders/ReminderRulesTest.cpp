// The reminder windows' decision tables.
#include "shell/reminders/ReminderRules.h"

#include <gtest/gtest.h>

namespace {

CDateTime At(int h, int m, int s = 0)
{
    return CDateTime(2024, 3, 12, h, m, s);
}

CDateSpan Minutes(int m)
{
    return CDateSpan(m / 1440.0);
}

struct ZCase
{
    bool gtf, aot, btt, item;
    bool topmost, raiseOnce, activate, behind;
};

TEST(ReminderRulesTest, ZOrderTable)
{
    const ZCase cases[] = {
        // gtf    aot    btt    item   topmost raise  activate behind
        {false, false, true, false, false, true, false, false},  // bring to top once
        {false, true, true, false, true, true, false, false},    // ... and stay there with AOT
        {false, false, true, true, true, true, false, false},    // ... or a topmost item
        {false, false, false, false, false, false, false, true}, // behind the foreground
        {false, true, false, false, true, false, false, false},
        {false, false, false, true, true, false, false, false},
        {true, false, false, false, false, false, true, false}, // the focus, z-order as it is
        {true, true, false, false, false, false, true, false},
        {true, false, false, true, true, false, true, false},
    };
    for (const ZCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.gtf << c.aot << c.btt << c.item);
        const ReminderZOrder z = CReminderRules::ZOrder(c.gtf, c.aot, c.btt, c.item);
        EXPECT_EQ(z.topmost, c.topmost);
        EXPECT_EQ(z.raiseOnce, c.raiseOnce);
        EXPECT_EQ(z.activate, c.activate);
        EXPECT_EQ(z.behindForeground, c.behind);
        EXPECT_EQ(z.flashIfMaximised, c.behind);
    }
}

TEST(ReminderRulesTest, SnoozeValidation)
{
    const CDateTime now = At(9, 0);
    const CDateTime start = At(9, 20);
    EXPECT_EQ(CReminderRules::CheckSnooze(false, true, {}, false, start, now), SnoozeCheck::TooLong);
    EXPECT_EQ(CReminderRules::CheckSnooze(false, false, {}, false, start, now), SnoozeCheck::Invalid);
    // Before start: 30 minutes before a start 20 minutes ahead is refused, 10 minutes is fine.
    EXPECT_EQ(CReminderRules::CheckSnooze(true, false, Minutes(30), true, start, now),
              SnoozeCheck::BeforeStart);
    EXPECT_EQ(CReminderRules::CheckSnooze(true, false, Minutes(10), true, start, now), SnoozeCheck::Ok);
    // It must come back more than a minute from now.
    EXPECT_EQ(CReminderRules::CheckSnooze(true, false, Minutes(19), true, start, now),
              SnoozeCheck::BeforeStart);
    EXPECT_EQ(CReminderRules::CheckSnooze(true, false, Minutes(18), true, start, now), SnoozeCheck::Ok);
    // Forward from now there is no such limit.
    EXPECT_EQ(CReminderRules::CheckSnooze(true, false, Minutes(30), false, start, now), SnoozeCheck::Ok);
}

TEST(ReminderRulesTest, CloseOnResultTables)
{
    struct Case
    {
        HRESULT result;
        ReminderOutcome accept;
        ReminderOutcome snooze;
    } cases[] = {
        {0, ReminderOutcome::Close, ReminderOutcome::Close},
        {1, ReminderOutcome::ReportAndClose, ReminderOutcome::ReportAndStay},
        {0x80040500, ReminderOutcome::ReportAndClose, ReminderOutcome::ReportAndStay},
        {0x80040509, ReminderOutcome::ReportAndClose, ReminderOutcome::ReportAndStay},
        {0x8004050A, ReminderOutcome::ReportAndStay, ReminderOutcome::ReportAndStay},
        {0x80040526, ReminderOutcome::ReportAndStay, ReminderOutcome::ReportAndClose},
        {0x80070005, ReminderOutcome::ReportAndStay, ReminderOutcome::ReportAndStay},
        {0x80040501, ReminderOutcome::ReportAndClose, ReminderOutcome::WarnEndOfOccurrence},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.result);
        EXPECT_EQ(CReminderRules::AcceptOutcome(c.result), c.accept);
        EXPECT_EQ(CReminderRules::SnoozeOutcome(c.result, false), c.snooze);
    }
    // The document's flag marks the next-occurrence refusal, whatever the code.
    EXPECT_EQ(CReminderRules::SnoozeOutcome(0x80040501, true), ReminderOutcome::WarnNextOccurrence);
    EXPECT_EQ(CReminderRules::SnoozeOutcome(0x80040526, true), ReminderOutcome::WarnNextOccurrence);
}

TEST(ReminderRulesTest, AutoDismissPreconditions)
{
    const CDateTime end = At(10, 0);
    const CDateTime after = At(10, 1);
    EXPECT_TRUE(CReminderRules::ShouldAutoDismiss(true, after, end, true, true, false));
    EXPECT_FALSE(CReminderRules::ShouldAutoDismiss(false, after, end, true, true, false)); // may not
    EXPECT_FALSE(CReminderRules::ShouldAutoDismiss(true, end, end, true, true, false));    // not past the end
    EXPECT_FALSE(CReminderRules::ShouldAutoDismiss(true, At(9, 0), end, true, true, false));
    EXPECT_FALSE(CReminderRules::ShouldAutoDismiss(true, after, end, false, true, false)); // disabled window
    // Its editor holds it (the answers disabled): left alone.
    EXPECT_FALSE(CReminderRules::ShouldAutoDismiss(true, after, end, true, false, true));
    EXPECT_TRUE(CReminderRules::ShouldAutoDismiss(true, after, end, true, false, false));
}

TEST(ReminderRulesTest, EnablingFollowsTheEditedItemOnly)
{
    // Disabling: the whole window only for the item the modal editor holds.
    EXPECT_TRUE(CReminderRules::Enabling(false, true, true).changeWhole);
    EXPECT_FALSE(CReminderRules::Enabling(false, false, true).changeWhole);
    // Enabling: only a window whose answers were disabled changes whole.
    EXPECT_TRUE(CReminderRules::Enabling(true, false, false).changeWhole);
    EXPECT_FALSE(CReminderRules::Enabling(true, false, true).changeWhole);
    EXPECT_TRUE(CReminderRules::Enabling(true, true, true).commands);
}

} // namespace
