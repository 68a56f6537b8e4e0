// Saving a task from its editor.
#include "editing/task/TaskSave.h"

#include "core/dates/DateRules.h"
#include "core/items/ItemRef.h"
#include "core/items/TaskItem.h"
#include "core/system/Messages.h"
#include "editing/base/EditingStrings.h"
#include "editing/base/ItemKey.h"
#include "editing/base/ReminderWindowPort.h"
#include "editing/event/EventSave.h"
#include "editing/lists/CategoryNames.h"
#include "editing/task/TaskEditorModel.h"
#include "editing/task/TaskStore.h"

namespace {

CDateTime Today()
{
    const CDateTime today = GetToday();
    return today.IsValid() && today.Value() != 0.0 ? today : GetNow().DatePart();
}

} // namespace

CTaskSave::CTaskSave(CTaskEditorModel &model, ITaskStore &store) : m_model(model), m_store(store) {}

bool CTaskSave::Fail(TaskField field, int messageId)
{
    m_focus = field;
    ShowWarningText(EditingText(messageId));
    return false;
}

bool CTaskSave::ValidateDates()
{
    m_focus = TaskField::None;
    const TaskForm &f = m_model.GetForm();
    CTaskItem &task = m_model.GetTask();
    if (f.hasDue && !f.due.IsValid())
        return Fail(TaskField::DueDate, EditText::InvalidDate);
    if (f.hasStart && !f.start.IsValid())
        return Fail(TaskField::StartDate, EditText::InvalidDate);
    if (f.completed && !f.completion.IsValid())
        return Fail(TaskField::CompletionDate, EditText::InvalidDate);
    // Every check comes before the first write, so a refused form leaves the task as it was.
    if (f.hasDue && f.hasStart && f.start.DatePart() > f.due.DatePart()) {
        const bool series = task.IsRecurring() && !m_model.IsOccurrenceAlone();
        return Fail(series ? TaskField::StartDate : TaskField::DueDate, EditText::DueBeforeStart);
    }
    // The completion field holds a date only while the task is completed.
    if (f.completed)
        task.SetCompletionDate(f.completion);
    if (f.hasDue) {
        task.SetDueDate(f.due);
        if (f.hasStart)
            task.SetStartDate(f.start);
        else
            task.SetFlag(CTaskItem::TF_HAS_START, false);
    } else {
        // A start date alone is not kept.
        task.SetFlag(CTaskItem::TF_HAS_DUE, false);
        task.SetFlag(CTaskItem::TF_HAS_START, false);
    }
    return true;
}

bool CTaskSave::GatherFromControls(bool sizeAndReminder, const QSize &editorSize, const QSize &initialSize)
{
    const TaskForm &f = m_model.GetForm();
    // The reminder fields are read before anything is written, for the same reason as the dates.
    const bool readReminder = sizeAndReminder && f.reminderOn && !f.completed;
    if (readReminder && (f.reminderDateBad || !f.reminder.IsValid()))
        return Fail(TaskField::ReminderDate, EditText::InvalidDate);
    if (readReminder && f.reminderTimeBad)
        return Fail(TaskField::ReminderTime, EditText::InvalidTime);
    if (!ValidateDates())
        return false;
    CTaskItem &task = m_model.GetTask();
    task.SetFlag(CCalendarItem::FlagHidden, f.hidden);
    task.SetFlag(CCalendarItem::FlagLocked, f.locked);
    task.ClearSnooze();
    task.SetStatus(f.status);
    task.SetPriority(f.priority);
    task.SetPercentComplete(f.completed ? 100 : f.percent);
    task.SetFlag(CTaskItem::TF_COMPLETED, f.completed);
    if (f.completed)
        task.SetCompletionDate(f.completion);
    task.SetSubject(f.subject);
    task.SetNotes(CEventSave::NotesForStorage(f.notes));
    task.SetCategories(CCategoryNames::Join(f.categories));
    if (!sizeAndReminder)
        return true;
    if (editorSize.isValid() && initialSize.isValid() && editorSize != initialSize)
        task.SetEditorWindowSize(true, editorSize.width(), editorSize.height());
    if (!f.reminderOn) {
        task.ClearReminder();
    } else if (f.completed) {
        m_model.SetReminderOn(false);
        task.ClearReminder();
        ShowInfoText(EditingText(EditText::CompletedReminderOff));
    } else {
        task.SetReminderTime(f.reminder);
        task.SetFlag(CCalendarItem::FlagReminder, true);
    }
    return true;
}

