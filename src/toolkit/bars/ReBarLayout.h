// Where the rebar's bands go: left to right in rows as wide as the rebar, a band starting a
// new row when it is asked to or when the row has no room left for its least width; each band
// gets its ideal width where the row allows, the row's last band takes what is left over, and
// bands too wide for their row give way from the right down to their least widths.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

struct ReBarBand
{
    QSize minimum;           // the least size the band works at
    QSize ideal;             // the size the band asks for
    bool breakBefore = false; // always starts a row
};

class CReBarLayout
{
  public:
    // Pixels between two bands of a row (the etched gap).
    static constexpr int kBandGap = 2;

    // The band rectangles for a rebar client of `width`, starting at (0, 0).
    static QList<QRect> LayoutBands(const QList<ReBarBand> &bands, int width);
    // The height the bands need at that width.
    static int HeightForWidth(const QList<ReBarBand> &bands, int width);
};
