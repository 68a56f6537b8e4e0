// Toolbar image lists.
#include "toolkit/bars/ToolbarImages.h"

#include "toolkit/drawing/DisabledImages.h"
#include "toolkit/drawing/DrawHelpers.h"

int ToolbarImages::ImageCount(int stripWidth, int imageWidth)
{
    // Cells of no width would divide by zero: such a strip is empty.
    if (stripWidth <= 0 || imageWidth <= 0)
        return 0;
    return (stripWidth + imageWidth - 1) / imageWidth;
}

QList<QPixmap> ToolbarImages::Split(const QImage &strip, QSize imageSize, COLORREF mask)
{
    QList<QPixmap> images;
    const int count = ImageCount(strip.isNull() ? 0 : strip.width(), imageSize.width());
    if (count == 0 || imageSize.height() <= 0)
        return images;
    const QImage source = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb maskRgb = mask == kMaskTopLeft ? source.pixel(0, 0) : ToQColor(mask).rgb();
    for (int i = 0; i < count; ++i) {
        QImage cell(imageSize, QImage::Format_ARGB32);
        cell.fill(Qt::transparent);
        for (int y = 0; y < imageSize.height() && y < source.height(); ++y) {
            for (int x = 0; x < imageSize.width(); ++x) {
                const int sx = i * imageSize.width() + x;
                if (sx >= source.width())
                    break;
                const QRgb p = source.pixel(sx, y);
                if ((p & 0xFFFFFF) != (maskRgb & 0xFFFFFF))
                    cell.setPixel(x, y, p);
            }
        }
        images.append(QPixmap::fromImage(cell));
    }
    return images;
}

bool ToolbarImages::Load(const QImage &strip, QSize imageSize, COLORREF mask, COLORREF barColour)
{
    m_normal = Split(strip, imageSize, mask);
    m_faded.clear();
    const COLORREF tint = LightenColor(115, barColour);
    for (const QPixmap &image : std::as_const(m_normal)) {
        QImage faded = image.toImage();
        MakeDisabledBitmap(faded, kFadeWeight, tint, kMaskTopLeft);
        m_faded.append(QPixmap::fromImage(faded));
    }
    return !m_normal.isEmpty();
}
