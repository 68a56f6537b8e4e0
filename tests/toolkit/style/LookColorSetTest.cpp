// The numbered look colours: the fixed sets of the visual styles, the system set (plain and not),
// high contrast, the info colours from the settings, the shared tail, the named colours taken from
// the set, the bar brush picture, and a swatch render of each style's set.
#include "toolkit/style/LookColorSet.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"
#include "toolkit/style/VisualStyle.h"
#include "toolkit/RenderFolder.h"
#include "common/TempProfile.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

constexpr int kTrueColour = 64000;

// System colours that differ from each other, so every formula's input can be told apart.
SystemColors TestSystem()
{
    SystemColors s;
    s.face = 0xD8E9EC;
    s.shadow = 0x99A8AC;
    s.hilite = 0xF0F0F0;
    s.window = 0xFFFFFF;
    s.highlight = 0xC56A31; // dark blue: not a light colour
    s.highlightText = 0xFFFFFE;
    s.menu = 0xEEEEEE;
    s.menuText = 0x101010;
    s.grayText = 0x808080;
    s.windowFrame = 0x020202;
    s.windowText = 0x030303;
    return s;
}

CLookColorSet Compute(int style, int colours = kTrueColour, bool highContrast = false)
{
    LookOptions o;
    o.visualStyle = style;
    o.highContrast = highContrast;
    CLookColorSet set;
    set.Update(TestSystem(), o, colours);
    return set;
}

struct Row
{
    int n;
    COLORREF blue, olive, silver;
};

// One colour of one set.
struct Entry
{
    int n;
    COLORREF colour;
};

