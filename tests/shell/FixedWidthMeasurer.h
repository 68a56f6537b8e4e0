// A measurer where every character is one unit wide (a surrogate pair or a combining mark
// counts as the character it belongs to), tab stops every eight units and lines ten high.
#pragma once

#include "shell/TextMeasurer.h"

#include <QTextBoundaryFinder>

class FixedWidthMeasurer : public ITextMeasurer
{
  public:
    double TextWidth(const QString &text) const override
    {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        int count = 0;
        while (finder.toNextBoundary() >= 0)
            ++count;
        return count;
    }
    double TabStop() const override { return 8; }
    double LineHeight() const override { return 10; }
};
