// Colour arithmetic: integer HLS on the 0..240 scale, channel shading and the gradient rule.
#include "core/lists/ColorRules.h"

#include <algorithm>
#include <utility>

namespace {
int g_colorCount = 0;
std::function<int()> g_depthSource;

int ClampChannel(long long v)
{
    return int(std::clamp<long long>(v, 0, 255));
}

// Applies `f` to each channel of `c`; the result has a zero high byte.
template <typename F> COLORREF PerChannel(COLORREF c, F f)
{
    return MakeColor(ClampChannel(f(ColorRed(c))), ClampChannel(f(ColorGreen(c))),
                     ClampChannel(f(ColorBlue(c))));
}

template <typename F> COLORREF PerChannel2(COLORREF a, COLORREF b, F f)
{
    return MakeColor(ClampChannel(f(ColorRed(a), ColorRed(b))), ClampChannel(f(ColorGreen(a), ColorGreen(b))),
                     ClampChannel(f(ColorBlue(a), ColorBlue(b))));
}

COLORREF WithLightness(COLORREF colour, int lightness)
{
    const HlsColor hls = RgbToHls(colour);
    return HlsToRgb(hls.hue, std::uint16_t(std::clamp(lightness, 0, kHlsMax)), hls.saturation);
}
} // namespace

int DisplayColorCountFromDepth(int depth)
{
    switch (depth) {
    case 2:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 64000;
    }
}

void SetDisplayDepthSource(std::function<int()> source)
{
    g_depthSource = std::move(source);
    g_colorCount = 0;
}

int GetDisplayColorCount(bool force)
{
    if (g_colorCount == 0 || force)
        g_colorCount = DisplayColorCountFromDepth(g_depthSource ? g_depthSource() : 32);
    return g_colorCount;
}

HlsColor RgbToHls(COLORREF colour)
{
    const int r = ColorRed(colour), g = ColorGreen(colour), b = ColorBlue(colour);
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    HlsColor out;
    const int l = ((mx + mn) * kHlsMax + 255) / 510;
    out.lightness = std::uint16_t(l);
    if (mx == mn) {
        out.saturation = 0;
        out.hue = kUndefinedHue;
        return out;
    }
    const int sum = mx + mn;
    const int diff = mx - mn;
    const int s = l <= kHlsMax / 2 ? (diff * kHlsMax + sum / 2) / sum
                                   : (diff * kHlsMax + (510 - sum) / 2) / (510 - sum);
    const int rd = ((mx - r) * (kHlsMax / 6) + diff / 2) / diff;
    const int gd = ((mx - g) * (kHlsMax / 6) + diff / 2) / diff;
    const int bd = ((mx - b) * (kHlsMax / 6) + diff / 2) / diff;
    int h;
    if (r == mx)
        h = bd - gd;
    else if (g == mx)
        h = kHlsMax / 3 + rd - bd;
    else
        h = 2 * kHlsMax / 3 + gd - rd;
    if (h < 0)
        h += kHlsMax;
    if (h > kHlsMax)
        h -= kHlsMax;
    out.hue = std::uint16_t(h);
    out.saturation = std::uint16_t(s);
    return out;
}

