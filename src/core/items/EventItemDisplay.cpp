// Display items of an event's occurrences: which kind, the texts, times, flags and age, and for
// lists the next occurrence and reminder moment.
#include "core/items/EventItem.h"

#include "core/dates/DateRules.h"
#include "core/items/DatedDisplayItem.h"
#include "core/items/DisplayNotes.h"
#include "core/items/PatternDisplayItem.h"
#include "core/items/RecurrenceBits.h"

#include <new>

namespace {
const CDateSpan kOneDay(1.0);

// Ends at midnight belong to the day before; a zero-length occurrence stays on its own day.
bool EndsOnOtherDay(const CDateTime &start, const CDateTime &end)
{
    long endDay = 0, endSeconds = 0;
    const bool endSplit = end.GetDayAndSeconds(endDay, endSeconds);
    // After 1900-01-01 a day earlier is one day number less (the subtraction is exact and an end
    // at midnight is far from a day's edge), so the day numbers settle it.
    long startDay = 0, startSeconds = 0;
    if (endSplit && start.Value() >= 1.0 && end.Value() >= 2.0 && start.GetDayAndSeconds(startDay, startSeconds))
        return startDay != (endSeconds == 0 && end > start ? endDay - 1 : endDay);
    if (endSplit && endSeconds == 0 && end > start)
        return !IsSameDate(start, end - kOneDay);
    return !IsSameDate(start, end);
}
} // namespace

std::unique_ptr<CDisplayItem> CEventItem::MakeDisplayItem(const COccurrence &occurrence, int notesMode,
                                                          bool dated, bool pattern) const
{
    if (dated)
        notesMode = 0;
    const CRecurrenceException *exception = GetExceptionAt(occurrence.exceptionIndex);
    // A dated item without the pattern flag is the event's row in a list, not one occurrence.
    const bool wholeEvent = dated && !pattern && !exception;
    const CDateTime start = wholeEvent ? m_start : occurrence.start;
    const CDateSpan duration = wholeEvent ? m_duration : occurrence.duration;

    std::unique_ptr<CDisplayItem> item;
    try {
        if (dated)
            item = std::make_unique<CDatedDisplayItem>(CDisplayItem::KindEvent, GetItemTypeIndex(),
                                                       GetItemTypeName(), start, duration);
        else if (pattern)
            item = std::make_unique<CPatternDisplayItem>(CDisplayItem::KindEvent, GetItemTypeIndex(),
                                                         GetItemTypeName(), start, duration);
        else
            item = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, GetItemTypeIndex(),
                                                  GetItemTypeName(), start, duration);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }

    bool reminder = HasFlag(FlagReminder);
    QString subject = GetSubject();
    QString location = m_location;
    const QString *notes = &GetNotes();
    if (exception) {
        item->SetFlag(CDisplayItem::FlagChanged, true);
        reminder = exception->HasOwnReminder();
        if (exception->overrideFlags & CRecurrenceException::OverrideSubject)
            subject = exception->subject;
        if (exception->overrideFlags & CRecurrenceException::OverrideLocation)
            location = exception->location;
        if (exception->overrideFlags & CRecurrenceException::OverrideNotes)
            notes = &exception->notes;
    }
    subject.replace(QLatin1Char('\t'), QLatin1Char(' '));
    item->SetSubject(std::move(subject));
    item->SetLocation(std::move(location));
    if (notesMode == 1 || notesMode == 2) {
        item->SetNotes(DisplayNotesText(*notes, notesMode));
        item->SetFlag(CDisplayItem::FlagNotes, !item->GetNotes().isEmpty());
    } else {
        item->SetFlag(CDisplayItem::FlagNotes, !notes->isEmpty());
    }

    item->SetItemRef(GetRecordId());
    item->SetCreated(GetCreatedTime());
    item->SetStamp(GetModified());
    item->SetCategories(GetCategories());
    item->SetOccurrenceDate(wholeEvent ? CDateTime(0.0) : occurrence.keyDate);

    const bool yearly = IsRecurring() && GetPattern().Period() == Recur::Yearly;
    item->SetAge(yearly ? GetAgeAt(dated ? TodayForDisplay() : start) : -1);

    if (!item->HasFlag(CDisplayItem::FlagAllDay) && EndsOnOtherDay(item->GetStart(), item->GetEnd()))
        item->SetFlag(CDisplayItem::FlagCrossesMidnight, true);
    item->SetFlag(CDisplayItem::FlagRecurring, IsRecurring());
    item->SetFlag(CDisplayItem::FlagLocked, HasFlag(FlagLocked));
    item->SetFlag(CDisplayItem::FlagOwnItem, true);
    item->SetFlag(CDisplayItem::FlagReminder, reminder);
    item->SetFlag(CDisplayItem::FlagKeepMark, GetKeepMark() != 0);

    // The kind of item was chosen above from the flags, so they tell which it is.
    if (dated) {
        auto *datedItem = static_cast<CDatedDisplayItem *>(item.get());
        CDateTime next = start;
        if (IsRecurring()) {
            CDateTime from = TodayForDisplay();
            const CRecurrencePattern &p = GetPattern();
            if (p.HasEndDate() && p.GetEnd() < from)
                from = CDateTime(p.GetEnd().GetYear(), p.GetEnd().GetMonth(), p.GetEnd().GetDay(),
                                 m_start.GetHour(), m_start.GetMinute(), m_start.GetSecond());
            COccurrence o;
            CDateSpan lead;
            if (FindOccurrenceFrom(false, from, o, lead) || FindOccurrenceBefore(false, from, o, lead))
                next = o.start;
        }
        datedItem->SetNextDate(next);
        CDateTime reminderTime, key;
        bool snoozed = false;
        if (FindReminder(1, GetNow(), reminderTime, key, snoozed)) {
            datedItem->SetFlag(CDisplayItem::FlagReminderTime, true);
            datedItem->SetReminderTime(reminderTime);
        }
    } else if (pattern) {
        if (IsRecurring())
            static_cast<CPatternDisplayItem *>(item.get())->SetRecurrenceText(GetRecurrenceText());
    }
    return item;
}

