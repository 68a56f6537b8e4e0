// CEventRecurrenceModel: the event recurrence dialog without its window. It keeps the working
// copy of the pattern and times, fills each period's page with its defaults, keeps start, end and
// duration in step, and on OK checks the choices, decides what happens to the exceptions and
// writes the pattern into the event.
#pragma once

#include "core/dates/DateTime.h"
#include "editing/event/RecurrencePatternBuilder.h"

#include <QString>
#include <cstdint>

class CEventItem;
class CRecurrencePattern;

struct RecurrenceForm
{
    std::uint32_t period = 0x200; // 0x100 daily, 0x200 weekly, 0x400 monthly, 0x800 yearly
    int dailyEvery = 1;
    int weeklyEvery = 1;
    std::uint32_t weekdays = 0;
    bool monthlyNth = false; // "Th&e" chosen, else "D&ay"
    int monthlyDay = 1;
    int monthlyDayEvery = 1;
    int monthlyWeek = 0;
    int monthlyWeekday = 0;
    int monthlyNthEvery = 1;
    bool yearlyNth = false; // "Th&e" chosen, else "E&very"
    int yearlyMonth = 0;
    int yearlyDay = 1;
    int yearlyWeek = 0;
    int yearlyWeekday = 0;
    int yearlyNthMonth = 0;

    CDateTime startDate; // pattern start day
    CDateTime startTime; // times of day on day 0
    CDateTime endTime;
    CDateSpan duration;
    bool endsOn = false;
    CDateTime endDate;
    bool calculateAge = false;
};

enum class RecurrenceOkResult
{
    Done,     // the event carries the new pattern
    StayOpen, // a message was shown
};

class CEventRecurrenceModel
{
  public:
    CEventRecurrenceModel(CEventItem &event, bool readOnly);

    RecurrenceForm &Form() { return m_form; }
    const RecurrenceForm &Form() const { return m_form; }
    bool IsReadOnly() const { return m_readOnly; }
    bool CanRemove() const;

    // A period chosen: its page shows its defaults from the pattern start.
    void ChoosePeriod(std::uint32_t period);
    // "D&ay" and "E&very" clicked: the other row's week follows the start's day.
    void ClickMonthlyDay();
    void ClickYearlyEvery();
    // Start, end and duration in step: an end time before the start means the next day.
    void SetStartTime(const CDateTime &time);
    void SetEndTime(const CDateTime &time);
    void SetDuration(const CDateSpan &duration);
    // A new start date; the by-date pages follow it.
    void SetStartDate(const CDateTime &date);

    // The choice of the page shown, as the builder takes it.
    RecurrenceInput CurrentInput() const;

    // OK: checks, asks what it must (through the message port), writes the event.
    RecurrenceOkResult Ok();
    RecurrenceField GetBadField() const { return m_badField; }
    // Remove recurrence: the event stops recurring and loses its exceptions.
    void RemoveRecurrence();

    // Results for the editor.
    bool GetKeepExceptions() const { return m_keepExceptions; }
    bool GetExceptionsOutOfRange() const { return m_outOfRange; }
    bool HadExternalReferences() const { return m_hadExternalRefs; }

  private:
    void FillDefaults(std::uint32_t period);
    void FillFromPattern();
    CDateTime PatternStart() const;
    RecurrenceOkResult Refuse(RecurrenceField field, int messageId);
    // Whether a kept exception meets an occurrence that an earlier start or a later end adds.
    bool MeetsAddedOccurrence(const CEventItem &trial, const CRecurrencePattern &old,
                              const CDateSpan &duration) const;

    CEventItem &m_event;
    bool m_readOnly;
    RecurrenceForm m_form;
    RecurrenceField m_badField = RecurrenceField::None;
    bool m_keepExceptions = false;
    bool m_outOfRange = false;
    bool m_hadExternalRefs = false;
};
