// Caption and link bar layout.
#include "toolkit/bars/CaptionBarLayout.h"

#include <algorithm>

CaptionBarRects LayoutCaptionBar(QSize bar, QSize viewToolbar, int filterWidth)
{
    CaptionBarRects out;
    const int w = bar.width(), h = bar.height();
    out.viewToolbar = QRect(w - viewToolbar.width() - 3, std::max(1, (h - viewToolbar.height()) / 2),
                            viewToolbar.width(), viewToolbar.height());
    int titleEnd = out.viewToolbar.left() - 6;
    if (filterWidth > 0) {
        out.filterToolbar = QRect(out.viewToolbar.left() - 3 - filterWidth, 1, filterWidth, std::max(0, h - 2));
        titleEnd = out.filterToolbar.left() - 6;
    }
    out.title = QRect(6, 0, std::max(0, titleEnd - 6), h);
    return out;
}

QRect LayoutLink(const QRect &link, int textWidth, int barWidth)
{
    const int width = std::max(link.width(), textWidth + 2);
    return {barWidth - 6 - width, link.top(), width, link.height()};
}
