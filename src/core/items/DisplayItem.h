// CDisplayItem: one occurrence of an event, or one task, as a view shows it: which record and
// occurrence it is, its shown times and texts, its flags and selection state, and where the view
// placed it. Events and tasks build them; views own, sort, caption and hit-test them.
#pragma once

#include "core/dates/DateTime.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>

class CDisplayItem
{
  public:
    // Display flags, set by the item's factory (FlagAllDay by the constructor).
    static constexpr std::uint32_t FlagRecurring = 0x01; // occurrence of a series
    static constexpr std::uint32_t FlagChanged = 0x02;   // a changed occurrence (or a closed task series)
    static constexpr std::uint32_t FlagReminder = 0x04;  // the reminder is on
    static constexpr std::uint32_t FlagAllDay = 0x08;    // lasts one day or more: one bar across its days
    static constexpr std::uint32_t FlagCrossesMidnight =
        0x10;                                               // starts and ends on different days, under a day
    static constexpr std::uint32_t FlagBeginsBefore = 0x20; // begins before the shown range
    static constexpr std::uint32_t FlagEndsAfter = 0x40;    // ends after the shown range
    static constexpr std::uint32_t FlagKeepMark = 0x80;     // the item's keep-mark word is set
    static constexpr std::uint32_t FlagHasDue = 0x100;      // task with a due date
    static constexpr std::uint32_t FlagHasStart = 0x200;    // task shown from its start date
    static constexpr std::uint32_t FlagCompleted = 0x400;   // completed task
    static constexpr std::uint32_t FlagOverdue = 0x800;     // open task due before today
    static constexpr std::uint32_t FlagNotes = 0x1000;      // the item has notes
    static constexpr std::uint32_t FlagReminderTime = 0x2000; // the derived kind knows the reminder moment
    static constexpr std::uint32_t FlagLocked = 0x10000;
    static constexpr std::uint32_t FlagOwnItem = 0x20000; // always set by the factories
    static constexpr std::uint32_t FlagPrivate = 0x40000; // private unless FlagOwnItem is set too

    // State bits, changed by the views.
    static constexpr std::uint32_t StateFocus = 0x01;
    static constexpr std::uint32_t StateSelected = 0x02;
    static constexpr std::uint32_t StateDragged = 0x04; // a ghost left behind by a drag
    static constexpr std::uint32_t StateRemoved = 0x08; // the container changed or deleted its item
    static constexpr std::uint32_t StateHidden = 0x10;

    static constexpr int KindEvent = 1;
    static constexpr int KindTask = 2;

    CDisplayItem() = default;
    // Start and end = start + duration; FlagAllDay when the duration is one day or more.
    CDisplayItem(int kind, int itemTypeIndex, const QString &itemTypeName, const CDateTime &start,
                 const CDateSpan &duration);
    // Copies everything but the rectangle, which belongs to the view that placed the entry.
    CDisplayItem(const CDisplayItem &other);
    // Takes everything but the rectangle, as the copy does; never throws, so that containers
    // of entries move them instead of copying.
    CDisplayItem(CDisplayItem &&other) noexcept;
    CDisplayItem &operator=(const CDisplayItem &) = delete;
    virtual ~CDisplayItem();

    // Views make and free display items by the thousand; they come from a pool.
    static void *operator new(std::size_t size);
    static void operator delete(void *block, std::size_t size) noexcept;

    // Everything but the rectangle; the derived kinds add their own members when `other` is of
    // their kind.
    virtual void CopyFrom(const CDisplayItem &other);
    // A copy of the same derived kind (rectangle left empty).
    virtual std::unique_ptr<CDisplayItem> Clone() const;

    // Same record and same occurrence date (value and status).
    bool IsSame(const CDisplayItem &other) const;
    // The display order; never true both ways, and false both ways only for entries alike in
    // every rule (std::sort may use it).
    bool Precedes(const CDisplayItem &other) const { return CompareOrder(other) < 0; }
    // The display order as -1, 0 or 1.
    int CompareOrder(const CDisplayItem &other) const;
    // The display order's rules after the times, for entries alike in drag mark, first cell,
    // all-day mark, start and end.
    int CompareTies(const CDisplayItem &other) const;
    // Bits of the mask take the value's bits; bits outside it are cleared where the value has
    // them. True when a bit other than the focus mark changed.
    bool SetStateBits(std::uint32_t value, std::uint32_t mask);

