// Colour arithmetic: HLS on the 0..240 scale, channel shading, mixing, the gradient rule and the
// cached colour count. Expected values are worked out by hand from the integer rules.
#include "core/lists/ColorRules.h"

#include <gtest/gtest.h>

namespace {

class DisplayColours : public ::testing::Test
{
  protected:
    void TearDown() override { SetDisplayDepthSource(nullptr); }
};

struct HlsCase
{
    COLORREF rgb;
    HlsColor hls;
};

TEST(ColorRules, RgbToHlsKnownColours)
{
    const HlsCase cases[] = {
        {0x0000FF, {0, 120, 240}},   // red
        {0x00FF00, {80, 120, 240}},  // green
        {0xFF0000, {160, 120, 240}}, // blue
        {0x00FFFF, {40, 120, 240}},  // yellow
        {0xFFFF00, {120, 120, 240}}, // cyan
        {0xFF00FF, {200, 120, 240}}, // magenta
        {0x0080FF, {20, 120, 240}},  // orange
        {0x000080, {0, 60, 240}},    // maroon
        {0xFFFFFF, {160, 240, 0}},   {0x000000, {160, 0, 0}},   {0x808080, {160, 120, 0}},
        {0x7F7F7F, {160, 120, 0}},   {0xC0C0C0, {160, 181, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RgbToHls(c.rgb), c.hls) << std::hex << c.rgb;
}

TEST(ColorRules, HlsRoundTripsExactly)
{
    // 241 lightness steps cannot hold all 256 greys; 0x7F7F7F is the mid grey that survives.
    const COLORREF exact[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF,
                              0xFFFFFF, 0x000000, 0x7F7F7F, 0xC0C0C0, 0x000080, 0x0080FF};
    for (COLORREF c : exact)
        EXPECT_EQ(HlsToRgb(RgbToHls(c)), c) << std::hex << c;
    EXPECT_EQ(HlsToRgb(RgbToHls(0x808080)), 0x7F7F7Fu);
}

TEST(ColorRules, HlsToRgbEdges)
{
    EXPECT_EQ(HlsToRgb(160, 240, 0), 0xFFFFFFu); // 240 gives 255
    EXPECT_EQ(HlsToRgb(0, 0, 240), 0x000000u);
    EXPECT_EQ(HlsToRgb(0, 160, 240), 0x5555FFu);
    EXPECT_EQ(HlsToRgb(0, 100, 240), 0x0000D5u);
    // Hue 240 is hue 0 again.
    EXPECT_EQ(HlsToRgb(240, 120, 240), HlsToRgb(0, 120, 240));
    // A hue pushed below zero on the blue channel yields m1, the same as its wrapped value.
    EXPECT_EQ(HueToRgb(10, 200, std::uint16_t(20 - 80)), 10);
    EXPECT_EQ(HueToRgb(10, 200, 160 + 20), 10);
}

TEST(ColorRules, HlsLightnessSteps)
{
    EXPECT_EQ(DarkenHlsThird(0x0000FF), 0x000055u);
    EXPECT_EQ(DarkenHlsTwoThirds(0x0000FF), 0x0000AAu);
    EXPECT_EQ(LightenHlsHalfway(0x0000FF), 0x8080FFu);
    EXPECT_EQ(LightenHlsHalfway(0xFFFFFF), 0xFFFFFFu); // capped at 240
    EXPECT_EQ(DarkenHlsThird(0x000000), 0x000000u);
}

TEST(ColorRules, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(1, -1, -2), 1);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 2), -1); // overflows 32 bits
}

struct ShadeCase
{
    const char *what;
    COLORREF got;
    COLORREF want;
};

