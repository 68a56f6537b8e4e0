// CDragScrollRule: the drop target's scrolling while a drag rests in a border strip of a view:
// which way to scroll, when the next step is due, and the drop effect shown meanwhile.
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

namespace DropEffect {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Copy = 1;
inline constexpr std::uint32_t Move = 2;
inline constexpr std::uint32_t Link = 4;
inline constexpr std::uint32_t Scroll = 0x80000000u;
} // namespace DropEffect

class CDragScrollRule
{
  public:
    static constexpr int DefaultInset = 11;    // pixels
    static constexpr int DefaultDelay = 50;    // ms before the first step
    static constexpr int DefaultInterval = 50; // ms between further steps
    static constexpr std::uint16_t NoScroll = 0xFFFF;

    // The scroll code for a point: low byte horizontal, high byte vertical (0 up or left,
    // 1 down or right, 0xFF none); NoScroll outside the strip.
    static std::uint16_t ScrollCodeAt(const QRect &client, const QPoint &point, int inset = DefaultInset);
    // The effect shown while scrolling: Ctrl and Shift link, Ctrl copy, else move.
    static std::uint32_t ScrollEffect(bool ctrl, bool shift);

    enum class Feedback
    {
        Keep,      // nothing to tell the window
        DragLeave, // scrolling starts: hide the window's drop feedback
        DragEnter  // scrolling ends: show it again
    };
    struct Step
    {
        std::uint32_t effect = DropEffect::None;
        bool scrollNow = false;
        std::uint16_t code = NoScroll;
        Feedback feedback = Feedback::Keep;
    };

    // One drag-over tick at time nowMs: canScroll tells whether the window can scroll by the
    // code of the point.
    Step Update(const QRect &client, const QPoint &point, bool canScroll, bool ctrl, bool shift,
                qint64 nowMs);
    bool IsScrolling() const { return m_code != NoScroll; }
    void Reset() { m_code = NoScroll; }

  private:
    std::uint16_t m_code = NoScroll;
    qint64 m_lastTick = 0;
    int m_delay = DefaultDelay;
};
