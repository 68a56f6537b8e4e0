// Item-type icons as pixmaps.
#include "views/drawing/ItemTypeIconSource.h"

#include "core/lists/ItemTypeList.h"
#include "toolkit/drawing/ImagePixelsQt.h"

QPixmap CItemTypeIconSource::TypeIcon(int index, int size) const
{
    if (!m_list.GetType(index))
        return QPixmap();
    if (m_revision != m_list.GetRevision()) {
        m_cache.clear();
        m_revision = m_list.GetRevision();
    }
    const bool large = size > CItemTypeList::kSmallIconSize;
    const int key = index * 2 + (large ? 1 : 0);
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return *it;
    const CImageList &images = large ? m_list.GetLargeImages() : m_list.GetSmallImages();
    const ImagePixels *pixels = images.GetImage(index);
    QPixmap pixmap =
        pixels ? PixmapFromPixels(*pixels, images.GetImageWidth(), images.GetImageHeight()) : QPixmap();
    m_cache.insert(key, pixmap);
    return pixmap;
}
