// Item-type images for menus and toolbars.
#include "views/drawing/ItemTypeImageSource.h"

#include "views/drawing/TypeIconDrawing.h"
#include "views/drawing/TypeIconSource.h"

#include <QIcon>
#include <QPainter>

QPixmap CItemTypeImageSource::BaseImage(int, bool) const
{
    return QPixmap();
}

QPixmap CItemTypeImageSource::Image(int image, bool disabled) const
{
    if (image < kFirstTypeImage)
        return BaseImage(image, disabled);
    const ITypeIconSource *types = m_types ? m_types : GetTypeIconSource();
    QPixmap icon = types ? types->TypeIcon(image - kFirstTypeImage, 16) : QPixmap();
    if (icon.isNull())
        icon = DefaultTypeIcon(16);
    if (disabled && !icon.isNull())
        icon = QIcon(icon).pixmap(QSize(16, 16), QIcon::Disabled);
    return icon;
}

bool CItemTypeImageSource::DrawImage(QPainter &painter, int image, int x, int y, bool disabled) const
{
    const QPixmap pixmap = Image(image, disabled);
    if (pixmap.isNull())
        return false;
    painter.drawPixmap(x, y, pixmap);
    return true;
}
