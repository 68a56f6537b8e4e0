// The coloured push button's painting.
#include "toolkit/controls/FlatButton.h"

#include "toolkit/controls/ControlPainting.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QPainter>

CFlatButton::CFlatButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent), m_colors(CControlColors::System(CControlColors::SystemText::Button))
{
    // A double click reaches QAbstractButton as a second press, so quick clicks are not lost.
}

void CFlatButton::SetColors(COLORREF face, COLORREF text)
{
    m_colors = CControlColors::FromFace(face, text);
    update();
}

void CFlatButton::ResetColors()
{
    m_colors = CControlColors::System(CControlColors::SystemText::Button);
    update();
}

void CFlatButton::SetSystemLook(bool on)
{
    m_systemLook = on;
    update();
}

void CFlatButton::paintEvent(QPaintEvent *event)
{
    if (m_systemLook) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, ToQColor(m_colors.face));
    const bool focused = hasFocus();
    const bool pressed = isDown() || isChecked();
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    if (focused) {
        Draw3dRect(p, r, look.windowFrame, look.windowFrame);
        r.adjust(1, 1, -1, -1);
    }
    if (pressed) {
        Draw3dRect(p, r, m_colors.shadow, m_colors.highlight);
    } else {
        Draw3dRect(p, r, m_colors.highlight, DarkenHlsThird(m_colors.face));
        Draw3dRect(p, r.adjusted(1, 1, -1, -1), m_colors.face, m_colors.shadow);
    }

    // One line, centred, a pixel above the middle; pressed content moves right and down.
    QRect textRect = rect().adjusted(0, 0, 0, -2);
    if (pressed)
        textRect.translate(1, 1);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(ToQColor(m_colors.text));
        p.drawText(textRect, flags, text());
    } else {
        DrawEmbossedText(p, textRect, flags, text(), m_colors.highlight, m_colors.shadow);
    }
    if (focused)
        DrawFocusRect(p, rect().adjusted(4, 4, -4, -4));
}
