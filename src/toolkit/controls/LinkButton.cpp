// The coloured check box's painting and input.
#include "toolkit/controls/LinkButton.h"

#include "toolkit/controls/ControlPainting.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QKeyEvent>
#include <QPainter>

CLinkButton::CLinkButton(const QString &text, QWidget *parent)
    : QCheckBox(text, parent), m_colors(CControlColors::System(CControlColors::SystemText::Window))
{
}

void CLinkButton::SetColors(COLORREF face, COLORREF text)
{
    m_colors = CControlColors::FromFace(face, text);
    update();
}

void CLinkButton::ResetColors()
{
    m_colors = CControlColors::System(CControlColors::SystemText::Window);
    update();
}

void CLinkButton::SetSystemLook(bool on)
{
    m_systemLook = on;
    update();
}

void CLinkButton::SetLeftText(bool on)
{
    m_leftText = on;
    update();
}

void CLinkButton::SetFlat(bool on)
{
    m_flat = on;
    update();
}

QRect CLinkButton::BoxRect() const
{
    const int top = (height() - kBoxSize) / 2;
    const int left = m_leftText ? width() - kBoxSize : 0;
    return QRect(left, top, kBoxSize, kBoxSize);
}

QSize CLinkButton::sizeHint() const
{
    if (m_systemLook)
        return QCheckBox::sizeHint();
    const QFontMetrics fm(font());
    const QSize text = fm.size(Qt::TextShowMnemonic, QCheckBox::text());
    return QSize(kLabelIndent + text.width() + 4, std::max(kBoxSize, text.height()) + 4);
}

bool CLinkButton::hitButton(const QPoint &pos) const
{
    // The whole control counts: releasing outside it leaves the check state as it was.
    return m_systemLook ? QCheckBox::hitButton(pos) : rect().contains(pos);
}

void CLinkButton::keyPressEvent(QKeyEvent *event)
{
    // Arrow keys do not move the focus out of the box, as the system's check box would in a group.
    if (!m_systemLook && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                          event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        event->accept();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

void CLinkButton::paintEvent(QPaintEvent *event)
{
    if (m_systemLook) {
        QCheckBox::paintEvent(event);
        return;
    }
    QPainter p(this);
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    const QRect box = BoxRect();

    // The label area first, then the box.
    QRect label = m_leftText ? QRect(2, 1, width() - kBoxSize - 4, height())
                             : QRect(kLabelIndent, 1, width() - kLabelIndent, height());
    p.fillRect(rect(), ToQColor(m_colors.face));
    QRect inside = box;
    if (!m_flat) {
        Draw3dRect(p, inside, m_colors.shadow, m_colors.highlight);
        inside.adjust(1, 1, -1, -1);
        Draw3dRect(p, inside, look.windowFrame, m_colors.face);
        inside.adjust(1, 1, -1, -1);
    }
    const bool pressed = isDown();
    p.fillRect(inside, ToQColor(!isEnabled() || pressed ? m_colors.face : look.window));
    if (isChecked()) {
        const QColor mark = ToQColor(isEnabled() ? look.windowText : m_colors.shadow);
        for (const QPoint &pt : CheckMarkPixels(inside.left(), inside.top()))
            p.fillRect(QRect(pt, QSize(1, 1)), mark);
    }

    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(ToQColor(m_colors.text));
        p.drawText(label, flags, text());
    } else {
        DrawEmbossedText(p, label, flags, text(), m_colors.highlight, m_colors.shadow);
    }
    if (hasFocus()) {
        const QRect used = p.boundingRect(label, flags, text());
        DrawFocusRect(p, used.adjusted(-2, -1, 2, 1).intersected(rect()));
    }
}
