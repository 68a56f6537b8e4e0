// The colour button's painting: the style's button (or our flat one) with the swatch part on top.
#include "toolkit/controls/ColorButton.h"

#include "toolkit/controls/ColorButtonGeometry.h"
#include "toolkit/drawing/DrawHelpers.h"
#include "toolkit/drawing/MemDC.h"
#include "toolkit/style/MenuLook.h"
#include "toolkit/style/VisualStyle.h"

#include <QPainter>
#include <QStyleOptionButton>

CColorButton::CColorButton(QWidget *parent)
    : QPushButton(parent), m_flat(GetVisualStyle() == kStyleNone)
{
    SetBrushColor(m_color);
}

void CColorButton::SetColor(COLORREF colour)
{
    colour &= 0xFFFFFF;
    const bool changed = colour != m_color;
    m_color = colour;
    SetBrushColor(colour);
    update();
    if (changed)
        emit colorChanged(colour);
}

void CColorButton::SetBrushColor(COLORREF colour)
{
    m_brush = QBrush(ToQColor(colour));
}

QSize CColorButton::sizeHint() const
{
    return QSize(std::max(56, QPushButton::sizeHint().width()), QPushButton::sizeHint().height());
}

void CColorButton::paintEvent(QPaintEvent *event)
{
    if (m_flat) {
        QPainter target(this);
        CMemDC mem(target, rect());
        PaintFlat(mem.Painter());
        return;
    }
    // The style's button first, then the swatch part inside its item rectangle inset by 5.
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    QPainter p(this);
    style()->drawControl(QStyle::CE_PushButton, &option, &p, this);
    (void)event;
    PaintSwatchPart(p, rect().adjusted(5, 5, -5, -5));
}

void CColorButton::PaintFlat(QPainter &p)
{
    const CMenuLook::Colors &c = CMenuLook::Instance().GetColors();
    const bool pressed = isDown() || isChecked();
    QRect r = rect();
    // Raised or sunken double edge, outer ring first; a default button gets a frame around it.
    auto edge = [&p](QRect &area, COLORREF topLeft, COLORREF bottomRight) {
        p.setPen(ToQColor(topLeft));
        p.drawLine(area.topLeft(), area.topRight());
        p.drawLine(area.topLeft(), area.bottomLeft());
        p.setPen(ToQColor(bottomRight));
        p.drawLine(area.bottomLeft(), area.bottomRight());
        p.drawLine(area.topRight(), area.bottomRight());
        area.adjust(1, 1, -1, -1);
    };
    if (isDefault()) {
        p.setPen(ToQColor(c.windowFrame));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (pressed) {
        edge(r, c.buttonShadow, c.buttonHighlight);
        edge(r, c.windowFrame, c.buttonFace);
    } else {
        edge(r, c.buttonFace, c.windowFrame);
        edge(r, c.buttonHighlight, c.buttonShadow);
    }
    p.fillRect(r, ToQColor(c.buttonFace));
    if (pressed)
        r.translate(1, 1);
    if (hasFocus()) {
        // A dotted focus rectangle, as the classic buttons have.
        QPen dotted(ToQColor(c.windowText), 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
    PaintSwatchPart(p, r.adjusted(3, 3, -3, -3));
}

void CColorButton::PaintSwatchPart(QPainter &p, const QRect &area)
{
    const CMenuLook::Colors &c = CMenuLook::Instance().GetColors();
    const CColorButtonGeometry g = CColorButtonGeometry::ForRect(area, isEnabled());
    p.setPen(ToQColor(c.buttonShadow));
    p.drawLine(g.ShadowLineX(), g.Top(), g.ShadowLineX(), g.Bottom() - 1);
    p.setPen(ToQColor(c.buttonHighlight));
    p.drawLine(g.LightLineX(), g.Top(), g.LightLineX(), g.Bottom() - 1);
    const QRect swatch = g.Swatch();
    if (g.SwatchFilled() && swatch.isValid()) {
        p.setPen(ToQColor(c.windowFrame));
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
        p.fillRect(swatch.adjusted(1, 1, -1, -1), m_brush);
    }
    for (const CColorButtonGeometry::Run &run : g.Arrow()) {
        const COLORREF ink = run.ink == CColorButtonGeometry::Ink::Frame    ? c.windowFrame
                             : run.ink == CColorButtonGeometry::Ink::Shadow ? c.buttonShadow
                                                                            : c.buttonHighlight;
        p.fillRect(QRect(run.x0, run.y, run.x1 - run.x0 + 1, 1), ToQColor(ink));
    }
}
