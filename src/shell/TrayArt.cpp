// Drawing the tray and program icons.
#include "shell/TrayArt.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap DrawCalendar(int size, bool on, bool bell)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 16.0;
    const QColor frame = on ? QColor(0x2f, 0x5d, 0x9e) : QColor(0x80, 0x80, 0x80);
    const QColor accent = on ? QColor(0xe0, 0x7a, 0x1f) : QColor(0xa8, 0xa8, 0xa8);
    p.setPen(QPen(frame, s));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5 * s, 2.5 * s, 13 * s, 12 * s), 1.5 * s, 1.5 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(frame);
    p.drawRect(QRectF(1.5 * s, 2.5 * s, 13 * s, 3.5 * s));
    p.setBrush(accent);
    if (bell) {
        QPainterPath path;
        path.moveTo(8 * s, 7 * s);
        path.cubicTo(5.5 * s, 7 * s, 5.5 * s, 10 * s, 5 * s, 12 * s);
        path.lineTo(11 * s, 12 * s);
        path.cubicTo(10.5 * s, 10 * s, 10.5 * s, 7 * s, 8 * s, 7 * s);
        p.drawPath(path);
        p.drawEllipse(QPointF(8 * s, 12.8 * s), 1 * s, 1 * s);
    } else {
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF((3.5 + col * 3.3) * s, (7.5 + row * 3.2) * s, 2.2 * s, 2.2 * s));
    }
    return pixmap;
}

} // namespace

QIcon MakeTrayIcon(int resourceId)
{
    const bool on = resourceId == 128 || resourceId == 287;
    const bool bell = resourceId == 287 || resourceId == 288;
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48})
        icon.addPixmap(DrawCalendar(size, on, bell));
    return icon;
}

QIcon MakeProgramIcon()
{
    return MakeTrayIcon(128);
}
