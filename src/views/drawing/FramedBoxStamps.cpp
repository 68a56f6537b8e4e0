#include "views/drawing/FramedBoxStamps.h"

#include <QColor>
#include <QHashFunctions>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>

std::size_t CFramedBoxStamps::KeyHash::operator()(const Key &k) const noexcept
{
    return qHashMulti(0, k.width, k.height, k.frame, k.inside);
}

// An opaque 32-bit image drawn at a whole-pixel offset by the raster engine is copied row by row,
// the same bytes an opaque fill writes. Anything else (a printer, a scaled or fractional
// transform, see-through painting, another pixel format) keeps the fills. The pixels are those
// of the engine's own device: a window paints into its backing store's image, whatever depth the
// window itself reports.
bool CFramedBoxStamps::CanCopy(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return false;
    const QPaintDevice *target = engine->paintDevice();
    if (!target || target->devType() != QInternal::Image)
        return false;
    switch (static_cast<const QImage *>(target)->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;
    default:
        return false;
    }
    if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const QTransform &t = painter.deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
}

bool CFramedBoxStamps::Draw(QPainter &painter, const QRect &box, const QColor &frame, const QColor &inside)
{
    if (box.width() < 3 || box.height() < 3 || box.width() > kWidestStamp)
        return false;
    if (frame.alpha() != 255 || inside.alpha() != 255 || !CanCopy(painter))
        return false;
    const Key key{box.width(), box.height(), frame.rgb(), inside.rgb()};
    auto found = m_images.find(key);
    if (found == m_images.end()) {
        const std::size_t bytes = std::size_t(box.width()) * std::size_t(box.height()) * 4;
        if (bytes > kByteBudget)
            return false;
        if (m_bytes + bytes > kByteBudget)
            Clear();
        QImage image(box.size(), QImage::Format_RGB32);
        image.fill(frame.rgb());
        const QRgb in = inside.rgb();
        for (int y = 1; y < box.height() - 1; ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::fill(row + 1, row + box.width() - 1, in);
        }
        found = m_images.emplace(key, std::move(image)).first;
        m_bytes += bytes;
    }
    painter.drawImage(box.topLeft(), found->second);
    return true;
}

void CFramedBoxStamps::Clear()
{
    m_images.clear();
    m_bytes = 0;
}
