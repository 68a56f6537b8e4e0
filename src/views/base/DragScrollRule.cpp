// Scrolling of a view while a drag rests in its border strip.
#include "views/base/DragScrollRule.h"

std::uint16_t CDragScrollRule::ScrollCodeAt(const QRect &client, const QPoint &point, int inset)
{
    const QRect inner = client.adjusted(inset, inset, -inset, -inset);
    if (!client.contains(point) || inner.contains(point))
        return NoScroll;
    // QRect's right and bottom are the last pixels inside; "at or beyond the edge" is past them.
    const std::uint16_t h = point.x() < inner.left() ? 0 : point.x() > inner.right() ? 1 : 0xFF;
    const std::uint16_t v = point.y() < inner.top() ? 0 : point.y() > inner.bottom() ? 1 : 0xFF;
    return std::uint16_t((v << 8) | h);
}

std::uint32_t CDragScrollRule::ScrollEffect(bool ctrl, bool shift)
{
    if (ctrl && shift)
        return DropEffect::Scroll | DropEffect::Link;
    if (ctrl)
        return DropEffect::Scroll | DropEffect::Copy;
    return DropEffect::Scroll | DropEffect::Move;
}

CDragScrollRule::Step CDragScrollRule::Update(const QRect &client, const QPoint &point, bool canScroll,
                                              bool ctrl, bool shift, qint64 nowMs)
{
    Step step;
    const std::uint16_t code = ScrollCodeAt(client, point);
    if (code == NoScroll || !canScroll) {
        if (m_code != NoScroll)
            step.feedback = Feedback::DragEnter;
        m_code = NoScroll;
        return step;
    }
    if (code != m_code) {
        if (m_code == NoScroll)
            step.feedback = Feedback::DragLeave;
        m_lastTick = nowMs;
        m_delay = DefaultDelay;
    } else if (nowMs - m_lastTick > m_delay) {
        step.scrollNow = true;
        m_lastTick = nowMs;
        m_delay = DefaultInterval;
    }
    m_code = code;
    step.code = code;
    step.effect = ScrollEffect(ctrl, shift);
    return step;
}
