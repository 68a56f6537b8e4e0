// The task recurrence dialog's working copy and its OK.
#include "editing/task/TaskRecurrenceModel.h"

#include "core/dates/DateRules.h"
#include "core/items/RecurrenceBits.h"
#include "core/items/TaskItem.h"
#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "editing/base/EditingStrings.h"

namespace {

using Row = TaskRecurrenceRow;

CDateTime Today()
{
    const CDateTime today = GetToday();
    return today.IsValid() && today.Value() != 0.0 ? today : GetNow().DatePart();
}

CDateTime EndOfDay(const CDateTime &day)
{
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), 23, 59, 59);
}

int WeekIndexOfWord(std::uint32_t word, int day)
{
    if (word & Recur::Last)
        return 4;
    for (int i = 0; i < 4; ++i) {
        if (word & CRecurrencePatternBuilder::WeekBit(i))
            return i;
    }
    return CRecurrencePatternBuilder::WeekOfMonth(day);
}

} // namespace

CTaskRecurrenceModel::CTaskRecurrenceModel(CTaskItem &task, bool readOnly)
    : m_task(task), m_readOnly(readOnly)
{
    const std::uint32_t word = task.GetRecurrenceFlags();
    if (task.IsRecurring() && (word & Recur::PeriodMask) && task.GetPatternStart().IsValid()) {
        m_form.start = task.GetPatternStart();
        m_form.endsOn = (word & Recur::HasEndDate) != 0;
        if (m_form.endsOn) {
            m_form.end = EndOfDay(task.GetPatternEnd());
        } else {
            const CDateTime today = Today();
            m_form.end = EndOfDay(today > m_form.start ? today : m_form.start);
        }
        FillFromPattern();
    } else {
        const CDateTime due = task.HasDueDate() ? task.GetDueDate().DatePart() : Today();
        m_form.start = due;
        m_form.end = EndOfDay(due);
        FillDefaults(Recur::Weekly);
    }
}

bool CTaskRecurrenceModel::CanRemove() const
{
    return m_task.IsRecurring() && !m_readOnly;
}

void CTaskRecurrenceModel::FillDefaults(std::uint32_t period)
{
    TaskRecurrenceForm &f = m_form;
    f.period = period;
    const CDateTime &s = f.start;
    const int weekday = CRecurrencePatternBuilder::WeekdayIndex(s);
    const int week = CRecurrencePatternBuilder::WeekOfMonth(s.GetDay());
    switch (period) {
    case Recur::Daily:
        f.dailyRow = Row::Every;
        f.dailyEvery = f.dailyRegenerate = 1;
        break;
    case Recur::Weekly:
        f.weeklyRow = Row::Every;
        f.weeklyEvery = f.weeklyRegenerate = 1;
        f.weekdays = Recur::WeekdayBit(s.GetDayOfWeek());
        break;
    case Recur::Monthly:
        f.monthlyRow = Row::Every;
        f.monthlyDay = s.GetDay();
        f.monthlyDayEvery = f.monthlyNthEvery = f.monthlyRegenerate = 1;
        f.monthlyWeek = week;
        f.monthlyWeekday = weekday;
        break;
    case Recur::Yearly:
        f.yearlyRow = Row::Every;
        f.yearlyMonth = f.yearlyNthMonth = s.GetMonth() - 1;
        f.yearlyDay = s.GetDay();
        f.yearlyWeek = week;
        f.yearlyWeekday = weekday;
        f.yearlyRegenerate = 1;
        break;
    default:
        break;
    }
}

