// Buffered painting of one paint's area.
#include "toolkit/drawing/MemDC.h"

#include <QPaintDevice>
#include <QPaintEngine>

namespace {
QRect ClipArea(const QPainter &target)
{
    if (target.hasClipping())
        return target.clipBoundingRect().toAlignedRect();
    const QPaintDevice *device = target.device();
    return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}
} // namespace

bool CMemDC::IsPrinting(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    if (device && (device->devType() == QInternal::Printer || device->devType() == QInternal::Picture))
        return true;
    const QPaintEngine *engine = painter.paintEngine();
    return engine && (engine->type() == QPaintEngine::Pdf || engine->type() == QPaintEngine::Picture);
}

CMemDC::CMemDC(QPainter &target) : m_target(target), m_rect(ClipArea(target))
{
    Begin();
}

CMemDC::CMemDC(QPainter &target, const QRect &rect) : m_target(target), m_rect(rect)
{
    Begin();
}

void CMemDC::Begin()
{
    m_offScreen = !IsPrinting(m_target) && !m_rect.isEmpty();
    if (!m_offScreen)
        return;
    const qreal ratio = m_target.device() ? m_target.device()->devicePixelRatioF() : 1.0;
    m_pixmap = QPixmap(m_rect.size() * ratio);
    m_pixmap.setDevicePixelRatio(ratio);
    // What the caller leaves undrawn keeps the target's content.
    m_pixmap.fill(Qt::transparent);
    m_buffer.emplace(&m_pixmap);
    m_buffer->translate(-m_rect.topLeft());
    m_buffer->setFont(m_target.font());
    m_buffer->setPen(m_target.pen());
    m_buffer->setBrush(m_target.brush());
}

CMemDC::~CMemDC()
{
    if (!m_offScreen)
        return;
    m_buffer->end();
    m_buffer.reset();
    m_target.drawPixmap(m_rect.topLeft(), m_pixmap);
}
