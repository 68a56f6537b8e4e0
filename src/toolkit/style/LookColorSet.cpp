// The numbered look colours: fixed sets for the three known visual styles, a set derived from the
// system colours otherwise, and a tail every style shares.
#include "toolkit/style/LookColorSet.h"

#include "core/system/Profile.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/VisualStyle.h"

#include <QPalette>

namespace {

// Colours 1 to 29 and 45 to 47 of the blue, olive and silver sets; colour 30 is a mix of two
// colours of the set and colour 31 is white in all three.
struct StyleSet
{
    std::array<COLORREF, 29> first;
    COLORREF infoA, infoB; // colour 30 = Mix70(infoA, infoB)
    std::array<COLORREF, 3> last;
};

// clang-format off
constexpr StyleSet kStyleSets[3] = {
    {{0xFFFFFF, 0x000000, 0x8D8D8D, 0xCCF4FF, 0x91D0FF, 0x4E91FF, 0x8ED3FF, 0x8CD5FF, 0x55ADFF, 0x8D8D8D,
      0x000000, 0x000000, 0xF5BE9E, 0xF9DAC3, 0xCCF4FF, 0x9AD6FF, 0xFFEFE3, 0xE7B593, 0x800000, 0x962D00,
      0xFFEFE3, 0xE4AD87, 0xF6F6F6, 0xC2EEFF, 0x6FC0FF, 0x3E80FF, 0xCB8C6A, 0xFFF9F1, 0xFADAC4},
     0xD68759, 0x962D00, {0x8DDCFA, 0x000000, 0xE6D8CF}},
    {{0xFFFFFF, 0x000000, 0x8D8D8D, 0xCCF4FF, 0x91D0FF, 0x4E91FF, 0x8ED3FF, 0x8CD5FF, 0x55ADFF, 0x8D8D8D,
      0x000000, 0x000000, 0xA7D9D9, 0xE4F0F2, 0xCCF4FF, 0x9AD6FF, 0xD5F0EC, 0x9FCEC2, 0x385D3F, 0x5E8D75,
      0xEDFFFF, 0x92C7B8, 0xEEF4F4, 0xC2EEFF, 0x6FC0FF, 0x3E80FF, 0x588060, 0xDEF7F4, 0xE4F1F2},
     0x82C0AF, 0x447A63, {0x8DDCFA, 0x000000, 0xCFE6E4}},
    {{0xFFFFFF, 0x000000, 0x8D8D8D, 0xCCF4FF, 0x91D0FF, 0x4E91FF, 0x8ED3FF, 0x8CD5FF, 0x55ADFF, 0x8D8D8D,
      0x000000, 0x000000, 0xE5D7D7, 0xF7F3F3, 0xCCF4FF, 0x9AD6FF, 0xF1E9E8, 0xCDB9BA, 0x6F4B4B, 0x947C7C,
      0xFFF9F9, 0xB99D9F, 0xFFFAFD, 0xC2EEFF, 0x6FC0FF, 0x3E80FF, 0x8F6D6E, 0xFFFFFF, 0xF7F3F3},
     0xBFA7A8, 0x916F70, {0x8DDCFA, 0x000000, 0xE6D8CF}},
};
// clang-format on

constexpr COLORREF kColor44 = 0xFF0000;

} // namespace

SystemColors SystemColors::FromPalette(const QPalette &palette)
{
    auto sys = [&palette](QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active) {
        return FromQColor(palette.color(group, role));
    };
    SystemColors s;
    s.face = sys(QPalette::Button);
    s.shadow = sys(QPalette::Dark);
    s.hilite = sys(QPalette::Light);
    s.window = sys(QPalette::Base);
    s.highlight = sys(QPalette::Highlight);
    s.highlightText = sys(QPalette::HighlightedText);
    s.menu = sys(QPalette::Window);
    s.menuText = sys(QPalette::WindowText);
    s.grayText = sys(QPalette::Text, QPalette::Disabled);
    s.windowFrame = sys(QPalette::Shadow);
    s.windowText = sys(QPalette::Text);
    return s;
}

