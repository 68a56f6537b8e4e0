// The decisions of the tray frame that need no window: which tray icon shows, when a new
// event from the tray starts and whether it is all-day, and the hour-change notice of the
// timers.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>

// The tray icon's resource number: 287 / 288 with the other icon set ("OTI"), 128 / 160
// otherwise, the first of each pair while reminders are on.
int ChooseTrayIcon(bool otherIconSet, bool remindersOn);

// How a new event from the tray or a hot key starts.
struct NewEventPlan
{
    bool allDay = false;
    CDateTime start;
    int durationMinutes = 0; // all-day: 1440
    bool reminderOn = false;
};

// Timed events start at the next half hour (now when it is one) and last "DD" minutes;
// "Birthday", "Holiday" and "Anniversary" (any case) or "NEAD" make it all-day today; "NNF" 0
// turns the reminder on. The seconds of now are dropped: an entry at 10:30:41 would be
// drawn and sorted as an odd time.
NewEventPlan PlanNewEvent(const CDateTime &now, const QString &itemTypeName, bool newEventsAllDay,
                          int defaultDurationMinutes, bool newItemsWithoutReminder);

// What decides whether the main window shows at start-up.
struct StartShowState
{
    bool hideMainWindow = false; // "HMW": start in the tray
    bool noHide = false;         // the "nohide" switch
    bool readOnly = false;       // the last data file opened read-only
    bool openFailed = false;     // the last data file did not open: the window reports why
    bool hasTray = true;         // without a tray the window is the program
};
// The window shows unless "HMW" asks for the tray and nothing above needs the window.
bool ShowMainWindowAtStart(const StartShowState &state);

// Tells when the hour of the clock changed between timer ticks; the first reading is not a
// change.
class CHourWatch
{
  public:
    // True when the hour differs from the last reading (and there was one).
    bool Update(int hour);

  private:
    int m_lastHour = -1;
};
