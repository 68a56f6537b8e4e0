// CMonthGridModel: the month grid without a window: which days the week rows show, the
// column/weekday maps, cell rectangles, how entries are cut into pieces and how the pieces are
// packed into lanes and stacked in their cells. The month view, its web-publishing variant and
// tests share it.
#pragma once

#include "core/dates/DateTime.h"
#include "views/base/CalendarViewCtrl.h"

#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// Measures wrapped text in the view font, so that the stacking arithmetic can be exact in tests.
class IMonthTextMeasurer
{
  public:
    virtual ~IMonthTextMeasurer() = default;
    // Height of the text word-wrapped to the width (a "\r\n" starts a new line).
    virtual int WrappedHeight(const QString &text, int width) const = 0;
};

// The display options the layout reads.
struct MonthLayoutOptions
{
    bool oneLane = true; // every entry in a lane, no stacking of single-day entries
    bool typeIcon = false;
    bool statusIcons = false;
    bool startTime = false;
    bool endTime = false;
    bool itemType = false;
    bool categories = false;
    bool notes = false;
    int lineHeight = 0; // text height of the view font
    int laneHeight = 0; // line height + 5
};

// How a block of icons sits beside an entry's text.
struct MonthIconFit
{
    int rows = 0;
    int columns = 0;
    int textIndent = 0;  // how far the text moves right of the rectangle's left
    int textHeight = 0;  // measured height of the text beside the block
    int blockHeight = 0; // height of the icon block
};

class CMonthGridModel
{
  public:
    using EntryList = CCalendarViewCtrl::EntryList;

    enum WeekdayMode
    {
        AllDays = 0,
        WorkDaysOnly = 1,
        NonWorkDaysOnly = 2
    };
    // Cell marks (the view's per-cell bytes).
    static constexpr std::uint8_t CellSelected = 0x01;
    static constexpr std::uint8_t CellOverflow = 0x02;
    static constexpr std::uint8_t CellOtherMonth = 0x04;
    // Parts of a cell.
    static constexpr int PartCell = 1;
    static constexpr int PartStrip = 2;
    static constexpr int PartBody = 4;
    // Size of the overflow glyph.
    static constexpr int kGlyphWidth = 11;
    static constexpr int kGlyphHeight = 7;

    CMonthGridModel();

    // ---- Weekdays and rows ----
    // Mode from the two flags; a mode that would leave no column falls back to all days.
    void SetVisibleWeekdays(bool showWork, bool showNonWork);
    int GetWeekdayMode() const { return m_weekdayMode; }
    int GetColumns() const { return m_columns; }
    int ColumnToWeekday(int column) const;
    int WeekdayToColumn(int weekday) const;
    bool IsWeekCountMode() const { return m_weekCountMode; }
    // Week-count mode shows `weeks` rows (1..10); month mode finds 5 or 6 itself.
    void SetWeekCountMode(bool on, int weeks);
    int GetWeekCount() const { return m_weekCount; }
    int GetRows() const { return m_rows; }
    void SetRows(int rows) { m_rows = rows < 1 ? 1 : rows; }
    int CellCount() const { return m_columns * m_rows; }
    // Days the grid spans: rows x 7 when weekdays are hidden, else the cells.
    int DayCount() const;
    int CellToDayOffset(int cell) const;
    // Offsets of visible weekdays only.
    int DayOffsetToCell(int offset) const;
    bool IsOffsetVisible(int offset) const;

    // ---- Dates ----
    const CDateTime &GetGridStart() const { return m_gridStart; }
    const CDateTime &GetAnchorDate() const { return m_anchorDate; }
    CDateTime GetDayDate(int cell) const;
    // Goes to the date: grid start, rows and the other-month marks (`marks` is resized to the
    // cells and cleared). Returns the focus cell.
    int SetDate(const CDateTime &date, bool keepContext, bool scrollContext, const CDateTime &today,
                std::vector<std::uint8_t> &marks);
    // Cell of today; -1 when not shown.
    int TodayCell(const CDateTime &today) const;
    // Day offset of the date from the grid start, with whether it lies at 0:00 and whether it was
    // clipped to the grid.
    int DayOffsetFromDate(const CDateTime &date, bool *atMidnight, bool *clipped) const;

    // ---- Geometry (GDI-style edges: right and bottom exclusive) ----
    void SetMetrics(int textHeight, int boldTextHeight);
    int GetLineHeight() const { return m_lineHeight; }
    int GetLaneHeight() const { return m_laneHeight; }
    int GetStripHeight() const { return m_stripHeight; }
    int GetHeaderHeight() const { return m_headerHeight; }
    QRect CellRect(const QRect &view, int cell, int part) const;
    int CellFromPoint(const QRect &view, const QPoint &point) const;
    QRect OverflowGlyphRect(const QRect &view, int cell) const;

    // ---- Placement ----
    // Cuts the entry into pieces (bars at the ends of week rows, once-per-day entries per day) and
    // appends them; false, the entry dropped, when none of its days is shown.
    bool PlaceEntry(std::unique_ptr<CDisplayItem> entry, EntryList &out) const;
    // The same for publishing: one piece per day, other-month days left out.
    bool PlaceEntryPerDay(std::unique_ptr<CDisplayItem> entry, EntryList &out,
                          const std::vector<std::uint8_t> &marks) const;

    // ---- Layout ----
    void Layout(const QRect &view, EntryList &entries, std::vector<std::uint8_t> &marks,
                const MonthLayoutOptions &options, const IMonthTextMeasurer &measurer) const;
    // The first gap at least `minHeight` tall in [top, bottom) between the (top, bottom)
    // intervals, sorted by top.
    static std::pair<int, int> FindFreeGap(int top, int bottom, const std::vector<std::pair<int, int>> &bars,
                                           int minHeight);
    static int IconCount(const CDisplayItem &entry, bool typeIcon, bool statusIcons);
    // Arranges `count` icons beside the text in a rectangle `width` wide.
    static MonthIconFit FitIcons(int count, int lineHeight, int width, const QString &text,
                                 const IMonthTextMeasurer &measurer);

  private:
    bool SplitEntry(std::unique_ptr<CDisplayItem> entry, int first, int last, bool clippedStart,
                    bool clippedEnd, EntryList &out) const;
    bool MapEntryCells(const CDisplayItem &entry, int &first, int &last, bool &clippedStart,
                       bool &clippedEnd) const;
    void StackSingleDays(const QRect &view, EntryList &entries, std::vector<std::uint8_t> &marks,
                         const MonthLayoutOptions &options, const IMonthTextMeasurer &measurer) const;
    // The grid's end and its first day's number, kept until the grid moves or changes size.
    struct GridSpan
    {
        CDateTime start;
        int days = -1;
        CDateTime end;
        long startDay = 0;
        bool startDayValid = false;
    };
    const GridSpan &Span() const;

    CDateTime m_gridStart;
    mutable GridSpan m_span;
    CDateTime m_anchorDate;
    int m_weekdayMode = AllDays;
    bool m_weekCountMode = false;
    int m_weekCount = 5;
    int m_rows = 5;
    int m_columns = 7;
    std::array<int, 7> m_columnToWeekday{};
    std::array<int, 7> m_weekdayToColumn{};
    int m_lineHeight = 0;
    int m_laneHeight = 0;
    int m_stripHeight = 0;
    int m_headerHeight = 0;
};

// A rectangle from GDI-style edges (right and bottom exclusive).
inline QRect EdgeRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
