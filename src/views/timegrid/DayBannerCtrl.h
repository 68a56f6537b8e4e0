// CDayBannerCtrl: the all-day banner above the time grid. One column per shown day (or per work
// day of one week), and in lanes every item that lasts a whole day or more; a day-header strip
// with the days menu at the top and vertical scrolling by rows.
#pragma once

#include "views/base/CalendarViewCtrl.h"
#include "views/base/CellDateFlags.h"
#include "views/timegrid/WorkWeekColumns.h"

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

// How a date falls on the banner's days, as the banner and its print renderer place items.
struct BannerDayHit
{
    int day = 0;             // day index from the first date
    bool atMidnight = false; // the time is 00:00
    bool clipped = false;    // the date lies outside the shown days
};

// The day index of a date among `dayCount` days from `firstDate`. A date before the first date
// gives 0, clipped. The midnight that ends the last day is that last day (outside work-week mode,
// with atMidnight cleared) or the index past it (work-week mode, atMidnight kept), not clipped;
// any later date gives the last day, clipped.
BannerDayHit BannerDayFromDate(const CDateTime &firstDate, int dayCount, bool workWeek,
                               const CDateTime &date);

class CDayBannerCtrl : public CCalendarViewCtrl
{
  public:
    static constexpr int kViewKindBanner = 2;
    static constexpr int kSectionIndex = 35; // "MDay"

    // Commands of the banner and of its days menu (handled by the container).
    static constexpr int kCmdDaysMenu = 32790;
    static constexpr int kCmdTwoDays = 32868; // .. 32880 fourteen days
    static constexpr int kCmdFourteenDays = 32880;
    static constexpr int kCmdWorkWeek = 34724;

    // Scroll requests, with the scroll-bar codes' values.
    enum ScrollRequest
    {
        ScrollLineUp = 0,
        ScrollLineDown = 1,
        ScrollPageUp = 2,
        ScrollPageDown = 3,
        ScrollThumbTrack = 5,
        ScrollTop = 6,
        ScrollBottom = 7
    };

    // What the vertical scroll bar shows.
    struct ScrollBarState
    {
        int maximum = 0; // range 0..maximum
        int page = 0;
        int position = 0;
        bool visible = false;
        bool enabled = false;
        bool operator==(const ScrollBarState &) const = default;
    };

    struct DaysMenuChoice
    {
        int commandId = 0;
        QString text;
    };

    CDayBannerCtrl();
    ~CDayBannerCtrl() override;

    // ---- Columns ----
    // The number of days and the work-week mode; they take effect at the next SetDate.
    void SetBannerDays(int count, bool workWeek);
    int GetBannerDays() const { return m_dayCount; }
    bool IsWorkWeek() const { return m_workWeek; }
    int GetColumnCount() const { return GetDayCount(); }
    // Day index from the first date <-> column; -1 where none.
    int DayToColumn(int day) const;
    int ColumnToDay(int column) const;
    int GetTodayColumn() const { return m_todayColumn; }
    // Days from the first date the banner covers: the whole week in work-week mode.
    int GetShownDayCount() const { return m_workWeek ? 7 : m_dayCount; }

    // ---- Sizes the container sets and reads ----
    void SetLabelWidth(int width);
    int GetLabelWidth() const { return m_labelWidth; }
    // Height of the day-header strip; 0 while there are fewer than two columns.
    int GetHeaderHeight() const { return GetColumnCount() >= 2 ? m_headerHeight : 0; }
    int GetRowHeight() const { return m_rowHeight; }
    int GetLaneStep() const { return m_laneStep; }
    int GetTopRow() const { return m_topRow; }
    int GetRowCount() const { return m_rowCount; }
    int GetVisibleRowCount() const;
    int GetLastTopRow() const;
    void SetScrollBarWidth(int width) { m_scrollBarWidth = width; }
    int GetScrollBarWidth() const { return m_scrollBarWidth; }
    const ScrollBarState &GetScrollBarState() const { return m_scrollBar; }
    // Called when the scroll bar state changed, and with the pixels the content moved by.
    void SetScrollListener(std::function<void(int contentDy)> listener)
    {
        m_scrollListener = std::move(listener);
    }

    // ---- Going to dates ----
    void SetDate(const CDateTime &date) override;
    void SetDate(const CDateTime &date, bool keepContext, bool rebuild);
    void GoToDate(const CDateTime &date);
    void UpdateToday() override;
    // The clock's today, for the today column; tests override it.
    virtual CDateTime Today() const;

