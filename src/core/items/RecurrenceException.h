// CRecurrenceException: one changed or deleted occurrence of a recurring event, keyed by the
// pattern date the occurrence was scheduled for.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <cstdint>

class CRecurrenceException
{
  public:
    // State flags.
    static constexpr std::uint32_t StateOwnReminder = 0x02;
    static constexpr std::uint32_t StateDeleted = 0x10000000;
    // Override flags.
    static constexpr std::uint32_t OverrideSubject = 0x20;
    static constexpr std::uint32_t OverrideNotes = 0x40;
    static constexpr std::uint32_t OverrideLocation = 0x80;

    static constexpr int MaxSubject = 255;
    static constexpr int MaxLocation = 250;

    bool IsDeleted() const { return (stateFlags & StateDeleted) != 0; }
    void SetDeleted(bool on) { stateFlags = on ? (stateFlags | StateDeleted) : (stateFlags & ~StateDeleted); }
    bool HasOwnReminder() const { return (stateFlags & StateOwnReminder) != 0; }
    CDateTime GetEnd() const { return newStart + duration; }

    // Sets or clears the own-reminder state; the lead is stored either way.
    void SetReminder(bool on, const CDateSpan &lead);
    // On sets the text (cut to its limit) and the override flag; off empties it and clears the flag.
    void SetSubject(bool on, const QString &text);
    void SetLocation(bool on, const QString &text);
    // On sets the text and the flag; off clears the flag and leaves the text.
    void SetNotes(bool on, const QString &text);
    void SetModifiedTime(const CDateTime &t) { modified = t; }

    std::uint32_t stateFlags = 0;
    std::uint32_t reserved = 0;
    std::uint32_t overrideFlags = 0;
    CDateTime keyDate;  // the pattern date of the occurrence; compared for exact equality
    CDateTime newStart; // where the occurrence starts now
    CDateSpan duration;
    CDateTime modified;
    CDateSpan reminderLead; // valid with StateOwnReminder
    std::uint32_t reservedWord = 0;
    QString subject;
    QString location;
    QString notes;
};
