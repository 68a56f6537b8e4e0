// The shared painting pieces of the program's own controls.
#include "toolkit/controls/ControlPainting.h"

#include "toolkit/drawing/DrawHelpers.h"

#include <QPainter>

void Draw3dRect(QPainter &painter, const QRect &rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
    painter.fillRect(QRect(x, y, w - 1, 1), ToQColor(topLeft));
    painter.fillRect(QRect(x, y, 1, h - 1), ToQColor(topLeft));
    painter.fillRect(QRect(x + w - 1, y, 1, h), ToQColor(bottomRight));
    painter.fillRect(QRect(x, y + h - 1, w, 1), ToQColor(bottomRight));
}

void DrawEmbossedText(QPainter &painter, const QRect &rect, int flags, const QString &text,
                      COLORREF highlight, COLORREF shadow, bool withHighlight)
{
    painter.save();
    if (withHighlight) {
        painter.setPen(ToQColor(highlight));
        painter.drawText(rect.translated(1, 1), flags, text);
    }
    painter.setPen(ToQColor(shadow));
    painter.drawText(rect, flags, text);
    painter.restore();
}

void DrawFocusRect(QPainter &painter, const QRect &rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    // Every other pixel, as the classic focus rectangle is drawn.
    const QColor dot(Qt::black);
    for (int x = rect.left(); x <= rect.right(); x += 2) {
        painter.fillRect(QRect(x, rect.top(), 1, 1), dot);
        painter.fillRect(QRect(x, rect.bottom(), 1, 1), dot);
    }
    for (int y = rect.top(); y <= rect.bottom(); y += 2) {
        painter.fillRect(QRect(rect.left(), y, 1, 1), dot);
        painter.fillRect(QRect(rect.right(), y, 1, 1), dot);
    }
    painter.restore();
}

QList<QPoint> CheckMarkPixels(int left, int top)
{
    QList<QPoint> pixels;
    for (int down = 0; down < 3; ++down) {
        const int y = top + down;
        // (1,3) to (3,5), end point left out.
        pixels.append({left + 1, y + 3});
        pixels.append({left + 2, y + 4});
        // (3,5) to (8,0), end point left out.
        for (int i = 0; i < 5; ++i)
            pixels.append({left + 3 + i, y + 5 - i});
    }
    return pixels;
}
