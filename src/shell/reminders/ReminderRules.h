// CReminderRules: the decisions of a reminder window that need no window: how it goes to the
// front when it opens, which of its controls follow a modal dialog, whether a snooze span may be
// handed to the document, what a document result does to the window, and when an expired
// reminder dismisses itself.
#pragma once

#include "core/dates/DateTime.h"
#include "core/system/ResultCode.h"

// How a new reminder window takes its place in the stacking order.
struct ReminderZOrder
{
    bool topmost = false;          // ends on top of the other windows (stays there)
    bool raiseOnce = false;        // brought to the top once, without staying there
    bool activate = false;         // takes the focus
    bool behindForeground = false; // goes just behind the active window, without the focus
    bool flashIfMaximised = false; // the caption flashes when the active window is maximised
};

enum class SnoozeCheck
{
    Ok,
    TooLong,     // "Please enter a shorter duration."
    Invalid,     // "The duration you entered is not valid. ..."
    BeforeStart, // would come back too close to (or after) the start
};

// What a document result does to the window.
enum class ReminderOutcome
{
    Close,               // success
    ReportAndClose,      // the error is reported, the reminder is gone anyway
    ReportAndStay,       // the error is reported, the window stays
    WarnNextOccurrence,  // snooze past the next occurrence: warning, the window stays
    WarnEndOfOccurrence, // snooze past the end of a window-less occurrence: warning, stays
};

// Which parts of a window follow a modal dialog's switch.
struct ReminderEnabling
{
    bool commands = true;     // Open, Print, Convert and Properties: in every window
    bool changeWhole = false; // the window itself and its answers (Snooze, Accept, Delete, ...)
};

class CReminderRules
{
  public:
    static ReminderZOrder ZOrder(bool takeFocus, bool alwaysOnTop, bool bringToTop, bool itemTopmost);

    // The snooze span read from the combo; with before start, the occurrence start less the span
    // must lie more than a minute after now.
    static SnoozeCheck CheckSnooze(bool spanValid, bool spanTooLong, const CDateSpan &span, bool beforeStart,
                                   const CDateTime &occurrenceStart, const CDateTime &now);

    // Accept, Complete, Delete and the automatic dismissal: close on 0; report others and close
    // on 1 and the quiet codes 0x80040500..0x80040509.
    static ReminderOutcome AcceptOutcome(HRESULT result);
    // Snooze: close on 0; the refusal 0x80040501 is a warning (which one, the document's flag
    // says; any result with the flag set is the next-occurrence one); others are reported and
    // close only on 0x80040526.
    static ReminderOutcome SnoozeOutcome(HRESULT result, bool pastNext);

    // Enabling (enable) or disabling every window for a modal dialog: a window changes whole
    // only when it is the one of the item the dialog edits (disabling), or when it was disabled
    // whole before (enabling).
    static ReminderEnabling Enabling(bool enable, bool heldByEditor, bool acceptEnabled);

    // The automatic dismissal: an event that shows no window after its time, past its end,
    // in an enabled window that no editor of the item holds.
    static bool ShouldAutoDismiss(bool mayAutoDismiss, const CDateTime &now, const CDateTime &occurrenceEnd,
                                  bool windowEnabled, bool acceptEnabled, bool heldByEditor);
};
