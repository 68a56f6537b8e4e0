// What a view's CellFromDate reports besides the cell, in its optional flags word.
#pragma once

// The date lies exactly at 00:00.
inline constexpr int kCellAtMidnight = 0x1;
// The date lies outside the shown days and was taken as the nearest shown one.
inline constexpr int kCellClipped = 0x2;
