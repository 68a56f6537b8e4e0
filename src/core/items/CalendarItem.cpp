// Calendar item base: setters with their limits and flag rules, pattern steps and the pattern
// described in words.
#include "core/items/CalendarItem.h"

#include "core/dates/DateRules.h"
#include "core/items/ItemDefaults.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DurationText.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/PrintfText.h"
#include "core/system/StringTable.h"
#include "core/system/TextCut.h"

#include <QLocale>
#include <QStringList>

namespace {
// The string id of the word for the pattern's week of month ("first" .. "last").
int NthWordId(std::uint32_t word)
{
    if (word & Recur::First)
        return 59199;
    if (word & Recur::Second)
        return 59200;
    if (word & Recur::Third)
        return 59201;
    if (word & Recur::Fourth)
        return 59202;
    if (word & Recur::Last)
        return 59203;
    return 59199;
}

// The locale's name of a day of week (1 Sunday .. 7 Saturday).
QString DayName(int dayOfWeek)
{
    return QLocale().dayName(dayOfWeek == 1 ? 7 : dayOfWeek - 1, QLocale::LongFormat);
}

QString MonthName(int month)
{
    return QLocale().monthName(month, QLocale::LongFormat);
}

std::uint32_t PackSize(int width, int height)
{
    return (std::uint32_t(std::uint16_t(height)) << 16) | std::uint16_t(width);
}
} // namespace

CCalendarItem::CCalendarItem() : m_snoozeInterval(GetItemDefaults().snoozeInterval) {}

CCalendarItem::~CCalendarItem() = default;

void CCalendarItem::SetRecurrence(std::uint32_t word, std::uint16_t interval, std::uint16_t dayNumber,
                                  const CDateTime &patternStart, const CDateTime &patternEnd)
{
    m_pattern.SetWord(word);
    m_pattern.SetInterval(interval);
    m_pattern.SetDayNumber(dayNumber);
    m_pattern.SetStart(patternStart);
    if (word & Recur::HasEndDate) {
        CDateTime::Parts p;
        if (patternEnd.GetParts(p) && !(p.hour == 23 && p.minute == 59 && p.second == 59))
            m_pattern.SetEnd(CDateTime(p.year, p.month, p.day, 23, 59, 59));
        else
            m_pattern.SetEnd(patternEnd);
    }
    m_flags = (m_flags | FlagRecurring) & ~FlagSeriesClosed;
}

void CCalendarItem::RemoveRecurrence()
{
    m_flags &= ~(FlagRecurring | FlagSeriesClosed | FlagCalculateAge | FlagSnoozed);
    m_pattern.SetWord(0);
    m_pattern.SetInterval(0);
    m_pattern.SetDayNumber(0);
    CDateTime today = GetToday();
    if (today.Value() == 0.0 || !today.IsValid())
        today = DateOnly(GetNow());
    CDateTime::Parts t, s;
    if (today.GetParts(t)) {
        if (!m_pattern.GetStart().GetParts(s))
            s = {};
        m_pattern.SetStart(CDateTime(t.year, t.month, t.day, s.hour, s.minute, s.second));
    }
}

bool CCalendarItem::IsOccurrenceDate(const CDateTime &t) const
{
    if (m_kind != KindEvent && m_pattern.Kind() == Recur::Regenerate)
        return true;
    const CDateTime &start = m_pattern.GetStart();
    if (t < start || (m_pattern.HasEndDate() && t > m_pattern.GetEnd()))
        return false;
    if (t.GetHour() != start.GetHour() || t.GetMinute() != start.GetMinute())
        return false;
    return PatternDateOnOrAfter(t) == t;
}

QString CCalendarItem::GetRecurrenceText() const
{
    return PatternText();
}

QString CCalendarItem::PatternText() const
{
    const CRecurrencePattern &p = m_pattern;
    const std::uint32_t word = p.GetWord();
    const int n = p.GetInterval();
    const CDateTime &start = p.GetStart();
    const QString effective = FormatShortDate(start);
    QString text;
    switch (p.Period()) {
    case Recur::Daily:
        if (p.Kind() == Recur::Regenerate)
            text = QStringLiteral("Task...");
        else if (p.Kind() == Recur::ByDate && n == 1)
            text = PrintfText(LoadResString(59193), {effective});
        else if (p.Kind() == Recur::ByDate && n > 1)
            text = PrintfText(LoadResString(59194), {n, effective});
        break;
    case Recur::Weekly: {
        QStringList days;
        for (int dow : {2, 3, 4, 5, 6, 7, 1})
            if (word & Recur::WeekdayBit(dow))
                days << DayName(dow);
        const QString list = days.join(QStringLiteral(", "));
        if (n == 1)
            text = PrintfText(LoadResString(59195), {list, effective});
        else if (n > 1)
            text = PrintfText(LoadResString(59196), {n, list, effective});
        break;
    }
    case Recur::Monthly:
        if (p.Kind() == Recur::ByDate) {
            if (n == 1)
                text = PrintfText(LoadResString(59197), {p.ByDateDay(), effective});
            else if (n > 1)
                text = PrintfText(LoadResString(59198), {p.ByDateDay(), n, effective});
        } else if (p.Kind() == Recur::NthWeekday) {
            const QString nth = LoadResString(NthWordId(word));
            const QString day = DayName(start.GetDayOfWeek());
            if (n == 1)
                text = PrintfText(LoadResString(59204), {nth, day, effective});
            else if (n > 1)
                text = PrintfText(LoadResString(59205), {nth, day, n, effective});
        }
        break;
    case Recur::Yearly:
        if (p.Kind() == Recur::ByDate)
            text = PrintfText(LoadResString(59206), {MonthName(start.GetMonth()), start.GetDay(), effective});
        else if (p.Kind() == Recur::NthWeekday)
            text = PrintfText(LoadResString(59207),
                              {LoadResString(NthWordId(word)), DayName(start.GetDayOfWeek()),
                               MonthName(start.GetMonth()), effective});
        break;
    default:
        break;
    }
    if (p.HasEndDate())
        text += PrintfText(LoadResString(59208), {FormatShortDate(p.GetEnd())});
    return text;
}

