// Texts of the preview pane.
#include "containers/preview/PreviewFields.h"

#include "core/dates/DateFormats.h"
#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/RecurrenceException.h"
#include "core/items/TaskItem.h"

#include <QCoreApplication>

namespace {
QString Tr(const char *text) { return QCoreApplication::translate("CPreviewFields", text); }

bool AtMidnight(const CDateTime &t) { return t.GetHour() == 0 && t.GetMinute() == 0 && t.GetSecond() == 0; }

// An occurrence date names an occurrence when it is a real date.
bool IsOccurrence(const CDateTime &date) { return date.IsValid() && date.Value() != 0.0; }
} // namespace

QString CPreviewFields::NoneText() { return Tr("None"); }

EventPreviewFields CPreviewFields::ForEvent(const CEventItem &event, const CDateTime &occurrenceDate)
{
    EventPreviewFields f;
    f.subject = event.GetSubject();
    f.location = event.GetLocation();
    f.notes = event.GetNotes();
    f.categories = event.GetCategories();
    f.itemType = event.GetItemTypeName();
    CDateTime start = event.GetStart();
    CDateSpan duration = event.GetDuration();
    bool reminderOn = event.HasFlag(CCalendarItem::FlagReminder);
    CDateSpan lead = event.GetReminderLead();

    const bool occurrence = event.IsRecurring() && IsOccurrence(occurrenceDate);
    if (occurrence) {
        const int index = event.FindExceptionIndex(occurrenceDate);
        if (const CRecurrenceException *ex = index >= 0 ? event.GetExceptionAt(index) : nullptr) {
            if (ex->overrideFlags & CRecurrenceException::OverrideSubject)
                f.subject = ex->subject;
            if (ex->overrideFlags & CRecurrenceException::OverrideLocation)
                f.location = ex->location;
            if (ex->overrideFlags & CRecurrenceException::OverrideNotes)
                f.notes = ex->notes;
            // Times and reminder always come from the exception record.
            start = ex->newStart;
            duration = ex->duration;
            reminderOn = ex->HasOwnReminder();
            lead = ex->reminderLead;
        } else {
            CDateTime end;
            event.GetOccurrenceEnd(occurrenceDate, start, end);
            duration = end - start;
        }
    }
    if (event.IsRecurring())
        f.icon = occurrence ? PreviewIcon::Occurrence : PreviewIcon::Series;

    f.start = start;
    f.end = start + duration;
    f.allDay = AtMidnight(f.start) && AtMidnight(f.end) && duration.GetTotalDays() >= 1.0 - 1e-9;
    // An all-day range ends at 00:00 of the day after its last day: show that last day.
    const CDateTime shownEnd = f.allDay ? f.end - CDateSpan(1.0) : f.end;
    f.startDate = FormatWeekdayDate(f.start);
    f.endDate = FormatWeekdayDate(shownEnd);
    if (!f.allDay) {
        f.startTime = FormatTime(f.start);
        f.endTime = FormatTime(f.end);
    }
    f.duration = FormatDuration(duration);
    f.reminder = reminderOn ? FormatDuration(lead) : NoneText();
    return f;
}

TaskPreviewFields CPreviewFields::ForTask(const CTaskItem &task)
{
    TaskPreviewFields f;
    if (task.IsRecurring())
        f.icon = task.HasFlag(CTaskItem::TF_SERIES_CLOSED) ? PreviewIcon::Occurrence : PreviewIcon::Series;
    f.itemType = task.GetItemTypeName();
    f.subject = task.GetSubject();
    f.notes = task.GetNotes();
    f.categories = task.GetCategories();
    f.priority = GetPriorityName(task.GetPriority());
    if (task.HasDueDate() && task.HasStartDate())
        f.dueDate = Tr("Starts on %1, due on %2")
                        .arg(FormatShortDate(task.GetStartDate()), FormatShortDate(task.GetDueDate()));
    else if (task.HasDueDate())
        f.dueDate = Tr("Due on %1").arg(FormatShortDate(task.GetDueDate()));
    else
        f.dueDate = NoneText();
    f.reminder = task.HasFlag(CCalendarItem::FlagReminder) ? FormatDateTimeOrDate(task.GetReminderTime(), true)
                                                            : NoneText();
    f.status = GetTaskStatusName(task.GetStatus());
    f.percent = QStringLiteral("%1%").arg(task.GetPercentComplete());
    f.completed = task.IsCompleted() ? FormatWeekdayDate(task.GetCompletedDate()) : NoneText();
    return f;
}
