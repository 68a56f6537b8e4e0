// CTaskRecurrenceModel: the task recurrence dialog without its window. It holds the choices of the
// four periods (each with its "Regenerate new task" row), fills them from the task's pattern or
// with defaults, and on OK checks them and writes the pattern into the task.
#pragma once

#include "core/dates/DateTime.h"
#include "editing/event/RecurrencePatternBuilder.h"

#include <cstdint>

class CTaskItem;

// Rows of a period: by date or every N, the nth weekday (monthly and yearly), or regenerate.
enum class TaskRecurrenceRow
{
    Every,
    Nth,
    Regenerate,
};

struct TaskRecurrenceForm
{
    std::uint32_t period = 0x200; // 0x100 daily, 0x200 weekly, 0x400 monthly, 0x800 yearly
    TaskRecurrenceRow dailyRow = TaskRecurrenceRow::Every;
    int dailyEvery = 1;
    int dailyRegenerate = 1;
    TaskRecurrenceRow weeklyRow = TaskRecurrenceRow::Every;
    int weeklyEvery = 1;
    std::uint32_t weekdays = 0;
    int weeklyRegenerate = 1;
    TaskRecurrenceRow monthlyRow = TaskRecurrenceRow::Every;
    int monthlyDay = 1;
    int monthlyDayEvery = 1;
    int monthlyWeek = 0;
    int monthlyWeekday = 0;
    int monthlyNthEvery = 1;
    int monthlyRegenerate = 1;
    TaskRecurrenceRow yearlyRow = TaskRecurrenceRow::Every;
    int yearlyMonth = 0;
    int yearlyDay = 1;
    int yearlyWeek = 0;
    int yearlyWeekday = 0;
    int yearlyNthMonth = 0;
    int yearlyRegenerate = 1;

    CDateTime start; // the pattern start; its time of day is kept when the date changes
    bool endsOn = false;
    CDateTime end; // 23:59:59 of the last day
};

// The field a refusal puts the focus on.
enum class TaskRecurrenceField
{
    None,
    Start,
    Every, // the count of the chosen row
    Weekdays,
    Day,
    Week,
    Weekday,
    Month,
    End,
};

class CTaskRecurrenceModel
{
  public:
    CTaskRecurrenceModel(CTaskItem &task, bool readOnly);

    TaskRecurrenceForm &Form() { return m_form; }
    const TaskRecurrenceForm &Form() const { return m_form; }
    bool IsReadOnly() const { return m_readOnly; }
    bool CanRemove() const;

    // A period radio: its rows get their defaults from the pattern start.
    void ChoosePeriod(std::uint32_t period);
    // A row chosen in the monthly or yearly page: the other by-date or nth row follows the start.
    void ChooseMonthlyRow(TaskRecurrenceRow row);
    void ChooseYearlyRow(TaskRecurrenceRow row);
    // A new pattern start (date; the stored time of day stays); the by-date rows follow it.
    void SetStartDate(const CDateTime &date);
    // A new end (its day, at 23:59:59); "Ends on" is chosen.
    void SetEndDate(const CDateTime &date);

    RecurrenceInput CurrentInput() const;

    // OK: false, with a message shown and GetBadField naming the field, when a choice is refused.
    bool Ok();
    TaskRecurrenceField GetBadField() const { return m_badField; }
    // Whether OK changed the task's recurrence (read by the task editor).
    bool IsChanged() const { return m_changed; }
    void RemoveRecurrence();

  private:
    void FillDefaults(std::uint32_t period);
    void FillFromPattern();
    bool Refuse(TaskRecurrenceField field, int messageId);

    CTaskItem &m_task;
    bool m_readOnly;
    TaskRecurrenceForm m_form;
    TaskRecurrenceField m_badField = TaskRecurrenceField::None;
    bool m_changed = false;
};
