// Drawing helpers shared by every painter: colour conversion at paint time, the colour choices of
// the menu look by item state, gradients, the monochrome status glyphs and the small images.
#pragma once

#include "core/lists/ColorRules.h"
#include "toolkit/style/MenuLook.h"

#include <QBrush>
#include <QColor>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;
class QPixmap;

// COLORREF to QColor and back; "no colour" becomes transparent. Inline: painters convert a
// colour for nearly every fill.
inline QColor ToQColor(COLORREF colour)
{
    if (colour == kNoColor)
        return QColor(Qt::transparent);
    return QColor(ColorRed(colour), ColorGreen(colour), ColorBlue(colour));
}
COLORREF FromQColor(const QColor &colour);

// Item state bits of custom-drawn and owner-drawn items.
enum ItemStateBits : unsigned
{
    kStateSelected = 0x01, // selected or pressed
    kStateGrayed = 0x02,
    kStateDisabled = 0x04,
    kStateChecked = 0x08,
    kStateHot = 0x40,
    kStateIndeterminate = 0x100,
};

// Image-list drawing styles that `DrawImageListIcon` and the type icons honour.
enum ImageDrawStyle : int
{
    kDrawNormal = 0,
    kDrawTransparent = 1,
    kDrawBlend25 = 2,
    kDrawBlend50 = 4, // also "selected"
};

// Shades of cells and item boxes that depend on the system window colour.
COLORREF GetFillShade(COLORREF c, const CMenuLook &look = CMenuLook::Instance());
COLORREF GetFillHighlight(COLORREF c, const CMenuLook &look = CMenuLook::Instance());

// The menu look's colours by item state.
QBrush GetBarBackgroundBrush(const CMenuLook &look = CMenuLook::Instance());
COLORREF GetToolbarTextColor(unsigned state, const CMenuLook &look = CMenuLook::Instance());
COLORREF GetToolbarButtonBorderColor(unsigned state, const CMenuLook &look = CMenuLook::Instance());
// Sets `fill` for indeterminate, checked and hot buttons; other states leave it unchanged.
void GetToolbarButtonFillColors(unsigned state, ColorPair &fill,
                                const CMenuLook &look = CMenuLook::Instance());
COLORREF GetMenuLookShadowColor(const CMenuLook &look = CMenuLook::Instance());
COLORREF GetMenuLookLightColor(const CMenuLook &look = CMenuLook::Instance());
COLORREF GetMenuTextColor(unsigned state, const CMenuLook &look = CMenuLook::Instance());
COLORREF GetMenuItemBorderColor(bool onBar, bool active, unsigned state,
                                const CMenuLook &look = CMenuLook::Instance());
COLORREF GetMenuIconBackColor(unsigned state, const CMenuLook &look = CMenuLook::Instance());
COLORREF GetMenuCheckBackColor(unsigned state, const CMenuLook &look = CMenuLook::Instance());
ColorPair GetItemGradientColors(bool onBar, unsigned state, const CMenuLook &look = CMenuLook::Instance());

// One band of a banded gradient: `length` pixels from `offset` along the gradient in `colour`.
struct GradientBand
{
    int offset = 0;
    int length = 0;
    COLORREF colour = 0;
    bool operator==(const GradientBand &) const = default;
};

// The banded form of a gradient `length` pixels long, drawn over a fill of `to`: 2-pixel bands at
// offsets 0, 2, 4 ... below length - 2, band i coloured from + (to - from) x offset / (length - 2)
// per channel (rounded). Up to 2 pixels long there is no band: the whole is `to`.
std::vector<GradientBand> GradientBands(COLORREF from, COLORREF to, int length);

// Fills `rect` with a gradient from `from` to `to`, top to bottom when `vertical`, else left to
// right. Equal colours are one solid fill. With `nearest` on a screen of 256 colours or fewer the
// gradient is drawn in 2-pixel bands of the nearest screen colours; otherwise it is smooth.
void FillGradientRect(QPainter &painter, const QRect &rect, COLORREF from, COLORREF to, bool vertical,
                      bool nearest = false);

// Draws `text` centred in `rect` on one line (`length` characters; -1 the whole text).
void DrawMenuText(QPainter &painter, const QString &text, int length, const QRect &rect);

// The work area of the screen nearest `rect`; the primary screen's whole area without screen data.
QRect GetMonitorWorkArea(const QRect &rect);

// Draws glyph `index` of a status glyph strip stretched to width x height at (x, y) in the
// painter's pen colour, transparent elsewhere. The strip is chosen by the height: up to 11 the
// 14 x 11 strip, 15 the 18 x 15 strip, 20 and above the 25 x 20 strip; 12 to 14 and 16 to 19 draw
// nothing. Only the left `visibleWidth` pixels are drawn; 0 or less draws nothing.
void DrawItemGlyph(QPainter &painter, int index, int x, int y, int width, int height, int visibleWidth,
                   const CMenuLook &look = CMenuLook::Instance());

// Draws image `image` of the shared small image list at (x, y), unscaled, in the given style.
void DrawImageListIcon(QPainter &painter, int image, int x, int y, int style,
                       const CMenuLook &look = CMenuLook::Instance());
// Draws a pixmap in an image-list style: the blend styles tint it with the highlight colour.
void DrawStyledPixmap(QPainter &painter, int x, int y, const QPixmap &pixmap, int style,
                      const CMenuLook &look = CMenuLook::Instance());
