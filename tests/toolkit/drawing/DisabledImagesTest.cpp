// The disabled looks of command images: the tinted grey and its mask rule, the faded grey with its
// divisor floor, and colour counts.
#include "toolkit/drawing/DisabledImages.h"

#include <gtest/gtest.h>

namespace {

QImage OnePixel(QRgb colour)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, colour);
    return image;
}

TEST(DisabledImages, TintedGrey)
{
    struct Case
    {
        QRgb pixel;
        int weight;
        COLORREF tint;
        QRgb expected;
    };
    // Grey g = (R + G + B) / 3; each channel (tint x (255 - w) + g x w) / 256.
    const Case cases[] = {
        {qRgb(30, 60, 90), 110, 0x000000, qRgb(25, 25, 25)},         // 60 x 110 / 256
        {qRgb(30, 60, 90), 110, 0xFFFFFF, qRgb(170, 170, 170)},      // (255 x 145 + 6600) / 256
        {qRgb(255, 255, 255), 255, 0x0000FF, qRgb(254, 254, 254)},   // all grey
        {qRgb(0, 0, 0), 0, 0xFF8000, qRgb(0, 127, 254)},             // all tint (BGR: blue FF)
        {qRgb(0, 0, 0), 300, 0xFFFFFF, qRgb(0, 0, 0)},               // weight bounded to 255
        {qRgb(0, 0, 0), -5, 0xFFFFFF, qRgb(254, 254, 254)},          // and to 0
    };
    for (const Case &c : cases) {
        QImage image = OnePixel(c.pixel);
        MakeDisabledBitmap(image, c.weight, c.tint, 0);
        EXPECT_EQ(image.pixel(0, 0), c.expected) << c.weight << " " << std::hex << c.tint;
    }
}

TEST(DisabledImages, MaskColourFollowsTheChange)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(255, 0, 255));
    image.setPixel(1, 0, qRgb(0, 0, 0));
    QImage copy = image;
    // 0xFF000000: the new top-left pixel.
    const COLORREF fromCorner = MakeDisabledBitmap(image, 110, 0xFFFFFF, 0xFF000000);
    const QRgb corner = image.pixel(0, 0);
    EXPECT_EQ(fromCorner, MakeColor(qRed(corner), qGreen(corner), qBlue(corner)));
    // Any other mask goes through the same formula.
    const COLORREF given = MakeDisabledBitmap(copy, 110, 0xFFFFFF, 0xFF00FF);
    EXPECT_EQ(given, fromCorner);
}

TEST(DisabledImages, FadedGrey)
{
    struct Case
    {
        double divisor;
        int alpha;
    };
    const Case cases[] = {{3.0, 80}, {1.5, 160}, {1.0, 160}, {0.0, 160}, {-2.0, 160}}; // below 1.5 acts as 1.5
    for (const Case &c : cases) {
        QImage image = OnePixel(qRgba(30, 60, 90, 240));
        ASSERT_TRUE(MakeGreyAlphaBitmap(image, c.divisor));
        EXPECT_EQ(image.pixel(0, 0), qRgba(60, 60, 60, c.alpha)) << c.divisor;
    }
    QImage none;
    EXPECT_FALSE(MakeGreyAlphaBitmap(none, 3.0));
    EXPECT_TRUE(none.isNull());
}

TEST(DisabledImages, ColourCountAndKey)
{
    EXPECT_EQ(GetBitmapColorCount(QImage(4, 4, QImage::Format_Mono)), 2);
    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorCount(20);
    EXPECT_EQ(GetBitmapColorCount(indexed), 20);
    EXPECT_EQ(GetBitmapColorCount(QImage(4, 4, QImage::Format_RGB32)), 0);

    QImage keyed(2, 1, QImage::Format_RGB32);
    keyed.setPixel(0, 0, qRgb(255, 0, 255));
    keyed.setPixel(1, 0, qRgb(255, 0, 254));
    ApplyColorKey(keyed, 0xFF00FF);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(255, 0, 254));
}

} // namespace
