// The Properties window's texts.
#include "editing/properties/PropertiesModel.h"

#include "core/dates/DateFormats.h"
#include "core/dates/DurationText.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/items/RecurrenceException.h"
#include "core/items/TaskItem.h"
#include "core/system/PrintfText.h"
#include "editing/base/EditingStrings.h"

#include <algorithm>

namespace {

QString Stamp(const CDateTime &t)
{
    return t.IsValid() && t.Value() != 0.0 ? FormatDateTimeOrDate(t) : QString();
}

QString DateOrNone(bool has, const CDateTime &date)
{
    return has ? FormatDateTimeOrDate(date, true) : QStringLiteral("None");
}

} // namespace

CPropertiesModel::CPropertiesModel(const CItemRef &holder) : m_holder(holder) {}

QString CPropertiesModel::GetItemTypeName() const
{
    const CCalendarItem *item = m_holder.GetItem();
    return item ? item->GetItemTypeName() : QString();
}

QString CPropertiesModel::GetTitle() const
{
    QString name = GetItemTypeName();
    if (name.isEmpty())
        name = EditingText(EditText::UndefinedType);
    return PrintfText(EditingText(EditText::PropertiesTitle), {name});
}

bool CPropertiesModel::HasEventGeneral() const
{
    return m_holder.GetEvent() != nullptr;
}

bool CPropertiesModel::HasExceptions() const
{
    const CEventItem *event = m_holder.GetEvent();
    return event && event->IsRecurring() && event->GetExceptionCount() > 0;
}

bool CPropertiesModel::HasTaskGeneral() const
{
    return m_holder.GetTask() != nullptr;
}

EventProperties CPropertiesModel::GetEventProperties(const CDateTime &now) const
{
    EventProperties p;
    const CEventItem *event = m_holder.GetEvent();
    if (!event)
        return p;
    p.subject = event->GetSubject();
    p.created = Stamp(event->GetCreatedTime());
    p.modified = Stamp(event->GetModified());
    CDateTime start = event->GetStart();
    CDateSpan duration = event->GetDuration();
    const CDateTime key = m_holder.GetOccurrenceDate();
    if (event->IsRecurring() && key.IsValid() && key.Value() != 0.0) {
        const int index = event->FindExceptionIndex(key);
        if (index >= 0) {
            const CRecurrenceException &x = event->GetExceptions()[std::size_t(index)];
            start = x.newStart;
            duration = x.duration;
            if (x.overrideFlags & CRecurrenceException::OverrideSubject)
                p.subject = x.subject;
        } else {
            start = CDateTime(key.GetYear(), key.GetMonth(), key.GetDay(), start.GetHour(), start.GetMinute(),
                              start.GetSecond());
        }
    }
    p.start = FormatDateTimeOrDate(start);
    p.duration = FormatDuration(duration);
    CDateTime when, occurrence;
    bool snoozed = false;
    if (event->FindReminder(0, now, when, occurrence, snoozed)) {
        p.previousReminder = FormatDateTimeOrDate(when);
        if (snoozed)
            p.previousReminder += EditingText(EditText::Snoozed);
    }
    if (event->FindReminder(1, now, when, occurrence, snoozed))
        p.nextReminder = FormatDateTimeOrDate(when);
    if (event->IsRecurring())
        p.recurrence = event->GetRecurrenceText();
    return p;
}

TaskProperties CPropertiesModel::GetTaskProperties() const
{
    TaskProperties p;
    const CTaskItem *task = m_holder.GetTask();
    if (!task)
        return p;
    p.subject = task->GetSubject();
    p.created = Stamp(task->GetCreatedTime());
    p.modified = Stamp(task->GetModified());
    p.due = DateOrNone(task->HasDueDate(), task->GetDueDate());
    p.start = DateOrNone(task->HasStartDate(), task->GetStartDate());
    p.reminder = task->HasFlag(CCalendarItem::FlagReminder) ? FormatDateTimeOrDate(task->GetReminderTime())
                                                            : QStringLiteral("None");
    p.status = GetTaskStatusName(task->GetStatus());
    p.percent = QStringLiteral("%1%").arg(task->GetPercentComplete());
    p.completed = DateOrNone(task->IsCompleted(), task->GetCompletedDate());
    p.categories = task->GetCategories();
    p.priority = GetPriorityName(task->GetPriority());
    return p;
}

std::vector<ExceptionRow> CPropertiesModel::GetExceptionRows() const
{
    std::vector<ExceptionRow> rows;
    const CEventItem *event = m_holder.GetEvent();
    if (!event)
        return rows;
    const auto &exceptions = event->GetExceptions();
    for (std::size_t i = 0; i < exceptions.size(); ++i) {
        const CRecurrenceException &x = exceptions[i];
        ExceptionRow row;
        row.key = x.keyDate;
        row.index = int(i);
        row.date = FormatDateTimeOrDate(x.keyDate.DatePart(), true);
        row.status = x.IsDeleted() ? QStringLiteral("Deleted") : FormatDateTimeOrDate(x.newStart);
        rows.push_back(row);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ExceptionRow &a, const ExceptionRow &b) { return a.key < b.key; });
    return rows;
}
