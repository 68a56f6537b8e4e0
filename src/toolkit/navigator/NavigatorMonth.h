// One shown month of a month grid: its rectangle, its 6 x 7 day cells and the week numbers of its
// rows. The Date Navigator, the drop-down calendar and the year grid all keep their months in it.
#pragma once

#include "core/dates/DateTime.h"
#include "toolkit/navigator/NavigatorDay.h"

#include <QRect>
#include <array>

class CNavigatorMonth
{
  public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 7;
    static constexpr int kCells = kRows * kColumns;

    QRect rect;
    std::array<CNavigatorDay, kCells> cells;
    std::array<int, kRows> weekNumbers{}; // -1 for a row without one
    CDateTime firstOfMonth;
    // Cells before the 1st: the column of the 1st in row 0.
    int leadingBlanks = 0;
};
