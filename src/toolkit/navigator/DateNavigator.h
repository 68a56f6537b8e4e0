// CDateNavigator: the month-calendar engine behind the Date Navigator and the drop-down calendar.
// It is no window: a host forwards size, paint, mouse and timer events to it and receives its
// invalidations and notifications through INavigatorHost. Fonts come in as measured sizes, so the
// layout, fill, hit test, highlighting and scrolling run without a window.
#pragma once

#include "core/dates/DateTime.h"
#include "toolkit/navigator/NavigatorMonth.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QPainter;

// What the engine reports to its host's owner.
struct NavigatorNotification
{
    int controlId = 0;
    int code = 0;
    int reason = 0;
    int index = -1;
    QPoint point; // a screen point, or 0, 0
    CDateTime date;
};

enum class NavigatorCursor
{
    Arrow,
    Day, // over a day or the today bar
    LeftArrow,
    RightArrow,
};

// The window that holds an engine.
class INavigatorHost
{
  public:
    virtual ~INavigatorHost() = default;
    virtual void Invalidate(const QRect &rect) = 0;
    virtual void InvalidateAll() = 0;
    virtual void UpdateNow() = 0;
    virtual void SetMouseCapture(bool on) = 0;
    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
    // The pointer in client coordinates.
    virtual QPoint CursorPos() const = 0;
    virtual QPoint ToScreen(const QPoint &client) const = 0;
    virtual void SetCursorShape(NavigatorCursor cursor) = 0;
    // Hands a notification to the owner; its answer.
    virtual int Notify(const NavigatorNotification &notification) = 0;
};

// Sizes of the two fonts the layout is computed from.
struct NavigatorFontSizes
{
    int averageWidth = 0;
    int height = 0;
    int boldHeight = 0;
};

struct NavigatorMetrics
{
    int charWidth = 0;
    int textHeight = 0;
    int titleHeight = 0;
    int weekdayRowHeight = 0;
    int todayBarHeight = 0;
    int weekNumberWidth = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int bottomMargin = 2;
    int monthWidth = 0;
    int monthHeight = 0;

    static NavigatorMetrics From(const NavigatorFontSizes &sizes, bool weekNumbers, bool todayBar);
};

// The colour roles the engine paints with, as COLORREF values.
struct NavigatorColors
{
    std::uint32_t window = 0, windowText = 0, grey = 0, highlight = 0, highlightText = 0;
    std::uint32_t title = 0, titleText = 0, border = 0, pressedText = 0, dropFrame = 0, today = 0;

    // The roles taken from the program's look.
    static NavigatorColors FromLook();
};

class CDateNavigator
{
  public:
    // Hit-test results.
    static constexpr int HitNothing = 0;
    static constexpr int HitLeftArrow = 100;
    static constexpr int HitRightArrow = 101;
    static constexpr int HitTodayBar = 104;
    static constexpr int HitDay = 106;

    // Notification codes and reasons.
    static constexpr int NotifyDateChosen = 1;
    static constexpr int NotifyCancelled = 2;
    static constexpr int NotifyDateMoved = 3;
    static constexpr int NotifyItemsDropped = 4;
    static constexpr int NotifyRightClick = 5;
    static constexpr int ReasonKeyboard = 2; // also a click
    static constexpr int ReasonPrevMonth = 3;
    static constexpr int ReasonNextMonth = 4;

    // Selection units.
    static constexpr int UnitDay = 1;
    static constexpr int UnitWeek = 7;
    static constexpr int UnitMonth = 31;

    // The pressed target that stands for the today bar.
    static constexpr int TodayTarget = 0x7FFFF0;
    static constexpr int TimerPrevMonth = 100;
    static constexpr int TimerNextMonth = 101;
    static constexpr int RepeatMs = 200;

    // Measures the fonts; replaced by tests to lay out without real fonts.
    using FontProbe = std::function<NavigatorFontSizes(const QFont &normal, const QFont &bold)>;

    CDateNavigator();
    virtual ~CDateNavigator();
    CDateNavigator(const CDateNavigator &) = delete;
    CDateNavigator &operator=(const CDateNavigator &) = delete;

    // ---- Layout ----
    // Remembers the host and id, makes the fonts from "Calendar"/"Font" (8 points by default),
    // computes the metrics and reads the gradient flag. False when the fonts measure nothing.
    bool LoadLayout(INavigatorHost *host, int controlId, bool weekNumbers, bool todayBar);
    void SetFontProbe(FontProbe probe) { m_probe = std::move(probe); }
    // Stores the months across and down for the next layout; returns the previous pair.
    std::pair<int, int> SetGridSize(int across, int down);
    // Lays the months out for a client size; true when the layout changed. Nothing happens
    // before LoadLayout.
    bool SetSize(int width, int height);
    int GetPreferredWidth() const;
    int GetPreferredHeight() const;
    int RoundWidth(int width) const;
    int RoundHeight(int height) const;
    const NavigatorMetrics &GetMetrics() const { return m_metrics; }
    bool HasLayout() const { return m_metrics.monthWidth > 0 && m_metrics.monthHeight > 0; }
    int GetMonthsAcross() const { return m_across; }
    int GetMonthsDown() const { return m_down; }
    int GetControlId() const { return m_controlId; }

