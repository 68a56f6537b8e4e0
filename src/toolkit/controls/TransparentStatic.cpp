// The bar link's painting and clicks.
#include "toolkit/controls/TransparentStatic.h"

#include "toolkit/controls/LinkOpener.h"
#include "toolkit/drawing/DrawHelpers.h"

#include <QMouseEvent>
#include <QPainter>

TransparentStatic::TransparentStatic(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

int TransparentStatic::BrushOffset() const
{
    const QWidget *frame = parentWidget() ? parentWidget()->parentWidget() : nullptr;
    if (!frame)
        frame = parentWidget();
    if (!frame)
        return 0;
    return mapTo(frame, QPoint(0, 0)).x();
}

void TransparentStatic::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QBrush bar = GetBarBackgroundBrush();
    if (bar.style() != Qt::NoBrush) {
        // Shifted to the frame, so that a gradient runs on behind the text without a seam.
        p.setBrushOrigin(-BrushOffset(), 0);
        p.fillRect(event->rect(), bar);
    } else {
        p.fillRect(event->rect(), ToQColor(CMenuLook::Instance().GetColors().buttonFace));
    }
    p.setPen(QColor(0, 0, 255));
    p.setFont(font());
    p.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
}

void TransparentStatic::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void TransparentStatic::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
            if (!m_url.isEmpty())
                CLinkOpener::Open(m_url);
        }
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
