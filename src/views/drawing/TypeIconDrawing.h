// Drawing item-type icons: through the open calendar's type list, with the default icon for an
// index that names no type and the overlay image drawn over on request.
#pragma once

#include <QList>
#include <QPixmap>

class ITypeIconSource;
class QPainter;

// The type list the painters draw from (null: every index draws the default icon). The caller
// keeps the source alive while it is set.
void SetTypeIconSource(const ITypeIconSource *source);
const ITypeIconSource *GetTypeIconSource();

// The default icon, 16 or 32 pixels.
QPixmap DefaultTypeIcon(int size);
// Image `index` of the 16 x 16 overlay images; image 4 is the one drawn over a task's icon.
QPixmap OverlayImage(int index);
inline constexpr int kTaskOverlayImage = 4;
// The icons of the eleven predefined item types in their table order, 16 or 32 pixels.
QList<QPixmap> PredefinedTypeIcons(int size);

// Draws a type's 16 x 16 icon at (x, y) in an image-list style, with the overlay image over it.
void DrawTypeIconAt(QPainter &painter, int typeIndex, int x, int y, int style, bool overlay);
// The same at width x height: 16 either way draws as `DrawTypeIconAt`; otherwise the small icon
// is stretched (the default icon is drawn at the size) and the overlay goes at the lower-right
// 16 x 16 corner.
void DrawTypeIconSized(QPainter &painter, int typeIndex, int x, int y, int width, int height, bool overlay);
