// Decisions of the reminder windows.
#include "shell/reminders/ReminderRules.h"

ReminderZOrder CReminderRules::ZOrder(bool takeFocus, bool alwaysOnTop, bool bringToTop, bool itemTopmost)
{
    ReminderZOrder z;
    z.activate = takeFocus;
    if (bringToTop) {
        // On top once; it stays there only when the reminders or this item are topmost.
        z.raiseOnce = true;
        z.topmost = alwaysOnTop || itemTopmost;
        return z;
    }
    if (takeFocus || alwaysOnTop || itemTopmost) {
        // With the focus the window comes up where it is, unless the item itself is topmost.
        z.topmost = !takeFocus || itemTopmost;
        return z;
    }
    z.behindForeground = true;
    z.flashIfMaximised = true;
    return z;
}

SnoozeCheck CReminderRules::CheckSnooze(bool spanValid, bool spanTooLong, const CDateSpan &span,
                                        bool beforeStart, const CDateTime &occurrenceStart,
                                        const CDateTime &now)
{
    if (!spanValid)
        return spanTooLong ? SnoozeCheck::TooLong : SnoozeCheck::Invalid;
    if (beforeStart) {
        const CDateTime back = occurrenceStart - span;
        const CDateTime limit(now.Value() + 1.0 / 1440.0);
        if (!(back > limit))
            return SnoozeCheck::BeforeStart;
    }
    return SnoozeCheck::Ok;
}

ReminderOutcome CReminderRules::AcceptOutcome(HRESULT result)
{
    if (result == S_OK)
        return ReminderOutcome::Close;
    if (result == 1 || (result >= HRESULT(0x80040500) && result <= HRESULT(0x80040509)))
        return ReminderOutcome::ReportAndClose;
    return ReminderOutcome::ReportAndStay;
}

ReminderOutcome CReminderRules::SnoozeOutcome(HRESULT result, bool pastNext)
{
    if (result == S_OK)
        return ReminderOutcome::Close;
    if (pastNext)
        return ReminderOutcome::WarnNextOccurrence;
    if (result == HRESULT(0x80040501))
        return ReminderOutcome::WarnEndOfOccurrence;
    return result == HRESULT(0x80040526) ? ReminderOutcome::ReportAndClose : ReminderOutcome::ReportAndStay;
}

ReminderEnabling CReminderRules::Enabling(bool enable, bool heldByEditor, bool acceptEnabled)
{
    ReminderEnabling e;
    e.commands = true;
    e.changeWhole = enable ? !acceptEnabled : heldByEditor;
    return e;
}

bool CReminderRules::ShouldAutoDismiss(bool mayAutoDismiss, const CDateTime &now,
                                       const CDateTime &occurrenceEnd, bool windowEnabled, bool acceptEnabled,
                                       bool heldByEditor)
{
    if (!mayAutoDismiss || !(now > occurrenceEnd) || !windowEnabled)
        return false;
    return acceptEnabled || !heldByEditor;
}
