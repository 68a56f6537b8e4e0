// CPreviewFields: the texts the preview pane shows for an event, one occurrence of a series (with
// its exception's overrides) or a task. Plain values, so that tests read them without a window.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>

class CEventItem;
class CTaskItem;

// Which small picture stands beside the subject.
enum class PreviewIcon
{
    None,
    Series,     // a recurring event shown as a whole series
    Occurrence, // one occurrence of a recurring event or task
};

struct EventPreviewFields
{
    PreviewIcon icon = PreviewIcon::None;
    bool allDay = false;
    CDateTime start, end; // the shown times; end is the exclusive end (start + duration)
    QString itemType, subject, location, notes, categories;
    QString startDate, endDate, startTime, endTime, duration, reminder;
};

struct TaskPreviewFields
{
    PreviewIcon icon = PreviewIcon::None;
    QString itemType, subject, notes, categories;
    QString priority, dueDate, reminder, status, percent, completed;
};

class CPreviewFields
{
  public:
    // The event, or with a valid occurrence key date that occurrence: its exception's times and
    // reminder, and its subject, location and notes where the exception overrides them.
    static EventPreviewFields ForEvent(const CEventItem &event, const CDateTime &occurrenceDate);
    static TaskPreviewFields ForTask(const CTaskItem &task);
    // "None": the text of a field without a value.
    static QString NoneText();
};
