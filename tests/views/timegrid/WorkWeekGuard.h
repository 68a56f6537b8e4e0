// Keeps a test's changes to the work week and the first day of the week from leaking into the
// next test: both are saved on construction and put back on destruction.
#pragma once

#include "core/dates/WeekRules.h"

class WorkWeekGuard
{
  public:
    // Saves both and leaves them as they are.
    WorkWeekGuard() : m_mask(GetWorkWeekMask()), m_first(GetFirstDayOfWeek()) {}
    // Saves both, then sets them.
    WorkWeekGuard(int mask, int firstDay) : WorkWeekGuard()
    {
        SetWorkWeekMask(mask);
        SetFirstDayOfWeek(firstDay);
    }
    ~WorkWeekGuard()
    {
        SetWorkWeekMask(m_mask);
        SetFirstDayOfWeek(m_first);
    }
    WorkWeekGuard(const WorkWeekGuard &) = delete;
    WorkWeekGuard &operator=(const WorkWeekGuard &) = delete;

  private:
    int m_mask, m_first;
};