void CCalendarItem::CopyFromItem(const CCalendarItem &) {}

void CCalendarItem::SetItemType(int index)
{
    ItemTypeInfo info;
    TakeItemType(index, info);
}

bool CCalendarItem::TakeItemType(int index, ItemTypeInfo &info)
{
    const IItemTypeCatalog *types = GetItemTypeCatalog();
    if (!types)
        return false;
    if (types->GetTypeCount() == 0) {
        SetItemTypeIndex(-1);
        return false;
    }
    if (index < 0 || index >= types->GetTypeCount() || !types->GetTypeInfo(index, info))
        return false;
    SetItemTypeIndex(index);
    SetItemTypeName(info.name);
    return true;
}

CDateTime CCalendarItem::PatternDateOnOrAfter(const CDateTime &d) const
{
    return IsRecurring() ? m_pattern.DateOnOrAfter(d) : m_pattern.GetStart();
}

CDateTime CCalendarItem::PrevPatternDate(const CDateTime &d) const
{
    return IsRecurring() ? m_pattern.PrevDate(d) : m_pattern.GetStart();
}

CDateTime CCalendarItem::NextPatternDate(const CDateTime &d) const
{
    return IsRecurring() ? m_pattern.NextDate(d) : m_pattern.GetStart();
}

bool CCalendarItem::GetTaskDates(CDateTime &, CDateTime &) const
{
    return false;
}

CDateSpan CCalendarItem::GetShortestRecurrenceGap() const
{
    return ShortestRecurrenceGap(m_pattern.GetWord(), m_pattern.GetInterval());
}

void CCalendarItem::SetReminder(bool on, const CDateSpan &lead)
{
    SetFlag(FlagReminder, on);
    m_reminderLead = lead;
}

void CCalendarItem::SetSnooze(const CDateTime &until, const CDateTime &occurrence,
                              const CDateSpan &snoozeInterval, const CDateTime &handledUpTo)
{
    m_snoozedUntil = until;
    m_snoozedOccurrence = occurrence;
    m_snoozeInterval = snoozeInterval;
    m_handledUpTo = handledUpTo;
    m_flags |= FlagSnoozed;
}

void CCalendarItem::SetReminderSound(bool on, const CReminderSound &sound)
{
    if (on)
        m_sound = sound;
    SetFlag(FlagOwnSound, on);
}

void CCalendarItem::SetReminderWindowSize(bool on, int width, int height)
{
    if (on)
        m_reminderWindowSize = PackSize(width, height);
    SetFlag(FlagReminderWindowSize, on);
}

void CCalendarItem::SetEditorWindowSize(bool on, int width, int height)
{
    if (on)
        m_editorWindowSize = PackSize(width, height);
    SetFlag(FlagEditorWindowSize, on);
}

void CCalendarItem::SetSubject(const QString &text)
{
    m_subject = CutToCharacters(text, MaxSubject);
}

void CCalendarItem::SetItemTypeName(const QString &text)
{
    m_itemTypeName = CutToCharacters(text, MaxItemTypeName);
}

void CCalendarItem::SetCategories(const QString &text)
{
    m_categories = CutToCharacters(text, MaxCategories);
}

void CCalendarItem::SetStoredTexts(const QString &subject, const QString &notes, const QString &itemTypeName,
                                   const QString &categories, const QString &uniqueId)
{
    m_subject = subject;
    m_notes = notes;
    m_itemTypeName = itemTypeName;
    m_categories = categories;
    m_uniqueId = uniqueId;
}

CCalendarItem::PrefixResult CCalendarItem::ApplyItemTypePrefix(const IItemTypeCatalog &types, QString &text)
{
    if (text.indexOf(QLatin1Char(':')) != 3)
        return PrefixResult::NoPrefix;
    const int index = types.FindTypeByPrefix(text.left(3));
    ItemTypeInfo info;
    if (index < 0 || !types.GetTypeInfo(index, info))
        return PrefixResult::UnknownPrefix;
    qsizetype from = 4;
    while (from < text.size() && text.at(from).isSpace())
        ++from;
    text = text.mid(from);
    m_itemTypeIndex = index;
    SetItemTypeName(info.name);
    return PrefixResult::Applied;
}
