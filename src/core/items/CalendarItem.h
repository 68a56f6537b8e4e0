// CCalendarItem: what events and tasks share: kind, flags, stamps, texts, reminder state and
// sound, window sizes, and the recurrence pattern with its date steps.
#pragma once

#include "core/dates/DateTime.h"
#include "core/items/RecurrencePattern.h"
#include "core/items/ReminderSound.h"

#include <QString>
#include <cstdint>

class IItemTypeCatalog;
struct ItemTypeInfo;

class CCalendarItem
{
  public:
    enum Kind : std::uint32_t
    {
        KindNone = 0,
        KindEvent = 1,
        KindTask = 2
    };

    // Item flag word bits this class sets or reads; the others are carried unchanged.
    static constexpr std::uint32_t FlagRecurring = 0x01;
    static constexpr std::uint32_t FlagReminder = 0x02;
    static constexpr std::uint32_t FlagHidden = 0x04;
    static constexpr std::uint32_t FlagPrivate = 0x08;
    static constexpr std::uint32_t FlagSnoozed = 0x10;
    static constexpr std::uint32_t FlagReminderWindowSize = 0x20;
    static constexpr std::uint32_t FlagNoWindowAfterTime = 0x40; // taken from the item type's flag 0x4
    static constexpr std::uint32_t FlagOwnSound = 0x80;
    static constexpr std::uint32_t FlagSeriesClosed = 0x800; // cleared whenever the recurrence changes
    static constexpr std::uint32_t FlagEditorWindowSize = 0x4000;
    static constexpr std::uint32_t FlagCalculateAge = 0x8000;
    static constexpr std::uint32_t FlagLocked = 0x40000;
    static constexpr std::uint32_t FlagDeleted = 0x10000000;
    // Task flags that an event made from a task reads.
    static constexpr std::uint32_t TaskFlagHasDue = 0x100;
    static constexpr std::uint32_t TaskFlagHasStart = 0x200;

    static constexpr int MaxSubject = 255;
    static constexpr int MaxItemTypeName = 63;
    static constexpr int MaxCategories = 511;

    // Result of ApplyItemTypePrefix; the caller beeps for UnknownPrefix.
    enum class PrefixResult
    {
        NoPrefix,
        UnknownPrefix,
        Applied
    };

    CCalendarItem();
    virtual ~CCalendarItem();

    virtual bool IsFlag28Set() const { return (m_flags & FlagDeleted) != 0; }
    // Stores the pattern (the end only with the end-date bit, then at 23:59:59); sets the
    // recurring flag and clears 0x800.
    virtual void SetRecurrence(std::uint32_t word, std::uint16_t interval, std::uint16_t dayNumber,
                               const CDateTime &patternStart, const CDateTime &patternEnd);
    // Clears the recurring, 0x800, calculate-age and snoozed flags and the pattern word,
    // interval and day number; the pattern start moves to today keeping its time of day.
    virtual void RemoveRecurrence();
    virtual bool IsOccurrenceDate(const CDateTime &t) const;
    // The pattern in words ("Every 2 weeks on Monday, Thursday effective ..."), empty for
    // patterns without a description.
    virtual QString GetRecurrenceText() const;
    virtual void CopyFromItem(const CCalendarItem &other);
    virtual void SetItemType(int index);
    // The three pattern steps; an item that does not recur answers its pattern start.
    virtual CDateTime PatternDateOnOrAfter(const CDateTime &d) const;
    virtual CDateTime PrevPatternDate(const CDateTime &d) const;
    virtual CDateTime NextPatternDate(const CDateTime &d) const;
    // A task's start and due dates, for making an event from it; tasks override this.
    virtual bool GetTaskDates(CDateTime &startDate, CDateTime &dueDate) const;

    std::uint32_t GetKind() const { return m_kind; }
    std::uint32_t GetFlags() const { return m_flags; }
    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    bool HasFlag(std::uint32_t bit) const { return (m_flags & bit) != 0; }
    void SetFlag(std::uint32_t bit, bool on) { m_flags = on ? (m_flags | bit) : (m_flags & ~bit); }
    bool IsRecurring() const { return HasFlag(FlagRecurring); }

    std::uint32_t GetReservedValue() const { return m_reserved; }
    void SetReservedValue(std::uint32_t v) { m_reserved = v; }
    std::uint32_t GetDataFileStamp() const { return m_dataFileStamp; }
    void SetDataFileStamp(std::uint32_t v) { m_dataFileStamp = v; }
    const CDateTime &GetCreatedTime() const { return m_created; }
    void SetCreatedTime(const CDateTime &t) { m_created = t; }
    const CDateTime &GetModified() const { return m_modified; }
    void SetModified(const CDateTime &t) { m_modified = t; }

    const CRecurrencePattern &GetPattern() const { return m_pattern; }
    // The stored pattern fields as they are, without the side effects of SetRecurrence (the
    // record reader and editors writing field by field use this).
    void SetPattern(const CRecurrencePattern &pattern) { m_pattern = pattern; }
    std::uint32_t GetRecurrenceFlags() const { return m_pattern.GetWord(); }
    std::uint16_t GetRecurrenceInterval() const { return m_pattern.GetInterval(); }
    std::uint16_t GetRecurrenceDayNumber() const { return m_pattern.GetDayNumber(); }
    const CDateTime &GetPatternStart() const { return m_pattern.GetStart(); }
    void SetPatternStart(const CDateTime &t) { m_pattern.SetStart(t); }
    const CDateTime &GetPatternEnd() const { return m_pattern.GetEnd(); }
    void SetPatternEnd(const CDateTime &t) { m_pattern.SetEnd(t); }
    CDateSpan GetShortestRecurrenceGap() const;

