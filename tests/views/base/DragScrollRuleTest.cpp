// Scrolling while a drag rests in a view's border strip.
#include "views/base/DragScrollRule.h"

#include <gtest/gtest.h>

TEST(DragScrollRuleTest, StripCodes)
{
    const QRect client(0, 0, 200, 100);
    struct Case
    {
        QPoint point;
        std::uint16_t code;
    };
    const Case cases[] = {
        {{100, 5}, 0x00FF},  // near the top: up
        {{100, 95}, 0x01FF}, // near the bottom: down
        {{3, 50}, 0xFF00},   // left
        {{196, 50}, 0xFF01}, // right
        {{2, 2}, 0x0000},    // corner: up and left in one step
        {{198, 98}, 0x0101}, // corner: down and right
        {{100, 50}, CDragScrollRule::NoScroll},
        {{100, 150}, CDragScrollRule::NoScroll}, // outside the window
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x() << "," << c.point.y());
        EXPECT_EQ(CDragScrollRule::ScrollCodeAt(client, c.point), c.code);
    }
}

TEST(DragScrollRuleTest, DelayIntervalFeedbackAndEffects)
{
    const QRect client(0, 0, 200, 100);
    const QPoint top(100, 5), middle(100, 50);
    CDragScrollRule rule;
    auto s = rule.Update(client, top, true, false, false, 1000);
    EXPECT_EQ(s.feedback, CDragScrollRule::Feedback::DragLeave);
    EXPECT_FALSE(s.scrollNow);
    EXPECT_EQ(s.effect, DropEffect::Scroll | DropEffect::Move);
    EXPECT_FALSE(rule.Update(client, top, true, false, false, 1050).scrollNow); // not yet past 50 ms
    s = rule.Update(client, top, true, true, false, 1051);
    EXPECT_TRUE(s.scrollNow);
    EXPECT_EQ(s.feedback, CDragScrollRule::Feedback::Keep);
    EXPECT_EQ(s.effect, DropEffect::Scroll | DropEffect::Copy);
    EXPECT_FALSE(rule.Update(client, top, true, true, true, 1090).scrollNow);
    s = rule.Update(client, top, true, true, true, 1102);
    EXPECT_TRUE(s.scrollNow);
    EXPECT_EQ(s.effect, DropEffect::Scroll | DropEffect::Link);
    // Back to the middle: the window's own feedback returns.
    s = rule.Update(client, middle, true, false, false, 1110);
    EXPECT_EQ(s.feedback, CDragScrollRule::Feedback::DragEnter);
    EXPECT_EQ(s.effect, DropEffect::None);
    EXPECT_FALSE(rule.IsScrolling());
    // A view that cannot scroll that way gets no scrolling and keeps its feedback.
    s = rule.Update(client, top, false, false, false, 1200);
    EXPECT_EQ(s.effect, DropEffect::None);
    EXPECT_EQ(s.feedback, CDragScrollRule::Feedback::Keep);
}
