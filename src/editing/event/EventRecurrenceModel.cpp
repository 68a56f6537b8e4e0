// The recurrence dialog's working copy and its OK.
#include "editing/event/EventRecurrenceModel.h"

#include "core/dates/DateRules.h"
#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/RecurrenceBits.h"
#include "core/system/Messages.h"
#include "core/system/PrintfText.h"
#include "editing/base/EditingStrings.h"

#include <cmath>
#include <vector>

namespace {

CDateTime DayOf(const CDateTime &t)
{
    return CDateTime(t.GetYear(), t.GetMonth(), t.GetDay());
}

CDateTime TimeOf(const CDateTime &t)
{
    return CDateTime(1899, 12, 30, t.GetHour(), t.GetMinute(), t.GetSecond());
}

int WeekIndexOfWord(std::uint32_t word)
{
    for (int i = 0; i <= 4; ++i) {
        if (word & CRecurrencePatternBuilder::WeekBit(i))
            return i;
    }
    return 0;
}

int WeekdayIndexOfWord(std::uint32_t word)
{
    for (int i = 0; i <= 6; ++i) {
        if (word & CRecurrencePatternBuilder::WeekdayBit(i))
            return i;
    }
    return 0;
}

bool IsYearlyByDefault(const QString &typeName)
{
    for (int id : {EditText::Birthday, EditText::Holiday, EditText::Anniversary}) {
        if (typeName.compare(EditingText(id), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

CEventRecurrenceModel::CEventRecurrenceModel(CEventItem &event, bool readOnly)
    : m_event(event), m_readOnly(readOnly)
{
    const CDateTime start = event.GetStart().IsValid() ? event.GetStart() : GetNow();
    m_form.startDate = DayOf(start);
    m_form.startTime = TimeOf(start);
    m_form.duration = event.GetDuration();
    m_form.endTime = TimeOf(start + event.GetDuration());
    m_form.calculateAge = event.HasFlag(CCalendarItem::FlagCalculateAge);
    const std::uint32_t word = event.GetRecurrenceFlags();
    m_form.endsOn = event.IsRecurring() && (word & Recur::HasEndDate);
    if (m_form.endsOn) {
        m_form.endDate = DayOf(event.GetPatternEnd());
    } else {
        const CDateTime today =
            GetToday().IsValid() && GetToday().Value() != 0 ? GetToday() : DayOf(GetNow());
        m_form.endDate = today > m_form.startDate ? today : m_form.startDate;
    }
    for (const CRecurrenceException &x : event.GetExceptions()) {
        if (x.reservedWord != 0)
            m_hadExternalRefs = true;
    }
    if (event.IsRecurring() && (word & Recur::PeriodMask)) {
        FillFromPattern();
    } else if (IsYearlyByDefault(event.GetItemTypeName())) {
        FillDefaults(Recur::Yearly);
    } else {
        FillDefaults(Recur::Weekly);
    }
}

bool CEventRecurrenceModel::CanRemove() const
{
    return m_event.IsRecurring() && !m_readOnly;
}

CDateTime CEventRecurrenceModel::PatternStart() const
{
    const CDateTime &d = m_form.startDate;
    const CDateTime &t = m_form.startTime;
    if (!d.IsValid() || !t.IsValid())
        return CDateTime::Invalid();
    return CDateTime(d.GetYear(), d.GetMonth(), d.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
}

void CEventRecurrenceModel::FillDefaults(std::uint32_t period)
{
    m_form.period = period;
    const CDateTime &s = m_form.startDate;
    const int weekday = CRecurrencePatternBuilder::WeekdayIndex(s);
    const int week = CRecurrencePatternBuilder::WeekOfMonth(s.GetDay());
    switch (period) {
    case Recur::Daily:
        m_form.dailyEvery = 1;
        break;
    case Recur::Weekly:
        m_form.weeklyEvery = 1;
        m_form.weekdays = Recur::WeekdayBit(s.GetDayOfWeek());
        break;
    case Recur::Monthly:
        m_form.monthlyNth = false;
        m_form.monthlyDay = s.GetDay();
        m_form.monthlyDayEvery = 1;
        m_form.monthlyNthEvery = 1;
        m_form.monthlyWeek = week;
        m_form.monthlyWeekday = weekday;
        break;
    case Recur::Yearly:
        m_form.yearlyNth = false;
        m_form.yearlyMonth = s.GetMonth() - 1;
        m_form.yearlyDay = s.GetDay();
        m_form.yearlyWeek = week;
        m_form.yearlyWeekday = weekday;
        m_form.yearlyNthMonth = s.GetMonth() - 1;
        break;
    default:
        break;
    }
}

void CEventRecurrenceModel::FillFromPattern()
{
    const CRecurrencePattern &p = m_event.GetPattern();
    const std::uint32_t word = p.GetWord();
    FillDefaults(p.Period());
    const int every = std::max<int>(1, p.GetInterval());
    const bool nth = p.Kind() == Recur::NthWeekday;
    const int day =
        p.GetDayNumber() >= 1 && p.GetDayNumber() <= 31 ? p.GetDayNumber() : m_form.startDate.GetDay();
    switch (p.Period()) {
    case Recur::Daily:
        m_form.dailyEvery = every;
        break;
    case Recur::Weekly:
        m_form.weeklyEvery = every;
        m_form.weekdays = word & Recur::WeekdayMask;
        break;
    case Recur::Monthly:
        m_form.monthlyNth = nth;
        if (nth) {
            m_form.monthlyNthEvery = every;
            m_form.monthlyWeek = WeekIndexOfWord(word);
            m_form.monthlyWeekday = WeekdayIndexOfWord(word);
        } else {
            m_form.monthlyDayEvery = every;
            m_form.monthlyDay = day;
        }
        break;
    case Recur::Yearly:
        m_form.yearlyNth = nth;
        if (nth) {
            m_form.yearlyWeek = WeekIndexOfWord(word);
            m_form.yearlyWeekday = WeekdayIndexOfWord(word);
        }
        break;
    default:
        break;
    }
}

void CEventRecurrenceModel::ChoosePeriod(std::uint32_t period)
{
    FillDefaults(period);
}

void CEventRecurrenceModel::ClickMonthlyDay()
{
    m_form.monthlyNth = false;
    m_form.monthlyWeek = CRecurrencePatternBuilder::WeekOfMonth(m_form.startDate.GetDay());
    m_form.monthlyWeekday = CRecurrencePatternBuilder::WeekdayIndex(m_form.startDate);
}

void CEventRecurrenceModel::ClickYearlyEvery()
{
    m_form.yearlyNth = false;
    m_form.yearlyWeek = CRecurrencePatternBuilder::WeekOfMonth(m_form.startDate.GetDay());
    m_form.yearlyWeekday = CRecurrencePatternBuilder::WeekdayIndex(m_form.startDate);
    m_form.yearlyNthMonth = m_form.startDate.GetMonth() - 1;
}

void CEventRecurrenceModel::SetStartTime(const CDateTime &time)
{
    m_form.startTime = TimeOf(time);
    m_form.endTime = TimeOf(m_form.startTime + m_form.duration);
}

void CEventRecurrenceModel::SetEndTime(const CDateTime &time)
{
    m_form.endTime = TimeOf(time);
    CDateSpan span = m_form.endTime - m_form.startTime;
    if (span.Value() < 0)
        span += CDateSpan(1.0);
    m_form.duration = CDateSpan(std::round(span.Value() * 86400.0) / 86400.0);
}

void CEventRecurrenceModel::SetDuration(const CDateSpan &duration)
{
    m_form.duration = duration;
    m_form.endTime = TimeOf(m_form.startTime + duration);
}

void CEventRecurrenceModel::SetStartDate(const CDateTime &date)
{
    if (!date.IsValid() || DayOf(date) == m_form.startDate)
        return;
    m_form.startDate = DayOf(date);
    if (m_form.period == Recur::Monthly && !m_form.monthlyNth) {
        const int every = m_form.monthlyDayEvery;
        FillDefaults(Recur::Monthly);
        m_form.monthlyDayEvery = every;
    } else if (m_form.period == Recur::Yearly && !m_form.yearlyNth) {
        FillDefaults(Recur::Yearly);
    }
}

RecurrenceInput CEventRecurrenceModel::CurrentInput() const
{
    RecurrenceInput in;
    const RecurrenceForm &f = m_form;
    switch (f.period) {
    case Recur::Daily:
        in.choice = RecurrenceChoice::Daily;
        in.every = f.dailyEvery;
        break;
    case Recur::Weekly:
        in.choice = RecurrenceChoice::Weekly;
        in.every = f.weeklyEvery;
        in.weekdays = f.weekdays;
        break;
    case Recur::Monthly:
        if (f.monthlyNth) {
            in.choice = RecurrenceChoice::MonthlyNth;
            in.every = f.monthlyNthEvery;
            in.week = f.monthlyWeek;
            in.weekday = f.monthlyWeekday;
        } else {
            in.choice = RecurrenceChoice::MonthlyDay;
            in.every = f.monthlyDayEvery;
            in.day = f.monthlyDay;
        }
        break;
    default:
        if (f.yearlyNth) {
            in.choice = RecurrenceChoice::YearlyNth;
            in.week = f.yearlyWeek;
            in.weekday = f.yearlyWeekday;
            in.month = f.yearlyNthMonth;
        } else {
            in.choice = RecurrenceChoice::YearlyDate;
            in.month = f.yearlyMonth;
            in.day = f.yearlyDay;
        }
        break;
    }
    return in;
}

RecurrenceOkResult CEventRecurrenceModel::Refuse(RecurrenceField field, int messageId)
{
    m_badField = field;
    ShowWarningText(EditingText(messageId));
    return RecurrenceOkResult::StayOpen;
}

RecurrenceOkResult CEventRecurrenceModel::Ok()
{
    m_badField = RecurrenceField::None;
    if (m_readOnly)
        return RecurrenceOkResult::StayOpen;
    const CDateTime start = PatternStart();
    if (!start.IsValid() || !m_form.endTime.IsValid())
        return Refuse(RecurrenceField::None, EditText::PatternNotValid);
    const CDateSpan duration = m_form.duration;
    if (!duration.IsValid() || duration.Value() < 0)
        return Refuse(RecurrenceField::None, EditText::DurationNotValid);

    BuiltPattern p = CRecurrencePatternBuilder::Build(CurrentInput(), start);
    if (!p.ok)
        return Refuse(p.badField, EditText::PatternNotValid);
    if (p.warnShortMonths) {
        const QString text = PrintfText(EditingText(EditText::ShortMonthsQuestion), {CurrentInput().day});
        if (ShowMessageBox(nullptr, true, text, MessageIcon::Warning, MessageButtons::OkCancel) !=
            MessageResult::Ok)
            return RecurrenceOkResult::StayOpen;
    }
    if (duration > ShortestRecurrenceGap(p.word, p.interval))
        return Refuse(RecurrenceField::None, EditText::DurationLongerThanPattern);

    CDateTime end;
    if (m_form.endsOn) {
        if (!m_form.endDate.IsValid())
            return Refuse(RecurrenceField::None, EditText::PatternNotValid);
        end = CDateTime(m_form.endDate.GetYear(), m_form.endDate.GetMonth(), m_form.endDate.GetDay(), 23, 59,
                        59);
        if (end < p.patternStart)
            return Refuse(RecurrenceField::None, EditText::EndBeforePatternStart);
        p.word |= Recur::HasEndDate;
    }

    const bool recurredBefore = m_event.IsRecurring();
    const CRecurrencePattern old = m_event.GetPattern();
    const CDateTime oldStart = m_event.GetStart();
    const bool changed = recurredBefore &&
                         (!(duration == m_event.GetDuration()) ||
                          (p.word & ~Recur::HasEndDate) != (old.GetWord() & ~Recur::HasEndDate) ||
                          p.interval != old.GetInterval() || p.dayNumber != old.GetDayNumber() ||
                          oldStart.GetHour() != start.GetHour() || oldStart.GetMinute() != start.GetMinute());

    bool asked = false;
    m_keepExceptions = false;
    m_outOfRange = false;
    if (recurredBefore && m_event.GetExceptionCount() > 0) {
        CEventItem trial(m_event);
        trial.SetPattern(CRecurrencePattern(p.word, p.interval, p.dayNumber, p.patternStart, end));
        bool strayed = false;
        for (const CRecurrenceException &x : m_event.GetExceptions()) {
            if (!x.IsDeleted() && !trial.IsOccurrenceDate(x.keyDate))
                strayed = true;
        }
        if (changed && strayed) {
            const int answer = AskQuestion(EditingText(EditText::KeepExceptionsQuestion), nullptr,
                                           MessageButtons::YesNoCancel, 2);
            if (answer == MessageResult::Cancel)
                return RecurrenceOkResult::StayOpen;
            m_keepExceptions = answer == MessageResult::Yes;
            asked = true;
        } else {
            for (const CRecurrenceException &x : m_event.GetExceptions()) {
                if (x.keyDate < p.patternStart || (m_form.endsOn && x.keyDate > end))
                    m_outOfRange = true;
            }
            if (MeetsAddedOccurrence(trial, old, duration)) {
                const int answer = AskQuestion(EditingText(EditText::KeepExceptionsQuestion), nullptr,
                                               MessageButtons::YesNoCancel, 2);
                if (answer == MessageResult::Cancel)
                    return RecurrenceOkResult::StayOpen;
                m_keepExceptions = answer == MessageResult::Yes;
                m_outOfRange = false;
                asked = true;
            }
        }
    }

    m_event.SetFlag(CCalendarItem::FlagCalculateAge, m_form.calculateAge);
    if (recurredBefore && !asked) {
        m_event.SetStart(p.patternStart);
        m_event.SetDuration(duration);
        m_event.SetPattern(CRecurrencePattern(p.word, p.interval, p.dayNumber, p.patternStart, end));
    } else {
        m_event.SetStart(p.patternStart);
        m_event.SetDuration(duration);
        m_event.SetRecurrence(p.word, p.interval, p.dayNumber, p.patternStart, end);
    }
    return RecurrenceOkResult::Done;
}

bool CEventRecurrenceModel::MeetsAddedOccurrence(const CEventItem &trial, const CRecurrencePattern &old,
                                                 const CDateSpan &duration) const
{
    // Occurrences the new range adds: before the old start, and after the old end when the old
    // pattern ended. The walk is bounded; a pattern that cannot step adds nothing here.
    const CRecurrencePattern &now = trial.GetPattern();
    if (!now.IsSteppable())
        return false;
    std::vector<CDateTime> added;
    constexpr int kMaxSteps = 5000;
    CDateTime d;
    if (now.GetStart() < old.GetStart() && now.FirstDateOnOrAfter(now.GetStart(), d)) {
        for (int i = 0; i < kMaxSteps && d < old.GetStart() && now.IsBeforeSeriesEnd(d); ++i) {
            added.push_back(d);
            if (!now.FirstDateAfter(d, d))
                break;
        }
    }
    const bool laterEnd = old.HasEndDate() && (!now.HasEndDate() || now.GetEnd() > old.GetEnd());
    if (laterEnd && now.FirstDateAfter(old.GetEnd(), d)) {
        for (int i = 0; i < kMaxSteps && now.IsBeforeSeriesEnd(d); ++i) {
            added.push_back(d);
            if (!now.FirstDateAfter(d, d))
                break;
        }
    }
    for (const CRecurrenceException &x : m_event.GetExceptions()) {
        if (x.IsDeleted())
            continue;
        for (const CDateTime &a : added) {
            const bool first = &a == &added.front() && x.newStart == a;
            const bool overlaps = x.newStart < a + duration && a < x.newStart + x.duration;
            if (first || overlaps)
                return true;
        }
    }
    return false;
}

void CEventRecurrenceModel::RemoveRecurrence()
{
    m_event.RemoveRecurrence();
}
