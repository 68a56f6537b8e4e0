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