int HueToRgb(int m1, int m2, std::uint16_t hue)
{
    // The hue is unsigned: one that went below 0 is a large value and falls through to m1.
    if (hue > kHlsMax)
        hue = std::uint16_t(hue - kHlsMax);
    if (hue < kHlsMax / 6)
        return m1 + ((m2 - m1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2)
        return m2;
    if (hue < kHlsMax * 2 / 3)
        return m1 + ((m2 - m1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return m1;
}

COLORREF HlsToRgb(std::uint16_t hue, std::uint16_t lightness, std::uint16_t saturation)
{
    const int l = lightness, s = saturation;
    if (s == 0) {
        const int v = l * 255 / kHlsMax;
        return MakeColor(ClampChannel(v), ClampChannel(v), ClampChannel(v));
    }
    const int m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                    : l + s - (l * s + kHlsMax / 2) / kHlsMax;
    const int m1 = 2 * l - m2;
    auto scale = [](int v) { return ClampChannel((v * 255LL + kHlsMax / 2) / kHlsMax); };
    const int r = scale(HueToRgb(m1, m2, std::uint16_t(hue + kHlsMax / 3)));
    const int g = scale(HueToRgb(m1, m2, hue));
    const int b = scale(HueToRgb(m1, m2, std::uint16_t(hue - kHlsMax / 3)));
    return MakeColor(r, g, b);
}

COLORREF DarkenHlsThird(COLORREF colour)
{
    return WithLightness(colour, RgbToHls(colour).lightness / 3);
}

COLORREF DarkenHlsTwoThirds(COLORREF colour)
{
    return WithLightness(colour, RgbToHls(colour).lightness * 2 / 3);
}

COLORREF LightenHlsHalfway(COLORREF colour)
{
    return WithLightness(colour, std::min(RgbToHls(colour).lightness / 2 + kHlsMax / 2, kHlsMax));
}

COLORREF LightenColor(int amount, COLORREF colour)
{
    return PerChannel(colour, [amount](int c) { return c + MulDiv(255 - c, amount, 255); });
}

COLORREF DarkenColor(int amount, COLORREF colour)
{
    return PerChannel(colour, [amount](int c) { return MulDiv(c, 255 - amount, 255); });
}

COLORREF MixColors86(COLORREF a, COLORREF b)
{
    return PerChannel2(a, b,
                       [](int x, int y) { return std::min(255, MulDiv(86, x, 100) + MulDiv(14, y, 100)); });
}

COLORREF MixColors70(COLORREF a, COLORREF b)
{
    return PerChannel2(a, b, [](int x, int y) { return std::min(255, MulDiv(7, x, 10) + MulDiv(3, y, 10)); });
}

COLORREF BlendColors(COLORREF a, COLORREF b, int weight)
{
    if (b == kNoColor)
        return kNoColor;
    return PerChannel2(a, b, [weight](int x, int y) { return (x * (255 - weight) + y * weight) / 256; });
}

bool IsLightColor(COLORREF colour)
{
    return ColorRed(colour) + ColorGreen(colour) + ColorBlue(colour) > 384;
}

COLORREF GetNearestScreenColor(COLORREF colour)
{
    return colour;
}

GradientPair MakeGradientPair(COLORREF colour)
{
    // "No colour" has no shades either; it goes through unchanged like white.
    if (GetDisplayColorCount() <= 256 || colour == kWhite || colour == kNoColor)
        return {colour, colour};
    const HlsColor hls = RgbToHls(colour);
    const int l = hls.lightness;
    int light, dark;
    if (IsLightColor(colour)) {
        light = l > 230 ? kHlsMax : l + 10;
        dark = l < 30 ? 0 : l - 30;
    } else {
        light = l > 200 ? kHlsMax : l + 40;
        dark = l < 20 ? 0 : l - 20;
    }
    return {HlsToRgb(hls.hue, std::uint16_t(light), hls.saturation),
            HlsToRgb(hls.hue, std::uint16_t(dark), hls.saturation)};
}

COLORREF GetPaleShade(COLORREF c)
{
    return LightenColor(40, c);
}
COLORREF GetPaleShadeDarker(COLORREF c)
{
    return DarkenColor(40, GetPaleShade(c));
}
COLORREF GetPaleShadeDark(COLORREF c)
{
    return DarkenColor(20, GetPaleShade(c));
}
COLORREF GetSoftShade(COLORREF c)
{
    return LightenColor(100, DarkenHlsTwoThirds(c));
}
COLORREF GetSoftShadeDarker(COLORREF c)
{
    return DarkenColor(40, GetSoftShade(c));
}
COLORREF GetSoftShadeDark(COLORREF c)
{
    return DarkenColor(20, GetSoftShade(c));
}
