// CFontTextMeasurer: text widths of a font, with tab stops every eight average characters.
#pragma once

#include "shell/TextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>

class QPaintDevice;

class CFontTextMeasurer : public ITextMeasurer
{
  public:
    explicit CFontTextMeasurer(const QFont &font, QPaintDevice *device = nullptr);

    double TextWidth(const QString &text) const override;
    double TabStop() const override;
    double LineHeight() const override;
    double Ascent() const { return m_metrics.ascent(); }

  private:
    QFontMetricsF m_metrics;
};