TEST(ColorRules, ChannelShadesAtTheBoundaries)
{
    const ShadeCase cases[] = {
        {"lighten 0", LightenColor(0, 0x123456), 0x123456},
        {"lighten 255", LightenColor(255, 0x123456), 0xFFFFFF},
        {"lighten black 40", LightenColor(40, 0x000000), 0x282828},
        {"lighten white", LightenColor(100, 0xFFFFFF), 0xFFFFFF},
        {"darken 0", DarkenColor(0, 0x123456), 0x123456},
        {"darken 255", DarkenColor(255, 0x123456), 0x000000},
        {"darken white 40", DarkenColor(40, 0xFFFFFF), 0xD7D7D7},
        {"darken grey 100", DarkenColor(100, 0x808080), 0x4E4E4E},
        {"out-of-range amounts clamp", LightenColor(400, 0x000000), 0xFFFFFF},
        {"out-of-range amounts clamp", DarkenColor(400, 0xFFFFFF), 0x000000},
        {"high byte dropped", LightenColor(0, 0xFF123456), 0x123456},
        {"pale", GetPaleShade(0x000000), 0x282828},
        {"pale darker", GetPaleShadeDarker(0xFFFFFF), 0xD7D7D7},
        {"pale dark", GetPaleShadeDark(0xFFFFFF), DarkenColor(20, 0xFFFFFF)},
        {"soft", GetSoftShade(0x0000FF), 0x6464CB},
        {"soft darker", GetSoftShadeDarker(0x0000FF), DarkenColor(40, 0x6464CB)},
        {"soft dark", GetSoftShadeDark(0x0000FF), DarkenColor(20, 0x6464CB)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(ColorRules, MixingAndBlending)
{
    EXPECT_EQ(MixColors86(0xFFFFFF, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(MixColors86(0xFFFFFF, 0x000000), 0xDBDBDBu);
    EXPECT_EQ(MixColors70(0xFFFFFF, 0x000000), 0xB3B3B3u);
    EXPECT_EQ(MixColors70(0xFFFFFF, 0xFFFFFF), 0xFFFFFFu); // 179 + 77 clamps to 255
    // No colour as the second colour is no colour, whatever the first and the weight.
    for (int w : {0, 128, 255})
        EXPECT_EQ(BlendColors(0x123456, kNoColor, w), kNoColor);
    // The weights divide by 256: white with white loses one step.
    EXPECT_EQ(BlendColors(0xFFFFFF, 0xFFFFFF, 100), 0xFEFEFEu);
    EXPECT_EQ(BlendColors(0x000000, 0xFFFFFF, 128), 0x7F7F7Fu);
    EXPECT_EQ(BlendColors(0x0000FF, 0xFF0000, 0), 0x0000FEu);
}

TEST(ColorRules, LightColourThreshold)
{
    EXPECT_FALSE(IsLightColor(MakeColor(128, 128, 128))); // 384
    EXPECT_TRUE(IsLightColor(MakeColor(129, 128, 128)));
    EXPECT_TRUE(IsLightColor(0xFFFFFF));
    EXPECT_FALSE(IsLightColor(0x0000FF));
}

TEST_F(DisplayColours, DisplayColourCountFromDepth)
{
    const std::pair<int, int> cases[] = {{1, 64000},  {2, 2},      {4, 16},    {8, 256},
                                         {15, 64000}, {16, 64000}, {32, 64000}};
    for (auto [depth, count] : cases)
        EXPECT_EQ(DisplayColorCountFromDepth(depth), count) << depth;
    EXPECT_EQ(GetDisplayColorCount(), 64000); // no screen asked
}

TEST_F(DisplayColours, DisplayColourCountIsCachedUntilForced)
{
    int asked = 0, depth = 8;
    SetDisplayDepthSource([&] {
        ++asked;
        return depth;
    });
    EXPECT_EQ(GetDisplayColorCount(), 256);
    depth = 32;
    EXPECT_EQ(GetDisplayColorCount(), 256);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(GetDisplayColorCount(true), 64000);
    EXPECT_EQ(asked, 2);
}

TEST_F(DisplayColours, GradientPairRules)
{
    // Dark colour: +40 / -20; light colour: +10 / -30, capped at 240 and 0.
    EXPECT_EQ(MakeGradientPair(0x0000FF), (GradientPair{0x5555FF, 0x0000D5}));
    EXPECT_EQ(MakeGradientPair(0xC0C0C0), (GradientPair{0xCACACA, 0xA0A0A0}));
    EXPECT_EQ(MakeGradientPair(0xF8F8F8), (GradientPair{0xFFFFFF, 0xD7D7D7}));
    EXPECT_EQ(MakeGradientPair(0x0A0A0A), (GradientPair{0x343434, 0x000000}));
    EXPECT_EQ(MakeGradientPair(0xFFFFFF), (GradientPair{0xFFFFFF, 0xFFFFFF}));
    EXPECT_EQ(MakeGradientPair(kNoColor), (GradientPair{kNoColor, kNoColor}));

    SetDisplayDepthSource([] { return 8; });
    EXPECT_EQ(MakeGradientPair(0x0000FF), (GradientPair{0x0000FF, 0x0000FF}));
}

} // namespace
