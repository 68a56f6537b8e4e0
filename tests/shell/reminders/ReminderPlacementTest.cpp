// Cascade placement of reminder windows and the choice of their screen.
#include "shell/reminders/ReminderPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(ReminderPlacementTest, CascadeRowsAndWrap)
{
    CReminderPlacement placement;
    const QRect area(100, 50, 350, 300); // a work area away from the origin
    const QSize size(200, 120);
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(138, 69));  // (38, 19)
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(176, 88));  // (76, 38)
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(214, 107)); // (114, 57)
    // (152, 76) would reach past the right edge: a new row at x 38, 19 below the last row start.
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(138, 88));
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(176, 107));
}

TEST(ReminderPlacementTest, WrapsToTheStartWhenNoRowFits)
{
    CReminderPlacement placement;
    const QRect area(0, 0, 300, 200);
    const QSize size(250, 170);
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(38, 19));
    // (76, 38) does not fit, nor does a new row at (38, 38): back to (38, 19).
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(38, 19));
    EXPECT_EQ(placement.Place(size, area, 38, 19), QPoint(38, 19));
    placement.Reset();
    EXPECT_EQ(placement.Place(QSize(10, 10), area, 4, 62), QPoint(38, 19));
    EXPECT_EQ(placement.Place(QSize(10, 10), area, 4, 62), QPoint(42, 81));
}

struct ScreenCase
{
    int count, primary;
    bool other;
    int number;
    int expected;
};

TEST(ReminderPlacementTest, ScreenChoice)
{
    const ScreenCase cases[] = {
        {1, 0, true, 1, 0},                      // one screen: the primary
        {3, 0, false, 2, 0},                     // not asked for: the primary
        {3, 0, true, 1, 1},                      // first non-primary
        {3, 0, true, 5, 2},                      // clamped to the last non-primary
        {3, 1, true, 1, 0},                      // the primary is skipped in the order
        {3, 1, true, 2, 2},  {2, 0, true, 0, 1}, // below 1 counts as 1
    };
    for (const ScreenCase &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.count << " screens, primary " << c.primary << ", n " << c.number);
        EXPECT_EQ(CReminderPlacement::ChooseScreen(c.count, c.primary, c.other, c.number), c.expected);
    }
}

} // namespace
