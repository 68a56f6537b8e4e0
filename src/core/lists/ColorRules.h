// Colour arithmetic shared by every painter: COLORREF values (0x00BBGGRR), integer HLS on the
// 0..240 scale, shades, blends and the gradient rule. Pure functions, except the cached colour count.
#pragma once

#include "core/system/IntMath.h"

#include <cstdint>
#include <functional>

using COLORREF = std::uint32_t;

inline constexpr COLORREF kNoColor = 0xFFFFFFFF; // "no colour"
inline constexpr COLORREF kWhite = 0x00FFFFFF;
inline constexpr COLORREF kBlack = 0x00000000;

constexpr COLORREF MakeColor(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int ColorRed(COLORREF c)
{
    return int(c & 0xFF);
}
constexpr int ColorGreen(COLORREF c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int ColorBlue(COLORREF c)
{
    return int((c >> 16) & 0xFF);
}


// Hue, lightness and saturation on the 0..240 scale; greys have hue 160 ("undefined").
struct HlsColor
{
    std::uint16_t hue = 0;
    std::uint16_t lightness = 0;
    std::uint16_t saturation = 0;
    bool operator==(const HlsColor &) const = default;
};

inline constexpr int kHlsMax = 240;
inline constexpr std::uint16_t kUndefinedHue = 160;

// Number of colours the screen shows: 2, 16, 256 or 64000. Asked once and cached; recomputed when
// the cache is empty or `force` is set.
int GetDisplayColorCount(bool force = false);
// The colour count for a screen's planes x bits-per-pixel product.
int DisplayColorCountFromDepth(int depth);
// Where the colour count comes from: a function giving the screen's planes x bits per pixel. The
// views library installs one that asks the screen; without one the count is 64000. Clears the cache.
void SetDisplayDepthSource(std::function<int()> source);

HlsColor RgbToHls(COLORREF colour);
COLORREF HlsToRgb(std::uint16_t hue, std::uint16_t lightness, std::uint16_t saturation);
inline COLORREF HlsToRgb(const HlsColor &hls)
{
    return HlsToRgb(hls.hue, hls.lightness, hls.saturation);
}
int HueToRgb(int m1, int m2, std::uint16_t hue);

COLORREF DarkenHlsThird(COLORREF colour);
COLORREF DarkenHlsTwoThirds(COLORREF colour);
COLORREF LightenHlsHalfway(COLORREF colour);
COLORREF LightenColor(int amount, COLORREF colour);
COLORREF DarkenColor(int amount, COLORREF colour);
COLORREF MixColors86(COLORREF a, COLORREF b);
COLORREF MixColors70(COLORREF a, COLORREF b);
COLORREF BlendColors(COLORREF a, COLORREF b, int weight);
bool IsLightColor(COLORREF colour);
// Screens here show true colour, so the nearest screen colour is the colour itself.
COLORREF GetNearestScreenColor(COLORREF colour);

struct GradientPair
{
    COLORREF light = 0;
    COLORREF dark = 0;
    bool operator==(const GradientPair &) const = default;
};
GradientPair MakeGradientPair(COLORREF colour);

// Shades of a base colour for item boxes and cell shading.
COLORREF GetPaleShade(COLORREF c);
COLORREF GetPaleShadeDarker(COLORREF c);
COLORREF GetPaleShadeDark(COLORREF c);
COLORREF GetSoftShade(COLORREF c);
COLORREF GetSoftShadeDarker(COLORREF c);
COLORREF GetSoftShadeDark(COLORREF c);
