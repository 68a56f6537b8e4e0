// Start view, full-screen bar and state, per-kind menus.
#include "shell/MainWndLayout.h"

#include <QDate>
#include <QLocale>
#include <QString>
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

std::vector<int> SyncMenuCommands(bool pocketPc, bool smartphone, bool palm)
{
    std::vector<int> items;
    if (pocketPc)
        items.insert(items.end(), {34811, 34812, 0, 34813});
    if (smartphone) {
        if (!items.empty())
            items.push_back(0);
        items.insert(items.end(), {34814, 34815, 0, 34816});
    }
    if (palm) {
        if (!items.empty())
            items.push_back(0);
        items.push_back(32909);
    }
    return items;
}

int CurrentViewMenuIndex(int viewKind)
{
    if (viewKind >= 1 && viewKind <= 5)
        return viewKind - 1;
    switch (viewKind) {
    case 6:
        return 5;
    case 7:
        return 7;
    case 8:
        return 6;
    default:
        return -1;
    }
}

std::vector<int> CurrentViewCommands(int viewKind)
{
    // Each view's own commands, as its context menu offers them: new items, its layout
    // choices, then its customisation.
    switch (CurrentViewMenuIndex(viewKind)) {
    case 0: // Day
    case 1: // Multi-day: time scales and work time only
        return {33022, 34747, 0, 32794, 32795, 32796, 32797, 32798, 32799, 0, 34867, 0, 32808};
    case 2: // Week
        return {33022, 34747, 0, 32808};
    case 3: // Month: month mode and the day filter
        return {33022, 34747, 0, 32891, 0, 34864, 34863, 34862, 0, 32808};
    case 4: // Year
        return {33022, 0, 32808};
    case 5: // Event List
        return {33022, 0, 34861, 0, 32808};
    case 6: // Search
        return {32808};
    case 7: // Tasks: which tasks
        return {34747, 0, 34753, 34755, 34756, 34757, 0, 32808};
    default:
        return {};
    }
}

bool CurrentViewThirdItemEnabled(int viewKind)
{
    return viewKind >= 1 && viewKind <= 5;
}

bool FilterMenuKeepsIncludePast(int viewKind)
{
    return viewKind == 6;
}

namespace {
QString RangeText(const QDate &first, const QDate &last, const QLocale &locale)
{
    const QString end = first.month() == last.month() ? locale.toString(last, QStringLiteral("d"))
                                                      : locale.toString(last, QStringLiteral("MMMM d"));
    QString text = locale.toString(first, QStringLiteral("MMMM d")) + QStringLiteral(" – ") + end;
    if (first.year() != last.year())
        text = locale.toString(first, QStringLiteral("MMMM d, yyyy")) + QStringLiteral(" – ") +
               locale.toString(last, QStringLiteral("MMMM d, yyyy"));
    return text;
}
} // namespace

QString ViewCaption(int viewKind, int days, bool workWeek, const QDate &today, const QLocale &locale)
{
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    switch (viewKind) {
    case 2:
        if (workWeek)
            return RangeText(monday, monday.addDays(4), locale);
        return RangeText(today, today.addDays(std::clamp(days, 2, 14) - 1), locale);
    case 3:
        return RangeText(monday, monday.addDays(6), locale);
    case 4:
        return locale.toString(today, QStringLiteral("MMMM yyyy"));
    case 5:
        return QString::number(today.year());
    case 6:
        return QStringLiteral("Event List");
    case 7:
        return QStringLiteral("Tasks");
    case 8:
        return QStringLiteral("Search Results");
    default:
        return locale.toString(today, QStringLiteral("dddd, MMMM d"));
    }
}
