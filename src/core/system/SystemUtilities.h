// Small program-wide system services: the operating-system class, remote-session and
// elevation tests, unique ids for exported items and the percent text.
#pragma once

#include <QString>
#include <QtGlobal>

class QDateTime;

// The operating-system class the program's branches test; always 8 (the newest class) here,
// so that every choice takes its modern form.
int GetOsVersionCode();
bool IsWindowsXP();    // class 7
bool IsVistaOrLater(); // class 8
// True when the session runs remotely (a secure-shell or remote-desktop login); computed once.
bool IsRemoteSession();

// Whether the process runs with administrator rights (effective user root). False when the
// process cannot be looked at.
bool IsProcessElevated(qint64 pid, bool &elevated);

// A new unique id text: a GUID in upper-case hexadecimal with hyphens and no braces (36
// characters), or, when none can be made, MakeTimeBasedId for now.
QString MakeUniqueId();
// "%Y%m%dT%H%M%S-<counter>@<computer name>"; the counter starts at 0 and rises by one a call.
QString MakeTimeBasedId(const QDateTime &localTime);

// "50%" for 50.
QString FormatPercent(int n);
