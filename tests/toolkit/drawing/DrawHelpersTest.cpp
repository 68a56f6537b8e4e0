// Drawing helpers: colour conversion, the menu look's choices by item state, fill shades,
// gradients, status glyphs (strip choice by height, visible width) and small images.
#include "toolkit/drawing/DrawHelpers.h"
#include "common/PaintProbe.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

// A look whose every colour is different, so each getter's choice can be told apart.
CMenuLook DistinctLook()
{
    CMenuLook::Colors c;
    COLORREF next = 0x010101;
    auto take = [&next] { return next += 0x000010; };
    c.window = take();
    c.textNormal = take();
    c.textHot = take();
    c.textDisabled = take();
    c.borderPlain = take();
    c.borderHighlight = take();
    c.hotPair = {take(), take()};
    c.pressedPair = {take(), take()};
    c.checkedPair = {take(), take()};
    c.downPair = {take(), take()};
    c.popupPair = {take(), take()};
    c.barHotPair = {take(), take()};
    c.barBackgroundPair = {take(), take()};
    c.iconBack = take();
    c.iconBackSelected = take();
    c.checkBack = take();
    c.checkBackSelected = take();
    c.windowShade = take();
    c.windowHighlight = take();
    c.shadow = take();
    c.light = take();
    c.barBackground = take();
    c.highlight = 0xFF0000; // blue
    CMenuLook look;
    look.SetColors(c);
    return look;
}

TEST(DrawHelpers, ColourConversion)
{
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x563412), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    EXPECT_EQ(FromQColor(QColor::fromHsv(0, 255, 255)), 0x0000FFu);
    EXPECT_EQ(ToQColor(kNoColor).alpha(), 0);
}

TEST(DrawHelpers, TextAndBorderColoursByState)
{
    const CMenuLook look = DistinctLook();
    const auto &c = look.GetColors();
    struct Case
    {
        unsigned state;
        COLORREF toolbarText, menuText, buttonBorder;
    };
    const Case cases[] = {
        {0x000, c.textNormal, c.textNormal, c.borderHighlight},
        {0x001, c.textHot, c.textHot, c.borderHighlight},
        {0x040, c.textHot, c.textHot, c.borderHighlight},
        {0x002, c.textNormal, c.textDisabled, c.borderHighlight}, // grayed: menus only
        {0x004, c.textDisabled, c.textDisabled, c.borderHighlight},
        {0x045, c.textDisabled, c.textDisabled, c.borderHighlight},
        {0x100, c.textNormal, c.textNormal, c.borderPlain},
        {0x148, c.textHot, c.textHot, c.borderPlain},
    };
    for (const auto &k : cases) {
        EXPECT_EQ(GetToolbarTextColor(k.state, look), k.toolbarText) << std::hex << k.state;
        EXPECT_EQ(GetMenuTextColor(k.state, look), k.menuText) << std::hex << k.state;
        EXPECT_EQ(GetToolbarButtonBorderColor(k.state, look), k.buttonBorder) << std::hex << k.state;
    }
}

TEST(DrawHelpers, ButtonFillPairsByState)
{
    const CMenuLook look = DistinctLook();
    const auto &c = look.GetColors();
    const ColorPair untouched{0xABCDEF, 0x123456};
    const std::pair<unsigned, ColorPair> cases[] = {
        {0x100, c.downPair},    {0x109, c.downPair}, {0x009, c.pressedPair}, {0x008, c.checkedPair},
        {0x041, c.pressedPair}, {0x040, c.hotPair},  {0x048, c.checkedPair}, {0x001, untouched},
        {0x000, untouched},     {0x004, untouched},
    };
    for (auto [state, want] : cases) {
        ColorPair fill = untouched;
        GetToolbarButtonFillColors(state, fill, look);
        EXPECT_EQ(fill, want) << std::hex << state;
    }
}

TEST(DrawHelpers, MenuItemColoursByState)
{
    const CMenuLook look = DistinctLook();
    const auto &c = look.GetColors();
    // Border: on a bar only hot counts; in a pop-up an active item that is selected or checked.
    EXPECT_EQ(GetMenuItemBorderColor(true, false, 0x40, look), c.borderHighlight);
    EXPECT_EQ(GetMenuItemBorderColor(true, true, 0x09, look), c.borderPlain);
    EXPECT_EQ(GetMenuItemBorderColor(false, true, 0x01, look), c.borderHighlight);
    EXPECT_EQ(GetMenuItemBorderColor(false, true, 0x08, look), c.borderHighlight);
    EXPECT_EQ(GetMenuItemBorderColor(false, false, 0x09, look), c.borderPlain);
    EXPECT_EQ(GetMenuItemBorderColor(false, true, 0x40, look), c.borderPlain);

    EXPECT_EQ(GetMenuIconBackColor(0x00, look), c.iconBack);
    EXPECT_EQ(GetMenuIconBackColor(0x01, look), c.iconBackSelected);
    EXPECT_EQ(GetMenuIconBackColor(0x05, look), c.iconBack); // selected but disabled
    EXPECT_EQ(GetMenuCheckBackColor(0x00, look), c.checkBack);
    EXPECT_EQ(GetMenuCheckBackColor(0x05, look), c.checkBackSelected);

    EXPECT_EQ(GetItemGradientColors(false, 0x41, look), c.popupPair);
    EXPECT_EQ(GetItemGradientColors(true, 0x41, look), c.barHotPair);
    EXPECT_EQ(GetItemGradientColors(true, 0x01, look), c.downPair);
    EXPECT_EQ(GetItemGradientColors(true, 0x08, look), c.barBackgroundPair);

    EXPECT_EQ(GetMenuLookShadowColor(look), c.shadow);
    EXPECT_EQ(GetMenuLookLightColor(look), c.light);
    EXPECT_EQ(GetBarBackgroundBrush(look).color(), ToQColor(c.barBackground));
}

