// CTimeComboModel: what the time combo box does, without a window: the half-hour list, the
// stored time and its has-value flag, and what choosing, typing, leaving the field and opening
// the list change and report. The widget shows what this decides.
#pragma once

#include "core/dates/DateTime.h"
#include "toolkit/controls/TimeTextParser.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

class CTimeComboModel
{
  public:
    // The notification code of a change, as the owner sees it.
    static constexpr int kTimeChangedCode = 3;
    // What a reported change is.
    enum ChangeKind : int
    {
        kTimeOfDay = 0,     // a time of day was chosen or typed; the span is new minus old
        kShiftDuration = 1, // a duration typed after "+" or "-"
        kSpanDuration = 2,  // a duration typed after ">" or "<"
    };
    static constexpr long kDefaultMaxDuration = 483840; // minutes, 336 days
    static constexpr long kLongMaxDuration = 5263200;   // minutes, 3655 days

    struct Change
    {
        ChangeKind kind = kTimeOfDay;
        CDateSpan span;
    };

    struct Entry
    {
        QString text;
        std::uint32_t data = 0; // hour << 16 | minute
    };

    // What a list opening decided: the entry to select (-1 none) and the change to report.
    struct DropDownResult
    {
        int index = -1;
        std::optional<Change> change;
    };

    static std::uint32_t EntryData(int hour, int minute)
    {
        return std::uint32_t(hour) << 16 | std::uint32_t(minute);
    }

    explicit CTimeComboModel(const CTimeTextParser &parser = CTimeTextParser());

    void SetRelativeInput(bool on) { m_relativeInput = on; }
    bool RelativeInput() const { return m_relativeInput; }
    // Takes effect at the next FillTimes.
    void SetEndOfDay(bool on) { m_endOfDay = on; }
    bool EndOfDay() const { return m_endOfDay; }
    // The longer limit for relative entries that the editors use.
    void SetMaxDuration() { m_maxDuration = kLongMaxDuration; }
    long MaxDuration() const { return m_maxDuration; }

    // Builds the 48 half hours (and 23:59 with the end-of-day flag), stores 00:00 with a value
    // and returns the entries; entry 0 is the one to select.
    const QList<Entry> &FillTimes();
    const QList<Entry> &Entries() const { return m_entries; }

    // Stores the hour and minute of a time and sets has-value; no report.
    void SetTime(const CDateTime &time);
    // Has-value; when set, `time` gets the stored time (on 30 December 1899).
    bool GetTime(CDateTime &time) const;
    bool HasValue() const { return m_hasValue; }
    const CDateTime &StoredTime() const { return m_time; }
    // The entry showing the stored time, or -1 when none does (the text shows it instead).
    int StoredEntryIndex() const;
    // The stored time in the program's time format.
    QString StoredText() const;

    // The user picked entry `index` of the list (an index outside the list does nothing).
    std::optional<Change> Choose(int index);
    // The user changed the text.
    void Edit() { m_hasValue = false; }
    // The field lost the focus with `text` in it; only an edited field reads its text. A time
    // of day is stored and reported; a relative duration is reported without changing the time;
    // anything else changes nothing.
    std::optional<Change> Leave(const QString &text);
    // The list opens with `text` in the field: the field snaps to the entry at or before the
    // typed (or stored) time, which is stored and reported.
    DropDownResult DropDown(const QString &text);

  private:
    std::optional<Change> StoreTime(int hour, int minute);

    CTimeTextParser m_parser;
    QList<Entry> m_entries;
    CDateTime m_time{1899, 12, 30};
    bool m_relativeInput = false;
    bool m_hasValue = true;
    bool m_endOfDay = false;
    long m_maxDuration = kDefaultMaxDuration;
};
