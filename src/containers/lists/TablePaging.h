// CTablePaging: how a list printed as a table is cut into pages. Rows go down the page in bands
// of as many rows as a page holds; a table wider than the page prints each band on several
// pages side by side. Plain arithmetic, so the cases can be tested without a printer.
#pragma once

#include "containers/lists/TablePrintColumns.h"

#include <cstdint>
#include <vector>

class CTablePaging
{
  public:
    // The display state bit of a selected row.
    static constexpr std::uint32_t kSelectedState = 0x02;

    // The rows a page body holds under the column heading row: (body - row) / row, and never
    // fewer than one, so that a page too small for two rows (or a row height of 0) still
    // prints one row per band instead of dividing by zero.
    static int RowsPerPage(int bodyHeight, int rowHeight);

    // The first row of each page for every row: ceil(rows / rowsPerPage) bands, at least one
    // (an empty table still prints its heading), each on `pagesWide` pages.
    static std::vector<int> PageStarts(int rowCount, int rowsPerPage, int pagesWide);

    // The same for the selected rows only: a band starts at the first selected row and again
    // after every `rowsPerPage` further selected rows; with nothing selected one band starts at
    // row 0.
    static std::vector<int> SelectedPageStarts(const std::vector<std::uint32_t> &rowStates, int rowsPerPage,
                                               int pagesWide);

    // How many pages wide the columns are over the body width: columns fill a page from the left
    // and one that does not fit starts the next page; a column wider than a page takes one alone.
    static int PagesAcross(const std::vector<CTablePrintColumns::Column> &columns, int bodyWidth);
};
