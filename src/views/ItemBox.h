// The item box every view draws for an entry: its icon sizes by row height, and its painting.
#pragma once

#include <QRect>
#include <QSize>

class CCalendarViewCtrl;
class CDisplayItem;
class QPainter;

struct ItemBoxIconSizes
{
    QSize status; // one status icon
    int type = 0; // the square item-type icon
};

// The icon sizes for a row height.
ItemBoxIconSizes ItemBoxIcons(int rowHeight);
// Vertical offset that centres an icon in the first row (rounded up).
int ItemBoxIconOffset(int rowHeight, int iconHeight);

// Paints the entry's box in the rectangle with the view's options and colours.
void DrawItemBox(QPainter &painter, const CCalendarViewCtrl &view, const CDisplayItem &entry,
                 const QRect &rect, bool editing);
