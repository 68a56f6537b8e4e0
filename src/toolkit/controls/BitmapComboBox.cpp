// The coloured combo box's painting.
#include "toolkit/controls/BitmapComboBox.h"

#include "toolkit/controls/ControlPainting.h"
#include "toolkit/controls/RecoloredBitmap.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

CBitmapComboBox::CBitmapComboBox(QWidget *parent)
    : QComboBox(parent), m_colors(CControlColors::System(CControlColors::SystemText::Window))
{
}

void CBitmapComboBox::SetColors(COLORREF face, COLORREF text)
{
    m_colors = CControlColors::FromFace(face, text);
    LoadArrows();
    PlaceEdit();
    update();
}

void CBitmapComboBox::ResetColors()
{
    m_colors = CControlColors::System(CControlColors::SystemText::Window);
    m_arrow = m_disabledArrow = QPixmap();
    // Let Qt place the edit field again.
    QResizeEvent again(size(), size());
    QComboBox::resizeEvent(&again);
    update();
}

void CBitmapComboBox::SetSystemLook(bool on)
{
    m_systemLook = on;
    QResizeEvent again(size(), size());
    resizeEvent(&again);
    update();
}

void CBitmapComboBox::LoadArrows()
{
    // A missing image leaves the arrow undrawn; the button still works.
    if (!LoadRecoloredBitmap(m_arrow, QString::fromLatin1(kArrowPath), m_colors))
        m_arrow = QPixmap();
    if (!LoadRecoloredBitmap(m_disabledArrow, QString::fromLatin1(kDisabledArrowPath), m_colors))
        m_disabledArrow = QPixmap();
}

QRect CBitmapComboBox::ArrowButtonRect() const
{
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    const int w = std::min(kButtonWidth, std::max(0, inner.width()));
    return QRect(inner.right() - w + 1, inner.top(), w, inner.height());
}

QRect CBitmapComboBox::EditRect() const
{
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    return QRect(inner.left(), inner.top(), std::max(0, inner.width() - kButtonWidth), inner.height());
}

void CBitmapComboBox::PlaceEdit()
{
    if (OwnPainting() && lineEdit())
        lineEdit()->setGeometry(EditRect().adjusted(2, 1, -1, -1));
}

void CBitmapComboBox::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    PlaceEdit();
}

void CBitmapComboBox::showEvent(QShowEvent *event)
{
    QComboBox::showEvent(event);
    PlaceEdit();
}

void CBitmapComboBox::mousePressEvent(QMouseEvent *event)
{
    if (OwnPainting() && event->button() == Qt::LeftButton && isEnabled() &&
        ArrowButtonRect().contains(event->position().toPoint())) {
        m_arrowDown = true;
        update();
        showPopup();
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

void CBitmapComboBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_arrowDown) {
        m_arrowDown = false;
        update();
    }
    QComboBox::mouseReleaseEvent(event);
}

void CBitmapComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (m_arrowDown) {
        m_arrowDown = false;
        update();
    }
}

void CBitmapComboBox::paintEvent(QPaintEvent *event)
{
    if (!OwnPainting()) {
        QComboBox::paintEvent(event);
        return;
    }
    QPainter p(this);
    const CMenuLook::Colors &look = CMenuLook::Instance().GetColors();
    QRect r = rect();
    p.fillRect(r, ToQColor(m_colors.face));
    Draw3dRect(p, r, m_colors.shadow, m_colors.highlight);
    r.adjust(1, 1, -1, -1);
    Draw3dRect(p, r, look.windowFrame, m_colors.face);

    // The edit part: the window colour inside a one-pixel frame, the face colour when disabled.
    const QRect edit = EditRect();
    p.fillRect(edit, ToQColor(isEnabled() ? look.window : m_colors.face));
    if (!isEditable()) {
        p.setPen(ToQColor(isEnabled() ? m_colors.text : m_colors.shadow));
        p.drawText(edit.adjusted(3, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   currentText());
    }

    QRect button = ArrowButtonRect();
    const bool pressed = isEnabled() && m_arrowDown;
    if (pressed) {
        Draw3dRect(p, button, m_colors.shadow, m_colors.shadow);
    } else {
        Draw3dRect(p, button, m_colors.face, look.windowFrame);
        Draw3dRect(p, button.adjusted(1, 1, -1, -1), m_colors.highlight, m_colors.shadow);
    }
    p.fillRect(button.adjusted(2, 2, -2, -2), ToQColor(m_colors.face));
    const QPixmap &arrow = isEnabled() ? m_arrow : m_disabledArrow;
    if (!arrow.isNull()) {
        int x = button.left() + (button.width() - arrow.width()) / 2;
        int y = button.top() + (button.height() - arrow.height()) / 2;
        if (pressed) {
            x += 1;
            y += 1;
        }
        p.drawPixmap(x, y, arrow);
    }
}
