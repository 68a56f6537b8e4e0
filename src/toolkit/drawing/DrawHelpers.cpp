// Colour choices by item state, gradients, status glyphs and small images.
#include "toolkit/drawing/DrawHelpers.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <limits>

COLORREF FromQColor(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return MakeColor(rgb.red(), rgb.green(), rgb.blue());
}

COLORREF GetFillShade(COLORREF c, const CMenuLook &look)
{
    return c == look.GetColors().window ? look.GetColors().windowShade : DarkenColor(100, c);
}

COLORREF GetFillHighlight(COLORREF c, const CMenuLook &look)
{
    return c == look.GetColors().window ? look.GetColors().windowHighlight : kWhite;
}

QBrush GetBarBackgroundBrush(const CMenuLook &look)
{
    return look.GetBarBrush();
}

COLORREF GetToolbarTextColor(unsigned state, const CMenuLook &look)
{
    const auto &c = look.GetColors();
    if (state & kStateDisabled)
        return c.textDisabled;
    if (state & (kStateHot | kStateSelected))
        return c.textHot;
    return c.textNormal;
}

COLORREF GetToolbarButtonBorderColor(unsigned state, const CMenuLook &look)
{
    return (state & kStateIndeterminate) ? look.GetColors().borderPlain : look.GetColors().borderHighlight;
}

void GetToolbarButtonFillColors(unsigned state, ColorPair &fill, const CMenuLook &look)
{
    const auto &c = look.GetColors();
    const bool pressed = state & kStateSelected;
    if (state & kStateIndeterminate)
        fill = c.downPair;
    else if (state & kStateChecked)
        fill = pressed ? c.pressedPair : c.checkedPair;
    else if (state & kStateHot)
        fill = pressed ? c.pressedPair : c.hotPair;
}

COLORREF GetMenuLookShadowColor(const CMenuLook &look)
{
    return look.GetColors().shadow;
}
COLORREF GetMenuLookLightColor(const CMenuLook &look)
{
    return look.GetColors().light;
}

COLORREF GetMenuTextColor(unsigned state, const CMenuLook &look)
{
    const auto &c = look.GetColors();
    if (state & (kStateGrayed | kStateDisabled))
        return c.textDisabled;
    if (state & (kStateHot | kStateSelected))
        return c.textHot;
    return c.textNormal;
}

COLORREF GetMenuItemBorderColor(bool onBar, bool active, unsigned state, const CMenuLook &look)
{
    const auto &c = look.GetColors();
    const bool highlighted =
        onBar ? (state & kStateHot) != 0 : active && (state & (kStateSelected | kStateChecked));
    return highlighted ? c.borderHighlight : c.borderPlain;
}

COLORREF GetMenuIconBackColor(unsigned state, const CMenuLook &look)
{
    const bool selected = (state & kStateSelected) && !(state & kStateDisabled);
    return selected ? look.GetColors().iconBackSelected : look.GetColors().iconBack;
}

COLORREF GetMenuCheckBackColor(unsigned state, const CMenuLook &look)
{
    return (state & kStateSelected) ? look.GetColors().checkBackSelected : look.GetColors().checkBack;
}

ColorPair GetItemGradientColors(bool onBar, unsigned state, const CMenuLook &look)
{
    const auto &c = look.GetColors();
    if (!onBar)
        return c.popupPair;
    if (state & kStateHot)
        return c.barHotPair;
    if (state & kStateSelected)
        return c.downPair;
    return c.barBackgroundPair;
}

std::vector<GradientBand> GradientBands(COLORREF from, COLORREF to, int length)
{
    std::vector<GradientBand> bands;
    // A rectangle of 2 pixels or less has no span to spread the colours over: it stays `to`.
    const int span = length - 2;
    if (span <= 0)
        return bands;
    auto channel = [span](int a, int b, int offset) { return a + MulDiv(b - a, offset, span); };
    for (int offset = 0; offset < span; offset += 2) {
        bands.push_back({offset, std::min(2, length - offset),
                         MakeColor(channel(ColorRed(from), ColorRed(to), offset),
                                   channel(ColorGreen(from), ColorGreen(to), offset),
                                   channel(ColorBlue(from), ColorBlue(to), offset))});
    }
    return bands;
}

