// CDayViewCtrl: the time grid of the Day and Multi-day views: one column per shown day (or per
// work day of one week), one row per few minutes, a time-label column, and the timed entries as
// boxes over the rows they cover. Geometry and placement live in CTimeGridLayout.
#pragma once

#include "views/base/CalendarViewCtrl.h"
#include "views/drawing/FramedBoxStamps.h"
#include "views/timegrid/TimeGridLayout.h"

#include <QFont>
#include <functional>
#include <vector>

class CDayViewCtrl : public CCalendarViewCtrl
{
  public:
    static constexpr int kViewKindDay = 1;

    CDayViewCtrl();
    ~CDayViewCtrl() override;

    // What the window creation does: options, colours, fonts and the first selection.
    void Create();

    // ---- Model ----
    // Day count and work-week switch; returns the column count. The container calls it before
    // SetDate.
    int SetGridDays(int days, bool workWeek);
    int ColumnToDay(int column) const { return m_grid.ColumnToDay(column); }
    int DayToColumn(int day) const { return m_grid.DayToColumn(day); }
    int GetShownDays() const { return m_grid.GetShownDays(); }
    int GetColumnCount() const { return m_grid.ColumnCount(); }
    void SetTimeScale(int minutes, bool workingTimeOnly);
    void SetTopRow(int row);
    // Shows the period from `date`; with scrollToNow the grid scrolls to the current hour and
    // the focus goes to the date's column. Nothing but the reset happens unless `apply`.
    void SetDate(bool scrollToNow, bool apply, const CDateTime &date);
    void SetDate(const CDateTime &date) override { SetDate(false, true, date); }
    // Moves the cell selection into the date's column, keeping its rows.
    void GoToDate(const CDateTime &date);
    const CTimeGridLayout &Grid() const { return m_grid; }
    int GetTodayColumn() const { return m_todayColumn; }
    QRect GetLabelColumnRect() const;
    // Printing renderers set this: cells become days and nothing is scrolled.
    void SetPrinting(bool printing) { m_printing = printing; }

    // ---- Geometry ----
    int CellFromDate(const CDateTime &date, int *flags = nullptr) const override;
    int CellFromPoint(const QPoint &point) const override;
    QRect GetCellRect(int cell, int part) const override;
    void EnsureCellVisible(int cell) override;
    void SetCurrentCell(int cell) override;
    void RecalcLayout() override;
    CDateTime GetDayDate(int cell) const override;
    CDateSpan GetShownSpan() const override;
    CDateSpan GetCellSpan(int cell) const override;
    CDateSpan GetDaySpan(int a, int b) const override;
    int HitTest(const QPoint &point, int *index) const override;
    int EntryFromPoint(const QPoint &point) const override;
    QRect GetEntryRect(int index) const override;
    QRect GetEntryTextRect(int index) const override;
    void EnsureEntryVisible(int index) override;
    void LayoutEntries() override;
    void Draw(QPainter &painter, const QRect &updateRect) override;
    QString GetCaption() const override;

    // ---- Entries ----
    bool AddEntry(std::unique_ptr<CDisplayItem> entry) override;
    bool AddItem(CItemRef &ref) override;
    // Copies of the entries whose days enclose the column.
    int CopyEntriesForCell(EntryList &out, int column) const override;
    void OnEntriesChanged() override;

    // ---- Options ----
    void LoadViewOptions() override;
    void LoadViewColors() override;
    bool LoadFonts(bool reload) override;
    void ReloadOptions() override;

    // ---- Requests and input ----
    void UpdateToday() override;
    CDateTime GetFocusDate() const override;
    int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const override;
    void InvalidateAll() override;
    void MoveFocusByKey(int key, int modifiers) override;
    void StartItemByTyping(QChar ch) override;
    void EditFocusedItem() override;
    int BeginInPlaceEdit() override;
    void OnDragTrack(const QPoint &point) override;
    int OnDragEnter(const QMimeData *data, int keyState, const QPoint &point) override;
    bool CanScrollVertically() const override { return true; }
    // Scroll codes: high byte the vertical code (0 line up, 1 line down, 2 page up, 3 page down,
    // 5 thumb track, 6 top, 7 bottom).
    bool OnScroll(std::uint16_t scrollCode) override;
    // Thumb tracking to a row.
    bool ScrollToRow(int row);
    // Border scrolling while dragged over: everywhere but the first cell and below the last
    // one, where the grid cannot move further.
    int OnDragScroll(const QPoint &point) const override;