TEST(DrawHelpers, FillShadesOfTheWindowColourComeFromTheLook)
{
    const CMenuLook look = DistinctLook();
    const auto &c = look.GetColors();
    EXPECT_EQ(GetFillShade(c.window, look), c.windowShade);
    EXPECT_EQ(GetFillHighlight(c.window, look), c.windowHighlight);
    EXPECT_EQ(GetFillShade(0xFFFFFF, look), 0x9B9B9Bu);
    EXPECT_EQ(GetFillHighlight(0x123456, look), 0xFFFFFFu);
}

TEST(DrawHelpers, GradientReachesBothEnds)
{
    const QImage v = PaintImage(
        10, 20, [](QPainter &p) { FillGradientRect(p, QRect(0, 0, 10, 20), 0x0000FF, 0xFF0000, true); });
    EXPECT_EQ(v.pixelColor(5, 0), QColor(255, 0, 0));
    EXPECT_EQ(v.pixelColor(5, 19), QColor(0, 0, 255));
    EXPECT_EQ(v.pixelColor(0, 10), v.pixelColor(9, 10)); // rows are even

    const QImage h = PaintImage(
        20, 4, [](QPainter &p) { FillGradientRect(p, QRect(0, 0, 20, 4), 0x000000, 0xFFFFFF, false); });
    EXPECT_EQ(h.pixelColor(0, 2), QColor(0, 0, 0));
    EXPECT_EQ(h.pixelColor(19, 2), QColor(255, 255, 255));
    EXPECT_LT(h.pixelColor(8, 2).red(), h.pixelColor(12, 2).red());
}

TEST(DrawHelpers, GradientOfEqualColoursIsOneFill)
{
    const QImage v = PaintImage(
        10, 20, [](QPainter &p) { FillGradientRect(p, QRect(0, 0, 10, 20), 0x0000FF, 0x0000FF, true, true); });
    EXPECT_EQ(CountPixels(v, qRgb(255, 0, 0)), 200);
}

TEST(DrawHelpers, BandedGradientOnPaletteScreens)
{
    // Only with nearest colours asked for on a palette screen; otherwise it stays smooth.
    SetDisplayDepthSource([] { return 8; });
    const QImage banded = PaintImage(
        10, 4, [](QPainter &p) { FillGradientRect(p, QRect(0, 0, 10, 4), 0x000000, 0x0000FF, false, true); });
    const QImage smooth = PaintImage(
        10, 4, [](QPainter &p) { FillGradientRect(p, QRect(0, 0, 10, 4), 0x000000, 0x0000FF, false, false); });
    SetDisplayDepthSource(nullptr);
    // Span 8: bands at 0, 2, 4, 6 reach 0, 64, 128, 191 red; the last two pixels keep the end colour.
    const int expected[] = {0, 0, 64, 64, 128, 128, 191, 191, 255, 255};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(banded.pixelColor(x, 1).red(), expected[x]) << x;
    EXPECT_EQ(smooth.pixelColor(9, 1).red(), 255);
    EXPECT_GT(smooth.pixelColor(1, 1).red(), 0);
    EXPECT_LT(smooth.pixelColor(2, 1).red(), 64);
}

TEST(DrawHelpers, WorkAreaOfTheNearestScreen)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    // On the screen or far off it, the one screen's work area.
    EXPECT_EQ(GetMonitorWorkArea(QRect(10, 10, 50, 20)), screen->availableGeometry());
    EXPECT_EQ(GetMonitorWorkArea(QRect(-5000, -5000, 10, 10)), screen->availableGeometry());
}

