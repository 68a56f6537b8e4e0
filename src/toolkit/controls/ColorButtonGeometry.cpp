// Colour button parts: a swatch left of a separator and a small drop arrow.
#include "toolkit/controls/ColorButtonGeometry.h"

CColorButtonGeometry::CColorButtonGeometry(int left, int top, int right, int bottom, bool enabled)
    : m_top(top), m_right(right), m_bottom(bottom), m_enabled(enabled)
{
    const int swatchRight = right - 12;
    m_swatch = QRect(QPoint(left + 1, top), QPoint(swatchRight - 1, bottom - 1));
    if (!enabled)
        m_swatch.adjust(1, 1, -1, -1);
    if (m_swatch.width() < 0 || m_swatch.height() < 0)
        m_swatch = QRect();
    const int x0 = swatchRight;
    const int y = (top + bottom) / 2;
    // Lines end before their last point.
    const Ink ink = enabled ? Ink::Frame : Ink::Shadow;
    m_arrow = {{y - 1, x0 + 8, x0 + 12, ink}, {y, x0 + 9, x0 + 11, ink}, {y + 1, x0 + 10, x0 + 10, ink}};
    if (!enabled) {
        m_arrow.push_back({y, x0 + 12, x0 + 13, Ink::Light});
        m_arrow.push_back({y + 1, x0 + 11, x0 + 12, Ink::Light});
        m_arrow.push_back({y + 2, x0 + 11, x0 + 11, Ink::Light});
    }
}
