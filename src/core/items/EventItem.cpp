// Event item: its data, copying (also from a task), item type and age, and the maintenance of
// its recurrence exceptions.
#include "core/items/EventItem.h"

#include "core/dates/DateRules.h"
#include "core/dates/DateFormats.h"
#include "core/dates/DurationText.h"
#include "core/lists/ItemTypeCatalog.h"
#include "core/system/PrintfText.h"
#include "core/system/StringTable.h"
#include "core/system/TextCut.h"

#include <new>

CEventItem::CEventItem()
{
    SetKind(KindEvent);
}

CEventItem::CEventItem(std::uint32_t recordId) : CEventItem()
{
    SetRecordId(recordId);
}

CEventItem::CEventItem(const CEventItem &other) : CCalendarItem(other)
{
    Copy(other);
}

CEventItem &CEventItem::operator=(const CEventItem &other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

CEventItem::~CEventItem() = default;

void CEventItem::SetRecurrence(std::uint32_t word, std::uint16_t interval, std::uint16_t dayNumber,
                               const CDateTime &patternStart, const CDateTime &patternEnd)
{
    CCalendarItem::SetRecurrence(word, interval, dayNumber, patternStart, patternEnd);
    RemoveAllExceptions();
}

void CEventItem::RemoveRecurrence()
{
    CCalendarItem::RemoveRecurrence();
    RemoveAllExceptions();
}

QString CEventItem::GetRecurrenceText() const
{
    if (!IsRecurring())
        return QString();
    QString text = PatternText();
    if (m_duration >= CDateSpan(1.0))
        text += PrintfText(LoadResString(59213), {FormatTime(m_start), FormatDuration(m_duration)});
    else
        text +=
            PrintfText(LoadResString(59212), {FormatTime(m_start), FormatTime(m_start + m_duration)});
    return text;
}

void CEventItem::Copy(const CEventItem &other)
{
    if (this == &other)
        return;
    CCalendarItem::operator=(other);
    m_start = other.m_start;
    m_duration = other.m_duration;
    m_location = other.m_location;
    m_exceptions = other.m_exceptions;
    m_windowStart = other.m_windowStart;
    m_windowEnd = other.m_windowEnd;
    m_windowLowest = other.m_windowLowest;
    m_windowDuration = other.m_windowDuration;
    m_currentOccurrence = other.m_currentOccurrence;
    m_cursor = other.m_cursor;
}

void CEventItem::CopyFromItem(const CCalendarItem &other)
{
    if (const auto *event = dynamic_cast<const CEventItem *>(&other)) {
        Copy(*event);
        SetRecordId(0);
        SetDataFileStamp(0);
        SetUniqueId(QString());
        SetKeepMark(0);
        return;
    }
    if (other.GetKind() != KindTask)
        return;
    if (const IItemTypeCatalog *types = GetItemTypeCatalog()) {
        const int index = types->FindType(other.GetItemTypeName());
        if (index >= 0)
            SetItemType(index);
    }
    CDateTime taskStart, taskDue;
    const bool haveDates = other.GetTaskDates(taskStart, taskDue);
    const bool hasDue = haveDates && other.HasFlag(TaskFlagHasDue) && taskDue.IsValid();
    const bool hasStart = haveDates && other.HasFlag(TaskFlagHasStart) && taskStart.IsValid();
    const CDateSpan oneDay(1.0);
    if (hasDue && hasStart) {
        SetStart(DateOnly(taskStart));
        const CDateSpan span = (DateOnly(taskDue) - DateOnly(taskStart)) + oneDay;
        // A start after the due date still makes a one-day event rather than a negative one.
        SetDuration(span < oneDay ? oneDay : span);
    } else if (hasDue) {
        SetStart(DateOnly(taskDue));
        SetDuration(oneDay);
    } else {
        CDateTime today = GetToday();
        if (!today.IsValid() || today.Value() == 0.0)
            today = DateOnly(GetNow());
        SetStart(today);
        SetDuration(oneDay);
    }
    SetSubject(other.GetSubject());
    SetNotes(other.GetNotes());
    SetItemTypeIndex(other.GetItemTypeIndex());
    SetItemTypeName(other.GetItemTypeName());
    SetCategories(other.GetCategories());
    if (other.HasFlag(FlagLocked))
        SetFlag(FlagLocked, true);
}

void CEventItem::SetItemType(int index)
{
    // An event also takes the type's reminder lead and its no-window-after-the-time rule.
    ItemTypeInfo info;
    if (!TakeItemType(index, info))
        return;
    SetReminderLead(info.reminderLead);
    SetFlag(FlagNoWindowAfterTime, (info.flags & 0x4) != 0);
}

CDateTime CEventItem::PatternDateOnOrAfter(const CDateTime &d) const
{
    return IsRecurring() ? CCalendarItem::PatternDateOnOrAfter(d) : m_start;
}

CDateTime CEventItem::PrevPatternDate(const CDateTime &d) const
{
    return IsRecurring() ? CCalendarItem::PrevPatternDate(d) : m_start;
}

CDateTime CEventItem::NextPatternDate(const CDateTime &d) const
{
    return IsRecurring() ? CCalendarItem::NextPatternDate(d) : m_start;
}

void CEventItem::SetStart(const CDateTime &start)
{
    m_start = start;
    SetPatternStart(start);
}

void CEventItem::SetLocation(const QString &text)
{
    m_location = CutToCharacters(text, MaxLocation);
}

int CEventItem::GetAgeAt(const CDateTime &date) const
{
    if (!HasFlag(FlagCalculateAge))
        return -1;
    return AgeInYears(m_start, date);
}

int CEventItem::FindExceptionIndex(const CDateTime &date) const
{
    if (!IsRecurring())
        return -1;
    for (size_t i = 0; i < m_exceptions.size(); ++i)
        if (m_exceptions[i].keyDate == date)
            return int(i);
    return -1;
}

CRecurrenceException *CEventItem::GetExceptionAt(int index)
{
    return index >= 0 && index < GetExceptionCount() ? &m_exceptions[size_t(index)] : nullptr;
}

const CRecurrenceException *CEventItem::GetExceptionAt(int index) const
{
    return index >= 0 && index < GetExceptionCount() ? &m_exceptions[size_t(index)] : nullptr;
}

CRecurrenceException *CEventItem::GetException(const CDateTime &date, bool create)
{
    int index = FindExceptionIndex(date);
    if (index < 0 && create)
        index = InsertException(date);
    return GetExceptionAt(index);
}

int CEventItem::InsertException(const CDateTime &date, const CRecurrenceException &record)
{
    CRecurrenceException e = record;
    e.keyDate = date;
    e.newStart = date;
    e.duration = m_duration;
    e.SetReminder(HasFlag(FlagReminder), GetReminderLead());
    e.modified = GetNow();
    try {
        m_exceptions.push_back(e);
    } catch (const std::bad_alloc &) {
        return -1;
    }
    if (HasFlag(FlagSnoozed) && GetSnoozedOccurrence() == date)
        ClearSnooze();
    return GetExceptionCount() - 1;
}

void CEventItem::RemoveException(const CDateTime &date)
{
    const int index = FindExceptionIndex(date);
    if (index >= 0)
        m_exceptions.erase(m_exceptions.begin() + index);
}
