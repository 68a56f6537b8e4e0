// Tip window measures and placement.
#include "toolkit/bars/TipLayout.h"

#include <algorithm>

int TipEntryHeight(int fontHeight)
{
    return fontHeight <= 16 ? 18 : fontHeight + 2;
}

QSize TipWindowSize(const TipMeasures &m)
{
    int width = m.title.width();
    int height = m.title.height() + 8;
    const int line = m.secondLine.height();
    height += line + 2;
    width = std::max(width, m.secondLine.width());
    if (m.readOnly)
        height += line + 2;
    width += 20; // the icon column
    if (m.remindersOn)
        height += m.entries * TipEntryHeight(line);
    return {width + 8, height + 8};
}

QPoint PlaceTipNextToAnchor(const QRect &anchor, QSize size, const QRect &workArea)
{
    int y = anchor.bottom() + 1;
    if (y + size.height() > workArea.bottom() + 1)
        y = anchor.top() - size.height() - 1;
    y = std::max(y, workArea.top());
    int x = anchor.left();
    if (x + size.width() > workArea.right())
        x = workArea.right() - size.width();
    if (x < workArea.left() + 1)
        x = workArea.left() + 1;
    return {x, y};
}

QRect TipAnchorRect(const QRect &trayIcon, const QPoint &pointer, const QRect &workArea)
{
    if (trayIcon.isValid() && !trayIcon.isEmpty())
        return trayIcon;
    const bool right = pointer.x() >= workArea.center().x();
    const bool bottom = pointer.y() >= workArea.center().y();
    const int x = right ? workArea.right() - 15 : workArea.left();
    const int y = bottom ? workArea.bottom() - 15 : workArea.top();
    return {x, y, 16, 16};
}
