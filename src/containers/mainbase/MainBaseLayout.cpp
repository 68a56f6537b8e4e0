// Layout arithmetic of the main base window.
#include "containers/mainbase/MainBaseLayout.h"

#include <algorithm>

QRect CMainBaseLayout::Ltrb(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

int CMainBaseLayout::FittedBarWidth(int available, int monthWidth)
{
    if (monthWidth <= 0)
        return 8;
    return monthWidth * ((available - 8) / monthWidth) + 8;
}

MainBaseLayoutResult CMainBaseLayout::Layout(const MainBaseLayoutInput &in)
{
    MainBaseLayoutResult out;
    if (in.cx == 0 && in.cy == 0) {
        out.skip = true;
        return out;
    }
    int viewLeft = kGap, viewTop = kGap, viewRight = in.cx - kGap, viewBottom = in.cy - kGap;
    int barTop = viewTop, barBottom = viewBottom;

    if (in.previewVisible) {
        // The pane keeps its height, but the view keeps its first 240 pixels; the pane's top
        // never goes below the client area, so a very low window gives the pane no height
        // rather than a negative one.
        int top = std::max(in.cy - kGap - in.previewHeight, kPreviewTopMinimum);
        top = std::min(top, std::max(in.cy - kGap, viewTop + kGap));
        out.preview = Ltrb(kGap, top, in.cx - kGap, std::max(top, in.cy - kGap));
        viewBottom = top - kGap;
        barBottom = top - kGap;
    }

    if (in.barVisible) {
        int w = in.barWidth;
        if (in.cx - w - kGap < kViewMinimum)
            w = FittedBarWidth(in.cx - kBarReserve, in.monthWidth);
        if (w < in.monthWidth || w <= 0) {
            out.barTooNarrow = true;
        } else {
            out.bar = Ltrb(viewRight - w, barTop, viewRight, barBottom);
            viewRight = viewRight - w - kGap;
        }
    }
    out.view = Ltrb(viewLeft, viewTop, std::max(viewLeft, viewRight), std::max(viewTop, viewBottom));
    return out;
}

QRect CMainBaseLayout::HorizontalStrip(bool hasContainer, const QRect &container, const QRect &preview)
{
    if (!hasContainer || preview.isNull())
        return {};
    const int ch = container.height();
    return Ltrb(kGap, ch + kGap, preview.x() + preview.width(), ch + 2 * kGap);
}

QRect CMainBaseLayout::VerticalStrip(bool hasContainer, const QRect &container, const QRect &bar)
{
    if (!hasContainer || bar.isNull())
        return {};
    const int cw = container.width();
    return Ltrb(cw + kGap, bar.y(), cw + 2 * kGap, bar.y() + bar.height());
}

bool CMainBaseLayout::HasRoomForBar(int cx, int monthWidth)
{
    return cx - monthWidth - kGap >= kViewMinimum;
}

int CMainBaseLayout::RestoredBarWidth(int columns, int monthWidth)
{
    return FittedBarWidth(std::max(1, columns) * monthWidth + 8, monthWidth);
}
