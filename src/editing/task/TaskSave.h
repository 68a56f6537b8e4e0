// CTaskSave: what OK does in the task editor. The dates are checked, the form is copied into the
// task and the task goes to the store. A changed or completed occurrence of a series becomes a
// task of its own and the series moves on to its next due date; every store step that fails
// leaves the file as it was before OK and the editor open.
#pragma once

#include "core/system/ResultCode.h"

#include <QSize>
#include <QString>

class CTaskEditorModel;
class CTaskItem;
class IReminderWindowPort;
class ITaskStore;

// The field a failed check puts the focus on.
enum class TaskField
{
    None,
    DueDate,
    StartDate,
    CompletionDate,
    ReminderDate,
    ReminderTime,
};

enum class TaskSaveResult
{
    Saved,     // stored; the editor closes with OK
    Unchanged, // nothing to store; the editor closes as with Cancel
    StayOpen,  // a check or a store failed and was reported; the editor stays open
};

class CTaskSave
{
  public:
    CTaskSave(CTaskEditorModel &model, ITaskStore &store);

    // The open reminder windows (null: none are open).
    void SetReminderWindows(IReminderWindowPort *windows) { m_reminderWindows = windows; }

    // Checks the three dates and writes them into the task; nothing changes when one is refused.
    bool ValidateDates();
    // Checks and copies the form into the task. With sizeAndReminder the editor size (when it
    // differs from the opening size) and the reminder are taken too.
    bool GatherFromControls(bool sizeAndReminder, const QSize &editorSize = {},
                            const QSize &initialSize = {});
    TaskField GetFocusField() const { return m_focus; }

    // OK: gather, split off a changed occurrence, store.
    TaskSaveResult Save(const QSize &editorSize = {}, const QSize &initialSize = {});

  private:
    bool Fail(TaskField field, int messageId);
    bool OccurrenceChanged() const;
    TaskSaveResult SplitOccurrence();
    TaskSaveResult StayOpenWith(HRESULT code);

    CTaskEditorModel &m_model;
    ITaskStore &m_store;
    IReminderWindowPort *m_reminderWindows = nullptr;
    TaskField m_focus = TaskField::None;
};
