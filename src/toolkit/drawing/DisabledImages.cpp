// Disabled looks of command images, pixel by pixel.
#include "toolkit/drawing/DisabledImages.h"

#include <algorithm>

bool MakeGreyAlphaBitmap(QImage &image, double divisor)
{
    if (image.isNull())
        return false;
    divisor = std::max(divisor, 1.5);
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x];
            const int grey = (qRed(p) + qGreen(p) + qBlue(p)) / 3;
            row[x] = qRgba(grey, grey, grey, int(qAlpha(p) / divisor));
        }
    }
    return true;
}

namespace {
int Tinted(int tint, int grey, int weight)
{
    return (tint * (255 - weight) + grey * weight) / 256;
}

QRgb Disabled(QRgb p, int weight, COLORREF tint)
{
    const int grey = (qRed(p) + qGreen(p) + qBlue(p)) / 3;
    return qRgba(Tinted(ColorRed(tint), grey, weight), Tinted(ColorGreen(tint), grey, weight),
                 Tinted(ColorBlue(tint), grey, weight), qAlpha(p));
}
} // namespace

COLORREF MakeDisabledBitmap(QImage &image, int weight, COLORREF tint, COLORREF mask)
{
    weight = std::clamp(weight, 0, 255);
    if (!image.isNull()) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] = Disabled(row[x], weight, tint);
        }
    }
    if (mask == 0xFF000000) {
        if (image.isNull())
            return 0;
        const QRgb p = image.pixel(0, 0);
        return MakeColor(qRed(p), qGreen(p), qBlue(p));
    }
    const QRgb m = Disabled(qRgb(ColorRed(mask), ColorGreen(mask), ColorBlue(mask)), weight, tint);
    return MakeColor(qRed(m), qGreen(m), qBlue(m));
}

int GetBitmapColorCount(const QImage &image)
{
    if (image.colorCount() > 0)
        return image.colorCount();
    switch (image.depth()) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

void ApplyColorKey(QImage &image, COLORREF colour)
{
    if (image.isNull())
        return;
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(ColorRed(colour), ColorGreen(colour), ColorBlue(colour));
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] | 0xFF000000) == key && qAlpha(row[x]) != 0)
                row[x] = 0;
        }
    }
}
