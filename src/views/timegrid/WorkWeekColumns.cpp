#include "views/timegrid/WorkWeekColumns.h"

#include "core/dates/WeekRules.h"

#include <algorithm>
#include <cstddef>

CWorkWeekColumns::CWorkWeekColumns()
{
    m_dayOfColumn.fill(-1);
    m_columnOfDay.fill(-1);
}

int CWorkWeekColumns::Build(bool workWeek)
{
    m_workWeek = workWeek;
    m_dayOfColumn.fill(-1);
    m_columnOfDay.fill(-1);
    if (!workWeek)
        return 0;
    int next = 0;
    for (int day = 0; day < 7; ++day) {
        if (!IsWorkDayByIndex(day))
            continue;
        m_dayOfColumn[std::size_t(next)] = day;
        m_columnOfDay[std::size_t(day)] = next;
        ++next;
    }
    return next;
}

void CWorkWeekColumns::MapFirstDays(int count)
{
    for (int day = 0; day < std::min(count, 7); ++day)
        m_dayOfColumn[std::size_t(day)] = m_columnOfDay[std::size_t(day)] = day;
}

int CWorkWeekColumns::Count() const
{
    return int(std::count_if(m_dayOfColumn.begin(), m_dayOfColumn.end(), [](int d) { return d >= 0; }));
}

int CWorkWeekColumns::DayToColumn(int day) const
{
    if (!m_workWeek)
        return day;
    return day >= 0 && day < 7 ? m_columnOfDay[std::size_t(day)] : -1;
}

int CWorkWeekColumns::ColumnToDay(int column) const
{
    if (!m_workWeek)
        return column;
    return column >= 0 && column < 7 ? m_dayOfColumn[std::size_t(column)] : -1;
}