bool CTaskSave::OccurrenceChanged() const
{
    const CTaskItem &t = m_model.GetTask();
    const TaskSnapshot &s = m_model.GetSnapshot();
    constexpr std::uint32_t kFlags = CCalendarItem::FlagHidden | CCalendarItem::FlagPrivate |
                                     CTaskItem::TF_HAS_START | CCalendarItem::FlagReminder;
    const bool reminderMoved = t.HasFlag(CCalendarItem::FlagReminder) && !(t.GetReminderTime() == s.reminder);
    return t.IsCompleted() || !t.HasDueDate() || !(t.GetStartDate() == s.start) ||
           ((t.GetFlags() ^ s.flags) & kFlags) != 0 || t.GetPriority() != s.priority || reminderMoved ||
           !(t.GetReminderSound() == s.sound) || t.GetSubject() != s.subject || t.GetNotes() != s.notes ||
           t.GetCategories() != s.categories || t.GetItemTypeName() != s.itemTypeName;
}

TaskSaveResult CTaskSave::StayOpenWith(HRESULT code)
{
    ReportError(code);
    return TaskSaveResult::StayOpen;
}

TaskSaveResult CTaskSave::SplitOccurrence()
{
    CTaskItem &edited = m_model.GetTask();
    CItemRef &holder = m_model.GetHolder();
    CTaskItem done(edited);
    done.SetRecordId(0);
    done.SetDataFileStamp(0);
    done.SetFlag(CTaskItem::TF_SERIES_CLOSED, true);
    done.ClearSnooze();

    CTaskItem series(holder.GetRecordId());
    HRESULT hr = m_store.LoadTask(series);
    if (hr != S_OK)
        return StayOpenWith(hr);
    const CDateTime from = done.IsCompleted() ? done.GetCompletedDate() : Today();
    CDateTime next;
    const bool hasNext = series.GetNextDueDate(from, next);
    const bool finished = hasNext && (series.GetRecurrenceFlags() & 0x2000000u) != 0 &&
                          series.GetPatternEnd().IsValid() && series.GetPatternEnd() < next;
    done.SetKeepMark(series.GetKeepMark());
    if (finished) {
        // The last occurrence takes the series' record: nothing of the series remains to save.
        done.SetRecordId(series.GetRecordId());
        hr = m_store.StoreTask(done);
        if (hr != S_OK)
            return StayOpenWith(hr);
        m_store.RefreshItem(done);
        edited = done;
        m_model.ClearModified();
        return TaskSaveResult::Saved;
    }
    done.SetUniqueId(QString());
    series.SetKeepMark(0);
    if (hasNext)
        series.MoveToDueDate(next);
    hr = m_store.StoreTask(done);
    if (hr != S_OK)
        return StayOpenWith(hr);
    hr = m_store.StoreTask(series);
    if (hr != S_OK) {
        // The series did not move on: without this the occurrence would come back beside its
        // split-off copy.
        const HRESULT undo = m_store.DeleteTask(done.GetRecordId());
        ReportError(hr);
        if (undo != S_OK)
            ReportError(undo);
        return TaskSaveResult::StayOpen;
    }
    m_store.RefreshItem(done);
    m_store.RefreshItem(series);
    edited = series;
    m_model.ClearModified();
    return TaskSaveResult::Saved;
}

TaskSaveResult CTaskSave::Save(const QSize &editorSize, const QSize &initialSize)
{
    if (m_model.IsReadOnly())
        return TaskSaveResult::StayOpen;
    if (!GatherFromControls(true, editorSize, initialSize))
        return TaskSaveResult::StayOpen;
    CTaskItem &task = m_model.GetTask();
    CItemRef &holder = m_model.GetHolder();
    const bool stored = holder.GetRecordId() != 0;
    // The open reminder window of a stored series stands for the occurrence it reminds of:
    // editing the series answers it, so its reminders count as handled up to now.
    if (task.IsRecurring() && stored && m_reminderWindows) {
        CItemKey key;
        key.kind = CCalendarItem::KindTask;
        key.itemId = holder.GetRecordId();
        key.occurrence = holder.GetOccurrenceDate();
        if (m_reminderWindows->IsReminderWindowOpen(key))
            task.SetHandledUpTo(GetNow());
    }
    if (!m_model.IsModified() && (stored || (task.GetSubject().isEmpty() && task.GetNotes().isEmpty())))
        return TaskSaveResult::Unchanged;
    if (m_model.IsOccurrenceAlone() && !task.HasFlag(CTaskItem::TF_SERIES_CLOSED) && OccurrenceChanged())
        return SplitOccurrence();
    task.SetRecordId(holder.GetRecordId());
    const HRESULT hr = m_store.SaveTaskRef(holder);
    if (hr != S_OK)
        return StayOpenWith(hr);
    m_store.RefreshItem(task);
    m_model.ClearModified();
    return TaskSaveResult::Saved;
}
