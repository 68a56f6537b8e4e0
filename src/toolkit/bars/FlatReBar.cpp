// The flat band holder.
#include "toolkit/bars/FlatReBar.h"

#include "toolkit/drawing/DrawHelpers.h"

#include <QEvent>
#include <QPainter>

CFlatReBar::CFlatReBar(QWidget *parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CFlatReBar::AddBand(QWidget *band, bool breakBefore)
{
    band->setParent(this);
    m_bands.append({band, breakBefore});
    band->show();
    updateGeometry();
    PlaceBands();
}

int CFlatReBar::BandCount() const
{
    return int(m_bands.size());
}

QWidget *CFlatReBar::Band(int index) const
{
    return index >= 0 && index < m_bands.size() ? m_bands[index].widget.data() : nullptr;
}

QList<ReBarBand> CFlatReBar::Bands(QList<QWidget *> *widgets) const
{
    QList<ReBarBand> bands;
    for (const Entry &entry : m_bands) {
        QWidget *widget = entry.widget;
        if (!widget || widget->isHidden())
            continue;
        // A band keeps the width it asks for and wraps to a row of its own rather than hiding
        // buttons; a last band in its row takes the rest of the row.
        const QSize ideal = widget->sizeHint().expandedTo(widget->minimumSize());
        bands.append({ideal, ideal, entry.breakBefore});
        if (widgets)
            widgets->append(widget);
    }
    return bands;
}

QSize CFlatReBar::sizeHint() const
{
    int width = 0;
    for (const ReBarBand &band : Bands(nullptr))
        width += band.ideal.width() + CReBarLayout::kBandGap;
    width = std::max(0, width - CReBarLayout::kBandGap) + 2 * kFrame;
    return {width, heightForWidth(width)};
}

QSize CFlatReBar::minimumSizeHint() const
{
    int width = 0;
    for (const ReBarBand &band : Bands(nullptr))
        width = std::max(width, band.minimum.width());
    width += 2 * kFrame;
    return {width, heightForWidth(width)};
}

int CFlatReBar::heightForWidth(int width) const
{
    return CReBarLayout::HeightForWidth(Bands(nullptr), width - 2 * kFrame) + 2 * kFrame;
}

void CFlatReBar::PlaceBands()
{
    QList<QWidget *> widgets;
    const QList<QRect> rects = CReBarLayout::LayoutBands(Bands(&widgets), width() - 2 * kFrame);
    for (int i = 0; i < widgets.size(); ++i)
        widgets[i]->setGeometry(rects[i].translated(kFrame, kFrame));
}

bool CFlatReBar::event(QEvent *event)
{
    // A band that changes its size asks its parent to lay out again.
    if (event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        PlaceBands();
    }
    return QWidget::event(event);
}

void CFlatReBar::resizeEvent(QResizeEvent *)
{
    PlaceBands();
    // The second band's child is drawn against the new width at once.
    if (QWidget *second = Band(1))
        second->update();
}

void CFlatReBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setBrushOrigin(-mapTo(window(), QPoint(0, 0)));
    painter.fillRect(rect(), GetBarBackgroundBrush());
}
