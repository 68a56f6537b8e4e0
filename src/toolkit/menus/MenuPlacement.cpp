// Popup placement rules.
#include "toolkit/menus/MenuPlacement.h"

#include <algorithm>

QPoint TrackMenuPopupPosition(const QRect &item, QSize popup, const QRect &workArea, bool verticalBar,
                              bool rightToLeft)
{
    QRect r = item;
    if (verticalBar) {
        r.moveTop(std::clamp(r.top(), workArea.top(), std::max(workArea.top(), workArea.bottom())));
        const int y = r.top() + 1;
        if (r.right() + 1 > workArea.left() + workArea.width() / 2) {
            // To the left of the item, right-aligned at its left edge.
            const int right = std::max(r.left() - 1, workArea.left());
            return {rightToLeft ? right : right - popup.width(), y};
        }
        const int x = std::min(r.right(), workArea.right());
        return {rightToLeft ? x - popup.width() : x, y};
    }
    r.moveLeft(std::clamp(r.left(), workArea.left(), std::max(workArea.left(), workArea.right())));
    const bool lowerHalf = r.top() > workArea.top() + workArea.height() / 2;
    const bool fitsBelow = r.bottom() + 1 + popup.height() <= workArea.bottom() + 1;
    const int x = rightToLeft ? r.left() - popup.width() : r.left();
    if (lowerHalf && !fitsBelow)
        return {x, r.top() - popup.height()};
    return {x, r.bottom() + 1};
}

QPoint PlaceBarPopup(const QRect &item, QSize popup, const QRect &workArea)
{
    int y = item.bottom(); // overlaps the item's bottom edge
    if (y + popup.height() > workArea.bottom() + 1)
        y = item.top() + 1 - popup.height(); // overlaps its top edge
    int x = item.left();
    if (x + popup.width() > workArea.right() + 1)
        x = workArea.right() + 1 - popup.width();
    x = std::max(x, workArea.left());
    return {x, y};
}

QRect PopupBorderGap(const QRect &popup, const QRect &item)
{
    const QRect both = popup.intersected(item);
    if (both.isEmpty() || both.width() <= 2)
        return {};
    return both.adjusted(1, 0, -1, 0);
}
