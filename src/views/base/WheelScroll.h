// Mouse-wheel rule of the calendar views: wheel deltas to whole lines, and lines to a period
// command or to line scroll steps.
#pragma once

#include <cstdint>

// Collects wheel deltas (120 per notch, positive away from the user) until they make whole
// lines (three per notch, positive down). High-resolution wheels and touchpads send small
// deltas; each must count, and none may act before a whole line is reached.
class CWheelAccumulator
{
  public:
    // The whole lines the deltas so far make; the remainder waits. Turning the wheel the other
    // way drops what was waiting.
    int AddDelta(int delta);
    void Reset() { m_pending = 0; }

  private:
    int m_pending = 0; // in 1/120 lines, positive down
};

namespace WheelCommand {
inline constexpr int PreviousPeriod = 34733;
inline constexpr int NextPeriod = 34734;
} // namespace WheelCommand

// Scroll codes: low byte horizontal, high byte vertical, 0xFF none.
namespace ScrollCode {
inline constexpr std::uint16_t LineUp = 0x00FF;
inline constexpr std::uint16_t LineDown = 0x01FF;
inline constexpr std::uint16_t LineLeft = 0xFF00;
inline constexpr std::uint16_t LineRight = 0xFF01;
inline constexpr std::uint16_t None = 0xFFFF;
} // namespace ScrollCode

// What the view does with some whole lines: the week, month and year views page by one period;
// the others scroll line by line, vertically when they can, else horizontally.
struct WheelAction
{
    int command = 0; // a WheelCommand, or 0
    int steps = 0;   // scroll steps, each with scrollCode
    std::uint16_t scrollCode = ScrollCode::None;

    bool DoesNothing() const { return command == 0 && steps == 0; }
};

WheelAction WheelActionFor(int viewKind, int lines, bool canScrollVertically, bool canScrollHorizontally);