bool CEventItem::MakeCurrentDisplayItem(const COccurrence &occurrence, int notesMode,
                                        std::unique_ptr<CDisplayItem> &target, bool dated, bool pattern)
{
    if (dated && !pattern) {
        m_windowStart = CDateTime();
        m_windowEnd = CDateTime();
        m_currentOccurrence = CDateTime();
    }
    target = MakeDisplayItem(occurrence, notesMode, dated, pattern);
    return target != nullptr;
}

bool CEventItem::FindFirstOccurrenceInRange(const CDateTime &windowStart, int days, int notesMode,
                                            std::unique_ptr<CDisplayItem> &target, bool dated, bool pattern)
{
    COccurrence o;
    return FindFirstOccurrenceInRange(windowStart, days, &o) &&
           MakeCurrentDisplayItem(o, notesMode, target, dated, pattern);
}

bool CEventItem::FindFirstOccurrenceBetween(const CDateTime &start, const CDateTime &end, int notesMode,
                                            std::unique_ptr<CDisplayItem> &target, bool dated, bool pattern)
{
    COccurrence o;
    return FindFirstOccurrenceBetween(start, end, &o) &&
           MakeCurrentDisplayItem(o, notesMode, target, dated, pattern);
}

bool CEventItem::FindNextOccurrenceInRange(int notesMode, std::unique_ptr<CDisplayItem> &target, bool dated,
                                           bool pattern)
{
    COccurrence o;
    return FindNextOccurrenceInRange(&o) && MakeCurrentDisplayItem(o, notesMode, target, dated, pattern);
}

bool CEventItem::SelectOccurrence(const CDateTime &keyDate, int notesMode,
                                  std::unique_ptr<CDisplayItem> &target, bool dated, bool pattern)
{
    COccurrence o;
    return SelectOccurrence(keyDate, &o) && MakeCurrentDisplayItem(o, notesMode, target, dated, pattern);
}
