// CDayContainerLayout: the arithmetic of the Day and Multi-day container without a window: how
// tall the all-day banner is in a given client height, where the banner frame, the splitter bar
// and the time-grid frame go, the bounds and row steps of a splitter drag, the day count a
// request gives, the start of a work week and the Tab order between the panes.
#pragma once

#include "core/dates/DateTime.h"

#include <QRect>

class CDayContainerLayout
{
  public:
    // The splitter bar between the two frames.
    static constexpr int kBarHeight = 6;
    // The two 4-pixel borders of the banner frame.
    static constexpr int kFrameBorders = 8;
    // The height the time grid keeps below the banner before the banner gives up rows.
    static constexpr int kGridReserve = 66;
    // Rows an automatic fit may open unless "ARM" says otherwise.
    static constexpr int kDefaultRowLimit = 28;

    // The banner frame's height `banner` kept in a client `clientHeight` high: unchanged while the
    // grid keeps its reserve, else as many whole rows as leave the grid room. Never negative and
    // never so tall that the bar and the grid frame would start below the client.
    static int FitBanner(int banner, int clientHeight, int rowHeight, int headerHeight);
    // The banner frame's height for `rows` rows (1 .. the row limit), then fitted to the client
    // height when that is known (above 0).
    static int BannerForRows(int rows, int rowLimit, int rowHeight, int headerHeight, int clientHeight);

    struct Panes
    {
        QRect banner; // the banner frame
        QRect bar;    // the splitter bar under it
        QRect grid;   // the time-grid frame
    };
    // The frames and the bar in a client of cx by cy for a banner frame `banner` pixels high;
    // no rectangle has a negative size.
    static Panes Place(int cx, int cy, int banner);

    // The lowest and highest top edge the bar may take during a drag: one row, up to the rows
    // that leave the grid its reserve (at least one).
    struct DragBounds
    {
        int lowest = 0;
        int highest = 0;
    };
    static DragBounds SplitterBounds(int clientHeight, int rowHeight, int headerHeight);
    // One mouse move of a drag: the bar moves by one whole row towards y when y is more than half
    // a row away, and stays inside the bounds.
    static int StepBar(int barTop, int y, int rowHeight, const DragBounds &bounds);

    // "ARM": a limit of 4 rows or fewer reads as 5.
    static int RowLimitFromSetting(int value);

    // The day count and work-week flag a request gives: the Day view always one day; the
    // Multi-day view a work week of 7 days when asked and the week has more than one work day,
    // else 2 to 14 days.
    struct DayCount
    {
        int count = 1;
        bool workWeek = false;
    };
    static DayCount ResolveDayCount(int viewKind, int requested, bool workWeekRequested, int workDays);
    // "MDN" as the Multi-day view reads it: 5 by default, kept to 2..14.
    static int ClampMultiDayCount(int value);

    // Days from the first day of the week (0 Monday .. 6 Sunday) to the date's weekday.
    static int DaysIntoWeek(const CDateTime &date, int firstDayOfWeek);
    // The first day of the date's week.
    static CDateTime WeekStart(const CDateTime &date, int firstDayOfWeek);
    // Whether going to `date` from the first shown day `first` is one step of Next: 1 day, or 7
    // in work-week mode.
    static bool IsOneStepScroll(const CDateTime &first, const CDateTime &date, bool workWeek);

    // The Tab order inside the container (Ctrl+Tab forward, Ctrl+Shift+Tab backward).
    enum class Pane
    {
        Grid,
        Banner,
        TaskPad,
        Other
    };
    static Pane NextPane(Pane focus, bool forward, bool taskPadVisible);

    // Time-scale commands 32794..32799 and the "TimeScale" index they write: 60, 30, 15, 10, 6
    // and 5 minutes, index 5 down to 0. -1 / 0 for anything else.
    static int MinutesOfCommand(int command);
    static int ScaleIndexOfMinutes(int minutes);
};
