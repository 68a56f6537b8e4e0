// The notes text that display items carry, shared by the event and task display items.
#pragma once

#include <QString>

// The notes as a display item shows them. Mode 0 gives nothing. Modes 1 and 2 drop the
// trailing line breaks; mode 1 also trims the text, turns tabs into single spaces and keeps
// at most 255 characters, mode 2 keeps at most 4096; a cut text ends with "\r\n...".
QString DisplayNotesText(const QString &notes, int mode);
// The notes without their trailing line breaks, uncut.
QString NotesWithoutTrailingBreaks(const QString &notes);
