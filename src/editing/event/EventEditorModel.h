// CEventEditorModel: the event editor without its window. It holds the item being edited (a
// series, a single event or one occurrence), the values the form shows, the snapshot that tells
// whether anything changed, the time and all-day synchronisation, the title, the toolbar states
// and the item-type prefix of the subject.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/CalendarItem.h"
#include "core/items/RecurrencePattern.h"
#include "core/items/ReminderSound.h"

#include <QString>
#include <cstdint>
#include <memory>

class CEventItem;
class CItemRef;
class CRecurrenceException;
class IItemTypeCatalog;

// The settings the editor reads when it opens.
struct EventEditorSettings
{
    bool newWithoutReminder = false;  // "Common"/"NNF"
    int workDayStartMinutes = 8 * 60; // "Common"/"WTS"
    int defaultDurationMinutes = 30;  // "Common"/"DD", 1..720
    bool useTypePrefix = false;       // "Common"/"U3L"
    bool allRemindersOnTop = false;   // "Common"/"AOT"

    static EventEditorSettings FromProfile();
};

// The values the form shows.
struct EventForm
{
    QString subject;
    QString location;
    QString notes;
    QString categories;
    CDateTime startDate; // 00:00 of the day; invalid when the field holds no date
    CDateTime startTime; // time of day on day 0; invalid when the field holds no time
    CDateTime endDate;
    CDateTime endTime;
    CDateSpan duration;
    bool allDay = false;
    bool reminderOn = false;
    QString reminderLeadText;
    bool hidden = false;
    bool locked = false;
};

struct EventToolbarState
{
    bool deleteEnabled = false;
    bool hiddenChecked = false;
    bool hiddenEnabled = false;
    bool lockedChecked = false;
    bool lockedEnabled = false;
    bool privateChecked = false;
    bool topmostChecked = false;
    bool topmostEnabled = false;
    bool noWindowAfterChecked = false;
    bool noWindowAfterEnabled = false;
};

// What the editor compares to tell whether the item changed.
struct EventSnapshot
{
    std::uint32_t flags = 0;
    CDateTime start;
    CDateSpan duration;
    CDateSpan reminderLead;
    QString subject;
    QString location;
    QString notes;
    bool series = false;
    CReminderSound sound;
    CRecurrencePattern pattern;
    std::uint32_t editorSize = 0;
    QString categories;
    QString itemTypeName;

    bool operator==(const EventSnapshot &o) const;
};

class CEventEditorModel
{
  public:
    static constexpr int kMaxSubject = 255;
    static constexpr int kMaxLocation = 250;
    static constexpr int kMaxNotes = 32761;
    static constexpr int kMaxCategories = 511;
    static constexpr long kMaxReminderMinutes = 483840;
    // Item flags the toolbar of the reminder window sets.
    static constexpr std::uint32_t FlagTopmost = 0x1000;

    // Takes the holder (an event, or nothing). `newException`: the opener created the exception
    // of the occurrence for this edit.
    CEventEditorModel(std::unique_ptr<CItemRef> holder, bool readOnly, bool newException,
                      const EventEditorSettings &settings);
    ~CEventEditorModel();
    CEventEditorModel(CEventEditorModel &&) noexcept;
    CEventEditorModel &operator=(CEventEditorModel &&) noexcept;

    // Loads the form; false when an occurrence is meant but the event has no exception for it
    // (the editor closes at once) or the holder holds no event.
    bool Load();

    CItemRef &GetHolder() { return *m_holder; }
    CEventItem &GetEvent() { return *m_event; }
    const CEventItem &GetEvent() const { return *m_event; }
    // The exception of the edited occurrence; null for a series or a single event.
    CRecurrenceException *GetException();
    const CRecurrenceException *GetException() const;
    bool IsOccurrence() const { return m_occurrence; }
    bool IsSeries() const;
    bool IsReadOnly() const { return m_readOnly; }
    bool IsNewException() const { return m_newException; }
    const EventEditorSettings &GetSettings() const { return m_settings; }

