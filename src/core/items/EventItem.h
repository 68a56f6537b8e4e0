// CEventItem: an event (start, duration, location) that may recur, with the exceptions that
// change or delete single occurrences, and the occurrence search over its pattern.
#pragma once

#include "core/items/CalendarItem.h"
#include "core/items/Occurrence.h"
#include "core/items/PatternCursor.h"
#include "core/items/RecurrenceException.h"

#include <memory>
#include <vector>

class CDisplayItem;
class CMemoryStream;

class CEventItem : public CCalendarItem
{
  public:
    static constexpr int MaxLocation = 250;

    CEventItem();
    explicit CEventItem(std::uint32_t recordId);
    CEventItem(const CEventItem &other);
    CEventItem &operator=(const CEventItem &other);
    CEventItem(CEventItem &&other) noexcept = default;
    CEventItem &operator=(CEventItem &&other) noexcept = default;
    ~CEventItem() override;

    // Setting or removing the recurrence drops every exception: their keys are dates of the old pattern.
    void SetRecurrence(std::uint32_t word, std::uint16_t interval, std::uint16_t dayNumber,
                       const CDateTime &patternStart, const CDateTime &patternEnd) override;
    void RemoveRecurrence() override;
    // The pattern in words followed by the times ("from 09:00 to 10:00."); empty for a single event.
    QString GetRecurrenceText() const override;
    // From an event: a duplicate to be stored as a new event (no record id, stamp, unique id or
    // keep-mark). From a task: an all-day event over the task's start to due dates.
    void CopyFromItem(const CCalendarItem &other) override;
    // Takes index, name, reminder lead and the no-window-after-time flag of that entry of the
    // registered item type list; an index without an entry changes nothing.
    void SetItemType(int index) override;
    CDateTime PatternDateOnOrAfter(const CDateTime &d) const override;
    CDateTime PrevPatternDate(const CDateTime &d) const override;
    CDateTime NextPatternDate(const CDateTime &d) const override;

    const CDateTime &GetStart() const { return m_start; }
    // Also the pattern start: a recurring event's first date is its start.
    void SetStart(const CDateTime &start);
    const CDateSpan &GetDuration() const { return m_duration; }
    void SetDuration(const CDateSpan &duration) { m_duration = duration; }
    const QString &GetLocation() const { return m_location; }
    void SetLocation(const QString &text);
    void SetStoredLocation(const QString &text) { m_location = text; }

    // Every member, exceptions and enumeration state included.
    void Copy(const CEventItem &other);
    // Whole years from the start to the date with the calculate-age flag; else -1.
    int GetAgeAt(const CDateTime &date) const;

    // Exceptions. Pointers stay valid until the next insertion or removal.
    int GetExceptionCount() const { return int(m_exceptions.size()); }
    const std::vector<CRecurrenceException> &GetExceptions() const { return m_exceptions; }
    // The index of the exception keyed exactly by the date; -1 for none or a single event.
    int FindExceptionIndex(const CDateTime &date) const;
    CRecurrenceException *GetExceptionAt(int index);
    const CRecurrenceException *GetExceptionAt(int index) const;
    // The occurrence's exception; with create, a new one when there is none.
    CRecurrenceException *GetException(const CDateTime &date, bool create);
    // Appends the record keyed by the date, with the occurrence's current times and reminder;
    // a snooze of exactly that occurrence is cleared. The new index, or -1 when out of memory.
    int InsertException(const CDateTime &date, const CRecurrenceException &record = CRecurrenceException());
    // Appends a record as it was stored (the record reader).
    void AppendStoredException(const CRecurrenceException &record) { m_exceptions.push_back(record); }
    void RemoveException(const CDateTime &date);
    void RemoveAllExceptions() { m_exceptions.clear(); }

    // ---- Occurrence search ----
    // Occurrences are the pattern dates from the start to the end of the series (the pattern
    // end, else 4000-12-31 exclusive); a deleted one is never reported, a moved one is reported
    // at its new start with its own duration. A pattern that cannot step has its start as its
    // only occurrence. Windows are [W0, W1); an occurrence [start, end) touches it when
    // W0 < end and start < W1, a zero duration counting as one minute.

