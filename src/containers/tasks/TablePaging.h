// CTablePaging: how the Table print style cuts a list into pages: rows per page from the body and
// row heights, bands of rows down the list, and as many pages across as the columns need. Every
// band starts on its own set of pages; each page starts at the first row of its band.
#pragma once

#include <vector>

class CListColumns;

class CTablePaging
{
  public:
    // One printed column: its width and field id.
    struct Column
    {
        int width = 0;
        int fieldId = 0;
    };

    // Rows that fit under the header row of a page body: (body - row) / row, and at least one,
    // so that a page too small for two rows still prints one and the paging always ends.
    static int RowsPerPage(int bodyHeight, int rowHeight);
    // The first row of every page. With `selectedOnly` a band starts at the first selected row and
    // again after every rowsPerPage further selected rows (one band at row 0 when none is
    // selected); otherwise bands = rows / rowsPerPage rounded up, at least one. Each band gives
    // `pagesAcross` pages (at least one), all starting at the band's first row.
    static std::vector<int> PageStarts(int rowCount, int rowsPerPage, int pagesAcross, bool selectedOnly,
                                       const std::vector<bool> &selectedRows);
    // The columns printed from the screen list, in display order: icon columns only when the print
    // job prints images, text columns always.
    static std::vector<Column> ColumnsFromList(const CListColumns &columns, bool withImages);
    // The columns printed when the source is no task list: "Subject", "Due Date", "Status" and
    // "% Complete" at their default widths.
    static std::vector<Column> DefaultColumns(bool withImages);
    // How many pages wide the columns are over the body width: columns fill a page from the left
    // and one that does not fit starts the next page; a column wider than a page takes one alone.
    static int PagesAcross(const std::vector<Column> &columns, int bodyWidth);
};
