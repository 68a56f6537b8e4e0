// Building a recurrence pattern from the recurrence dialog's choices.
#include "editing/event/RecurrencePatternBuilder.h"

#include "core/dates/DateRules.h"
#include "core/items/RecurrenceBits.h"

#include <algorithm>

namespace {

CDateTime WithTime(const CDateTime &day, const CDateTime &time)
{
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), time.GetHour(), time.GetMinute(),
                     time.GetSecond());
}

BuiltPattern Refuse(RecurrenceField field)
{
    BuiltPattern p;
    p.badField = field;
    return p;
}

// The nth weekday that `word` names in the month of `firstOfMonth`, at the time of `time`.
CDateTime NthInMonth(CDateTime firstOfMonth, std::uint32_t word, const CDateTime &time)
{
    if (!NthWeekdayOfMonth(firstOfMonth, word))
        return CDateTime::Invalid();
    return WithTime(firstOfMonth, time);
}

} // namespace

std::uint32_t CRecurrencePatternBuilder::WeekdayBit(int comboIndex)
{
    if (comboIndex < 0 || comboIndex > 6)
        return 0;
    return comboIndex == 6 ? Recur::Sunday : (Recur::Monday << comboIndex);
}

std::uint32_t CRecurrencePatternBuilder::WeekBit(int weekIndex)
{
    if (weekIndex < 0 || weekIndex > 4)
        return 0;
    return Recur::First << weekIndex;
}

int CRecurrencePatternBuilder::WeekdayIndex(const CDateTime &date)
{
    return (date.GetDayOfWeek() + 5) % 7; // 1 Sunday .. 7 Saturday -> Monday 0
}

BuiltPattern CRecurrencePatternBuilder::Build(const RecurrenceInput &in, const CDateTime &start)
{
    if (!start.IsValid())
        return Refuse(RecurrenceField::None);
    BuiltPattern p;
    p.patternStart = start;
    switch (in.choice) {
    case RecurrenceChoice::Daily:
        if (in.every < 1 || in.every > 999)
            return Refuse(RecurrenceField::Every);
        p.word = Recur::ByDate | Recur::Daily;
        p.interval = std::uint16_t(in.every);
        break;
    case RecurrenceChoice::Weekly: {
        if (in.every < 1 || in.every > 99)
            return Refuse(RecurrenceField::Every);
        const std::uint32_t days = in.weekdays & Recur::WeekdayMask;
        if (days == 0)
            return Refuse(RecurrenceField::Weekdays);
        p.word = Recur::ByDate | Recur::Weekly | days;
        p.interval = std::uint16_t(in.every);
        CDateTime d = start;
        for (int i = 0; i < 7 && !(days & Recur::WeekdayBit(d.GetDayOfWeek())); ++i)
            AddDays(d, 1);
        p.patternStart = d;
        break;
    }
    case RecurrenceChoice::MonthlyDay: {
        if (in.day < 1 || in.day > 31)
            return Refuse(RecurrenceField::Day);
        if (in.every < 1 || in.every > 99)
            return Refuse(RecurrenceField::Every);
        p.word = Recur::ByDate | Recur::Monthly;
        p.interval = std::uint16_t(in.every);
        p.dayNumber = std::uint16_t(in.day);
        p.warnShortMonths = in.day > 28;
        const int day = std::min(in.day, CDateTime::DaysInMonth(start.GetYear(), start.GetMonth()));
        CDateTime d = WithTime(CDateTime(start.GetYear(), start.GetMonth(), day), start);
        if (d < start) {
            CDateTime later(start.GetYear(), start.GetMonth(), 1);
            AddMonths(later, in.day, in.every);
            d = WithTime(later, start);
        }
        p.patternStart = d;
        break;
    }
    case RecurrenceChoice::MonthlyNth: {
        if (in.week < 0 || in.week > 4)
            return Refuse(RecurrenceField::Week);
        if (in.weekday < 0 || in.weekday > 6)
            return Refuse(RecurrenceField::Weekday);
        if (in.every < 1 || in.every > 99)
            return Refuse(RecurrenceField::Every);
        p.word = Recur::NthWeekday | Recur::Monthly | WeekdayBit(in.weekday) | WeekBit(in.week);
        p.interval = std::uint16_t(in.every);
        p.dayNumber = std::uint16_t(start.GetDay());
        const CDateTime first(start.GetYear(), start.GetMonth(), 1);
        CDateTime d = NthInMonth(first, p.word, start);
        if (d < start) {
            CDateTime later = first;
            AddMonths(later, 1, in.every);
            d = NthInMonth(later, p.word, start);
        }
        p.patternStart = d;
        break;
    }
    case RecurrenceChoice::YearlyDate: {
        if (in.month < 0 || in.month > 11)
            return Refuse(RecurrenceField::Month);
        const int limit = in.month == 1 ? 29 : 31;
        if (in.day < 1 || in.day > limit || in.day > CDateTime::DaysInMonth(start.GetYear(), in.month + 1))
            return Refuse(RecurrenceField::Day);
        p.word = Recur::ByDate | Recur::Yearly;
        p.interval = 1;
        p.patternStart = WithTime(CDateTime(start.GetYear(), in.month + 1, in.day), start);
        break;
    }
    case RecurrenceChoice::YearlyNth: {
        if (in.week < 0 || in.week > 4)
            return Refuse(RecurrenceField::Week);
        if (in.weekday < 0 || in.weekday > 6)
            return Refuse(RecurrenceField::Weekday);
        if (in.month < 0 || in.month > 11)
            return Refuse(RecurrenceField::Month);
        p.word = Recur::NthWeekday | Recur::Yearly | WeekdayBit(in.weekday) | WeekBit(in.week);
        p.interval = 12;
        CDateTime d = NthInMonth(CDateTime(start.GetYear(), in.month + 1, 1), p.word, start);
        if (d < start)
            d = NthInMonth(CDateTime(start.GetYear() + 1, in.month + 1, 1), p.word, start);
        p.patternStart = d;
        break;
    }
    case RecurrenceChoice::DailyRegenerate:
    case RecurrenceChoice::WeeklyRegenerate:
    case RecurrenceChoice::MonthlyRegenerate:
    case RecurrenceChoice::YearlyRegenerate: {
        // Counted from each completion, so the pattern names no dates and the start stays; the
        // weekly variant keeps the start's weekday as its one day.
        const int limit = in.choice == RecurrenceChoice::DailyRegenerate ? 999 : 99;
        if (in.every < 1 || in.every > limit)
            return Refuse(RecurrenceField::Every);
        static constexpr std::uint32_t kPeriods[] = {Recur::Daily, Recur::Weekly, Recur::Monthly,
                                                     Recur::Yearly};
        const int which = int(in.choice) - int(RecurrenceChoice::DailyRegenerate);
        p.word = Recur::Regenerate | kPeriods[which];
        if (in.choice == RecurrenceChoice::WeeklyRegenerate)
            p.word |= Recur::WeekdayBit(start.GetDayOfWeek());
        p.interval = std::uint16_t(in.every);
        break;
    }
    }
    if (!p.patternStart.IsValid())
        return Refuse(RecurrenceField::None);
    p.ok = true;
    return p;
}