    bool IsPrivate() const { return (m_flags & FlagPrivate) != 0 && (m_flags & FlagOwnItem) == 0; }

    // The text of an item box: optional time range, subject, age, location, item type and
    // categories. `startsBefore` shows the start as 00:00, else `endsAfter` the end.
    QString GetTimeRangeText(bool showStart, bool showEnd, bool showItemType, bool showCategories,
                             bool startsBefore, bool endsAfter) const;
    // The one-line caption, or the tooltip text with times, type, categories and notes.
    QString FormatCaption(bool tipForm) const;

    const QRect &GetRect() const { return m_rect; }
    void SetRect(const QRect &rect) { m_rect = rect; }
    int GetKind() const { return m_kind; }
    void SetKind(int kind) { m_kind = kind; }
    std::uint32_t GetItemRef() const { return m_recordId; }
    void SetItemRef(std::uint32_t recordId) { m_recordId = recordId; }
    // The item's modification stamp as the view knew it.
    const CDateTime &GetStamp() const { return m_stamp; }
    void SetStamp(const CDateTime &t) { m_stamp = t; }
    const CDateTime &GetCreated() const { return m_created; }
    void SetCreated(const CDateTime &t) { m_created = t; }
    const CDateTime &GetNewStart() const { return m_newStart; }
    void SetNewStart(const CDateTime &t) { m_newStart = t; }
    const CDateTime &GetOccurrenceDate() const { return m_occurrenceDate; }
    void SetOccurrenceDate(const CDateTime &t) { m_occurrenceDate = t; }
    int GetItemTypeIndex() const { return m_itemTypeIndex; }
    void SetItemTypeIndex(int index) { m_itemTypeIndex = index; }
    int GetAge() const { return m_age; }
    void SetAge(int age) { m_age = age; }
    std::uint32_t GetFlags() const { return m_flags; }
    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    bool HasFlag(std::uint32_t bit) const { return (m_flags & bit) != 0; }
    void SetFlag(std::uint32_t bit, bool on) { m_flags = on ? (m_flags | bit) : (m_flags & ~bit); }
    std::uint32_t GetState() const { return m_state; }
    void SetState(std::uint32_t state) { m_state = state; }
    bool HasState(std::uint32_t bit) const { return (m_state & bit) != 0; }

    const QString &GetSubject() const { return m_subject; }
    void SetSubject(const QString &text) { m_subject = text; }
    void SetSubject(QString &&text) { m_subject = std::move(text); }
    const QString &GetLocation() const { return m_location; }
    void SetLocation(const QString &text) { m_location = text; }
    void SetLocation(QString &&text) { m_location = std::move(text); }
    const QString &GetNotes() const { return m_notes; }
    void SetNotes(const QString &text) { m_notes = text; }
    const QString &GetItemTypeName() const { return m_itemTypeName; }
    void SetItemTypeName(const QString &text) { m_itemTypeName = text; }
    const QString &GetCategories() const { return m_categories; }
    void SetCategories(const QString &text) { m_categories = text; }

    const CDateTime &GetStart() const { return m_start; }
    void SetStart(const CDateTime &t) { m_start = t; }
    const CDateTime &GetEnd() const { return m_end; }
    void SetEnd(const CDateTime &t) { m_end = t; }
    int GetFirstCell() const { return m_firstCell; }
    int GetLastCell() const { return m_lastCell; }
    void SetCells(int first, int last)
    {
        m_firstCell = first;
        m_lastCell = last;
    }

  private:
    QRect m_rect;
    int m_kind = 0;
    std::uint32_t m_recordId = 0;
    CDateTime m_stamp;
    CDateTime m_created;
    CDateTime m_newStart;
    CDateTime m_occurrenceDate;
    int m_itemTypeIndex = -1;
    int m_age = -1;
    std::uint32_t m_flags = 0;
    std::uint32_t m_state = 0;
    QString m_subject;
    QString m_location;
    QString m_notes;
    QString m_itemTypeName;
    QString m_categories;
    CDateTime m_start;
    CDateTime m_end;
    int m_firstCell = -1;
    int m_lastCell = -1;
};

// The age after a subject, " (%d years)" or " (%d)" as the program's setting chooses; empty
// for a negative age.
QString FormatAgeSuffix(int age);

// Today at midnight: the cached today, or the clock's date while none is cached.
CDateTime TodayForDisplay();
