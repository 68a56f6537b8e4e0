// Start view, full-screen bar and state, per-kind menus.
#include "shell/MainWndLayout.h"

#include <algorithm>
#include <cstdint>

StartView ChooseStartView(int sView, int lView, int multiDayDays, bool workWeek)
{
    int kind = sView > 7 ? 8 : sView;
    if (kind <= 0)
        kind = lView;
    StartView view;
    switch (kind) {
    case 2:
        view.kind = 2;
        view.days = std::clamp(multiDayDays, 2, 14);
        view.workWeek = workWeek;
        break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        view.kind = kind;
        break;
    default:
        view.kind = 1;
        break;
    }
    return view;
}

int PackBarPoint(QPoint point)
{
    return int((std::uint32_t(std::uint16_t(point.y())) << 16) | std::uint16_t(point.x()));
}

QPoint UnpackBarPoint(int packed)
{
    const auto bits = std::uint32_t(packed);
    return {std::int16_t(bits & 0xFFFF), std::int16_t(bits >> 16)};
}

QPoint PlaceFullScreenBar(int packed, const QRect &workArea)
{
    const QPoint point = UnpackBarPoint(packed);
    if (workArea.translated(-15, -20).contains(point))
        return point;
    return workArea.topLeft() + QPoint(1, 1);
}

int SaveFullScreenState(bool maximised, bool toolbar, bool infoBar, bool statusBar)
{
    return (maximised ? FullScreenState::Maximised : 0) | (toolbar ? FullScreenState::Toolbar : 0) |
           (infoBar ? FullScreenState::InfoBar : 0) | (statusBar ? FullScreenState::StatusBar : 0);
}

std::vector<std::pair<int, const char *>> PrintPreviewMenu(int viewKind)
{
    if (viewKind >= 6 && viewKind <= 8)
        return {{32904, "Table"}, {32906, "Memo"}};
    return {{32901, "Day"},   {34791, "Multi-day"}, {32902, "Week"},    {32903, "Month"},
            {34743, "Yearly"}, {32904, "Table"},     {32905, "Details"}, {32906, "Memo"}};
}

bool KeepsShowInDayCommand(int viewKind)
{
    return viewKind < 1 || viewKind > 5;
}
