// Painting tabbed text.
#include "shell/TabbedTextPainter.h"

#include "shell/FontTextMeasurer.h"

#include <QPainter>
#include <cmath>

void DrawTabbedText(QPainter &painter, const ITextMeasurer &measurer, double x, double baseline,
                    const QString &text)
{
    const double stop = measurer.TabStop();
    double offset = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype tab = text.indexOf(u'\t', start);
        const QString part = text.mid(start, tab < 0 ? -1 : tab - start);
        painter.drawText(QPointF(x + offset, baseline), part);
        offset += measurer.TextWidth(part);
        if (tab < 0)
            return;
        offset = stop > 0 ? (std::floor(offset / stop) + 1) * stop : offset;
        start = tab + 1;
    }
}

double DrawTabbedLine(QPainter &painter, const CFontTextMeasurer &measurer, const QString &text,
                      const QRectF &rect, unsigned flags)
{
    const TabbedLine line = PlanTabbedLine(measurer, text, rect.left(), rect.right(), flags);
    if (flags & TextFlags::MeasureOnly)
        return line.height;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    DrawTabbedText(painter, measurer, line.x, rect.top() + measurer.Ascent(), line.text);
    painter.restore();
    return line.height;
}
