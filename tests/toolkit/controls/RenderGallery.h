// Writes control renders as PNG files to renders/ beside the test program, where the view tests
// put theirs, for a person to look at.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <vector>

namespace rendergallery {

inline QString RenderPath(const QString &name)
{
    QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("renders"));
    return dir.filePath(QStringLiteral("renders/") + name + QStringLiteral(".png"));
}

// Grabs the widgets side by side (each with its own caption row skipped) into one image.
inline QImage Strip(const std::vector<QWidget *> &widgets, int gap = 6)
{
    int width = gap, height = 0;
    for (QWidget *w : widgets) {
        width += w->width() + gap;
        height = std::max(height, w->height());
    }
    QImage image(width, height + 2 * gap, QImage::Format_ARGB32);
    image.fill(QColor(236, 236, 236));
    QPainter p(&image);
    int x = gap;
    for (QWidget *w : widgets) {
        p.drawPixmap(x, gap, w->grab());
        x += w->width() + gap;
    }
    return image;
}

// Pixels within `tolerance` of a colour in every channel (text is drawn with smoothed edges).
inline int CountNear(const QImage &image, QRgb colour, int tolerance = 40)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += std::abs(qRed(p) - qRed(colour)) <= tolerance &&
                 std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
                 std::abs(qBlue(p) - qBlue(colour)) <= tolerance;
        }
    }
    return n;
}

// Saves the image, and a copy three times as large (pixels kept sharp) for looking at details.
inline bool Save(const QImage &image, const QString &name)
{
    const QImage large = image.scaled(image.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image.save(RenderPath(name)) && large.save(RenderPath(name + QStringLiteral("_x3")));
}

} // namespace rendergallery
