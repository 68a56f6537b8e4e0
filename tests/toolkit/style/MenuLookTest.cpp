// The colour set computed from the system palette and the settings that override it.
#include "toolkit/style/MenuLook.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QPalette>
#include <gtest/gtest.h>

namespace {

QPalette TestPalette()
{
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(250, 250, 250));
    pal.setColor(QPalette::Text, QColor(10, 10, 10));
    pal.setColor(QPalette::Highlight, QColor(0, 90, 200));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::Dark, QColor(120, 120, 120));
    pal.setColor(QPalette::Button, QColor(220, 220, 220));
    return pal;
}

TEST(MenuLook, ColoursFollowThePalette)
{
    CMenuLook look;
    look.UpdateColors(TestPalette(), CMenuLook::Options());
    const auto &c = look.GetColors();
    EXPECT_EQ(c.window, MakeColor(250, 250, 250));
    EXPECT_EQ(c.viewBackground, c.window);
    EXPECT_EQ(c.itemText, MakeColor(10, 10, 10));
    EXPECT_EQ(c.highlight, MakeColor(0, 90, 200));
    EXPECT_EQ(c.grid, MakeColor(120, 120, 120));
    EXPECT_EQ(c.defaultCalendar, 0xE6D8CFu);
    // Above 256 colours the caption strip is the button shadow lightened by 40.
    EXPECT_EQ(c.captionBackground, LightenColor(40, MakeColor(120, 120, 120)));
    // The window colour's fill shade and highlight differ from the window colour itself.
    EXPECT_NE(GetFillShade(c.window, look), c.window);
    EXPECT_NE(GetFillHighlight(c.window, look), c.window);
}

TEST(MenuLook, SettingsOverrideComputedColours)
{
    CMenuLook look;
    CMenuLook::Options options;
    EXPECT_EQ(options.today, 0x0000FFu);
    options.today = 0x00FF00;
    options.customCaption = true;
    options.captionBackground = 0x00FFFF;
    options.captionText = 0x800000;
    look.UpdateColors(TestPalette(), options);
    EXPECT_EQ(look.GetColors().today, 0x00FF00u);
    EXPECT_EQ(look.GetColors().captionBackground, 0x00FFFFu); // taken as it is, not lightened
    EXPECT_EQ(look.GetColors().captionText, 0x800000u);

    // A later system colour change keeps the settings.
    QPalette dark = TestPalette();
    dark.setColor(QPalette::Base, Qt::black);
    look.UpdateColors(dark);
    EXPECT_EQ(look.GetColors().window, 0u);
    EXPECT_EQ(look.GetColors().today, 0x00FF00u);
    EXPECT_EQ(look.GetColors().captionBackground, 0x00FFFFu);
}

TEST(MenuLook, PlainColoursAt256Colours)
{
    SetDisplayDepthSource([] { return 8; });
    CMenuLook look;
    look.UpdateColors(TestPalette(), CMenuLook::Options());
    SetDisplayDepthSource(nullptr);
    const auto &c = look.GetColors();
    EXPECT_EQ(c.captionBackground, MakeColor(120, 120, 120));
    EXPECT_EQ(c.hotPair.first, c.window); // no tint
    EXPECT_EQ(c.barBackgroundPair.first, c.barBackgroundPair.second);
}

} // namespace
