// Mouse-wheel rule of the calendar views.
#include "views/base/WheelScroll.h"

#include <cstdlib>

int CWheelAccumulator::AddDelta(int delta)
{
    const int units = -delta * 3; // a notch of 120 makes three lines
    if ((units > 0 && m_pending < 0) || (units < 0 && m_pending > 0))
        m_pending = 0;
    m_pending += units;
    const int lines = m_pending / 120; // towards zero: a part line waits
    m_pending -= lines * 120;
    return lines;
}

WheelAction WheelActionFor(int viewKind, int lines, bool canScrollVertically, bool canScrollHorizontally)
{
    WheelAction action;
    if (lines == 0)
        return action;
    if (viewKind == 3 || viewKind == 4 || viewKind == 5) {
        action.command = lines > 0 ? WheelCommand::NextPeriod : WheelCommand::PreviousPeriod;
        return action;
    }
    if (canScrollVertically)
        action.scrollCode = lines > 0 ? ScrollCode::LineDown : ScrollCode::LineUp;
    else if (canScrollHorizontally)
        action.scrollCode = lines > 0 ? ScrollCode::LineRight : ScrollCode::LineLeft;
    else
        return action;
    action.steps = std::abs(lines);
    return action;
}
