// CWorkWeekColumns: which day of the week each column shows when only work days are shown, and
// back. The all-day banner and the time grid above and below each other must agree on it.
#pragma once

#include <array>

class CWorkWeekColumns
{
  public:
    CWorkWeekColumns();

    // Rebuilds the tables from the work days; returns the number of work-day columns, 0 outside
    // work-week mode or for a week with no work day (callers then pick their own fallback).
    int Build(bool workWeek);
    // Maps the first `count` days (up to 7) to columns of the same index.
    void MapFirstDays(int count);
    // Columns mapped to a day.
    int Count() const;

    // A column is its day outside work-week mode; -1 where nothing maps.
    int DayToColumn(int day) const;
    int ColumnToDay(int column) const;

  private:
    bool m_workWeek = false;
    std::array<int, 7> m_dayOfColumn;
    std::array<int, 7> m_columnOfDay;
};
