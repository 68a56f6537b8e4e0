// The rebar's band rows.
#include "toolkit/bars/ReBarLayout.h"

#include <algorithm>

QList<QRect> CReBarLayout::LayoutBands(const QList<ReBarBand> &bands, int width)
{
    QList<QRect> rects(bands.size());
    int first = 0;
    int top = 0;
    const int count = int(bands.size());
    while (first < count) {
        // The row takes bands while their least widths fit.
        int last = first;
        int least = bands[first].minimum.width();
        while (last + 1 < count && !bands[last + 1].breakBefore &&
               least + kBandGap + bands[last + 1].minimum.width() <= width) {
            ++last;
            least += kBandGap + bands[last].minimum.width();
        }
        QList<int> widths;
        int height = 0;
        int used = kBandGap * (last - first);
        for (int i = first; i <= last; ++i) {
            widths.append(std::max(bands[i].ideal.width(), bands[i].minimum.width()));
            used += widths.back();
            height = std::max({height, bands[i].minimum.height(), bands[i].ideal.height()});
        }
        if (used < width) {
            widths.back() += width - used; // the last band runs to the row's end
        } else {
            // Too wide: bands give way from the right, each down to its least width.
            int excess = used - width;
            for (int i = last; i >= first && excess > 0; --i) {
                const int give = std::min(excess, widths[i - first] - bands[i].minimum.width());
                widths[i - first] -= give;
                excess -= give;
            }
        }
        int x = 0;
        for (int i = first; i <= last; ++i) {
            rects[i] = QRect(x, top, widths[i - first], height);
            x += widths[i - first] + kBandGap;
        }
        top += height;
        first = last + 1;
    }
    return rects;
}

int CReBarLayout::HeightForWidth(const QList<ReBarBand> &bands, int width)
{
    int bottom = 0;
    for (const QRect &r : LayoutBands(bands, width))
        bottom = std::max(bottom, r.bottom() + 1);
    return bottom;
}
