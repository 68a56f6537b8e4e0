// The main window's decisions that need no window: the start-up view, the full-screen bar
// point and saved state, and the print-preview menu of each view kind.
#pragma once

#include <QPoint>
#include <QRect>
#include <utility>
#include <vector>

// View kinds of the containers: 1 Day, 2 Multi-day, 3 Week, 4 Month, 5 Year, 6 Event List,
// 7 Tasks, 8 Search.
struct StartView
{
    int kind = 1;
    int days = 0;          // Multi-day: 2..14
    bool workWeek = false; // Multi-day: the plain command showing the work week
};

// "SView" above 7 counts as 8 (the Day view); 0 or below takes "LView"; Multi-day takes
// "MDN" clamped to 2..14 and "WW".
StartView ChooseStartView(int sView, int lView, int multiDayDays, bool workWeek);

// "FSxy": y in the high 16 bits and x in the low 16, both signed.
int PackBarPoint(QPoint point);
QPoint UnpackBarPoint(int packed);
// Where the floating full-screen bar goes: the stored point when it lies in the work area
// moved 15 left and 20 up, else one pixel inside the work area's top-left corner.
QPoint PlaceFullScreenBar(int packed, const QRect &workArea);

// What full screen hid, to show again when it ends.
namespace FullScreenState {
inline constexpr int Maximised = 1;
inline constexpr int Toolbar = 2;
inline constexpr int InfoBar = 4;
inline constexpr int StatusBar = 8;
} // namespace FullScreenState
int SaveFullScreenState(bool maximised, bool toolbar, bool infoBar, bool statusBar);

// The print-preview submenu of a view kind: (command id, text).
std::vector<std::pair<int, const char *>> PrintPreviewMenu(int viewKind);
// Whether "Shows the item in the Day view." stays in a popup of this kind (lists only).
bool KeepsShowInDayCommand(int viewKind);

// The items of the handheld synchronisation menu for the modules present (0: a separator).
// Empty when none is present: the menu is then removed.
std::vector<int> SyncMenuCommands(bool pocketPc, bool smartphone, bool palm);

// The menus rebuilt each time they open, by the active view kind.
// The place of the view's context menu copied into "Current View": 1 to 5 give 0 to 4, 6
// gives 5, 7 gives 7, 8 gives 6; -1 for none.
int CurrentViewMenuIndex(int viewKind);
// The commands of that context menu (0: a separator).
std::vector<int> CurrentViewCommands(int viewKind);
// The View menu's third item (hidden items) works for the calendar views only.
bool CurrentViewThirdItemEnabled(int viewKind);
// "Include Past Items" and its separator stay in the filter menu of the Event List only.
bool FilterMenuKeepsIncludePast(int viewKind);

class QDate;
class QLocale;
class QString;
// The information bar's title for a view kind shown around `today`: the day, the days of the
// Multi-day view (the work week from Monday), the week from Monday, the month, the year, or
// the name of a list.
QString ViewCaption(int viewKind, int days, bool workWeek, const QDate &today, const QLocale &locale);
