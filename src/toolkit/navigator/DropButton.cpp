#include "toolkit/navigator/DropButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

DropButton::DropButton(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize DropButton::sizeHint() const
{
    const int w = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return QSize(std::max(16, w + 2), 20);
}

void DropButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = rect();
    const bool down = m_pressed || (m_tracking && rect().contains(mapFromGlobal(QCursor::pos())));
    option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    if (!isEnabled())
        option.state &= ~QStyle::State_Enabled;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    const int side = std::min(width(), height()) / 2;
    arrow.rect = QRect(0, 0, side + 2, side + 2);
    arrow.rect.moveCenter(rect().center() + (down ? QPoint(1, 1) : QPoint()));
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}

void DropButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_ignoreNextPress || m_pressed) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_tracking = true;
    repaint();
    emit dropRequested();
}

void DropButton::mouseMoveEvent(QMouseEvent *event)
{
    m_ignoreNextPress = false;
    if (!m_tracking) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    if (m_pressed != inside) {
        m_pressed = inside;
        update();
    }
}

void DropButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_tracking) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_tracking = false;
    if (m_pressed) {
        m_pressed = false;
        update();
    }
}

void DropButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}
