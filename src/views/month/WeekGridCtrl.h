// CWeekGridCtrl: the Week view's control: the seven days of one week laid out like a
// week-at-a-glance page (three days on the left, two and then two half-height days on the right),
// each with a caption strip and its items stacked in the body, an overflow glyph where they do not
// all fit, keyboard moves, typing a new event and editing a subject in place.
#pragma once

#include "views/base/CalendarViewCtrl.h"

#include <QBrush>
#include <QFont>
#include <functional>

class CWeekGridCtrl : public CCalendarViewCtrl
{
  public:
    static constexpr int kViewKind = 3;
    static constexpr int kSectionIndex = 36; // "Week"
    static constexpr int kCells = 7;
    // Cell flags besides the base's selection bit.
    static constexpr std::uint8_t kCellOverflow = 0x02;
    // Parts of GetCellRect.
    static constexpr int kPartCell = 1;
    static constexpr int kPartStrip = 2;
    static constexpr int kPartBody = 4;

    // The height a text needs when wrapped to a width, in pixels.
    using TextHeightFn = std::function<int(const QString &text, int width)>;

    CWeekGridCtrl();

    // The first day of the week that holds `date`: a Monday with `mondayStart`, else the first day
    // of the week (0 Monday .. 6 Sunday).
    static CDateTime WeekStartFor(const CDateTime &date, bool mondayStart, int firstDayOfWeek);
    // The cell an arrow, Home or End key moves the focus to from `cell`; outside 0..6 when the
    // move leaves the week.
    static int KeyTarget(int cell, int key);

    const CDateTime &GetWeekStart() const { return m_firstDate; }
    int GetTodayOffset() const { return m_todayOffset; }
    bool IsMondayStart() const { return m_mondayStart != 0; }
    // Whether the cell's weekday is no work day.
    bool IsNonWorkCell(int cell) const;
    bool IsCellOverflowing(int cell) const;
    // Where the overflow glyph of a cell is drawn and hit.
    QRect OverflowGlyphRect(int cell) const;
    // The text of a cell's caption strip for the strip width.
    QString GetStripText(int cell) const;

    // Text sizes the layout uses: the line height of the view font and the strip height; the lane
    // height follows as line height + 5. LoadFonts sets them from the fonts.
    void SetLineMetrics(int lineHeight, int stripHeight);
    int GetLineHeight() const { return m_lineHeight; }
    int GetLaneHeight() const { return m_laneHeight; }
    int GetStripHeight() const { return m_stripHeight; }
    // Replaces the measurement of stacked texts (the view font's word-wrapped height by default).
    void SetTextMeasurer(TextHeightFn measure) { m_measure = std::move(measure); }

    // ---- Overrides ----
    int CellFromDate(const CDateTime &date, int *flags = nullptr) const override;
    int CellFromPoint(const QPoint &point) const override;
    QRect GetCellRect(int cell, int part) const override;
    void SetCurrentCell(int cell) override;
    int HitTest(const QPoint &point, int *index) const override;
    void LayoutEntries() override;
    void Draw(QPainter &painter, const QRect &updateRect) override;
    QString GetCaption() const override;
    CDateTime GetFocusDate() const override;
    bool AddEntry(std::unique_ptr<CDisplayItem> entry) override;
    int BeginInPlaceEdit() override;
    void StartItemByTyping(QChar ch) override;
    void MoveFocusByKey(int key, int modifiers) override;
    void EditFocusedItem() override;
    bool LoadFonts(bool reload) override;
    void LoadViewColors() override;
    void SetDate(const CDateTime &date) override;
    void UpdateToday() override;

    COLORREF m_selectedBackColour = 0;
    COLORREF m_selectedTextColour = 0;

  private:
    void MoveFocusTo(int cell, bool extend);
    void LayoutInLanes();
    void StackInCells();
    int MeasureText(const QString &text, int width) const;
    void DrawCell(QPainter &painter, int cell) const;

    int m_mondayStart = 0; // "WE"
    int m_todayOffset = -1;
    int m_lineHeight = 0;
    int m_laneHeight = 0;
    int m_stripHeight = 0;
    QFont m_boldFont;
    QBrush m_hatch;
    TextHeightFn m_measure;
};
