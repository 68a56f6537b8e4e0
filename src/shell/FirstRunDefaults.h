// First-run defaults: each new installation stamp writes the default settings once, keeping
// what the user already chose, and makes sure the sample data file and the desktop's
// start-up entry exist.
#pragma once

#include <QString>

class CProfile;

class CFirstRunDefaults
{
  public:
    // Where the desktop start-up entry goes: the XDG autostart folder by default.
    static QString AutostartFilePath();
    // Puts the start-up entry in another folder (tests); empty goes back to the default.
    static void SetAutostartFolder(const QString &folder);
    // The start-up entry for the program file (the "Run" value of this platform); false when
    // it could not be written.
    static bool WriteAutostartEntry(const QString &programPath);
    static bool RemoveAutostartEntry();
    // The sample data file: "calendar.qv0" in the data folder.
    static QString SampleDataFilePath();
};

// Returns 1 when it ran (the install stamp was new), 0 otherwise. Nothing is reported.
int ApplyFirstRunDefaults(CProfile &profile);
