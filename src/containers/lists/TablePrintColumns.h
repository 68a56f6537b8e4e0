// CTablePrintColumns: which columns a table print of the Event List, the Search Results or a
// calendar view's TaskPad takes: the columns shown on screen, in their display order and width,
// or a default set when the source shows none.
#pragma once

#include <vector>

class CListColumns;

class CTablePrintColumns
{
  public:
    struct Column
    {
        int width = 0; // 0: the print view chooses
        int fieldId = 0;
    };

    // The fields printed when no screen list gives columns.
    static const std::vector<int> &DefaultFields();

    // sourceKind: the view kind printed. The Event List and Search Results print their own
    // list's columns (`screen`); a calendar view prints the TaskPad's (`taskPad`, null while
    // it is hidden) without the fields 5 and 18, which only make sense beside a list of
    // events. Icon columns are taken only with `imageColumns`. An empty result becomes the
    // default fields.
    static std::vector<Column> Select(int sourceKind, const CListColumns *screen, const CListColumns *taskPad,
                                      bool imageColumns);
    // The Task view's table: its list's columns in display order (icon columns only with
    // `imageColumns`), or "Subject", "Due Date", "Status" and "% Complete" at their default widths
    // when the list shows none.
    static std::vector<Column> ForTaskList(const CListColumns &columns, bool imageColumns);
};