void FillGradientRect(QPainter &painter, const QRect &rect, COLORREF from, COLORREF to, bool vertical,
                      bool nearest)
{
    if (rect.isEmpty())
        return;
    if (from == to) {
        painter.fillRect(rect, ToQColor(from));
        return;
    }
    if (!nearest || GetDisplayColorCount() > 256) {
        // Ends at the centres of the first and last pixel rows, so both end colours are reached.
        const QPointF start(rect.left() + 0.5, rect.top() + 0.5);
        const QPointF end = vertical ? QPointF(rect.left() + 0.5, rect.bottom() + 0.5)
                                     : QPointF(rect.right() + 0.5, rect.top() + 0.5);
        QLinearGradient gradient(start, end);
        gradient.setColorAt(0, ToQColor(from));
        gradient.setColorAt(1, ToQColor(to));
        painter.fillRect(rect, gradient);
        return;
    }
    painter.fillRect(rect, ToQColor(GetNearestScreenColor(to)));
    for (const GradientBand &band : GradientBands(from, to, vertical ? rect.height() : rect.width())) {
        const QRect r = vertical ? QRect(rect.left(), rect.top() + band.offset, rect.width(), band.length)
                                 : QRect(rect.left() + band.offset, rect.top(), band.length, rect.height());
        painter.fillRect(r, ToQColor(GetNearestScreenColor(band.colour)));
    }
}

void DrawMenuText(QPainter &painter, const QString &text, int length, const QRect &rect)
{
    const QString shown = length < 0 ? text : text.left(length);
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

QRect GetMonitorWorkArea(const QRect &rect)
{
    const QScreen *best = nullptr;
    qint64 bestArea = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const QRect common = g.intersected(rect);
        const qint64 area = qint64(common.width()) * common.height();
        // Overlap first; a rectangle off every screen goes to the closest one.
        const QPoint d = g.center() - rect.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (area > bestArea || (area == bestArea && area == 0 && distance < bestDistance)) {
            best = screen;
            bestArea = area;
            bestDistance = distance;
        }
    }
    if (best)
        return best->availableGeometry();
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

namespace {
int GlyphStripForHeight(int height)
{
    if (height <= 11)
        return 0;
    if (height == 15)
        return 1;
    if (height >= 20)
        return 2;
    return -1;
}
} // namespace

void DrawItemGlyph(QPainter &painter, int index, int x, int y, int width, int height, int visibleWidth,
                   const CMenuLook &look)
{
    const int strip = GlyphStripForHeight(height);
    if (strip < 0 || visibleWidth <= 0 || width <= 0 || height <= 0 || index < 0)
        return;
    const QImage &glyphs = look.GetGlyphStrip(strip);
    const QSize cell = CMenuLook::kGlyphCells[std::size_t(strip)];
    if (glyphs.isNull() || (index + 1) * cell.width() > glyphs.width())
        return;
    // Stretch the cell as a mask, then colour it with the pen.
    const QImage mask = glyphs.copy(index * cell.width(), 0, cell.width(), cell.height())
                            .scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage tinted(mask.size(), QImage::Format_ARGB32_Premultiplied);
    tinted.fill(painter.pen().color());
    {
        QPainter p(&tinted);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.drawImage(0, 0, mask);
    }
    painter.drawImage(QPoint(x, y), tinted, QRect(0, 0, std::min(visibleWidth, width), height));
}

void DrawStyledPixmap(QPainter &painter, int x, int y, const QPixmap &pixmap, int style,
                      const CMenuLook &look)
{
    if (pixmap.isNull())
        return;
    const double tint = (style & kDrawBlend50) ? 0.5 : (style & kDrawBlend25) ? 0.25 : 0.0;
    if (tint == 0.0) {
        painter.drawPixmap(x, y, pixmap);
        return;
    }
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        p.setOpacity(tint);
        p.fillRect(image.rect(), ToQColor(look.GetColors().highlight));
    }
    painter.drawImage(x, y, image);
}

void DrawImageListIcon(QPainter &painter, int image, int x, int y, int style, const CMenuLook &look)
{
    const QList<QPixmap> &images = look.GetSmallImages();
    if (image < 0 || image >= images.size())
        return;
    DrawStyledPixmap(painter, x, y, images[image], style, look);
}