TEST(DrawHelpers, GradientBands)
{
    struct Case
    {
        int length;
        std::vector<GradientBand> bands;
    };
    const Case cases[] = {
        {0, {}},
        {1, {}},
        {2, {}}, // no span to divide by: all of it the end colour
        {3, {{0, 2, 0x000000}}},
        {4, {{0, 2, 0x000000}}},
        {6, {{0, 2, 0x000000}, {2, 2, 0x808080}}},
        {7, {{0, 2, 0x000000}, {2, 2, 0x666666}, {4, 2, 0xCCCCCC}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GradientBands(0x000000, 0xFFFFFF, c.length), c.bands) << c.length;
    // Falling channels round the same way.
    EXPECT_EQ(GradientBands(0xFF0000, 0x000000, 6)[1].colour, 0x7F0000u);
}

// Glyph strips made for the test: in cell 1 strip 0 is solid, strip 1 has only its left half and
// strip 2 only its top half, so the picture tells which strip was drawn.
CMenuLook GlyphLook()
{
    CMenuLook look = DistinctLook();
    for (int s = 0; s < 3; ++s) {
        const QSize cell = CMenuLook::kGlyphCells[std::size_t(s)];
        QImage strip(cell.width() * CMenuLook::kGlyphCount, cell.height(), QImage::Format_ARGB32);
        strip.fill(Qt::transparent);
        QRect on(cell.width(), 0, cell.width(), cell.height());
        if (s == 1)
            on.setWidth(cell.width() / 2);
        if (s == 2)
            on.setHeight(cell.height() / 2);
        QPainter(&strip).fillRect(on, Qt::black);
        look.SetGlyphStrip(s, strip);
    }
    return look;
}

struct GlyphCase
{
    int width, height, visible;
    QRect painted; // relative to the glyph's origin; empty: nothing drawn
};

TEST(DrawHelpers, GlyphStripChosenByHeight)
{
    const CMenuLook look = GlyphLook();
    const GlyphCase cases[] = {
        {14, 11, 14, QRect(0, 0, 14, 11)},
        {14, 8, 14, QRect(0, 0, 14, 8)}, // below 11: the smallest strip
        {18, 15, 18, QRect(0, 0, 9, 15)},
        {25, 20, 25, QRect(0, 0, 25, 10)},
        {25, 30, 25, QRect(0, 0, 25, 15)}, // above 20: the largest strip, stretched
        {14, 12, 14, QRect()},
        {14, 13, 14, QRect()},
        {18, 16, 18, QRect()},
        {18, 19, 18, QRect()},
        {14, 11, 5, QRect(0, 0, 5, 11)}, // only the visible width
        {14, 11, 40, QRect(0, 0, 14, 11)},
        {14, 11, 0, QRect()},
        {14, 11, -3, QRect()},
    };
    for (const auto &c : cases) {
        const QImage image = PaintImage(60, 50, [&](QPainter &p) {
            p.setPen(Qt::red);
            DrawItemGlyph(p, 1, 3, 4, c.width, c.height, c.visible, look);
        });
        const QRect want = c.painted.isEmpty() ? QRect() : c.painted.translated(3, 4);
        EXPECT_EQ(PaintedBounds(image), want) << c.width << "x" << c.height << " visible " << c.visible;
        if (!want.isEmpty()) {
            EXPECT_EQ(CountPixels(image, qRgb(255, 0, 0)), want.width() * want.height());
        }
    }
}

TEST(DrawHelpers, GlyphIndexOutsideTheStripDrawsNothing)
{
    const CMenuLook look = GlyphLook();
    for (int index : {-1, CMenuLook::kGlyphCount}) {
        const QImage image =
            PaintImage(30, 20, [&](QPainter &p) { DrawItemGlyph(p, index, 0, 0, 14, 11, 14, look); });
        EXPECT_TRUE(PaintedBounds(image).isEmpty()) << index;
    }
    // Cell 0 of the test strips is empty: neighbouring cells do not bleed in.
    const QImage image =
        PaintImage(30, 20, [&](QPainter &p) { DrawItemGlyph(p, 0, 0, 0, 14, 11, 14, look); });
    EXPECT_TRUE(PaintedBounds(image).isEmpty());
}

TEST(DrawHelpers, SmallImagesAndTheirStyles)
{
    CMenuLook look = DistinctLook();
    QPixmap green(4, 4);
    green.fill(QColor(0, 255, 0));
    look.SetSmallImages({QPixmap(), green});

    const QImage normal =
        PaintImage(10, 10, [&](QPainter &p) { DrawImageListIcon(p, 1, 2, 3, kDrawNormal, look); });
    EXPECT_EQ(PaintedBounds(normal), QRect(2, 3, 4, 4));
    EXPECT_EQ(normal.pixelColor(2, 3), QColor(0, 255, 0));

    // The blend styles tint towards the highlight colour (blue here).
    const QImage half =
        PaintImage(10, 10, [&](QPainter &p) { DrawImageListIcon(p, 1, 0, 0, kDrawBlend50, look); });
    const QColor tinted = half.pixelColor(1, 1);
    EXPECT_NEAR(tinted.green(), 128, 2);
    EXPECT_NEAR(tinted.blue(), 128, 2);
    EXPECT_EQ(half.pixelColor(6, 6), QColor(Qt::white));

    for (int missing : {-1, 0, 2}) {
        const QImage none =
            PaintImage(10, 10, [&](QPainter &p) { DrawImageListIcon(p, missing, 0, 0, kDrawNormal, look); });
        EXPECT_TRUE(PaintedBounds(none).isEmpty()) << missing;
    }
}

} // namespace
