// CTaskEditorModel: the task editor without its window. It holds the task being edited (a task,
// a series or one occurrence of a series), the values the form shows, the coupling of status,
// percent complete and completion, the coupling of the start, due and reminder dates, the title,
// the toolbar and control states and the snapshot that tells whether anything changed.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/CalendarItem.h"
#include "core/items/RecurrencePattern.h"
#include "core/items/ReminderSound.h"
#include "editing/event/EventEditorModel.h"

#include <QString>
#include <cstdint>
#include <memory>

class CItemRef;
class CTaskItem;
class IItemTypeCatalog;

// The values the form shows. A date field that may hold none keeps its date beside the flag; an
// invalid date stands for text that is not a date.
struct TaskForm
{
    QString subject;
    QString notes;
    QString categories;
    int priority = 2;
    int status = 0;  // 0 Not Started .. 4 Postponed
    int percent = 0; // 0..100; the combo offers 0, 25, 50, 75 and 100
    bool completed = false;
    CDateTime due;
    bool hasDue = false;
    CDateTime start;
    bool hasStart = false;
    CDateTime completion; // the date the completion field shows while completed
    bool reminderOn = false;
    CDateTime reminder;           // date and time
    bool reminderDateBad = false; // the reminder date or time field holds text that is not one
    bool reminderTimeBad = false;
    bool hidden = false;
    bool locked = false;
};

// Which controls are enabled or shown.
struct TaskControlState
{
    bool statusEnabled = true;
    bool percentEnabled = true;
    bool completionEnabled = true;
    bool recurrenceEnabled = true;
    bool notifyEnabled = true;
    bool reminderEnabled = true; // date, time and Setup...
    bool modifySeriesVisible = false;
    bool modifySeriesEnabled = false;
    bool occurrenceIcon = false;
    bool seriesIcon = false;
    bool deleteEnabled = false;
    bool hiddenEnabled = false;
    bool lockedEnabled = false;
    bool topmostChecked = false;
    bool topmostEnabled = false;
};

// What the editor compares to tell whether the task changed.
struct TaskSnapshot
{
    std::uint32_t flags = 0;
    CDateTime start;
    CDateTime due;
    CRecurrencePattern pattern;
    CReminderSound sound;
    int priority = 0;
    int status = 0;
    int percent = 0;
    CDateTime completion;
    CDateTime reminder;
    QString subject;
    QString notes;
    QString categories;
    QString itemTypeName;
    CDateSpan reminderLead;
    int itemTypeIndex = -1;

    bool operator==(const TaskSnapshot &o) const;
};

class CTaskEditorModel
{
  public:
    static constexpr int kMaxSubject = 255;
    static constexpr int kMaxNotes = 32761;
    static constexpr int kMaxCategories = 511;
    static constexpr std::uint32_t FlagTopmost = 0x1000;

    CTaskEditorModel(std::unique_ptr<CItemRef> holder, bool readOnly, const EventEditorSettings &settings);
    ~CTaskEditorModel();

    // Fills the form from the task; false when the holder holds no task.
    bool Load();

    CItemRef &GetHolder() { return *m_holder; }
    CTaskItem &GetTask() { return *m_task; }
    const CTaskItem &GetTask() const { return *m_task; }
    bool IsReadOnly() const { return m_readOnly; }
    // One occurrence of a recurring task, edited apart from its series.
    bool IsOccurrenceAlone() const { return m_occurrenceAlone; }
    // A recurring series edited as a whole: it has no status of its own.
    bool IsSeries() const;
    bool IsDetached() const;
    const EventEditorSettings &GetSettings() const { return m_settings; }

    QString GetTitle() const;
    TaskControlState GetControlState() const;

    // ---- The form ----
    const TaskForm &GetForm() const { return m_form; }
    void SetSubject(const QString &text);
    void SetNotes(const QString &text);
    void SetCategories(const QString &text);
    void SetPriority(int priority);
    void SetHidden(bool on);
    void SetLocked(bool on);
    // Flag 0x1000 changes at once.
    void SetTopmost(bool on);

    // ---- Status, percent and completion ----
    void SetCompleted();
    void SetNotCompleted();
    void ChooseStatus(int status);
    // A percent entry: 0 for 0% .. 4 for 100%.
    void ChoosePercentEntry(int entry);
    // The completion field changed: a date completes (or moves the completion date), none
    // undoes the completion.
    void SetCompletionDate(const CDateTime &date, bool none);

    // ---- Dates ----
    // A new due date; false, with message 59259 shown and the previous due date back, when it
    // lies before the start date.
    bool SetDueDate(const CDateTime &date);
    void SetDueNone(bool none);
    // A new start date; a recurring series keeps its dates.
    void SetStartDate(const CDateTime &date);
    void SetStartNone(bool none);
    void SetReminderOn(bool on);
    // The reminder date field: the day changes, the time of the time field stays.
    void SetReminderDate(const CDateTime &date);
    // A time of day typed or chosen in the reminder time field.
    void SetReminderTime(const CDateTime &time);
    // Typed text of the reminder time field with a sign: "+"/"-" a span from now, ">"/"<" a span
    // from the due date (the start without a due date, else now).
    void ApplyReminderShift(int kind, const CDateSpan &span);

    // ---- Types ----
    void ChooseItemType(int index);
    CCalendarItem::PrefixResult ApplyTypePrefix(const IItemTypeCatalog &types);

    // ---- Commands ----
    // Modify the series: the occurrence's sound and type go back, and the form shows the series.
    void ModifySeries();
    // After OK of the recurrence dialog; `changed` when the pattern changed.
    void RecurrenceChanged(bool changed);

    // ---- Modified state ----
    bool IsModifiedFlag() const { return m_modified; }
    void MarkModified() { m_modified = true; }
    void ClearModified() { m_modified = false; }
    const TaskSnapshot &GetSnapshot() const { return m_snapshot; }
    TaskSnapshot TakeSnapshot() const;
    // The task (after gathering) differs from what the editor opened with.
    bool IsModified() const;

  private:
    void Fill();
    CDateTime ReminderBase() const;

    std::unique_ptr<CItemRef> m_holder;
    CTaskItem *m_task = nullptr;
    bool m_readOnly = false;
    bool m_occurrenceAlone = false;
    bool m_modified = false;
    bool m_reminderWasOn = false; // "Notify" before a completion turned it off
    CDateTime m_lastDue;
    CDateTime m_lastStart;
    EventEditorSettings m_settings;
    TaskForm m_form;
    TaskSnapshot m_snapshot;
};
