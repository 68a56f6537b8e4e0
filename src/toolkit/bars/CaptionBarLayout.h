// Where the caption bar's parts go for a bar size: the view toolbar at the right, the filter
// button left of it, the title over the rest.
#pragma once

#include <QRect>
#include <QSize>

struct CaptionBarRects
{
    QRect viewToolbar;
    QRect filterToolbar; // empty when the filter button is hidden
    QRect title;
};

// `filterWidth` is the filter button's width with its toolbar padding; 0 hides it.
CaptionBarRects LayoutCaptionBar(QSize bar, QSize viewToolbar, int filterWidth);

// The link bar: each link as wide as its text plus 2 (never narrower than it is), right-aligned
// to end 6 pixels from the bar's right edge, keeping its row.
QRect LayoutLink(const QRect &link, int textWidth, int barWidth);
