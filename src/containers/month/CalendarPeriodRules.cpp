#include "containers/month/CalendarPeriodRules.h"

#include "core/dates/DateRules.h"
#include "core/dates/WeekRules.h"

#include <algorithm>

CDateTime CCalendarPeriodRules::SnapToDayFilter(const CDateTime &date, int dayFilter)
{
    if (dayFilter != WorkDaysOnly && dayFilter != NonWorkDaysOnly)
        return date;
    CDateTime d = date;
    const auto wanted = [dayFilter](const CDateTime &x) {
        return dayFilter == WorkDaysOnly ? IsWorkDate(x) : !IsWorkDate(x);
    };
    for (int i = 0; i < 7 && !wanted(d); ++i)
        AddDays(d, 1);
    return d;
}

int CCalendarPeriodRules::DaysIntoWeek(const CDateTime &date, int firstWeekday)
{
    const int first = std::clamp(firstWeekday, 0, 6);
    // Weekday 1 Sunday .. 7 Saturday; + 5 turns it into 0 Monday .. 6 Sunday.
    return (date.GetDayOfWeek() + 5 - first + 7) % 7;
}

void CCalendarPeriodRules::AlignToMonths(CDateTime &start, CDateTime &end)
{
    start = CDateTime(start.GetYear(), start.GetMonth(), 1);
    end = CDateTime(end.GetYear(), end.GetMonth(), CDateTime::DaysInMonth(end.GetYear(), end.GetMonth()));
}

void CCalendarPeriodRules::AlignToWeekBlocks(CDateTime &start, CDateTime &end, int firstWeekday,
                                             int weekCount)
{
    const int block = 7 * std::clamp(weekCount, 1, 10);
    CDateTime s = start.DatePart();
    AddDays(s, -DaysIntoWeek(s, firstWeekday));
    const int span = std::max(0, int((end.DatePart() - s).GetTotalDays() + 0.5));
    CDateTime e = s;
    AddDays(e, long(block) * (span / block + 1) - 1);
    start = s;
    end = e;
}

void CCalendarPeriodRules::AlignToWeeks(CDateTime &start, CDateTime &end, int firstWeekday)
{
    CDateTime s = start.DatePart();
    AddDays(s, -DaysIntoWeek(s, firstWeekday));
    CDateTime e = end.DatePart();
    AddDays(e, 6 - DaysIntoWeek(e, firstWeekday));
    start = s;
    end = e;
}

void CCalendarPeriodRules::AlignToYears(CDateTime &start, CDateTime &end)
{
    start = CDateTime(start.GetYear(), 1, 1);
    end = CDateTime(end.GetYear(), 12, 31);
}

CDateTime CCalendarPeriodRules::Advance(const CDateTime &date, Period period, int times)
{
    CDateTime d = date;
    if (period.months > 0)
        AddMonths(d, 1, period.months * times);
    else
        AddDays(d, long(std::max(1, period.days)) * times);
    return d;
}

int CCalendarPeriodRules::CountPages(const CDateTime &start, const CDateTime &end, Period period,
                                     int pagesPerPeriod)
{
    int periods = 0;
    CDateTime d = start;
    // The clamp at 4000-12-31 would stop the date moving; the count stops there too.
    while (d < end) {
        ++periods;
        const CDateTime next = Advance(d, period, 1);
        if (!(d < next))
            break;
        d = next;
    }
    return std::max(1, periods) * std::max(1, pagesPerPeriod);
}

int CCalendarPeriodRules::PeriodIndexOfPage(int page, int pagesPerPeriod)
{
    return std::max(0, page - 1) / std::max(1, pagesPerPeriod);
}

CDateTime CCalendarPeriodRules::PageDate(const CDateTime &start, Period period, int page, int pagesPerPeriod)
{
    return Advance(start, period, PeriodIndexOfPage(page, pagesPerPeriod));
}

CDateTime CCalendarPeriodRules::AddYearsKeepingDay(const CDateTime &day, int years)
{
    CDateTime d = day.DatePart();
    AddMonths(d, day.GetDay(), 12 * years);
    return d;
}
