// CMonthViewCtrl: the month view: week rows by weekday columns, day-spanning bars in lanes,
// single-day entries stacked in their cells and an overflow mark where they do not all fit.
// The grid arithmetic lives in CMonthGridModel; this class ties it to the view base, the
// settings and painting.
#pragma once

#include "views/base/CalendarViewCtrl.h"
#include "views/month/MonthGridModel.h"
#include "views/base/ViewContextMenus.h"

#include <QImage>
#include <memory>

class QPainter;

// Measures with the view font.
class CFontTextMeasurer : public IMonthTextMeasurer
{
  public:
    CFontTextMeasurer(const QFont &font, CTextShapeCache &cache) : m_font(font), m_cache(cache) {}
    int WrappedHeight(const QString &text, int width) const override;

  private:
    QFont m_font;
    CTextShapeCache &m_cache;
};

class CMonthViewCtrl : public CCalendarViewCtrl
{
  public:
    // Section of the month view's settings.
    static constexpr int kSectionMonth = 37;
    static constexpr int kViewKindMonth = 4;
    // Context menu of empty month cells.
    static constexpr int kCellMenu = MenuMonthCells;

    CMonthViewCtrl();
    ~CMonthViewCtrl() override;

    CMonthGridModel &GetModel() { return m_model; }
    const CMonthGridModel &GetModel() const { return m_model; }

    // ---- Geometry ----
    // The cell of the date, with kCellAtMidnight and kCellClipped in the flags.
    int CellFromDate(const CDateTime &date, int *flags = nullptr) const override;
    int CellFromPoint(const QPoint &point) const override;
    QRect GetCellRect(int cell, int part) const override;
    CDateTime GetDayDate(int cell) const override;
    CDateSpan GetDaySpan(int a, int b) const override;
    int HitTest(const QPoint &point, int *index) const override;
    void LayoutEntries() override;
    void Draw(QPainter &painter, const QRect &updateRect) override;
    QString GetCaption() const override;
    int CellToDayOffset(int cell) const { return m_model.CellToDayOffset(cell); }
    int DayOffsetToCell(int offset) const { return m_model.DayOffsetToCell(offset); }
    // Days the grid spans (all seven weekdays of each row when some are hidden).
    int GetMonthDayCount() const { return m_model.DayCount(); }
    int GetTodayCell() const { return m_todayCell; }
    // The cell's marks (CMonthGridModel::Cell*), 0 outside the grid.
    std::uint8_t GetCellMark(int cell) const
    {
        return cell >= 0 && cell < GetDayCount() ? m_cellMarks[std::size_t(cell)] : 0;
    }

    // ---- Entries ----
    bool AddEntry(std::unique_ptr<CDisplayItem> entry) override;
    bool AddItem(CItemRef &ref) override;

    // ---- Dates ----
    using CCalendarViewCtrl::SetDate;
    void SetDate(const CDateTime &date) override { SetDate(false, true, date); }
    // keepContext: in week-count mode the date's week becomes the second row (option SCS);
    // rebuild 0 only clears the entries.
    virtual void SetDate(bool keepContext, bool rebuild, const CDateTime &date);
    const CDateTime &GetAnchorDate() const { return m_model.GetAnchorDate(); }
    void UpdateToday() override;
    CDateTime GetFocusDate() const override;

    // ---- Options ----
    void SetVisibleWeekdays(bool showWork, bool showNonWork, bool weekCountMode, int weeks, bool save);
    void LoadViewOptions() override;
    void LoadViewColors() override;
    bool LoadFonts(bool redraw) override;
    // The fonts and sizes without the settings (the web view and tests).
    void ApplyFont(const QFont &font);
    // Measures with the view font unless a measurer is given (not owned).
    void SetTextMeasurer(const IMonthTextMeasurer *measurer) { m_measurer = measurer; }
    MonthLayoutOptions GetLayoutOptions() const;

    COLORREF GetGridLineColour() const { return m_gridLineColour; }
    COLORREF GetOtherMonthColour() const { return m_otherMonthColour; }
    COLORREF GetSelectedBackColour() const { return m_selectedBack; }
    COLORREF GetSelectedTextColour() const { return m_selectedText; }

    // ---- Input ----
    int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const override;
    // Moves the focus to the cell (kept inside the grid); the anchor follows unless Shift is
    // held, and anchor..focus becomes the selected range.
    void SetCurrentCell(int cell) override;
    void MoveFocusByKey(int key, int modifiers) override;
    void StartItemByTyping(QChar ch) override;
    int BeginInPlaceEdit() override;
    void EditFocusedItem() override;
    void OnLeftDown(const QPoint &point, int modifiers) override;
    void InvalidateAll() override;

  protected:
    void MoveFocusTo(int cell, bool extend);
    void DrawHeader(QPainter &painter, const QRect &view) const;
    void DrawCell(QPainter &painter, const QRect &view, int cell) const;
    void DrawDayStrip(QPainter &painter, int cell, const QRect &strip, bool nonWork) const;
    bool IsNonWorkCell(int cell) const;
    void RebuildHatches();

    CMonthGridModel m_model;
    int m_todayCell = -1;
    int m_widestDayName = 0;
    // Modifiers of the click under way; HitTest reads them.
    int m_clickModifiers = 0;
    COLORREF m_gridLineColour = 0x808080;
    COLORREF m_otherMonthColour = 0xDEF4FC;
    COLORREF m_selectedBack = 0x800000;
    COLORREF m_selectedText = 0xFFFFFF;
    QImage m_workHatch;
    QImage m_otherMonthHatch;
    QFont m_boldFont;
    const IMonthTextMeasurer *m_measurer = nullptr;
};