    // ---- Geometry ----
    // The column of a date: its day mapped to a column, a non-work day to the next work column.
    int CellFromDate(const CDateTime &date, int *flags = nullptr) const override;
    int CellFromPoint(const QPoint &point) const override;
    QRect GetCellRect(int cell, int part) const override;
    void SetCurrentCell(int cell) override;
    CDateTime GetDayDate(int column) const override;
    CDateSpan GetDaySpan(int a, int b) const override;
    QRect GetViewRect() const override;
    int HitTest(const QPoint &point, int *index) const override;
    int EntryFromPoint(const QPoint &point) const override;
    QRect GetEntryRect(int index) const override;
    void EnsureEntryVisible(int index) override;
    // The point lies in the day-header strip / in its corner cell.
    bool IsHeaderPoint(const QPoint &point) const;
    bool IsCornerPoint(const QPoint &point) const;
    // The rectangle of the corner cell and of a column's caption in the strip.
    QRect GetCornerRect() const;
    QRect GetCaptionRect(int column) const;
    // The caption level every column's date fits at, for a text measurer.
    int GetCaptionLevel(const std::function<int(const QString &)> &measure) const;

    // ---- Entries ----
    bool AddEntry(std::unique_ptr<CDisplayItem> entry) override;
    // The item's occurrences over every shown day (the whole week in work-week mode).
    bool AddItem(CItemRef &ref) override;
    void LayoutEntries() override;
    void OnEntriesChanged() override;

    // ---- Painting and options ----
    void Draw(QPainter &painter, const QRect &updateRect) override;
    bool LoadFonts(bool redraw) override;
    void LoadViewColors() override;
    const QFont &GetBoldFont() const { return m_fonts[2]; }
    COLORREF GetGridLineColour() const { return m_gridLineColour; }
    COLORREF GetSoftColour() const { return m_softColour; }
    COLORREF GetSelectedCellColour() const { return m_selectedCellColour; }
    const QImage &GetDaysGlyph() const { return m_daysGlyph; }
    // The corner cell's text: "W" in work-week mode, else the day count.
    QString GetCornerText() const;

    // ---- Input ----
    CDateTime GetFocusDate() const override;
    int GetContextMenuIndex(const QPoint &point, bool fromKeyboard) const override;
    bool CanScrollVertically() const override { return true; }
    bool OnScroll(std::uint16_t scrollCode) override;
    // A scroll request; true when the top row changed.
    bool OnVScroll(int request, int trackPosition = 0);
    void OnLeftDown(const QPoint &point, int modifiers) override;
    void OnFocusGained() override;
    void OnFocusLost() override;
    void MoveFocusByKey(int key, int modifiers) override;
    void StartItemByTyping(QChar ch) override;
    int BeginInPlaceEdit() override;
    void EditFocusedItem() override;
    void BuildDragRecords() override;
    // A drag of another view's items coming in is re-based on the banner's days first.
    int OnDragEnter(const QMimeData *data, int keyState, const QPoint &point) override;
    // A double click in the day-header strip counts as the one click it is there.
    void OnDoubleClick(const QPoint &point) override;

    // ---- Days menu ----
    // The choices of the days menu in order: 2 to 14 days, then the work week.
    static std::vector<DaysMenuChoice> DaysMenuChoices();
    // Opens the days menu through the listener, at its place below the corner cell; returns the
    // command picked, 0 for none, after sending it to the container.
    int OpenDaysMenu();
    // Shows the days menu at a point in view coordinates and returns the command picked (0 none).
    void SetDaysMenuHandler(std::function<int(const std::vector<DaysMenuChoice> &, const QPoint &)> handler)
    {
        m_daysMenuHandler = std::move(handler);
    }
    QPoint GetDaysMenuPoint() const { return QPoint(5, GetHeaderHeight() + 1); }

  private:
    // The first and last pixel (exclusive) the columns span, and one column's width.
    void ColumnSpan(int &start, int &end, int &width) const;
    int Margin() const { return GetColumnCount() == 1 ? 0 : m_labelWidth + 1; }
    int DayIndexOf(const CDateTime &date) const;
    void RebuildColumnMaps();
    void ComputeTodayColumn();
    bool SetTopRow(int row);
    void UpdateScrollBar();
    bool CellSelectionShown() const;

    int m_dayCount = 5;
    bool m_workWeek = false;
    CWorkWeekColumns m_columns;
    int m_todayColumn = -1;
    int m_labelWidth = 0;
    int m_widestDayName = 0;
    int m_laneStep = 19;
    int m_topRow = 0;
    int m_rowCount = 0;
    int m_headerHeight = 0;
    int m_scrollBarWidth = 16;
    bool m_hasFocus = false;
    COLORREF m_gridLineColour = 0;
    COLORREF m_softColour = 0;
    COLORREF m_selectedCellColour = 0;
    QImage m_daysGlyph;
    ScrollBarState m_scrollBar;
    std::function<void(int)> m_scrollListener;
    std::function<int(const std::vector<DaysMenuChoice> &, const QPoint &)> m_daysMenuHandler;
};
