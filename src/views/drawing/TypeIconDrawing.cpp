// Item-type icons, the default icon and the overlay images.
#include "views/drawing/TypeIconDrawing.h"

#include "toolkit/drawing/DrawHelpers.h"
#include "views/drawing/TypeIconSource.h"
#include "toolkit/style/ViewResources.h"

#include <QPainter>

namespace {
const ITypeIconSource *g_source = nullptr;

QPixmap SmallIcon(int typeIndex)
{
    return g_source ? g_source->TypeIcon(typeIndex, 16) : QPixmap();
}
} // namespace

void SetTypeIconSource(const ITypeIconSource *source)
{
    g_source = source;
}
const ITypeIconSource *GetTypeIconSource()
{
    return g_source;
}

QPixmap DefaultTypeIcon(int size)
{
    return CMenuLook::Instance().GetDefaultIcon(size);
}

QPixmap OverlayImage(int index)
{
    const QList<QPixmap> &overlays = CMenuLook::Instance().GetOverlayImages();
    return index >= 0 && index < overlays.size() ? overlays[index] : QPixmap();
}

QList<QPixmap> PredefinedTypeIcons(int size)
{
    return LoadImageStrip(QString::fromLatin1(size > 16 ? kTypeIcons32Path : kTypeIcons16Path),
                          size > 16 ? 32 : 16, true);
}

void DrawTypeIconAt(QPainter &painter, int typeIndex, int x, int y, int style, bool overlay)
{
    QPixmap icon = SmallIcon(typeIndex);
    if (icon.isNull())
        icon = DefaultTypeIcon(16);
    DrawStyledPixmap(painter, x, y, icon, style);
    if (overlay)
        painter.drawPixmap(x, y, OverlayImage(kTaskOverlayImage));
}

void DrawTypeIconSized(QPainter &painter, int typeIndex, int x, int y, int width, int height, bool overlay)
{
    if (width == 16 || height == 16) {
        DrawTypeIconAt(painter, typeIndex, x, y, kDrawTransparent, overlay);
        return;
    }
    if (width <= 0 || height <= 0)
        return;
    const QRect target(x, y, width, height);
    QPixmap icon = SmallIcon(typeIndex);
    if (icon.isNull())
        icon = DefaultTypeIcon(std::max(width, height));
    {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(target, icon);
        painter.restore();
    }
    if (overlay)
        painter.drawPixmap(x + width - 16, y + height - 16, OverlayImage(kTaskOverlayImage));
}
