// Small helpers for tests that paint into an image and look at the pixels.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>

// Paints into a fresh white image and returns it.
inline QImage PaintImage(int width, int height, const std::function<void(QPainter &)> &paint)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    paint(p);
    p.end();
    return image;
}

// The smallest rectangle holding every pixel that is not white; empty when all are white.
inline QRect PaintedBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

inline int CountPixels(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    }
    return n;
}
