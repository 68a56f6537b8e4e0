// Colour choices by item state, gradients, status glyphs and small images.
#include "toolkit/drawing/DrawHelpers.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

QColor ToQColor(COLORREF colour)
{
    // "No colour" paints nothing.
    if (colour == kNoColor)
        return QColor(Qt::transparent);
    return QColor(ColorRed(colour), ColorGreen(colour), ColorBlue(colour));
}

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
    return QBrush(ToQColor(look.GetColors().barBackground));
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

void FillGradientRect(QPainter &painter, const QRect &rect, COLORREF from, COLORREF to, bool vertical)
{
    if (rect.isEmpty())
        return;
    if (GetDisplayColorCount() <= 256 || from == to) {
        painter.fillRect(rect, ToQColor(from));
        return;
    }
    // Ends at the centres of the first and last pixel rows, so both end colours are reached.
    const QPointF start(rect.left() + 0.5, rect.top() + 0.5);
    const QPointF end = vertical ? QPointF(rect.left() + 0.5, rect.bottom() + 0.5)
                                 : QPointF(rect.right() + 0.5, rect.top() + 0.5);
    QLinearGradient gradient(start, end);
    gradient.setColorAt(0, ToQColor(from));
    gradient.setColorAt(1, ToQColor(to));
    painter.fillRect(rect, gradient);
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
