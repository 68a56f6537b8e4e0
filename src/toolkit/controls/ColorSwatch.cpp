// The etched line in given colours: highlight along the bottom and up the right, shadow above it.
#include "toolkit/controls/ColorSwatch.h"

#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/style/MenuLook.h"

#include <QPainter>

CColorSwatch::CColorSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::HLine);
    setFrameShadow(QFrame::Sunken);
    ResetColors();
}

void CColorSwatch::SetColor(COLORREF face)
{
    m_face = face & 0xFFFFFF;
    m_highlight = LightenHlsHalfway(m_face);
    m_shadow = DarkenHlsTwoThirds(m_face);
    m_custom = true;
    update();
}

void CColorSwatch::ResetColors()
{
    const CMenuLook::Colors &c = CMenuLook::Instance().GetColors();
    m_custom = false;
    m_face = c.buttonFace;
    m_highlight = c.buttonHighlight;
    m_shadow = c.buttonShadow;
    update();
}

void CColorSwatch::paintEvent(QPaintEvent *event)
{
    if (!m_custom || frameShape() != QFrame::HLine) {
        QFrame::paintEvent(event);
        return;
    }
    // A two-row etched line across the middle of the control: the shadow row, the highlight row
    // below it, and the highlight up the right end.
    QPainter p(this);
    const QRect r = rect();
    const int top = r.top() + std::max(0, (r.height() - 2) / 2);
    const int bottom = std::min(r.bottom(), top + 1);
    p.setPen(ToQColor(m_highlight));
    p.drawLine(r.left() + 1, bottom, r.right(), bottom);
    p.drawLine(r.right(), bottom, r.right(), top);
    p.setPen(ToQColor(m_shadow));
    p.drawLine(r.left() + 1, top, r.right() - 1, top);
}