    // ---- Dates and selection ----
    // Sets the current date and the highlighted range (unit 1 day, 7 week, 31 month).
    bool SetSelection(const CDateTime &date, int unit, int count, bool update);
    // Moves the current date, scrolling when the selection leaves the shown months; a nonzero
    // reason is reported as notification 3.
    bool SetCurDate(const CDateTime &date, int reason, bool update);
    // Today when no date is set; rebuilds the grid from the current date's month.
    void Recenter(bool update = true);
    void UpdateToday();
    const CDateTime &GetCurDate() const { return m_current; }
    const CDateTime &GetFirstShownDate() const { return m_firstShown; }
    const CDateTime &GetEndDate() const { return m_endDate; }
    int GetSelectionUnit() const { return m_unit; }
    int GetSelectionCount() const { return m_count; }
    int GetShownDays() const;
    // The cell of a date, clamped to the shown days (clamped is set then); -1 when no shown
    // in-month cell has that day.
    int DateToCell(const CDateTime &date, bool *isMidnight = nullptr, bool *clamped = nullptr) const;
    // The date a cell stands for: its own day, or for grey and hidden cells that day of the month
    // before (index below 15) or after. Invalid for an index outside the months.
    CDateTime CellDate(int cellIndex) const;
    // Scrolls one month; nothing at January 1753 and December 4000.
    void NextMonth();
    void PrevMonth();

    // ---- Months and cells ----
    int GetMonthCount() const { return int(m_months.size()); }
    const CNavigatorMonth &GetMonth(int index) const { return m_months[std::size_t(index)]; }
    // Null for an index outside the months.
    const CNavigatorDay *GetCell(int cellIndex) const;
    QRect GetCellRect(int cellIndex) const;
    QRect GetTodayBarRect() const;
    int GetFocusCell() const { return m_focusCell; }
    int GetTodayCell() const { return m_todayCell; }
    bool IsTodayBarPressed() const { return m_todayBarPressed; }
    int GetPressedTarget() const { return m_pressed; }
    bool HasTodayBar() const { return m_todayBar; }
    bool HasWeekNumbers() const { return m_weekNumbers; }
    const QString &GetTodayText() const { return m_todayText; }

    // ---- Input ----
    int HitTest(const QPoint &point, int *cellIndex = nullptr) const;
    void OnLButtonDown(const QPoint &point);
    void OnLButtonUp(const QPoint &point);
    void OnRButtonDown(const QPoint &point);
    void OnMouseMove(const QPoint &point);
    void OnTimer(int id);
    // Sets the cursor for the point; the arrow outside the months.
    void OnSetCursor(const QPoint &point);
    // The host lost the mouse: a press in progress ends without a choice.
    void OnCaptureLost();

    // ---- Painting ----
    void Paint(QPainter &painter);
    void SetColors(const NavigatorColors &colors) { m_colors = colors; }
    const NavigatorColors &GetColors() const { return m_colors; }
    void SetGradient(bool on) { m_gradient = on; }

    // ---- Busy days (the plain engine has none) ----
    virtual int ClearBusyDays() { return 0; }
    virtual int RebuildBusyDays() { return 0; }

  protected:
    // Called after every refill of the months, which empties the cells' entries.
    virtual void MonthsRefilled() {}
    // Colours and font of a busy cell; the plain engine has none.
    struct CellLook
    {
        std::uint32_t text = 0, back = 0, backTo = 0;
        bool bold = false;
        bool typed = false; // framed in its text colour and inset one pixel more
        bool gradient = false;
    };
    virtual bool BusyCellLook(const CNavigatorDay &, bool /*highlighted*/, CellLook &) const { return false; }
    CNavigatorDay *CellAt(int cellIndex);
    void InvalidateCell(int cellIndex);
    INavigatorHost *Host() const { return m_host; }
    int ControlId() const { return m_controlId; }
    int Notify(int code, int reason, int index, const QPoint &point, const CDateTime &date);

    bool m_gradient = false;
    bool m_itemTypeColors = false;
    std::uint32_t m_busyTextColor = 0;

  private:
    void SetFirstMonth(const CDateTime &first);
    void Highlight(int target, bool repaint);
    void MarkFrom(int month, int cell, int count, bool repaint, std::vector<int> &marked);
    bool SelectionVisible() const;
    void Scroll(int step);
    int FindFocusCell(const CDateTime &date) const;
    void StopRepeat();
    void PaintMonth(QPainter &painter, int index);
    void PaintCell(QPainter &painter, int cellIndex);

    INavigatorHost *m_host = nullptr;
    int m_controlId = 0;
    NavigatorMetrics m_metrics;
    bool m_todayBar = false;
    bool m_weekNumbers = true;
    int m_todayCell = -1;
    int m_unit = UnitDay;
    int m_count = 1;
    int m_repeatTimer = 0;
    bool m_selecting = false; // a press on a day or the today bar holds the mouse
    QFont m_normalFont, m_boldFont;
    int m_across = 1, m_down = 0;
    std::vector<CNavigatorMonth> m_months;
    bool m_todayBarPressed = false;
    int m_pressed = -1;
    int m_focusCell = -1;
    CDateTime m_firstShown, m_endDate, m_current;
    QString m_todayText;
    std::array<QString, 7> m_weekdayLetters; // Monday .. Sunday
    NavigatorColors m_colors;
    FontProbe m_probe;
};
