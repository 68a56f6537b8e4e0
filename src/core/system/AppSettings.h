// The program-wide settings of section "Common": read once at start-up with their defaults
// and limits, read by the areas named beside each value, written back by the Options pages.
#pragma once

#include <optional>

class CProfile;
class QLocale;

// What the user locale says about weeks, in the system's own coding.
struct LocaleWeekInfo
{
    std::optional<int> firstDayOfWeek;  // 0 Monday .. 6 Sunday; none when it cannot be asked
    std::optional<int> firstWeekOfYear; // 0 week of 1 January, 1 first full week, 2 first four-day week

    static LocaleWeekInfo FromLocale(const QLocale &locale);
};

// The "FDOW" default: the locale's first day, negative read as 0, above 6 as 6, 0 when unknown.
int DefaultFirstDayOfWeek(const LocaleWeekInfo &locale);
// The "FWOY" default in the program's coding (0 week of 1 January, 1 first four-day week,
// 2 first full week): locale 0 gives 0, 1 gives 2, 2 and above give 1, unknown or negative 0.
int DefaultWeekOfYearRule(const LocaleWeekInfo &locale);

// What the loader needs to know besides the stored values.
struct AppSettingsEnvironment
{
    LocaleWeekInfo locale;
    bool noHideSwitch = false;  // "nohide" was given on the command line
    bool compositionOn = false; // newest system class with desktop composition on

    static AppSettingsEnvironment FromSystem(bool noHideSwitch);
};

struct AppSettings
{
    static constexpr int PackTime(int hour, int minute) { return hour * 65536 + minute; }

    int soundOn = 1;                 // "SoundE": reminder sounds
    int workDays = 127;              // "WD": bit i for work day i, 0 Sunday
    int weekOfYearRule = 0;          // "FWOY"
    int firstDayOfWeek = 0;          // "FDOW": 0 Monday .. 6 Sunday
    int hideWhenMinimised = 0;       // "MWHM"
    int exitOnClose = 0;             // "MWMX": closing the main window ends the program
    int hideDeleteForRecurring = 0;  // "HDB": no Delete button on reminders of recurring events
    int remindersTopmost = 0;        // "AOT"
    int remindersTakeFocus = 0;      // "GTF"
    int bringRemindersToTop = 1;     // "BTT": not read, and 0, when remindersTakeFocus is set
    int askOccurrenceOnOpen = 1;     // "ASQO"
    int askOccurrenceOnOpenTask = 0; // "ASQOT"
    int confirmMove = 0;             // "ASQM"
    int confirmDelete = 1;           // "ASQD"
    int skipMinimisedReminders = 1;  // "SMR"
    int newEventsAllDay = 0;         // "NEAD"
    int newItemsWithoutReminder = 0; // "NNF"
    int followSessionChanges = 1;    // "UFUS"
    int alternateTrayIcons = 0;      // "OTI"
    int workStart = PackTime(8, 0);  // "WTS": hour * 65536 + minute
    int workEnd = PackTime(17, 0);   // "WTE"
    int timeRangeTexts = 1;          // "ALA": time-range texts of display items
    int detailedItems = 1;           // "SN": detailed item tips and item commands of the views
    int noHide = 0;                  // "nohide": show the main window at start
    int openReadOnly = 0;            // "OROA"
    int subjectInCaption = 1;        // "STB": reminder caption drawing
    int stopSoundAllowed = 1;        // "USB"
    int itemTypeMenusFirst = 0;      // "UAM"
    int tasksOverStartToDue = 1;     // "STSD"
    int defaultDurationMinutes = 30; // "DD": 1..720
    int defaultLeadMinutes = 15;     // "DS": reminder lead and snooze of new items, 1..527040
    int nonWorkDayTextColour = 0;    // "UWITC"
    int nonWorkDayShadow = 0;        // "UWSHC"
    int typePrefixShortcut = 0;      // "U3L": "abc:" in a subject picks the item type
    int eventListFlag = 1;           // "UCLW": read by the Event List container
    int reminderCascadeX = 38;       // "RWCX": 4..62 pixels
    int reminderCascadeY = 19;       // "RWCY": 4..62 pixels
    int remindersOnOtherMonitor = 0; // "RWCM"
    int reminderMonitor = 1;         // "RWCN"

    // Reads every value from section "Common". Values that fail their limits are corrected;
    // a work time that fails its checks leaves both work-time values as they were.
    void Load(const CProfile &profile, const AppSettingsEnvironment &env);
    // Re-reads "STB" with its default for the composition state (after a composition change).
    void ReloadCaptionSetting(const CProfile &profile, bool compositionOn);
};

// The settings every part of the program reads.
AppSettings &ProgramSettings();

// Hands the loaded work week, first day and week-number rule to the date rules; the shell
// calls it after loading the settings at start-up and after the Options pages change them.
void ApplyCalendarRules(const AppSettings &settings);