LookOptions LookOptions::FromProfile()
{
    const QString common = QStringLiteral("Common");
    auto colour = [&common](const char *name, COLORREF fallback) {
        return COLORREF(GetProfileInt(common, QString::fromLatin1(name), int(fallback)));
    };
    LookOptions o;
    o.visualStyle = GetVisualStyle();
    o.highContrast = IsHighContrastOn();
    o.today = colour("TFC", 0x0000FF);
    o.nonWorkDayText = colour("WITC", 0x0000FF);
    o.customCaption = GetProfileInt(common, QStringLiteral("CIC"), 0) != 0;
    o.captionBackground = colour("ICB", kNoColor);
    o.captionText = colour("ICT", kNoColor);
    return o;
}

CLookColorSet::CLookColorSet()
{
    Set(44, kColor44);
}

int CLookColorSet::EffectiveStyle(const LookOptions &options, int displayColors)
{
    if (options.highContrast || displayColors <= 256)
        return kStyleNone;
    return BoundVisualStyle(options.visualStyle);
}

void CLookColorSet::SetStyleSet(int style)
{
    // Any other style takes the silver set.
    const StyleSet &set = kStyleSets[std::min(style, int(kStyleSilver)) - 1];
    for (int n = 1; n <= 29; ++n)
        Set(n, set.first[std::size_t(n - 1)]);
    Set(30, MixColors70(set.infoA, set.infoB));
    Set(31, 0xFFFFFF);
    Set(45, set.last[0]);
    Set(46, set.last[1]);
    Set(47, set.last[2]);
}

void CLookColorSet::SetSystemSet(const SystemColors &s, bool plain)
{
    // Nearest screen colours only matter on palette screens.
    auto nearest = [plain](COLORREF c) { return plain ? GetNearestScreenColor(c) : c; };
    const COLORREF selection = plain ? s.window
                               : IsLightColor(s.highlight) ? MixColors86(s.window, s.highlight)
                                                           : MixColors70(s.window, s.highlight);
    const COLORREF deep = nearest(MixColors86(selection, s.highlight));
    const COLORREF deeper = nearest(DarkenColor(10, deep));
    Set(1, s.menuText);
    Set(2, s.menuText);
    Set(3, s.grayText);
    Set(4, selection);
    Set(5, selection);
    Set(6, deeper);
    Set(7, deeper);
    Set(8, deep);
    Set(9, deep);
    Set(10, s.grayText);
    Set(11, s.menuText);
    Set(12, s.menuText);
    Set(13, s.face);
    Set(14, plain ? s.face : BlendColors(s.face, s.window, 200));
    Set(15, selection);
    Set(16, selection);
    Set(17, plain ? s.face : DarkenColor(10, s.window));
    Set(18, s.face);
    Set(19, s.shadow);
    Set(20, plain ? s.shadow : LightenColor(40, s.shadow));
    Set(21, plain ? s.menu : MixColors86(s.window, s.menu));
    Set(22, s.menu);
    Set(23, nearest(MixColors86(s.window, s.menu)));
    Set(24, selection);
    Set(25, deep);
    Set(26, deeper);
    Set(27, plain ? s.shadow : LightenColor(80, s.shadow));
    Set(28, plain ? s.hilite : LightenColor(80, s.hilite));
    Set(29, s.face);
    Set(30, s.shadow);
    Set(31, s.window);
    Set(45, s.shadow);
    Set(46, s.window);
    Set(47, 0xE6D8CF);
}

void CLookColorSet::Update(const SystemColors &system, const LookOptions &options, int displayColors)
{
    const int style = EffectiveStyle(options, displayColors);
    if (style == kStyleNone)
        SetSystemSet(system, IsPlain(displayColors, options.highContrast));
    else
        SetStyleSet(style);

    // The info colours: the stored pair when asked for, else a lighter background.
    if (options.customCaption) {
        if (options.captionBackground != kNoColor)
            Set(30, options.captionBackground & 0xFFFFFF);
        if (options.captionText != kNoColor)
            Set(31, options.captionText & 0xFFFFFF);
    } else if (displayColors > 256) {
        Set(30, LightenColor(40, Get(30)));
    }
    Set(32, system.hilite);
    Set(33, system.window);
    Set(34, system.windowFrame);
    Set(35, system.windowText);
    Set(36, Get(30));
    Set(37, Get(31));
    Set(38, system.shadow);
    Set(39, options.today);
    Set(40, options.nonWorkDayText);
    Set(41, IsLightColor(Get(31)) ? 0x0000FF : 0xFFFFFF);
    Set(42, system.highlight);
    Set(43, system.highlightText);
}
