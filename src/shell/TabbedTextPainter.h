// Drawing what the text fitters planned: one tabbed line in a rectangle, and a multi-line
// layout on a printed page (y up), with tabs expanded to the measurer's tab stops.
#pragma once

#include "shell/TextFitting.h"

#include <QRectF>

class QPainter;
class CFontTextMeasurer;

// Draws the line at the top of the rectangle; returns the height of the drawn text (the line
// height alone with MeasureOnly).
double DrawTabbedLine(QPainter &painter, const CFontTextMeasurer &measurer, const QString &text,
                      const QRectF &rect, unsigned flags);
// Draws tab-expanded text with its baseline at (x, baseline).
void DrawTabbedText(QPainter &painter, const ITextMeasurer &measurer, double x, double baseline,
                    const QString &text);
