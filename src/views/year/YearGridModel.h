// CYearGridModel: the year grid without a window: twelve month panels of 6 x 7 day cells, the
// dates and week numbers they show, the item entries kept per day, the panel arrangement and the
// font size that fits a panel. CYearGridCtrl paints what it holds.
#pragma once

#include "core/dates/DateTime.h"
#include "toolkit/navigator/NavigatorMonth.h"
#include "views/year/YearDayCell.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CDisplayItem;

// Sizes of the panel fonts at one point size: the normal font's character height and average
// character width and the bold font's character height.
struct YearFontSizes
{
    int height = 0;
    int averageWidth = 0;
    int boldHeight = 0;
};

// Makes the fonts at a point size and reports their sizes; false when a font cannot be made.
using YearFontProbe = std::function<bool(int points, YearFontSizes &out)>;

struct YearGridMetrics
{
    int captionHeight = 0;
    int weekdayRowHeight = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int sideMargin = 0;
    int bottomMargin = 2;
    int weekNumberWidth = 0;
    int contentWidth = 0;
    int contentHeight = 0;

    static YearGridMetrics From(const YearFontSizes &sizes, bool weekNumbers);
};

// Whether fonts of these sizes fit a panel of pw x ph.
bool YearFontFits(const YearFontSizes &sizes, bool weekNumbers, int pw, int ph);

class CYearGridModel
{
  public:
    static constexpr int kPanels = 12;
    static constexpr int kCells = kPanels * CNavigatorMonth::kCells;
    static constexpr int kMinPoints = 6;
    static constexpr int kAutoSizeLimit = 24;

    // ---- Panels and dates ----
    bool HasPanels() const { return m_panels != nullptr; }
    // Creates the twelve panels, all cells blank and empty.
    void CreatePanels();
    void DestroyPanels();
    // Empties the entries of every cell.
    void ClearEntries();
    // Shows the year of `date`: dates, blanks and week numbers of every panel, the focus cell
    // (the cell of `date`) and the today cell. firstDayOfWeek counts 0 Monday .. 6 Sunday.
    void Fill(const CDateTime &date, int firstDayOfWeek, int weekRule, const CDateTime &today);

    int GetYear() const { return m_year; }
    const CDateTime &GetFirstDate() const { return m_firstDate; }
    const CDateTime &GetLastDate() const { return m_lastDate; }
    int GetDaysInYear() const { return m_daysInYear; }
    int GetFocusCell() const { return m_focusCell; }
    int GetTodayCell() const { return m_todayCell; }
    void SetTodayCell(int cell) { m_todayCell = cell; }

    const CNavigatorMonth &GetPanel(int panel) const { return (*m_panels)[std::size_t(panel)]; }
    // The cell, null for an index outside 0..503 or without panels.
    const CYearDayCell *GetCell(int cell) const;

    // The cell showing the date (clamped to the year, kCellClipped then), -1 without panels.
    // kCellAtMidnight when the time is 00:00.
    int CellFromDate(const CDateTime &date, int *flags = nullptr) const;
    // The date a cell stands for, blank cells included (the days of the neighbouring months at
    // their position); the first date for an index outside the grid.
    CDateTime GetDayDate(int cell) const;

    // ---- Entries ----
    // Marks every day of the year the item covers; false for a task or an item that falls
    // wholly outside the shown year.
    bool AddEntry(const CDisplayItem &item);
    bool RemoveEntriesOfRecord(std::uint32_t recordId);
    bool RemoveOccurrenceEntries(std::uint32_t recordId, const CDateTime &occurrence);
    void SetEntryTypeForItem(std::uint32_t recordId, int typeIndex);
    int GetEntryCount() const { return m_entryCount; }
    // The subjects of the cell's entries, one a line; empty for a blank or free cell.
    QString GetEntryTipText(int cell) const;

    // ---- Geometry ----
    void SetWeekNumbers(bool on) { m_weekNumbers = on; }
    bool GetWeekNumbers() const { return m_weekNumbers; }
    void SetAutoSize(bool on) { m_autoSize = on; }
    bool GetAutoSize() const { return m_autoSize; }
    void SetFontProbe(YearFontProbe probe) { m_probe = std::move(probe); }
    // Makes the fonts at n points and takes their metrics; false (nothing changed) when they
    // cannot be made.
    bool SetFontPoints(int points);
    int GetFontPoints() const { return m_points; }
    const YearGridMetrics &GetMetrics() const { return m_metrics; }
    // The font search: the size chosen is applied and returned.
    int ShrinkFonts(int pw, int ph, int minimum);
    int GrowFonts(int pw, int ph, int limit);
    // Arranges the panels in the view rectangle and fits the fonts; `settingPoints` is the
    // growth limit while auto size is off.
    void Relayout(const QRect &view, int settingPoints);
    int GetPanelColumns() const { return m_panelColumns; }
    int GetPanelRows() const { return m_panelRows; }

    // The panel's content block, centred in its rectangle.
    QRect ContentRect(int panel) const;
    // The 7 x 6 cells of a panel, right of the week-number column.
    QRect CellArea(int panel) const;
    QRect GetCellRect(int cell) const;
    // The cell under the point, -1 for none or for a blank cell.
    int CellFromPoint(const QPoint &point) const;

  private:
    CYearDayCell *CellAt(int cell);
    // Removes the entries that match from every cell; true if any went.
    bool RemoveEntriesWhere(const std::function<bool(const CYearDayEntry &)> &match);
    int CellOfDay(int dayOfYearIndex) const;

    std::unique_ptr<std::array<CNavigatorMonth, kPanels>> m_panels;
    int m_year = 0;
    CDateTime m_firstDate;
    CDateTime m_lastDate;
    int m_daysInYear = 0;
    int m_focusCell = -1;
    int m_todayCell = -1;
    int m_entryCount = 0;

    bool m_weekNumbers = true;
    bool m_autoSize = true;
    YearFontProbe m_probe;
    int m_points = 0;
    YearGridMetrics m_metrics;
    int m_panelColumns = 4;
    int m_panelRows = 3;
};
