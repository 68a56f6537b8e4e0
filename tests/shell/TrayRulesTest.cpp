// Tray icon choice, new events from the tray, the hour watch.
#include "shell/TrayRules.h"

#include <gtest/gtest.h>

namespace {

TEST(TrayRulesTest, TrayIconTable)
{
    EXPECT_EQ(ChooseTrayIcon(false, true), 128);
    EXPECT_EQ(ChooseTrayIcon(false, false), 160);
    EXPECT_EQ(ChooseTrayIcon(true, true), 287);
    EXPECT_EQ(ChooseTrayIcon(true, false), 288);
}

struct StartCase
{
    int hour, minute, second;
    int startHour, startMinute;
};

TEST(TrayRulesTest, ShowAtStartTable)
{
    struct Case
    {
        bool hmw, noHide, readOnly, failed, tray, show;
    };
    const Case cases[] = {
        {false, false, false, false, true, true},  // the window shows by default
        {true, false, false, false, true, false},  // "HMW": the program starts in the tray
        {true, true, false, false, true, true},    // "nohide" wins
        {true, false, true, false, true, true},    // a read-only file is shown
        {true, false, false, true, true, true},    // the failed open is reported in the window
        {true, false, false, false, false, true},  // no tray to live in
    };
    for (const Case &c : cases) {
        StartShowState state;
        state.hideMainWindow = c.hmw;
        state.noHide = c.noHide;
        state.readOnly = c.readOnly;
        state.openFailed = c.failed;
        state.hasTray = c.tray;
        EXPECT_EQ(ShowMainWindowAtStart(state), c.show) << c.hmw << c.noHide << c.readOnly << c.failed << c.tray;
    }
}

TEST(TrayRulesTest, TimedEventsStartAtTheNextHalfHour)
{
    const StartCase cases[] = {
        {10, 7, 12, 10, 30}, {10, 40, 0, 11, 0}, {10, 30, 41, 10, 30}, {10, 0, 5, 10, 0}, {23, 45, 0, 0, 0},
    };
    for (const StartCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute);
        const NewEventPlan plan = PlanNewEvent(CDateTime(2024, 5, 14, c.hour, c.minute, c.second), "Meeting", false, 45, false);
        EXPECT_FALSE(plan.allDay);
        EXPECT_EQ(plan.start.GetHour(), c.startHour);
        EXPECT_EQ(plan.start.GetMinute(), c.startMinute);
        EXPECT_EQ(plan.start.GetSecond(), 0);
        EXPECT_EQ(plan.durationMinutes, 45);
        EXPECT_TRUE(plan.reminderOn);
    }
    // Past midnight the next day.
    EXPECT_EQ(PlanNewEvent(CDateTime(2024, 5, 14, 23, 45), "", false, 30, false).start, CDateTime(2024, 5, 15, 0, 0));
}

TEST(TrayRulesTest, AllDayTypesAndSwitches)
{
    const CDateTime now(2024, 5, 14, 10, 7, 3);
    for (const char *type : {"Birthday", "BIRTHDAY", "holiday", "Anniversary"}) {
        SCOPED_TRACE(type);
        const NewEventPlan plan = PlanNewEvent(now, type, false, 30, false);
        EXPECT_TRUE(plan.allDay);
        EXPECT_EQ(plan.start, CDateTime(2024, 5, 14));
        EXPECT_EQ(plan.durationMinutes, 1440);
    }
    EXPECT_TRUE(PlanNewEvent(now, "Meeting", true, 30, false).allDay); // "NEAD"
    EXPECT_FALSE(PlanNewEvent(now, "Birthdays", false, 30, false).allDay);
    EXPECT_FALSE(PlanNewEvent(now, "Meeting", false, 30, true).reminderOn); // "NNF"
}

TEST(TrayRulesTest, HourWatchSkipsTheFirstReading)
{
    CHourWatch watch;
    EXPECT_FALSE(watch.Update(9));
    EXPECT_FALSE(watch.Update(9));
    EXPECT_TRUE(watch.Update(10));
    EXPECT_FALSE(watch.Update(10));
}

} // namespace
