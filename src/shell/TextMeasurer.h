// ITextMeasurer: the widths the text fitters need, so that they can be computed (and tested)
// without a device; CFontTextMeasurer answers them from a font.
#pragma once

#include <QString>

class ITextMeasurer
{
  public:
    virtual ~ITextMeasurer() = default;
    // The advance of the text drawn on one line (no tab expansion).
    virtual double TextWidth(const QString &text) const = 0;
    // The distance between tab stops.
    virtual double TabStop() const = 0;
    // Text height plus external leading.
    virtual double LineHeight() const = 0;
};

// The width of a line with its tabs expanded to the next tab stop.
double TabbedTextWidth(const ITextMeasurer &measurer, const QString &text);
