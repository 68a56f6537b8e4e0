#include "containers/day/DayContainerLayout.h"

#include "containers/base/ViewKinds.h"
#include "core/dates/DateRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Whole rows of `rowHeight` in `pixels`, rounded down (also for negative pixels).
int FloorRows(int pixels, int rowHeight)
{
    const int r = std::max(1, rowHeight);
    return pixels >= 0 ? pixels / r : -((-pixels + r - 1) / r);
}
} // namespace

int CDayContainerLayout::FitBanner(int banner, int clientHeight, int rowHeight, int headerHeight)
{
    if (clientHeight <= 0 || clientHeight >= banner + kGridReserve)
        return banner;
    // Whole rows that leave the grid its reserve; in a window too low for one row the banner
    // keeps its header and borders, and it never reaches below the client.
    const int rows = std::max(0, FloorRows(clientHeight - headerHeight - kGridReserve - kFrameBorders, rowHeight));
    const int fitted = headerHeight + rows * std::max(1, rowHeight) + kFrameBorders;
    return std::clamp(fitted, 0, std::max(0, clientHeight - kBarHeight));
}

int CDayContainerLayout::BannerForRows(int rows, int rowLimit, int rowHeight, int headerHeight, int clientHeight)
{
    const int shown = std::clamp(rows, 1, std::max(1, rowLimit));
    const int banner = headerHeight + shown * std::max(1, rowHeight) + kFrameBorders;
    return FitBanner(banner, clientHeight, rowHeight, headerHeight);
}

CDayContainerLayout::Panes CDayContainerLayout::Place(int cx, int cy, int banner)
{
    const int width = std::max(0, cx);
    const int height = std::max(0, cy);
    const int b = std::clamp(banner, 0, height);
    const int barBottom = std::min(b + kBarHeight, height);
    Panes panes;
    panes.banner = QRect(0, 0, width, b);
    panes.bar = QRect(0, b, width, barBottom - b);
    panes.grid = QRect(0, barBottom, width, height - barBottom);
    return panes;
}

CDayContainerLayout::DragBounds CDayContainerLayout::SplitterBounds(int clientHeight, int rowHeight,
                                                                    int headerHeight)
{
    const int r = std::max(1, rowHeight);
    const int n = std::max(1, FloorRows(clientHeight - headerHeight - kGridReserve - kFrameBorders, r));
    DragBounds bounds;
    bounds.lowest = r + headerHeight + kFrameBorders;
    bounds.highest = n * r + headerHeight + kFrameBorders;
    return bounds;
}

int CDayContainerLayout::StepBar(int barTop, int y, int rowHeight, const DragBounds &bounds)
{
    const int r = std::max(1, rowHeight);
    // Row k's bar top is base + k * r; the bar always stands on one of them.
    const int base = bounds.lowest - r;
    const int lastRow = std::max(1, (bounds.highest - base) / r);
    const int clampedY = std::clamp(y, bounds.lowest, std::max(bounds.lowest, bounds.highest));
    int row = std::clamp(int(std::lround(double(barTop - base) / r)), 1, lastRow);
    const int top = base + row * r;
    if (std::abs(clampedY - top) > r / 2)
        row += clampedY > top ? 1 : -1;
    return base + std::clamp(row, 1, lastRow) * r;
}

int CDayContainerLayout::RowLimitFromSetting(int value)
{
    return value <= 4 ? 5 : value;
}

CDayContainerLayout::DayCount CDayContainerLayout::ResolveDayCount(int viewKind, int requested,
                                                                   bool workWeekRequested, int workDays)
{
    if (viewKind != ViewKind::MultiDay)
        return {1, false};
    if (workWeekRequested && workDays > 1)
        return {7, true};
    return {std::clamp(requested, 2, 14), false};
}

int CDayContainerLayout::ClampMultiDayCount(int value)
{
    return std::clamp(value, 2, 14);
}

int CDayContainerLayout::DaysIntoWeek(const CDateTime &date, int firstDayOfWeek)
{
    // GetDayOfWeek counts 1 Sunday .. 7 Saturday, the first day of the week 0 Monday .. 6 Sunday.
    return ((date.GetDayOfWeek() + 5 - firstDayOfWeek) % 7 + 7) % 7;
}

CDateTime CDayContainerLayout::WeekStart(const CDateTime &date, int firstDayOfWeek)
{
    CDateTime start = date.DatePart();
    AddDays(start, -DaysIntoWeek(start, firstDayOfWeek));
    return start;
}

bool CDayContainerLayout::IsOneStepScroll(const CDateTime &first, const CDateTime &date, bool workWeek)
{
    const double days = (date.DatePart() - first.DatePart()).GetTotalDays();
    return std::lround(days) == (workWeek ? 7 : 1);
}

CDayContainerLayout::Pane CDayContainerLayout::NextPane(Pane focus, bool forward, bool taskPadVisible)
{
    switch (focus) {
    case Pane::Grid:
        if (!forward)
            return Pane::Banner;
        return taskPadVisible ? Pane::TaskPad : Pane::Banner;
    case Pane::Banner:
        if (forward)
            return Pane::Grid;
        return taskPadVisible ? Pane::TaskPad : Pane::Grid;
    case Pane::TaskPad:
        return forward ? Pane::Banner : Pane::Grid;
    default:
        return Pane::Grid;
    }
}

int CDayContainerLayout::MinutesOfCommand(int command)
{
    static constexpr int kMinutes[] = {60, 30, 15, 10, 6, 5};
    if (command < 32794 || command > 32799)
        return 0;
    return kMinutes[command - 32794];
}

int CDayContainerLayout::ScaleIndexOfMinutes(int minutes)
{
    switch (minutes) {
    case 60: return 5;
    case 30: return 4;
    case 15: return 3;
    case 10: return 2;
    case 6: return 1;
    case 5: return 0;
    default: return -1;
    }
}
