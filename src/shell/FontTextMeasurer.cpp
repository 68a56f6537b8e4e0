// Font measurements for the text fitters.
#include "shell/FontTextMeasurer.h"

CFontTextMeasurer::CFontTextMeasurer(const QFont &font, QPaintDevice *device)
    : m_metrics(device ? QFontMetricsF(font, device) : QFontMetricsF(font))
{
}

double CFontTextMeasurer::TextWidth(const QString &text) const
{
    return m_metrics.horizontalAdvance(text);
}

double CFontTextMeasurer::TabStop() const
{
    return 8 * m_metrics.averageCharWidth();
}

double CFontTextMeasurer::LineHeight() const
{
    return m_metrics.height() + m_metrics.leading();
}