    // The vertical scroll bar as the view wants it shown.
    struct ScrollBarState
    {
        int minimum = 0;
        int maximum = 0;
        int page = 1;
        int position = 0;
        bool disableWhenUnneeded = false; // several columns: disabled rather than hidden
        bool visible = false;
        bool enabled = false;
    };
    const ScrollBarState &GetScrollBar() const { return m_scrollBar; }
    // The window's scroll bar width; the grid leaves that much room at the right while the bar
    // shows. 0: the window has no bar of its own.
    void SetScrollBarWidth(int width) { m_scrollBarWidth = width; }
    int GetScrollBarWidth() const { return m_scrollBarWidth; }
    // Called when the scroll bar state changed, with the pixels the rows moved by.
    void SetScrollListener(std::function<void(int contentDy)> listener)
    {
        m_scrollListener = std::move(listener);
    }
    QRect GetViewRect() const override;

    // Options of the grid.
    int m_alternateRows = 0; // "AC"
    int m_currentHour = 1;   // "CH"
    int m_workingOnly = 0;   // "WTO"
    int m_markHours = 1;     // "MOH"
    int m_timeScaleCode = 4; // "TimeScale"

    // Colours of the cells and labels.
    COLORREF m_workingColour = 0, m_nonWorkingColour = 0, m_workingAltColour = 0, m_nonWorkingAltColour = 0;
    COLORREF m_workingLine = 0, m_nonWorkingLine = 0;
    COLORREF m_labelBackground = 0, m_labelText = 0;
    COLORREF m_selectionColour = 0;

  protected:
    // Whether the host's window has the keyboard focus (cell selection shows only then).
    bool m_hasFocus = false;

  public:
    void OnFocusGained() override;
    void OnFocusLost() override;

    // Drawing pieces, public for the offscreen renders and the benchmark.
    void DrawItemBox(QPainter &painter, const CDisplayItem &entry, const QRect &box) const;
    // The texts of an hour's label band: with 60-minute rows the hour text alone; with shorter
    // rows the small "00" (or AM/PM) text and the large hour number.
    struct HourLabel
    {
        QString text;
        QString number;
    };
    HourLabel GetHourLabel(int hour) const;
    // Which rows are working rows and which are the current hour's.
    int WorkStartRow() const;
    int WorkEndRow() const;
    bool IsCurrentHourRow(int row) const;

  private:
    void ResizeCellMarks();
    void ClampSelection();
    int LabelColumnPointCell(const QPoint &point, bool *below) const;
    void ComputeLabelWidth();
    void UpdateTodayColumn();
    int MinutesFromCode(int code) const;
    void DrawLabels(QPainter &painter, const QRect &client, bool moreAbove, bool moreBelow, int nowHour) const;
    // How one cell is painted: its fill, which of its lines are the dark (non-working) ones and
    // whether an hour mark runs under its top line.
    struct CellLook
    {
        COLORREF fill = 0;
        bool edgeLeft = false, edgeTop = false, edgeRight = false, edgeBottom = false;
        bool hourMark = false;
    };
    // The shown cells of every column, in runs of cells that share their fill and side lines.
    void DrawCells(QPainter &painter, int lastRow, int nowHour) const;
    void DrawCellRun(QPainter &painter, int column, int firstRow, const std::vector<CellLook> &run) const;

    // Mutable so that const geometry questions can first take the window's current size.
    mutable CTimeGridLayout m_grid;
    // Painting keeps box images; what is kept is no part of the view's state.
    mutable CFramedBoxStamps m_boxStamps;
    int m_todayColumn = -1;
    CDateTime m_today;
    QFont m_normalFont, m_boldFont, m_hourFont;
    int m_textHeight = 14;
    bool m_printing = false;
    ScrollBarState m_scrollBar;
    int m_scrollBarWidth = 0;
    int m_notifiedTop = -1;
    std::function<void(int)> m_scrollListener;
};
