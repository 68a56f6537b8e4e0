// CTaskItem: a task (due, start and completion dates, reminder time, priority, status,
// percent complete) that may recur and then advances to its next due date when completed.
#pragma once

#include "core/items/CalendarItem.h"

#include <QString>
#include <cstdint>
#include <memory>

class CDisplayItem;
class CEventItem;
class CMemoryStream;
namespace ItemRecord {
class CRecordReader;
}

// Priority and status names from the string table; empty for values outside 0..4.
QString GetPriorityName(int priority);
QString GetTaskStatusName(int status);
// Urgent (0) sorts highest: 0..4 map to 4..0, anything else to -1.
int PriorityToSortOrder(int priority);

// What a task's display item shows, as plain values; the display-item builder copies them into
// its task display item. Flags are the display flags of the views.
struct TaskDisplayValues
{
    std::uint32_t recordId = 0;
    QString text;    // the subject, tabs as single spaces
    QString details; // the treated notes; empty in details mode 0 or without details
    std::uint32_t flags = 0;
    CDateTime created;
    CDateTime modified;
    // With a due date (flag 0x100): the occurrence date is DueDate and the shown end the day
    // after it. The shown start is StartDate with flag 0x200, else DueDate.
    CDateTime occurrenceDate;
    CDateTime shownStart;
    CDateTime shownEnd;
    CDateTime reminderMoment; // with flag 0x2000
    CDateTime completedDate;  // with flag 0x400
    int status = 0;
    int percentComplete = 0;
    int priority = 2;
    int itemTypeIndex = -1;
    QString itemTypeName;
    QString categories;
};

class CTaskItem : public CCalendarItem
{
  public:
    // Task bits of the item flag word.
    static constexpr std::uint32_t TF_HAS_DUE = 0x100;
    static constexpr std::uint32_t TF_HAS_START = 0x200;
    static constexpr std::uint32_t TF_COMPLETED = 0x400;
    static constexpr std::uint32_t TF_SERIES_CLOSED = 0x800;

    enum Priority
    {
        PriorityUrgent = 0,
        PriorityHigh = 1,
        PriorityNormal = 2,
        PriorityLow = 3,
        PriorityLowest = 4
    };
    enum Status
    {
        StatusNotStarted = 0,
        StatusInProgress = 1,
        StatusCompleted = 2,
        StatusAwaiting = 3,
        StatusPostponed = 4
    };

    // Display flags a task's display item carries.
    enum DisplayFlag : std::uint32_t
    {
        DisplayRecurring = 0x01,
        DisplaySeriesClosed = 0x02,
        DisplayReminder = 0x04,
        DisplayAllDay = 0x08,
        DisplayKeepMark = 0x80,
        DisplayHasDue = 0x100,
        DisplayHasStart = 0x200,
        DisplayCompleted = 0x400,
        DisplayOverdue = 0x800,
        DisplayHasNotes = 0x1000,
        DisplayReminderMoment = 0x2000,
        DisplayLocked = 0x10000,
        DisplayNotPrivate = 0x20000,
    };

    // Which display item is built: the views' or the print styles' and lists'.
    enum class DisplayBuilder
    {
        View,
        Print
    };

    CTaskItem();
    explicit CTaskItem(std::uint32_t recordId);
    CTaskItem(const CTaskItem &other) = default;
    CTaskItem &operator=(const CTaskItem &other) = default;
    CTaskItem(CTaskItem &&other) noexcept = default;
    CTaskItem &operator=(CTaskItem &&other) noexcept = default;
    ~CTaskItem() override;

    // Every member, record id included.
    void Copy(const CTaskItem &other) { *this = other; }
    // From a task: a copy to be stored as a new task (no record id, stamp, unique id or
    // keep-mark). From an event: a task over the event's times (the occurrence's when one is
    // given for a recurring event) with its texts, window sizes, item type and categories.
    void CopyFromItem(const CCalendarItem &other) override;
    void CopyFromItem(const CCalendarItem &other, const CDateTime &occurrence);
    bool GetTaskDates(CDateTime &startDate, CDateTime &dueDate) const override;

    bool HasDueDate() const { return HasFlag(TF_HAS_DUE); }
    bool HasStartDate() const { return HasFlag(TF_HAS_START); }
    const CDateTime &GetDueDate() const { return m_dueDate; }
    const CDateTime &GetStartDate() const { return m_startDate; }
    const CDateTime &GetCompletedDate() const { return m_completedDate; }
    const CDateTime &GetReminderTime() const { return m_reminderTime; }
    int GetPriority() const { return m_priority; }
    int GetStatus() const { return m_status; }
    int GetPercentComplete() const { return m_percentComplete; }
    void SetReminderTime(const CDateTime &t) { m_reminderTime = t; }
    // The three dates as stored, without the rules of their setters (summaries use this).
    void SetStoredDates(const CDateTime &due, const CDateTime &start, const CDateTime &completed)
    {
        m_dueDate = due;
        m_startDate = start;
        m_completedDate = completed;
    }
    void SetPriority(int priority) { m_priority = priority; }
    void SetStatus(int status) { m_status = status; }
    void SetPercentComplete(int percent) { m_percentComplete = percent; }