void CTaskRecurrenceModel::FillFromPattern()
{
    const CRecurrencePattern &p = m_task.GetPattern();
    const std::uint32_t word = p.GetWord();
    FillDefaults(p.Period());
    TaskRecurrenceForm &f = m_form;
    const int every = std::max<int>(1, p.GetInterval());
    const Row row = p.Kind() == Recur::Regenerate   ? Row::Regenerate
                    : p.Kind() == Recur::NthWeekday ? Row::Nth
                                                    : Row::Every;
    const int day = p.GetDayNumber() >= 1 && p.GetDayNumber() <= 31 ? p.GetDayNumber() : f.start.GetDay();
    switch (p.Period()) {
    case Recur::Daily:
        f.dailyRow = row;
        f.dailyEvery = f.dailyRegenerate = every;
        break;
    case Recur::Weekly:
        f.weeklyRow = row == Row::Regenerate ? Row::Regenerate : Row::Every;
        f.weeklyEvery = f.weeklyRegenerate = every;
        if (word & Recur::WeekdayMask)
            f.weekdays = word & Recur::WeekdayMask;
        break;
    case Recur::Monthly:
        f.monthlyRow = row;
        f.monthlyDayEvery = f.monthlyNthEvery = f.monthlyRegenerate = every;
        f.monthlyDay = day;
        f.monthlyWeek = WeekIndexOfWord(word, day);
        break;
    case Recur::Yearly:
        f.yearlyRow = row;
        if (row == Row::Regenerate)
            f.yearlyRegenerate = every;
        f.yearlyWeek = WeekIndexOfWord(word, day);
        break;
    default:
        break;
    }
}

void CTaskRecurrenceModel::ChoosePeriod(std::uint32_t period)
{
    FillDefaults(period);
}

void CTaskRecurrenceModel::ChooseMonthlyRow(TaskRecurrenceRow row)
{
    m_form.monthlyRow = row;
    const CDateTime &s = m_form.start;
    if (row == Row::Nth) {
        m_form.monthlyDay = s.GetDay();
    } else if (row == Row::Every) {
        m_form.monthlyWeek = CRecurrencePatternBuilder::WeekOfMonth(s.GetDay());
        m_form.monthlyWeekday = CRecurrencePatternBuilder::WeekdayIndex(s);
    }
}

void CTaskRecurrenceModel::ChooseYearlyRow(TaskRecurrenceRow row)
{
    m_form.yearlyRow = row;
    const CDateTime &s = m_form.start;
    if (row == Row::Nth) {
        m_form.yearlyMonth = s.GetMonth() - 1;
        m_form.yearlyDay = s.GetDay();
    } else if (row == Row::Every) {
        m_form.yearlyWeek = CRecurrencePatternBuilder::WeekOfMonth(s.GetDay());
        m_form.yearlyWeekday = CRecurrencePatternBuilder::WeekdayIndex(s);
        m_form.yearlyNthMonth = s.GetMonth() - 1;
    }
}

void CTaskRecurrenceModel::SetStartDate(const CDateTime &date)
{
    if (!date.IsValid())
        return;
    const CDateTime &old = m_form.start;
    const CDateTime moved(date.GetYear(), date.GetMonth(), date.GetDay(), old.GetHour(), old.GetMinute(),
                          old.GetSecond());
    if (moved == old)
        return;
    m_form.start = moved;
    // The by-date rows show the start's day, so they follow it; counts stay as typed.
    if (m_form.period == Recur::Monthly && m_form.monthlyRow == Row::Every) {
        const int every = m_form.monthlyDayEvery;
        FillDefaults(Recur::Monthly);
        m_form.monthlyDayEvery = every;
    } else if (m_form.period == Recur::Yearly && m_form.yearlyRow == Row::Every) {
        FillDefaults(Recur::Yearly);
    }
}

void CTaskRecurrenceModel::SetEndDate(const CDateTime &date)
{
    if (!date.IsValid())
        return;
    m_form.end = EndOfDay(date);
    m_form.endsOn = true;
}

