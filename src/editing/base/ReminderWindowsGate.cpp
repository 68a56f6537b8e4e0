// The dialogs' side of the core's reminder-windows hold: dialogs and message boxes share one
// nesting count, so a box closing over an open dialog leaves the windows disabled.
#include "editing/base/ReminderWindowsGate.h"

#include "core/system/Messages.h"

void CReminderWindowsGate::Enter()
{
    EnterReminderWindowsHold();
}

void CReminderWindowsGate::Leave()
{
    LeaveReminderWindowsHold();
}

int CReminderWindowsGate::GetNesting()
{
    return GetReminderWindowsHoldNesting();
}