    // The window title: "New %s", "Modify %s", "New Recurring %s", "Modify Recurring %s" or
    // "Modify an occurrence of the recurring %s" with the type name ("< undefined >" without).
    QString GetTitle() const;
    // A series shows its pattern text under "Recurrence" instead of the time fields under "Time".
    bool ShowsPatternText() const { return IsSeries(); }
    QString GetTimeHeading() const;
    QString GetPatternText() const;
    // Which fields an occurrence or a read-only file leaves enabled.
    bool CanEditRecurrence() const { return !m_occurrence && !m_readOnly; }
    bool CanChooseType() const { return !m_occurrence && !m_readOnly; }
    bool CanEditReminder() const { return !m_occurrence && !m_readOnly; }
    bool AreTimeFieldsEnabled() const { return !m_form.allDay && !m_readOnly; }
    EventToolbarState GetToolbarState() const;

    // ---- The form ----
    const EventForm &GetForm() const { return m_form; }
    void SetSubject(const QString &text);
    void SetLocation(const QString &text); // does not mark modified: OK compares it
    void SetNotes(const QString &text);
    void SetCategories(const QString &text);
    void SetReminderOn(bool on);
    void SetReminderLeadText(const QString &text);
    void SetHidden(bool on);
    void SetLocked(bool on);
    // The reminder window's toolbar: flag 0x1000 (topmost) and 0x40 (no window after the time).
    void SetTopmost(bool on);
    void SetNoWindowAfterTime(bool on);

    // Time synchronisation. Start moved: the end follows, the duration kept. End moved: a new
    // duration when the end is not before the start. Duration changed: the end follows; in
    // all-day mode a duration that is not whole days switches all-day off.
    void SetStartDate(const CDateTime &date);
    void SetStartTime(const CDateTime &time);
    void SetEndDate(const CDateTime &date);
    void SetEndTime(const CDateTime &time);
    void SetDuration(const CDateSpan &duration);
    // Returns false when the text is not a duration (the field keeps it for OK to report).
    bool SetDurationText(const QString &text);
    void SetAllDay(bool on);

    // A span cut to whole seconds, so that spans computed from times compare equal to stored ones.
    static CDateSpan WholeSeconds(const CDateSpan &span);
    // The start and end the form shows now (end as shown: in all-day mode the last day).
    CDateTime GetFormStart() const;
    CDateTime GetFormEnd() const;

    // ---- Types ----
    // "abc: text" in the subject of a modified series or single event (with "U3L" on) picks the
    // first type whose name begins with "abc" in any case; the subject keeps the text.
    CCalendarItem::PrefixResult ApplyTypePrefix(const IItemTypeCatalog &types);
    // A type chosen in the type box: a stored event takes its index and name, a new one also its
    // defaults (the reminder lead shown follows).
    void ChooseItemType(int index);

    // ---- Commands ----
    // Modify the series: forgets the occurrence (dropping its exception when made for this edit)
    // and reloads the form for the whole series.
    void ModifySeries();
    // After the recurrence dialog changed the event: the time block reloads and the results are
    // taken over for saving.
    void RecurrenceChanged(bool keepExceptions, bool exceptionsOutOfRange, bool hadExternalRefs);

    // ---- Modified state ----
    bool IsModifiedFlag() const { return m_modified; }
    void MarkModified() { m_modified = true; }
    void ClearModified() { m_modified = false; }
    // Whether the event (after the form was applied) differs from what the editor opened with.
    bool IsModified() const;
    const EventSnapshot &GetSnapshot() const { return m_snapshot; }
    EventSnapshot TakeSnapshot() const;

    // Results of the recurrence dialog, consumed by saving.
    bool GetKeepExceptions() const { return m_keepExceptions; }
    bool GetExceptionsOutOfRange() const { return m_outOfRange; }
    bool GetReplaceRecord() const { return m_replaceRecord; }
    void ForgetException(); // the unchanged exception made for this edit was removed

  private:
    void LoadForm();
    void LoadTimes();
    void ShowEnd(const CDateTime &end);
    void DurationChangedCheck();
    CDateSpan StoredDuration() const;

    std::unique_ptr<CItemRef> m_holder;
    CEventItem *m_event = nullptr;
    CDateTime m_exceptionKey; // key date of the edited occurrence
    bool m_occurrence = false;
    bool m_readOnly = false;
    bool m_newException = false;
    bool m_keepExceptions = false;
    bool m_outOfRange = false;
    bool m_replaceRecord = false;
    bool m_modified = false;
    EventEditorSettings m_settings;
    EventForm m_form;
    EventSnapshot m_snapshot;
};