TEST(LookColorSet, FixedSetsOfTheVisualStyles)
{
    // The rows where the three sets differ, and some they share.
    const Row rows[] = {
        {1, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, {2, 0, 0, 0},
        {4, 0xCCF4FF, 0xCCF4FF, 0xCCF4FF}, {9, 0x55ADFF, 0x55ADFF, 0x55ADFF},
        {13, 0xF5BE9E, 0xA7D9D9, 0xE5D7D7}, {14, 0xF9DAC3, 0xE4F0F2, 0xF7F3F3},
        {17, 0xFFEFE3, 0xD5F0EC, 0xF1E9E8}, {18, 0xE7B593, 0x9FCEC2, 0xCDB9BA},
        {19, 0x800000, 0x385D3F, 0x6F4B4B}, {20, 0x962D00, 0x5E8D75, 0x947C7C},
        {21, 0xFFEFE3, 0xEDFFFF, 0xFFF9F9}, {22, 0xE4AD87, 0x92C7B8, 0xB99D9F},
        {23, 0xF6F6F6, 0xEEF4F4, 0xFFFAFD}, {26, 0x3E80FF, 0x3E80FF, 0x3E80FF},
        {27, 0xCB8C6A, 0x588060, 0x8F6D6E}, {28, 0xFFF9F1, 0xDEF7F4, 0xFFFFFF},
        {29, 0xFADAC4, 0xE4F1F2, 0xF7F3F3}, {31, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
        {45, 0x8DDCFA, 0x8DDCFA, 0x8DDCFA}, {46, 0, 0, 0},
        {47, 0xE6D8CF, 0xCFE6E4, 0xE6D8CF},
    };
    const CLookColorSet blue = Compute(kStyleBlue), olive = Compute(kStyleOlive),
                        silver = Compute(kStyleSilver);
    for (const Row &r : rows) {
        EXPECT_EQ(blue.Get(r.n), r.blue) << r.n;
        EXPECT_EQ(olive.Get(r.n), r.olive) << r.n;
        EXPECT_EQ(silver.Get(r.n), r.silver) << r.n;
    }
    // Colour 30: the set's mix, lightened by 40 above 256 colours.
    EXPECT_EQ(blue.Get(30), 0xCC845Cu);
    EXPECT_EQ(olive.Get(30), LightenColor(40, MixColors70(0x82C0AF, 0x447A63)));
    // Any other style draws with the silver set.
    EXPECT_EQ(Compute(kStyleOther), silver);
}

TEST(LookColorSet, SystemSet)
{
    const SystemColors s = TestSystem();
    const CLookColorSet set = Compute(kStyleNone);
    // The highlight is dark, so the selection tint takes 30 % of it.
    const COLORREF sel = MixColors70(s.window, s.highlight);
    const COLORREF deep = MixColors86(sel, s.highlight);
    const Entry rows[] = {
        {1, s.menuText}, {3, s.grayText}, {4, sel}, {5, sel}, {6, DarkenColor(10, deep)},
        {8, deep}, {13, s.face}, {14, BlendColors(s.face, s.window, 200)},
        {17, DarkenColor(10, s.window)}, {19, s.shadow}, {20, LightenColor(40, s.shadow)},
        {21, MixColors86(s.window, s.menu)}, {22, s.menu}, {23, MixColors86(s.window, s.menu)},
        {24, sel}, {25, deep}, {26, DarkenColor(10, deep)}, {27, LightenColor(80, s.shadow)},
        {28, LightenColor(80, s.hilite)}, {29, s.face}, {30, LightenColor(40, s.shadow)},
        {31, s.window}, {45, s.shadow}, {46, s.window}, {47, 0xE6D8CF},
    };
    for (const Entry &r : rows)
        EXPECT_EQ(set.Get(r.n), r.colour) << r.n;

    // A light highlight takes only 14 %.
    SystemColors light = s;
    light.highlight = 0xFFE0C0;
    CLookColorSet lightSet;
    lightSet.Update(light, LookOptions(), kTrueColour);
    EXPECT_EQ(lightSet.Get(4), MixColors86(s.window, light.highlight));
}

TEST(LookColorSet, PlainAt256ColoursOrHighContrast)
{
    const SystemColors s = TestSystem();
    struct Case
    {
        int colours;
        bool highContrast;
        COLORREF colour30;
    };
    // High contrast on a true-colour screen is plain but still lightens the info colour.
    const Case cases[] = {{256, false, s.shadow}, {16, false, s.shadow},
                          {kTrueColour, true, LightenColor(40, s.shadow)}};
    for (const Case &c : cases) {
        // The style is ignored: the system set applies, in its plain form.
        const CLookColorSet set = Compute(kStyleBlue, c.colours, c.highContrast);
        EXPECT_EQ(set.Get(4), s.window) << c.colours;
        EXPECT_EQ(set.Get(13), s.face);
        EXPECT_EQ(set.Get(14), s.face);
        EXPECT_EQ(set.Get(17), s.face);
        EXPECT_EQ(set.Get(20), s.shadow);
        EXPECT_EQ(set.Get(21), s.menu);
        EXPECT_EQ(set.Get(27), s.shadow);
        EXPECT_EQ(set.Get(28), s.hilite);
        EXPECT_EQ(set.Get(30), c.colour30) << c.colours;
    }
}

TEST(LookColorSet, EffectiveStyle)
{
    struct Case
    {
        int style, colours;
        bool highContrast;
        int effective;
    };
    const Case cases[] = {
        {kStyleBlue, kTrueColour, false, kStyleBlue}, {kStyleOther, kTrueColour, false, kStyleOther},
        {kStyleBlue, 256, false, kStyleNone},         {kStyleSilver, kTrueColour, true, kStyleNone},
        {7, kTrueColour, false, kStyleNone},          {-1, kTrueColour, false, kStyleNone},
    };
    for (const Case &c : cases) {
        LookOptions o;
        o.visualStyle = c.style;
        o.highContrast = c.highContrast;
        EXPECT_EQ(CLookColorSet::EffectiveStyle(o, c.colours), c.effective) << c.style << " " << c.colours;
    }
}

TEST(LookColorSet, CommonTail)
{
    const SystemColors s = TestSystem();
    LookOptions o;
    o.visualStyle = kStyleOlive;
    o.today = 0x00FF00;
    o.nonWorkDayText = 0x008000;
    CLookColorSet set;
    set.Update(s, o, kTrueColour);
    const Entry rows[] = {
        {32, s.hilite}, {33, s.window}, {34, s.windowFrame}, {35, s.windowText},
        {36, set.Get(30)}, {37, set.Get(31)}, {38, s.shadow}, {39, 0x00FF00}, {40, 0x008000},
        {41, 0x0000FF}, // colour 31 is light
        {42, s.highlight}, {43, s.highlightText}, {44, 0xFF0000},
    };
    for (const Entry &r : rows)
        EXPECT_EQ(set.Get(r.n), r.colour) << r.n;
    EXPECT_EQ(set.Get(0), 0u);
    EXPECT_EQ(set.Get(48), 0u);
}

TEST(LookColorSet, InfoColoursFromTheSettings)
{
    struct Case
    {
        bool custom;
        COLORREF background, text;
        COLORREF colour30, colour31, colour41;
    };
    const COLORREF computed30 = LightenColor(40, TestSystem().shadow);
    const Case cases[] = {
        // Taken as stored, not lightened.
        {true, 0x00FFFF, 0x800000, 0x00FFFF, 0x800000, 0xFFFFFF},
        // Unset values keep the computed ones (without the lightening).
        {true, kNoColor, kNoColor, TestSystem().shadow, TestSystem().window, 0x0000FF},
        {false, 0x00FFFF, 0x800000, computed30, TestSystem().window, 0x0000FF},
    };
    for (const Case &c : cases) {
        LookOptions o;
        o.customCaption = c.custom;
        o.captionBackground = c.background;
        o.captionText = c.text;
        CLookColorSet set;
        set.Update(TestSystem(), o, kTrueColour);
        EXPECT_EQ(set.Get(30), c.colour30) << c.custom;
        EXPECT_EQ(set.Get(31), c.colour31) << c.custom;
        EXPECT_EQ(set.Get(36), c.colour30);
        EXPECT_EQ(set.Get(41), c.colour41);
    }
}

TEST(LookColorSet, SettingsReadFromTheProfile)
{
    TempProfile profile;
    const QString common = QStringLiteral("Common");
    profile.Profile().WriteInt(common, QStringLiteral("VisualStyle"), 9);
    profile.Profile().WriteInt(common, QStringLiteral("CIC"), 1);
    profile.Profile().WriteInt(common, QStringLiteral("ICB"), 0x00FFFF);
    profile.Profile().WriteInt(common, QStringLiteral("TFC"), 0x00FF00);
    const LookOptions o = LookOptions::FromProfile();
    EXPECT_EQ(o.visualStyle, kStyleNone); // out of range
    EXPECT_TRUE(o.customCaption);
    EXPECT_EQ(o.captionBackground, 0x00FFFFu);
    EXPECT_EQ(o.captionText, kNoColor);
    EXPECT_EQ(o.today, 0x00FF00u);
    EXPECT_EQ(o.nonWorkDayText, 0x0000FFu);
    profile.Profile().WriteInt(common, QStringLiteral("VisualStyle"), 2);
    profile.Profile().WriteInt(common, QStringLiteral("HighContrast"), 1);
    EXPECT_EQ(LookOptions::FromProfile().visualStyle, kStyleOlive);
    EXPECT_TRUE(LookOptions::FromProfile().highContrast);
}

TEST(LookColorSet, MenuColoursFollowTheStyleAndViewColoursTheSystem)
{
    CMenuLook look;
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(250, 250, 250));
    palette.setColor(QPalette::Dark, QColor(120, 120, 120));
    LookOptions o;
    o.visualStyle = kStyleBlue;
    look.UpdateColors(palette, o, 1024);
    const auto &c = look.GetColors();
    EXPECT_EQ(c.barBackgroundPair, (ColorPair{0xF5BE9E, 0xF9DAC3}));
    EXPECT_EQ(c.hotPair, (ColorPair{0xCCF4FF, 0x91D0FF}));
    EXPECT_EQ(c.borderPlain, 0x800000u);
    EXPECT_EQ(c.window, MakeColor(250, 250, 250));
    EXPECT_EQ(c.grid, MakeColor(120, 120, 120));
    EXPECT_EQ(look.GetColor(44), 0xFF0000u);
    // The bar brush is the gradient picture, not a solid colour.
    EXPECT_FALSE(GetBarBackgroundBrush(look).textureImage().isNull());
}

TEST(LookColorSet, PaletteChangeRecomputesTheLook)
{
    CMenuLook &look = CMenuLook::Instance();
    const QPalette before = QApplication::palette();
    QPalette changed = before;
    changed.setColor(QPalette::Base, QColor(1, 2, 3));
    changed.setColor(QPalette::Button, QColor(200, 100, 50));
    QApplication::setPalette(changed);
    EXPECT_EQ(look.GetColors().window, MakeColor(1, 2, 3));
    EXPECT_EQ(look.GetColor(33), MakeColor(1, 2, 3));
    QApplication::setPalette(before);
    EXPECT_EQ(look.GetColors().window, FromQColor(before.color(QPalette::Base)));
}

TEST(LookColorSet, BarBrushPicture)
{
    struct Case
    {
        int screen, width;
    };
    const Case cases[] = {{1024, 1040}, {1000, 1016}, {1001, 1016}, {0, 16}, {-50, 16}, {300, 312}};
    for (const Case &c : cases)
        EXPECT_EQ(CMenuLook::BarBrushWidth(c.screen), c.width) << c.screen;

    const QImage wide = CMenuLook::MakeBarBrushImage(0x000000, 0xFFFFFF, 1024);
    ASSERT_EQ(wide.size(), QSize(1040, 20));
    EXPECT_EQ(wide.pixel(0, 10), qRgb(0, 0, 0));
    EXPECT_LT(qRed(wide.pixel(300, 10)), qRed(wide.pixel(400, 10)));
    EXPECT_EQ(wide.pixel(699, 10), qRgb(255, 255, 255));
    EXPECT_EQ(wide.pixel(1039, 0), qRgb(255, 255, 255));
    // Narrower than 700 pixels: the gradient spans the whole picture.
    const QImage narrow = CMenuLook::MakeBarBrushImage(0x000000, 0xFFFFFF, 300);
    EXPECT_EQ(narrow.pixel(311, 10), qRgb(255, 255, 255));
    EXPECT_GT(qRed(narrow.pixel(150, 10)), 100);
    EXPECT_LT(qRed(narrow.pixel(150, 10)), 160);
}

// A swatch sheet per visual style: the 47 numbered colours in rows with their numbers, and the bar
// brush along the bottom.
TEST(LookColorSet, SwatchRenders)
{
    const char *names[] = {"none", "blue", "olive", "silver"};
    for (int style = kStyleNone; style <= kStyleSilver; ++style) {
        CMenuLook look;
        LookOptions o;
        o.visualStyle = style;
        look.UpdateColors(QPalette(QColor(0xEF, 0xEF, 0xEF)), o, 600);
        const int cell = 44, columns = 8, rows = (CLookColorSet::kCount + columns - 1) / columns;
        QImage image(columns * cell, rows * cell + 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        QFont font = p.font();
        font.setPixelSize(11);
        p.setFont(font);
        for (int n = 1; n <= CLookColorSet::kCount; ++n) {
            const QRect r(((n - 1) % columns) * cell + 2, ((n - 1) / columns) * cell + 2, cell - 4, cell - 4);
            const COLORREF colour = look.GetColor(n);
            p.fillRect(r, ToQColor(colour));
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(ToQColor(IsLightColor(colour) ? 0x000000 : 0xFFFFFF));
            p.drawText(r, Qt::AlignCenter, QString::number(n));
        }
        p.fillRect(QRect(0, rows * cell + 2, image.width(), 20), GetBarBackgroundBrush(look));
        p.end();
        EXPECT_TRUE(SaveRender(image, QStringLiteral("look-colours-%1").arg(QLatin1String(names[style]))));
    }
}

} // namespace
