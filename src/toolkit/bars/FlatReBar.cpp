// The flat band holder.
#include "toolkit/bars/FlatReBar.h"

#include "toolkit/drawing/DrawHelpers.h"

#include <QPainter>
#include <QVBoxLayout>

CFlatReBar::CFlatReBar(QWidget *parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(2, 2, 2, 2); // the two-pixel frame
    m_layout->setSpacing(0);
}

void CFlatReBar::AddBand(QWidget *band)
{
    m_layout->addWidget(band);
}

int CFlatReBar::BandCount() const
{
    return m_layout->count();
}

void CFlatReBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setBrushOrigin(-mapTo(window(), QPoint(0, 0)));
    painter.fillRect(rect(), GetBarBackgroundBrush());
}