    // The previous or next non-deleted occurrence before or after the date; false for a single event.
    bool PrevOccurrence(const CDateTime &date, COccurrence &out) const;
    bool NextOccurrence(const CDateTime &date, COccurrence &out) const;
    // Start and end of the occurrence with that key date.
    void GetOccurrenceEnd(const CDateTime &keyDate, CDateTime &start, CDateTime &end) const;
    // The first non-deleted occurrence on or after the date's day. With the reminder filter only
    // occurrences with a reminder count whose reminder time (start - lead) is after the date
    // and not before the handled-up-to time. The lead is the occurrence's when its reminder is
    // on, else an invalid span.
    bool FindOccurrenceFrom(bool reminderFilter, const CDateTime &date, COccurrence &out,
                            CDateSpan &lead) const;
    // The last non-deleted occurrence before the date; with the reminder filter the last one
    // with a reminder, and none when its reminder time is before the handled-up-to time.
    bool FindOccurrenceBefore(bool reminderFilter, const CDateTime &date, COccurrence &out,
                              CDateSpan &lead) const;

    // Enumeration of the occurrences touching a window, in key-date order. The window and the
    // current occurrence are kept in the event between the calls.
    bool FindFirstOccurrenceInRange(const CDateTime &windowStart, int days, COccurrence *out = nullptr);
    bool FindFirstOccurrenceBetween(const CDateTime &start, const CDateTime &end, COccurrence *out = nullptr);
    bool FindNextOccurrenceInRange(COccurrence *out = nullptr);
    // Makes one occurrence current: the one with that key date, or with a zero date the event
    // start without exception.
    bool SelectOccurrence(const CDateTime &keyDate, COccurrence *out = nullptr);
    // All occurrences touching [windowStart, windowEnd), in key-date order; the enumeration
    // state is left alone.
    std::vector<COccurrence> OccurrencesInWindow(const CDateTime &windowStart,
                                                 const CDateTime &windowEnd) const;

    // The reminder time at or before the date (mode 0: the latest) or at or after it (mode 1:
    // the earliest): a snoozed reminder first, then the occurrences with a reminder whose
    // reminder time is not before the handled-up-to time.
    bool FindReminder(int mode, const CDateTime &date, CDateTime &reminderTime, CDateTime &keyDate,
                      bool &snoozed) const;

    // Checks a moved occurrence against its neighbours: 1 on the same day as one of them,
    // 2 starting before the previous one ends, 3 its reminder before the previous one ends
    // (with resetLead the exception's lead becomes 0 instead), 4 ending after the next starts;
    // 0 when it fits.
    int ValidateMovedOccurrence(CRecurrenceException &exception, bool resetLead) const;

    // ---- Record ----
    // The record: a plain block of 164 bytes that can be read alone (the summary), then the
    // times, exceptions, sound, window sizes and texts. Readers raise CArchiveException:
    // badClass for a wrong tag, genericException for sizes that disagree, endOfFile for a
    // record that ends before its fields do. A record that fails leaves the event partly read.
    static constexpr std::uint32_t RecordTag = 0xF197120E;

    // The declared record size: the content padded after the plain block to a multiple of
    // 16 bytes; plainLength receives the plain block's length.
    std::uint32_t GetStreamSize(std::uint32_t *plainLength = nullptr) const;
    // The bytes Write produces, without the padding.
    std::uint32_t GetContentSize() const;
    // Appends the content; the padding up to GetStreamSize is the buffer holder's (a stream
    // reserved for that size has it zero-filled already).
    void Write(CMemoryStream &stream) const;
    // Reads a record from a stream standing at its tag; the stream ends after the content.
    // The exceptions read replace the event's own.
    void Read(CMemoryStream &stream);
    // Reads the plain block alone; the texts, exceptions and other fields are left as they are.
    void ReadSummary(CMemoryStream &stream);
    // Reads a record of the older layout (converting an older data file) and repairs what that
    // layout lacked.
    void ReadOldRecord(CMemoryStream &stream);

    // ---- Display items ----
    // Notes modes: 0 no notes (FlagNotes still tells whether there are any), 1 one line of at
    // most 255 characters, 2 at most 4096 characters. `dated` makes a CDatedDisplayItem (next
    // occurrence and reminder moment; notes mode 0) that stands for the whole event unless
    // `pattern` is set or the occurrence is changed; else `pattern` makes a
    // CPatternDisplayItem with the recurrence text; else a plain CDisplayItem.

