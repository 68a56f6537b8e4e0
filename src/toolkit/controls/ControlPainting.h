// Painting pieces the program's own controls share: one-pixel 3-D edges, embossed (disabled)
// text, the dotted focus rectangle and the check mark of the coloured check box.
#pragma once

#include "core/lists/ColorRules.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

// Top and left lines in `topLeft`, bottom and right lines in `bottomRight`, one pixel wide on
// the rectangle's edge.
void Draw3dRect(QPainter &painter, const QRect &rect, COLORREF topLeft, COLORREF bottomRight);

// Text drawn as a disabled control shows it: in `highlight` one pixel right and down (unless
// `withHighlight` is off), then in `shadow` at the place itself. `flags` are Qt alignment flags.
void DrawEmbossedText(QPainter &painter, const QRect &rect, int flags, const QString &text,
                      COLORREF highlight, COLORREF shadow, bool withHighlight = true);

// The dotted rectangle of the keyboard focus, on the rectangle's edge.
void DrawFocusRect(QPainter &painter, const QRect &rect);

// The pixels of the coloured check box's mark, with (left, top) the top-left of the box's
// inside: the stroke (1,3)-(3,5)-(8,0), each segment without its end point, three times, moved
// down by 0, 1 and 2 pixels.
QList<QPoint> CheckMarkPixels(int left, int top);