    std::uint32_t GetKeepMark() const { return m_keepMark; }
    void SetKeepMark(std::uint32_t v) { m_keepMark = v; }

    const CDateSpan &GetReminderLead() const { return m_reminderLead; }
    void SetReminderLead(const CDateSpan &lead) { m_reminderLead = lead; }
    void SetReminder(bool on, const CDateSpan &lead);
    void ClearReminder() { m_flags &= ~(FlagReminder | FlagSnoozed); }
    const CDateSpan &GetSnoozeInterval() const { return m_snoozeInterval; }
    void SetSnoozeInterval(const CDateSpan &span) { m_snoozeInterval = span; }
    const CDateTime &GetSnoozedUntil() const { return m_snoozedUntil; }
    void SetSnoozedUntil(const CDateTime &t) { m_snoozedUntil = t; }
    const CDateTime &GetSnoozedOccurrence() const { return m_snoozedOccurrence; }
    void SetSnoozedOccurrence(const CDateTime &t) { m_snoozedOccurrence = t; }
    const CDateTime &GetHandledUpTo() const { return m_handledUpTo; }
    void SetHandledUpTo(const CDateTime &t) { m_handledUpTo = t; }
    void SetSnooze(const CDateTime &until, const CDateTime &occurrence, const CDateSpan &snoozeInterval,
                   const CDateTime &handledUpTo);
    void ClearSnooze() { m_flags &= ~FlagSnoozed; }

    const CReminderSound &GetReminderSound() const { return m_sound; }
    // On copies the sound and sets the own-sound flag; off only clears the flag.
    void SetReminderSound(bool on, const CReminderSound &sound);
    // The record's own sound, as stored, without touching the flag.
    CReminderSound &ReminderSoundRecord() { return m_sound; }

    // Width in the low 16 bits, height in the high 16 bits.
    std::uint32_t GetReminderWindowSize() const { return m_reminderWindowSize; }
    std::uint32_t GetEditorWindowSize() const { return m_editorWindowSize; }
    void SetReminderWindowSizeValue(std::uint32_t packed) { m_reminderWindowSize = packed; }
    void SetEditorWindowSizeValue(std::uint32_t packed) { m_editorWindowSize = packed; }
    void SetReminderWindowSize(bool on, int width, int height);
    void SetEditorWindowSize(bool on, int width, int height);

    const QString &GetSubject() const { return m_subject; }
    void SetSubject(const QString &text);
    const QString &GetNotes() const { return m_notes; }
    void SetNotes(const QString &text) { m_notes = text; }
    const QString &GetItemTypeName() const { return m_itemTypeName; }
    void SetItemTypeName(const QString &text);
    const QString &GetCategories() const { return m_categories; }
    void SetCategories(const QString &text);
    const QString &GetUniqueId() const { return m_uniqueId; }
    void SetUniqueId(const QString &id) { m_uniqueId = id; }
    // Texts as stored, without the limits of the setters (the record reader uses these).
    void SetStoredTexts(const QString &subject, const QString &notes, const QString &itemTypeName,
                        const QString &categories, const QString &uniqueId);

    std::uint32_t GetRecordId() const { return m_recordId; }
    void SetRecordId(std::uint32_t id) { m_recordId = id; }
    int GetItemTypeIndex() const { return m_itemTypeIndex; }
    void SetItemTypeIndex(int index) { m_itemTypeIndex = index; }

    // Next reminder cache filled by the calendar document; copied, never stored.
    const CDateTime &GetNextReminderTime() const { return m_nextReminderTime; }
    void SetNextReminderTime(const CDateTime &t) { m_nextReminderTime = t; }
    const CDateTime &GetNextReminderOccurrence() const { return m_nextReminderOccurrence; }
    void SetNextReminderOccurrence(const CDateTime &t) { m_nextReminderOccurrence = t; }

    // A subject that starts with a three-character prefix and a colon ("MTG: budget") takes the
    // item type whose name begins with that prefix; the subject keeps what follows the colon.
    PrefixResult ApplyItemTypePrefix(const IItemTypeCatalog &types, QString &text);

  protected:
    // Takes the name and index of type `index` of the registered type list; false (nothing
    // changed) for an index the list does not have. An empty list leaves the item untyped.
    bool TakeItemType(int index, ItemTypeInfo &info);
    CCalendarItem(const CCalendarItem &) = default;
    CCalendarItem &operator=(const CCalendarItem &) = default;
    // Moves never throw, so that a growing vector of items moves them instead of copying.
    CCalendarItem(CCalendarItem &&) noexcept = default;
    CCalendarItem &operator=(CCalendarItem &&) noexcept = default;
    void SetKind(std::uint32_t kind) { m_kind = kind; }
    // The pattern text without the time part that events add.
    QString PatternText() const;

  private:
    std::uint32_t m_kind = KindNone;
    std::uint32_t m_flags = 0;
    std::uint32_t m_reserved = 0;
    std::uint32_t m_dataFileStamp = 0;
    CDateTime m_created;
    CDateTime m_modified;
    CRecurrencePattern m_pattern;
    std::uint32_t m_keepMark = 0;
    CDateSpan m_reminderLead;
    CDateSpan m_snoozeInterval;
    CDateTime m_snoozedUntil;
    CDateTime m_snoozedOccurrence;
    CDateTime m_handledUpTo;
    CReminderSound m_sound;
    std::uint32_t m_reminderWindowSize = 0;
    std::uint32_t m_editorWindowSize = 0;
    QString m_subject;
    QString m_notes;
    QString m_itemTypeName;
    QString m_categories;
    QString m_uniqueId;
    std::uint32_t m_recordId = 0;
    int m_itemTypeIndex = -1;
    CDateTime m_nextReminderTime;
    CDateTime m_nextReminderOccurrence;
};
