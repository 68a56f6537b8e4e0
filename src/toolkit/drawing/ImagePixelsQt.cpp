// Conversions between image-list pixels and Qt images.
#include "toolkit/drawing/ImagePixelsQt.h"

#include <cstring>

QImage ImageFromPixels(const ImagePixels &pixels, int width, int height)
{
    if (width <= 0 || height <= 0 || pixels.size() != std::size_t(width) * std::size_t(height))
        return QImage();
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels.data() + std::size_t(y) * std::size_t(width),
                    std::size_t(width) * sizeof(std::uint32_t));
    return image;
}

QPixmap PixmapFromPixels(const ImagePixels &pixels, int width, int height)
{
    const QImage image = ImageFromPixels(pixels, width, height);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

ImagePixels PixelsFromImage(const QImage &image, int width, int height)
{
    if (image.isNull() || width <= 0 || height <= 0)
        return {};
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.width() != width || argb.height() != height)
        argb = argb.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                   .convertToFormat(QImage::Format_ARGB32);
    ImagePixels pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.data() + std::size_t(y) * std::size_t(width), argb.constScanLine(y),
                    std::size_t(width) * sizeof(std::uint32_t));
    for (auto &p : pixels) {
        if ((p >> 24) == 0)
            p = 0;
    }
    return pixels;
}
