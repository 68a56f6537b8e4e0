// The reminder window's caption band: button geometry, hit testing and the press-release machine.
#include "shell/reminders/ReminderCaption.h"

#include <gtest/gtest.h>

namespace {

// FX 4, FY 4, CY 24, BX 22, BY 24: buttons 20 x 20 at y 6, the first ending at x 394 of 400.
const QSize kWindow(400, 200);

TEST(ReminderCaptionTest, ButtonGeometry)
{
    CReminderCaption caption;
    caption.SetStopPresent(true);
    EXPECT_EQ(caption.ButtonRect(HitMinimise, 400), QRect(374, 6, 20, 20));
    EXPECT_EQ(caption.ButtonRect(HitAlwaysOnTop, 400), QRect(352, 6, 20, 20));
    EXPECT_EQ(caption.ButtonRect(HitCollapse, 400), QRect(330, 6, 20, 20));
    EXPECT_EQ(caption.ButtonRect(HitStopSound, 400), QRect(308, 6, 20, 20));
    caption.SetStopPresent(false);
    EXPECT_TRUE(caption.ButtonRect(HitStopSound, 400).isEmpty());
    EXPECT_EQ(caption.CollapsedHeight(), 32);
    EXPECT_EQ(caption.ClientTop(), 28);
}

struct HitCase
{
    QPoint point;
    int hit;
};

TEST(ReminderCaptionTest, HitTestTable)
{
    CReminderCaption caption;
    caption.SetStopPresent(true);
    const HitCase cases[] = {
        {{10, 1}, HitTopLeft},     {{200, 2}, HitTop},           {{390, 0}, HitTopRight},
        {{8, 15}, HitSysMenu},     {{380, 15}, HitMinimise},     {{360, 15}, HitAlwaysOnTop},
        {{340, 15}, HitCollapse},  {{315, 15}, HitStopSound},    {{200, 15}, HitCaption},
        {{351, 15}, HitCaption}, // the gap between two buttons
        {{2, 100}, HitLeft},       {{398, 100}, HitRight},       {{200, 198}, HitBottom},
        {{1, 199}, HitBottomLeft}, {{399, 199}, HitBottomRight}, {{200, 100}, HitClient},
        {{-1, 5}, HitNowhere},
    };
    for (const HitCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x() << "," << c.point.y());
        EXPECT_EQ(caption.HitTest(c.point, kWindow), c.hit);
    }
    // Without a repeating sound, or once it is gone, the stop button is no more.
    caption.SetStopPresent(false);
    EXPECT_EQ(caption.HitTest({315, 15}, kWindow), HitCaption);
    // A collapsed window does not resize.
    caption.SetCollapsed(true);
    EXPECT_EQ(caption.HitTest({200, 1}, QSize(400, 32)), HitCaption);
    EXPECT_EQ(caption.HitTest({2, 15}, QSize(400, 32)), HitCaption);
    EXPECT_EQ(caption.HitTest({340, 15}, QSize(400, 32)), HitCollapse);
}

TEST(ReminderCaptionTest, PressAndRelease)
{
    CReminderCaption caption;
    // Pressed on Always on Top, released outside: nothing.
    ASSERT_TRUE(caption.Press(HitAlwaysOnTop));
    EXPECT_TRUE(caption.IsDrawnPressed(HitAlwaysOnTop));
    caption.Move(HitCaption);
    EXPECT_FALSE(caption.IsDrawnPressed(HitAlwaysOnTop));
    EXPECT_EQ(caption.Release(HitCaption), 0);
    EXPECT_EQ(caption.PressedButton(), 0);
    // Back over it before the release: its command.
    ASSERT_TRUE(caption.Press(HitAlwaysOnTop));
    caption.Move(HitCaption);
    caption.Move(HitAlwaysOnTop);
    EXPECT_TRUE(caption.IsDrawnPressed(HitAlwaysOnTop));
    EXPECT_EQ(caption.Release(HitAlwaysOnTop), ReminderCmd::AlwaysOnTop);
    // Released over another button: nothing.
    caption.Press(HitCollapse);
    EXPECT_EQ(caption.Release(HitMinimise), 0);
    // The stop button takes a press only while the sound plays.
    caption.SetStopPresent(true);
    EXPECT_FALSE(caption.Press(HitStopSound));
    caption.SetSoundPlaying(true);
    ASSERT_TRUE(caption.Press(HitStopSound));
    EXPECT_EQ(caption.Release(HitStopSound), ReminderCmd::StopSound);
    EXPECT_FALSE(caption.Press(HitCaption));
}

TEST(ReminderCaptionTest, GlyphsAndTips)
{
    CReminderCaption caption;
    EXPECT_EQ(caption.GlyphOf(HitAlwaysOnTop), 0);
    caption.SetTopmost(true);
    EXPECT_EQ(caption.GlyphOf(HitAlwaysOnTop), 1);
    EXPECT_EQ(caption.GlyphOf(HitCollapse), 2);
    EXPECT_EQ(caption.ToolTipOf(HitCollapse), QStringLiteral("Collapse"));
    caption.SetCollapsed(true);
    EXPECT_EQ(caption.GlyphOf(HitCollapse), 3);
    EXPECT_EQ(caption.ToolTipOf(HitCollapse), QStringLiteral("Expand"));
    EXPECT_EQ(caption.GlyphOf(HitStopSound), 5);
    EXPECT_EQ(caption.StateOf(HitStopSound), CaptionButtonState::Disabled);
    caption.SetSoundPlaying(true);
    EXPECT_EQ(caption.GlyphOf(HitStopSound), 4);
    EXPECT_EQ(caption.GlyphOf(HitMinimise), 6);
    EXPECT_EQ(caption.ToolTipOf(HitMinimise), QStringLiteral("Minimize"));
}

} // namespace
