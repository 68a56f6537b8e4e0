// CTimeGridLayout: the geometry of the day time grid without a window: shown days and columns,
// rows of a few minutes, the mapping between times, cells and points, and the placement of timed
// entries as side-by-side boxes. The day view keeps one and draws what it computed.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/DisplayItem.h"
#include "views/timegrid/WorkWeekColumns.h"

#include <QPoint>
#include <QRect>
#include <memory>
#include <vector>

class CTimeGridLayout
{
  public:
    using EntryList = std::vector<std::unique_ptr<CDisplayItem>>;

    static constexpr int kMinBoxWidth = 7;
    static constexpr int kMaxDays = 14;

    CTimeGridLayout();

    // ---- Days and columns ----
    // Stores the day count (1..14) and the work-week switch and rebuilds the column tables;
    // returns the column count.
    int SetGridDays(int days, bool workWeek);
    int ColumnCount() const { return m_columnCount; }
    int DayCount() const { return m_dayCount; }
    bool IsWorkWeek() const { return m_workWeek; }
    // The day offset a column shows and the column of a day offset (-1 when not shown).
    int ColumnToDay(int column) const;
    int DayToColumn(int day) const;
    // Days from the first date to the end of the last column.
    int GetShownDays() const;
    const CDateTime &FirstDate() const { return m_firstDate; }
    void SetFirstDate(const CDateTime &date);

    // ---- Rows ----
    // Minutes per row (5, 6, 10, 15, 30 or 60; others give 30) and the working-time-only
    // switch, which stays off when the working time is empty. Sets the first and end rows;
    // the top row is kept within them.
    void SetTimeScale(int minutes, bool workingTimeOnly);
    int MinutesPerRow() const { return m_minutes; }
    int RowsPerDay() const { return m_rowsPerDay; }
    bool WorkingTimeOnly() const { return m_workingTimeOnly; }
    int FirstRow() const { return m_firstRow; }
    int EndRow() const { return m_endRow; }
    int TopRow() const { return m_topRow; }
    void SetTopRow(int row);
    int CellCount() const { return m_columnCount * m_rowsPerDay; }

    // Working time as hours and minutes.
    void SetWorkingTime(int startHour, int startMinute, int endHour, int endMinute);
    int WorkStartMinutes() const { return m_workStartHour * 60 + m_workStartMinute; }
    int WorkEndMinutes() const { return m_workEndHour * 60 + m_workEndMinute; }
    int WorkStartHour() const { return m_workStartHour; }
    int WorkStartMinute() const { return m_workStartMinute; }
    int WorkEndHour() const { return m_workEndHour; }
    int WorkEndMinute() const { return m_workEndMinute; }

    // ---- Pixels ----
    void SetViewRect(const QRect &rect) { m_viewRect = rect; }
    const QRect &ViewRect() const { return m_viewRect; }
    void SetRowHeight(int height) { m_rowHeight = height > 0 ? height : 1; }
    int RowHeight() const { return m_rowHeight; }
    void SetLabelWidth(int width) { m_labelWidth = width; }
    int LabelWidth() const { return m_labelWidth; }
    // Rows wholly visible (at least 1), and rows visible with a partly shown last row.
    int FullRowsVisible() const;
    int RowsShown() const;
    // Left and right (exclusive) client x of a column.
    int ColumnLeft(int column) const;
    int ColumnRight(int column) const;

    // ---- Times, cells and points ----
    int Column(int cell) const { return cell / m_rowsPerDay; }
    int Row(int cell) const { return cell % m_rowsPerDay; }
    // The cell of a time counted in days from the first date (not columns). `exact` tells that
    // the time lies on a row boundary, `outside` that it lies out of the shown days.
    int CellFromDate(const CDateTime &time, bool *exact = nullptr, bool *outside = nullptr) const;
    // The start of a cell (columns mapped to their days).
    CDateTime GetDayDate(int cell) const;
    // The end of a cell: the start of the next row of the same day, or the next midnight.
    CDateTime CellEnd(int cell) const;
    CDateSpan RowSpan() const;
    CDateSpan GetDaySpan(int a, int b) const;
    // Client rectangle of a cell (scrolled); right and bottom exclusive.
    QRect GetCellRect(int cell) const;
    // The cell under a client point; `below` tells that the point lies under the last row.
    int CellFromPoint(const QPoint &point, bool *below = nullptr) const;
    // Grid coordinates (unscrolled) to client coordinates and back.
    int GridToClientY(int y) const { return y - m_topRow * m_rowHeight; }
    int ClientToGridY(int y) const { return y + m_topRow * m_rowHeight; }

    // ---- Placement ----
    // Cuts a timed entry into one piece per shown day and gives each its cells; pieces that the
    // grid does not show are dropped. With `printing` the cells are the day offsets and pieces
    // outside the working rows stay with no cells.
    void PlaceEntry(std::unique_ptr<CDisplayItem> entry, bool printing, EntryList &out) const;
    // Vertical pass (rows to grid y) and horizontal pass (overlapping entries side by side), over
    // the entries in their display order.
    void LayoutEntries(EntryList &entries) const;

  private:
    // The cell of a minute of the day, `days` after the first shown day; `exact` whether the
    // minute starts a row.
    int CellAt(int days, int minuteOfDay, bool *exact) const;
    // CellFromDate with the time's day number and seconds already taken (`valid` false: it had none).
    int CellFromDay(const CDateTime &time, long dayNumber, long seconds, bool valid, bool *exact,
                    bool *outside) const;
    // An entry's box while the placement works on it.
    struct Box
    {
        QRect rect;
        std::uint32_t state = 0;
        int firstCell = -1;
        bool Skipped() const { return (state & (CDisplayItem::StateDragged | CDisplayItem::StateHidden)) != 0; }
    };
    void PlaceGroups(std::vector<Box> &boxes) const;
    void PlaceGroup(std::vector<Box> &boxes, int first, int last, int wanted, std::vector<int> &pending) const;
    void TrimOverlaps(std::vector<Box> &boxes) const;
    static void Trim(Box &a, Box &b);

    CDateTime m_firstDate;
    // The first date as a day count, for day differences from date parts.
    long m_firstDay = 0;
    bool m_firstDayValid = false;
    int m_dayCount = 5;
    bool m_workWeek = false;
    int m_columnCount = 5;
    CWorkWeekColumns m_columns;
    int m_minutes = 30;
    int m_rowsPerDay = 48;
    bool m_workingTimeOnly = false;
    int m_firstRow = 0;
    int m_endRow = 48;
    int m_topRow = 16;
    int m_rowHeight = 17;
    int m_labelWidth = 57;
    int m_workStartHour = 8, m_workStartMinute = 0, m_workEndHour = 17, m_workEndMinute = 0;
    QRect m_viewRect;
};

// Right and bottom edges as exclusive coordinates.
inline int RectRight(const QRect &r)
{
    return r.x() + r.width();
}
inline int RectBottom(const QRect &r)
{
    return r.y() + r.height();
}
inline QRect RectFromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