    // The display item of one occurrence as the occurrence search reported it; null when
    // memory runs out.
    std::unique_ptr<CDisplayItem> MakeDisplayItem(const COccurrence &occurrence, int notesMode, bool dated,
                                                  bool pattern) const;
    // The window enumeration and SelectOccurrence, each making the display item of the
    // occurrence it makes current. A dated item for the whole event clears the enumeration.
    bool FindFirstOccurrenceInRange(const CDateTime &windowStart, int days, int notesMode,
                                    std::unique_ptr<CDisplayItem> &target, bool dated = false,
                                    bool pattern = false);
    bool FindFirstOccurrenceBetween(const CDateTime &start, const CDateTime &end, int notesMode,
                                    std::unique_ptr<CDisplayItem> &target, bool dated = false,
                                    bool pattern = false);
    bool FindNextOccurrenceInRange(int notesMode, std::unique_ptr<CDisplayItem> &target, bool dated = false,
                                   bool pattern = false);
    bool SelectOccurrence(const CDateTime &keyDate, int notesMode, std::unique_ptr<CDisplayItem> &target,
                          bool dated = false, bool pattern = false);

    const CDateTime &GetWindowStart() const { return m_windowStart; }
    const CDateTime &GetWindowEnd() const { return m_windowEnd; }
    const CDateTime &GetCurrentOccurrence() const { return m_currentOccurrence; }

  private:
    // The plain block after its three header words; returns the exception count.
    std::uint32_t ReadPlainFields(CMemoryStream &stream, bool withReserved);
    bool FirstKeyOnOrAfter(const CDateTime &d, CDateTime &key) const;
    bool FirstKeyAfter(const CDateTime &d, CDateTime &key) const;
    bool LastKeyBefore(const CDateTime &d, CDateTime &key) const;
    bool LastKeyOnOrBefore(const CDateTime &d, CDateTime &key) const;
    bool IsSeriesKey(const CDateTime &key) const;
    enum class Direction
    {
        OnOrAfter,
        After,
        Before
    };
    // The nearest non-deleted occurrence whose key is on or after, after, or before the date.
    bool NearestOccurrence(const CDateTime &date, Direction direction, COccurrence &out) const;
    COccurrence OccurrenceAt(const CDateTime &key, int exceptionIndex) const;
    // The lead of the occurrence's reminder, or an invalid span when it has none.
    CDateSpan OccurrenceLead(int exceptionIndex) const;
    // FirstKeyAfter from a key, stepping the cursor when it sits on that key; the cursor
    // follows the key found.
    bool NextKeyAfter(const CDateTime &key, CDateTime &next, CPatternCursor *cursor) const;
    // The first occurrence after `after` (or the first of all) that touches [w0, w1); a cursor
    // carried from call to call saves decoding every pattern date of the walk, and a window
    // kept from call to call its lowest key.
    bool NextTouching(const CDateTime *after, const CDateTime &w0, const CDateTime &w1, COccurrence &out,
                      CPatternCursor *cursor = nullptr, const CDateTime *lowestKey = nullptr) const;
    // The earliest key whose occurrence can reach into a window starting at w0.
    CDateTime LowestTouchingKey(const CDateTime &w0) const;
    bool RegularReminder(int mode, const CDateTime &date, CDateTime &key) const;
    // The occurrence's display item into target; a dated item of the whole event clears the
    // enumeration state first.
    bool MakeCurrentDisplayItem(const COccurrence &occurrence, int notesMode,
                                std::unique_ptr<CDisplayItem> &target, bool dated, bool pattern);

    CDateTime m_start;
    CDateSpan m_duration;
    QString m_location;
    std::vector<CRecurrenceException> m_exceptions;
    CDateTime m_windowStart;
    CDateTime m_windowEnd;
    CDateTime m_windowLowest;     // LowestTouchingKey(m_windowStart) for m_windowDuration
    CDateSpan m_windowDuration;
    CDateTime m_currentOccurrence;
    CPatternCursor m_cursor; // on the key of the current occurrence while the enumeration walks
};
