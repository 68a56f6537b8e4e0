// Setters of a recurrence exception that keep texts and their override flags together.
#include "core/items/RecurrenceException.h"

#include "core/system/TextCut.h"

void CRecurrenceException::SetReminder(bool on, const CDateSpan &lead)
{
    stateFlags = on ? (stateFlags | StateOwnReminder) : (stateFlags & ~StateOwnReminder);
    reminderLead = lead;
}

void CRecurrenceException::SetSubject(bool on, const QString &text)
{
    subject = on ? CutToCharacters(text, MaxSubject) : QString();
    overrideFlags = on ? (overrideFlags | OverrideSubject) : (overrideFlags & ~OverrideSubject);
}

void CRecurrenceException::SetLocation(bool on, const QString &text)
{
    location = on ? CutToCharacters(text, MaxLocation) : QString();
    overrideFlags = on ? (overrideFlags | OverrideLocation) : (overrideFlags & ~OverrideLocation);
}

void CRecurrenceException::SetNotes(bool on, const QString &text)
{
    if (on)
        notes = text;
    overrideFlags = on ? (overrideFlags | OverrideNotes) : (overrideFlags & ~OverrideNotes);
}
