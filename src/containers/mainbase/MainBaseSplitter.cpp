// Splitter drags of the main base window.
#include "containers/mainbase/MainBaseSplitter.h"

#include "containers/mainbase/MainBaseLayout.h"

#include <algorithm>

bool CMainBaseSplitter::Begin(const QPoint &point, const QRect &client, const QRect &verticalStrip,
                              const QRect &horizontalStrip, int monthWidth)
{
    m_limits = client;
    m_monthWidth = monthWidth;
    m_clientWidth = client.width();
    if (!verticalStrip.isEmpty() && verticalStrip.contains(point)) {
        m_tracking = verticalStrip;
        m_smallestBar = monthWidth + 8;
        m_largestBar = CMainBaseLayout::FittedBarWidth(client.width() - CMainBaseLayout::kBarReserve, monthWidth);
        const int right = client.x() + client.width();
        if (m_largestBar >= m_smallestBar) {
            m_limits.setLeft(right - m_largestBar - client.x());
            m_limits.setRight(right - m_smallestBar - client.x() - 1);
        } else {
            // No room to move: the strip stays where it is.
            m_limits.setLeft(verticalStrip.left());
            m_limits.setRight(verticalStrip.right());
        }
        m_mode = Vertical;
    } else if (!horizontalStrip.isEmpty() && horizontalStrip.contains(point)) {
        m_tracking = horizontalStrip;
        m_limits = CMainBaseLayout::Ltrb(client.left(), CMainBaseLayout::kPreviewDragTop,
                                         client.x() + client.width(),
                                         client.height() - CMainBaseLayout::kPreviewDragBottomGap);
        m_mode = Horizontal;
    } else {
        return false;
    }
    m_startTop = m_tracking.top();
    return true;
}

bool CMainBaseSplitter::Move(const QPoint &point)
{
    if (m_mode == Vertical) {
        // Limits kept as exclusive right edges, as the strip arithmetic uses them.
        const int x = std::clamp(point.x(), m_limits.left(), std::max(m_limits.left(), m_limits.right() + 1));
        const int half = m_monthWidth / 2;
        int step = 0;
        if (x < m_tracking.left() - half)
            step = -m_monthWidth;
        else if (x > m_tracking.left() + half)
            step = m_monthWidth;
        if (step == 0 || m_monthWidth <= 0)
            return false;
        // A step never makes the bar wider than fits or narrower than one column.
        const int bar = CMainBaseLayout::FittedBarWidth(m_clientWidth - (m_tracking.left() + step), m_monthWidth);
        if (bar < m_smallestBar || bar > m_largestBar)
            return false;
        m_tracking.translate(step, 0);
        return true;
    }
    if (m_mode == Horizontal) {
        const int y = std::clamp(point.y(), m_limits.top(), std::max(m_limits.top(), m_limits.top() + m_limits.height()));
        if (y == m_tracking.top())
            return false;
        m_tracking.moveTop(y);
        return true;
    }
    return false;
}

QRect CMainBaseSplitter::GetTrackerShape() const
{
    if (m_mode == Vertical)
        return m_tracking.adjusted(2, 0, -2, 0);
    if (m_mode == Horizontal)
        return m_tracking.adjusted(0, 2, 0, -2);
    return {};
}

CMainBaseSplitter::Applied CMainBaseSplitter::End(bool apply, int windowWidth, int windowHeight,
                                                  bool previewVisible, int previewHeight)
{
    Applied out;
    const Mode mode = m_mode;
    m_mode = None;
    if (!apply)
        return out;
    const int gap = CMainBaseLayout::kGap;
    if (mode == Vertical) {
        const int b = CMainBaseLayout::FittedBarWidth(windowWidth - m_tracking.left(), m_monthWidth);
        const int d = previewVisible ? previewHeight + gap : 0;
        out.moveBar = out.moveContainer = true;
        out.bar = CMainBaseLayout::Ltrb(windowWidth - b - gap, gap, windowWidth - gap, windowHeight - d - gap);
        out.container = CMainBaseLayout::Ltrb(gap, gap, windowWidth - b - 2 * gap, windowHeight - d - gap);
    } else if (mode == Horizontal) {
        out.previewDelta = m_tracking.top() - m_startTop;
    }
    return out;
}
