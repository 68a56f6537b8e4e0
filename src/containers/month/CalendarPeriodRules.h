// CCalendarPeriodRules: the date arithmetic the Month, Week and Year containers share, free of
// any window: the day-filter snap, the print ranges widened to whole periods, the pages a print
// range gives and the date each page shows, and the year step that keeps the day of the month.
#pragma once

#include "core/dates/DateTime.h"

class CCalendarPeriodRules
{
  public:
    // The month view's day filters.
    static constexpr int AllDays = 0;
    static constexpr int WorkDaysOnly = 1;
    static constexpr int NonWorkDaysOnly = 2;

    // A print period: a number of days, or a number of months each landing on day 1.
    struct Period
    {
        int days = 0;
        int months = 0;
        static Period Days(int n) { return {n, 0}; }
        static Period Months(int n) { return {0, n}; }
    };

    // Filter 1 moves a date that is no work day forward a day at a time (at most 7 times) until
    // it is one; filter 2 does the same for a work day; filter 0 keeps it.
    static CDateTime SnapToDayFilter(const CDateTime &date, int dayFilter);

    // Days from the first day of the week (0 Monday .. 6 Sunday) back to the date's weekday.
    static int DaysIntoWeek(const CDateTime &date, int firstWeekday);

    // Month mode: the start to the first day of its month, the end to the last day of its own.
    static void AlignToMonths(CDateTime &start, CDateTime &end);
    // Weeks mode: the start back to its week's first day, the end to the last day of the block of
    // 7 x weekCount days that holds it, counted from the start.
    static void AlignToWeekBlocks(CDateTime &start, CDateTime &end, int firstWeekday, int weekCount);
    // The start back to its week's first day, the end forward to its own week's last day.
    static void AlignToWeeks(CDateTime &start, CDateTime &end, int firstWeekday);
    // 1 January of the start's year to 31 December of the end's.
    static void AlignToYears(CDateTime &start, CDateTime &end);

    // Pages of a print range: one per period (or `pagesPerPeriod`) from the start while before
    // the end; a range that ends on its start still prints its first period.
    static int CountPages(const CDateTime &start, const CDateTime &end, Period period,
                          int pagesPerPeriod = 1);
    // The period index a page (from 1) prints, and the date it starts on.
    static int PeriodIndexOfPage(int page, int pagesPerPeriod = 1);
    static CDateTime PageDate(const CDateTime &start, Period period, int page, int pagesPerPeriod = 1);

    // The day moved by whole years, its day of the month stepped back where the month is shorter
    // (29 February 2008 + 1 year is 28 February 2009).
    static CDateTime AddYearsKeepingDay(const CDateTime &day, int years);

  private:
    static CDateTime Advance(const CDateTime &date, Period period, int times);
};
