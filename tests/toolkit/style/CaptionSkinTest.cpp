// The caption skin: when it becomes active, and the glyph colour scan of a style's button image.
#include "toolkit/style/CaptionSkin.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "common/TempProfile.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kKey = 0xFF00FF;

// Eight 4 x 4 cells side by side on the key colour; each cell gets its own run of pixels.
QImage EightCells(const std::function<void(QImage &, int cell)> &paint, bool horizontal = true)
{
    QImage image(horizontal ? QSize(32, 4) : QSize(4, 32), QImage::Format_RGB32);
    image.fill(ToQColor(kKey));
    for (int cell = 0; cell < 8; ++cell)
        paint(image, cell);
    return image;
}

void Put(QImage &image, int cell, int index, QRgb colour, bool horizontal = true)
{
    // Pixel `index` of the cell in scan order (column by column side by side, row by row stacked).
    const int a = index / 4, b = index % 4;
    if (horizontal)
        image.setPixel(cell * 4 + a, b, colour);
    else
        image.setPixel(b, cell * 4 + a, colour);
}

TEST(CaptionSkin, GlyphColours)
{
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), grey = qRgb(9, 9, 9),
               white = qRgb(255, 255, 255);
    for (bool horizontal : {true, false}) {
        const QImage image = EightCells(
            [&](QImage &img, int cell) {
                if (cell == 0) { // the most frequent wins
                    Put(img, 0, 0, red, horizontal);
                    Put(img, 0, 1, green, horizontal);
                    Put(img, 0, 2, green, horizontal);
                } else if (cell == 1) { // a tie goes to the first counted
                    Put(img, 1, 0, blue, horizontal);
                    Put(img, 1, 1, red, horizontal);
                } else if (cell == 2) { // a fifth distinct colour is not counted
                    Put(img, 2, 0, red, horizontal);
                    Put(img, 2, 1, green, horizontal);
                    Put(img, 2, 2, blue, horizontal);
                    Put(img, 2, 3, grey, horizontal);
                    for (int i = 4; i < 8; ++i)
                        Put(img, 2, i, white, horizontal);
                } else {
                    Put(img, cell, 5, grey, horizontal);
                }
            },
            horizontal);
        const auto colours = CCaptionSkin::FindGlyphColors(image, horizontal, kKey);
        ASSERT_TRUE(colours.has_value()) << horizontal;
        EXPECT_EQ((*colours)[0], 0x00FF00u);
        EXPECT_EQ((*colours)[1], 0xFF0000u); // blue as COLORREF
        EXPECT_EQ((*colours)[2], 0x0000FFu); // red: white was never counted
        EXPECT_EQ((*colours)[7], 0x090909u);
    }
    // A cell with nothing but the key colour abandons the scan.
    const QImage gap = EightCells([](QImage &img, int cell) {
        if (cell != 4)
            Put(img, cell, 0, qRgb(1, 2, 3));
    });
    EXPECT_FALSE(CCaptionSkin::FindGlyphColors(gap, true, kKey).has_value());
    EXPECT_FALSE(CCaptionSkin::FindGlyphColors(QImage(), true, kKey).has_value());
    EXPECT_FALSE(CCaptionSkin::FindGlyphColors(QImage(7, 4, QImage::Format_RGB32), true, kKey).has_value());
}

TEST(CaptionSkin, WhenTheSkinIsActive)
{
    TempProfile profile;
    const QImage styleImage = EightCells([](QImage &img, int cell) { Put(img, cell, 0, qRgb(1, 2, 3)); });
    QImage nineWide(36, 4, QImage::Format_RGB32);
    nineWide.fill(Qt::black);
    struct Case
    {
        bool composition, library;
        int rfc;
        QImage image;
        bool active, wanted;
    };
    const Case cases[] = {
        {false, false, 0, styleImage, false, false}, // this desktop: no style library
        {true, false, 0, QImage(), true, false},     // composed frames
        {false, true, 0, styleImage, true, true},
        {false, true, 1, styleImage, false, false}, // "RFC" set: style images are not read
        {false, true, 0, nineWide, false, false}, // not an 8-image file
    };
    for (const Case &c : cases) {
        profile.Profile().WriteInt(QStringLiteral("Common"), QStringLiteral("RFC"), c.rfc);
        CaptionSkinEnvironment env;
        env.compositionOn = c.composition;
        env.themeLibrary = c.library;
        env.glyphImage = c.image;
        env.horizontal = true;
        CCaptionSkin skin;
        EXPECT_EQ(skin.Load(env), c.active);
        EXPECT_EQ(skin.IsActive(), c.active);
        EXPECT_EQ(skin.IsWanted(), c.wanted);
        skin.Free(true);
        EXPECT_FALSE(skin.IsActive());
    }
}

TEST(CaptionSkin, ThisDesktopUsesTheProgramsOwnGlyphs)
{
    CCaptionSkin skin;
    EXPECT_FALSE(skin.Load(CaptionSkinEnvironment::FromSystem()));
    EXPECT_FALSE(IsCaptionSkinActive());
    ASSERT_EQ(skin.Glyphs().size(), CCaptionSkin::kGlyphCount);
    EXPECT_EQ(skin.Glyphs()[0].size(), CCaptionSkin::kGlyphSize);
    EXPECT_EQ(skin.CaptionFont().weight(), QFont::Bold);
    skin.Free(false);
    EXPECT_TRUE(skin.Glyphs().isEmpty());
}

} // namespace