    // The day at 00:00; sets TF_HAS_DUE.
    void SetDueDate(const CDateTime &date);
    // Takes the day when there is a due date and the day is not after it; otherwise clears
    // TF_HAS_START, keeps the old start date and returns false.
    bool SetStartDate(const CDateTime &date);
    void SetCompletionDate(const CDateTime &date);
    bool IsCompleted() const { return HasFlag(TF_COMPLETED); }
    // Status Completed, 100 percent, the completion day; the reminder goes off.
    void MarkCompleted(const CDateTime &date);
    // Back to Not Started and 0 percent when completed; the completion date stays.
    void ClearCompleted();
    // Not completed, with a due date before the cached today.
    bool IsOverdue() const;

    // Whether the reminder is due at `when` (always with force): snoozed, the snoozed-until
    // time for the snoozed occurrence; else, with the reminder on, ReminderTime for its day.
    // Outputs are filled only on success; a deleted record is never due.
    bool IsReminderDue(const CDateTime &when, bool force, CDateTime *occurrence = nullptr,
                       CDateTime *reminderTime = nullptr, bool *snoozed = nullptr) const;

    // The due date after completion on `from` (the document passes today) of a recurring task
    // with a due date whose series is not closed: a pattern step from DueDate, or for
    // regenerating tasks the interval counted from `from`.
    bool GetNextDueDate(const CDateTime &from, CDateTime &next) const;
    // The pattern date after the first one on or after `date`, for tasks that recur by date
    // or weekday; false past the pattern's end date.
    bool GetNextOccurrenceAfter(const CDateTime &date, CDateTime &next) const;
    // Moves an open recurring task to a new due date; its start date and reminder keep their
    // distance to it, status and percent go back to 0, the snooze ends.
    bool MoveToDueDate(const CDateTime &newDue);
    // Whether the days from the start date (or the due date) through the due date meet
    // [start, end).
    bool OverlapsRange(const CDateTime &start, const CDateTime &end) const;

    // ---- Display ----
    // Whether a view over [rangeStart, rangeStart + dayCount days) shows the task: due inside
    // the range, or due later with a start date inside it when tasks are shown from their
    // start ("STSD"). Never for a task without a due date or a dayCount below 1.
    bool IsShownInRange(const CDateTime &rangeStart, int dayCount) const;
    // The values of the task's display item. detailsMode 0 none, 1 one line (255 characters),
    // 2 notes (4096 characters, views only); noDetails suppresses them (print callers).
    TaskDisplayValues GetDisplayValues(DisplayBuilder builder, int detailsMode, bool noDetails = false) const;
    // The views' display item (a CTaskDisplayItem) when the range shows the task; with no
    // target only the test. False, with no item, when it is not shown or memory runs out.
    bool MakeDisplayItemInRange(std::unique_ptr<CDisplayItem> *target, int detailsMode,
                                const CDateTime &rangeStart, int dayCount) const;
    // The display item of the print styles and lists; null when memory runs out.
    std::unique_ptr<CDisplayItem> MakeDisplayItem(int detailsMode, bool noDetails = false) const;

    // ---- Record ----
    // Plain block of 164 bytes (readable alone), then stamps, priority, sound, reminder lead,
    // window sizes and texts; the same archive causes as the event record.
    static constexpr std::uint32_t RecordTag = 0xA101971E;

    std::uint32_t GetStreamSize(std::uint32_t *plainLength = nullptr) const;
    std::uint32_t GetContentSize() const;
    // Appends the content; the padding up to GetStreamSize is the buffer holder's.
    void Write(CMemoryStream &stream) const;
    void Read(CMemoryStream &stream);
    void ReadSummary(CMemoryStream &stream);
    void ReadOldRecord(CMemoryStream &stream);

  private:
    void ReadPlainFields(CMemoryStream &stream, bool oldLayout);
    // Everything after the tag, in the current or the older layout.
    void ReadBody(ItemRecord::CRecordReader &record, bool oldLayout);
    void CopyFromEvent(const CEventItem &event, const CDateTime &occurrence);

    CDateTime m_dueDate;
    CDateTime m_startDate;
    CDateTime m_completedDate;
    CDateTime m_reminderTime;
    int m_priority = PriorityNormal;
    int m_status = StatusNotStarted;
    int m_percentComplete = 0;
};
