// CTaskPadFilter: which tasks the TaskPad shows: its five views, the include options that the
// "TaskPad" section keeps, and the test of one task against the shown period and today. Free of
// any window, so each view's rule can be tested on a fixed clock.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>

class CTaskItem;

class CTaskPadFilter
{
  public:
    // The TaskPad views ("FltT").
    static constexpr int ViewAll = 0;
    static constexpr int ViewOverdue = 2;
    static constexpr int ViewSelectedDays = 4;
    static constexpr int ViewCompletedOnDays = 5;
    static constexpr int ViewToday = 6;

    int view = ViewSelectedDays;
    bool includeNoDue = true;        // "FlND"
    bool includeCompleted = true;    // "FlCD"
    bool dueLaterNeedsStart = false; // "FlSD": read, never written

    // A stored view: any value that is not one of the five reads as All Tasks.
    static int ReadView(int stored);

    // The include options as the menus show them: on for Completed on Selected Days, never for
    // Overdue Tasks, else the option.
    bool ShowsNoDueChecked() const;
    bool ShowsCompletedChecked() const;
    // The include commands only apply to the views that read the options.
    bool IncludeCommandsEnabled() const;

    // Whether the view shows the task for the period [periodStart, periodEnd) on `today`
    // (dates at midnight). Hidden and deleted tasks are the caller's to refuse.
    bool Accepts(const CTaskItem &task, const CDateTime &periodStart, const CDateTime &periodEnd,
                 const CDateTime &today) const;

    // Reads "FltT", "FlND", "FlCD" and "FlSD" of the section, each defaulting to its value now.
    void Load(const QString &section);
    // Writes "FltT", "FlND" and "FlCD".
    void Save(const QString &section) const;
};
