// Off-screen painting around one paint: callers draw with the target's coordinates into a buffer
// the size of the painted area, which is copied to the target when the object goes. Printers and
// PDF writers are drawn on directly.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <optional>

class CMemDC
{
  public:
    // Buffers the target's clip area (its whole device when it does not clip).
    explicit CMemDC(QPainter &target);
    // Buffers `rect`, in the target's logical coordinates.
    CMemDC(QPainter &target, const QRect &rect);
    ~CMemDC();
    CMemDC(const CMemDC &) = delete;
    CMemDC &operator=(const CMemDC &) = delete;

    // The painter to draw with: the buffer's, or the target itself when printing.
    QPainter &Painter() { return m_buffer ? *m_buffer : m_target; }
    bool IsOffScreen() const { return m_offScreen; }
    const QRect &Rect() const { return m_rect; }

    // True when the painter draws on a printer or into a PDF document.
    static bool IsPrinting(const QPainter &painter);

  private:
    void Begin();

    QPainter &m_target;
    QRect m_rect;
    bool m_offScreen = false;
    QPixmap m_pixmap;
    std::optional<QPainter> m_buffer;
};