RecurrenceInput CTaskRecurrenceModel::CurrentInput() const
{
    using C = RecurrenceChoice;
    const TaskRecurrenceForm &f = m_form;
    RecurrenceInput in;
    switch (f.period) {
    case Recur::Daily:
        in.choice = f.dailyRow == Row::Regenerate ? C::DailyRegenerate : C::Daily;
        in.every = f.dailyRow == Row::Regenerate ? f.dailyRegenerate : f.dailyEvery;
        break;
    case Recur::Weekly:
        in.choice = f.weeklyRow == Row::Regenerate ? C::WeeklyRegenerate : C::Weekly;
        in.every = f.weeklyRow == Row::Regenerate ? f.weeklyRegenerate : f.weeklyEvery;
        in.weekdays = f.weekdays;
        break;
    case Recur::Monthly:
        switch (f.monthlyRow) {
        case Row::Every:
            in.choice = C::MonthlyDay;
            in.every = f.monthlyDayEvery;
            in.day = f.monthlyDay;
            break;
        case Row::Nth:
            in.choice = C::MonthlyNth;
            in.every = f.monthlyNthEvery;
            in.week = f.monthlyWeek;
            in.weekday = f.monthlyWeekday;
            break;
        case Row::Regenerate:
            in.choice = C::MonthlyRegenerate;
            in.every = f.monthlyRegenerate;
            break;
        }
        break;
    default:
        switch (f.yearlyRow) {
        case Row::Every:
            in.choice = C::YearlyDate;
            in.month = f.yearlyMonth;
            in.day = f.yearlyDay;
            break;
        case Row::Nth:
            in.choice = C::YearlyNth;
            in.week = f.yearlyWeek;
            in.weekday = f.yearlyWeekday;
            in.month = f.yearlyNthMonth;
            break;
        case Row::Regenerate:
            in.choice = C::YearlyRegenerate;
            in.every = f.yearlyRegenerate;
            break;
        }
        break;
    }
    return in;
}

bool CTaskRecurrenceModel::Refuse(TaskRecurrenceField field, int messageId)
{
    m_badField = field;
    ShowWarningText(EditingText(messageId));
    return false;
}

bool CTaskRecurrenceModel::Ok()
{
    m_badField = TaskRecurrenceField::None;
    m_changed = false;
    if (m_readOnly)
        return false;
    if (!m_form.start.IsValid())
        return Refuse(TaskRecurrenceField::Start, EditText::PatternNotValid);

    const RecurrenceInput input = CurrentInput();
    BuiltPattern p = CRecurrencePatternBuilder::Build(input, m_form.start);
    if (!p.ok) {
        static constexpr TaskRecurrenceField kFields[] = {
            TaskRecurrenceField::Start, TaskRecurrenceField::Every, TaskRecurrenceField::Weekdays,
            TaskRecurrenceField::Day,   TaskRecurrenceField::Week,  TaskRecurrenceField::Weekday,
            TaskRecurrenceField::Month};
        return Refuse(kFields[int(p.badField)], EditText::PatternNotValid);
    }
    if (p.warnShortMonths) {
        const QString text = PrintfText(EditingText(EditText::ShortMonthsQuestion), {input.day});
        if (ShowMessageBox(nullptr, true, text, MessageIcon::Warning, MessageButtons::OkCancel) !=
            MessageResult::Ok)
            return false;
    }
    CDateTime end;
    if (m_form.endsOn) {
        if (!m_form.end.IsValid())
            return Refuse(TaskRecurrenceField::End, EditText::PatternNotValid);
        end = EndOfDay(m_form.end);
        if (end < p.patternStart)
            return Refuse(TaskRecurrenceField::End, EditText::EndBeforePatternStart);
        p.word |= Recur::HasEndDate;
    }

    const CRecurrencePattern &old = m_task.GetPattern();
    const bool endChanged = (p.word & Recur::HasEndDate) != (old.GetWord() & Recur::HasEndDate) ||
                            (m_form.endsOn && !(end == old.GetEnd()));
    m_changed = !m_task.IsRecurring() || m_task.HasFlag(CTaskItem::TF_SERIES_CLOSED) ||
                !m_task.HasDueDate() ||
                (p.word & ~Recur::HasEndDate) != (old.GetWord() & ~Recur::HasEndDate) ||
                p.interval != old.GetInterval() || p.dayNumber != old.GetDayNumber() ||
                !(p.patternStart == old.GetStart()) || endChanged;
    m_task.SetRecurrence(p.word, p.interval, p.dayNumber, p.patternStart, end);
    return true;
}

void CTaskRecurrenceModel::RemoveRecurrence()
{
    m_task.RemoveRecurrence();
    m_changed = true;
}
