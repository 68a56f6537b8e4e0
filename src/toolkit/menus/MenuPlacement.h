// Where menus open: a popup under (or beside) the bar item or toolbar button it drops from,
// kept inside the work area of the screen that holds the item.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The top-left corner of a popup dropped from an item rectangle (screen coordinates). Beside a
// vertical bar the popup opens to the right, or to the left when the item lies in the right half
// of the work area; under a horizontal bar it opens below, or above when the item lies in the
// lower half and the popup does not fit below. `rightToLeft` aligns the popup's right edge.
QPoint TrackMenuPopupPosition(const QRect &item, QSize popup, const QRect &workArea, bool verticalBar,
                              bool rightToLeft);

// The top-left corner of a popup of the menu bar against its open bar item: below the item
// overlapping its bottom edge by one pixel when it fits, otherwise above it overlapping its top
// edge; moved left to end at the work area's right edge, never left of its left edge.
QPoint PlaceBarPopup(const QRect &item, QSize popup, const QRect &workArea);

// The part of a popup's border that meets its open bar item (both in screen coordinates),
// narrowed by one pixel at each side; empty when they do not touch.
QRect PopupBorderGap(const QRect &popup, const QRect &item);
