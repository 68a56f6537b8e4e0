// The item box every view draws for an entry: its icon sizes by row height, and its painting.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

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

// The status glyphs an entry shows, in drawing order: the task's check box (8 done, 7 open),
// the reminder (1), the series mark (2 for a changed occurrence, else 0), the lock (4, or 5 for
// another user's item) and the notes mark (3).
std::vector<int> ItemBoxStatusGlyphs(const CDisplayItem &entry);

// Where the icons of a box go. Each icon sits below the previous one, a row step apart, while it
// fits the box's height; one that does not starts a new column in the first row, 1 pixel to
// the right.
struct ItemBoxIconPlace
{
    int glyph = -1; // -1 the item-type icon
    QRect rect;
};
struct ItemBoxLayout
{
    std::vector<ItemBoxIconPlace> icons;
    int textLeft = 0; // where the text starts
};
ItemBoxLayout LayoutItemBoxIcons(const QRect &inner, int rowHeight, bool typeIcon,
                                 const std::vector<int> &glyphs);

// Paints the entry's box in the rectangle with the view's options and colours.
void DrawItemBox(QPainter &painter, const CCalendarViewCtrl &view, const CDisplayItem &entry,
                 const QRect &rect, bool editing);
