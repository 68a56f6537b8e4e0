// One month panel: its rectangle, its 6 x 7 day cells and the week numbers of its rows.
#pragma once

#include "core/dates/DateTime.h"
#include "views/year/YearDayCell.h"

#include <QRect>
#include <array>

class CNavigatorMonth
{
  public:
    static constexpr int kRows = 6;
    static constexpr int kColumns = 7;
    static constexpr int kCells = kRows * kColumns;

    QRect rect;
    std::array<CYearDayCell, kCells> cells;
    std::array<int, kRows> weekNumbers{}; // -1 for a row without one
    CDateTime firstOfMonth;
    // Cells before the 1st: the column of the 1st in row 0.
    int leadingBlanks = 0;
};
