// The nesting count of dialog runs over the reminder windows.
#include "editing/base/ReminderWindowsGate.h"

#include "core/system/Messages.h"

namespace {
int g_nesting = 0;
}

void CReminderWindowsGate::Enter()
{
    if (g_nesting++ == 0)
        EnableReminderWindows(false);
}

void CReminderWindowsGate::Leave()
{
    if (g_nesting == 0)
        return; // unbalanced: never enable twice
    if (--g_nesting == 0)
        EnableReminderWindows(true);
}

int CReminderWindowsGate::GetNesting()
{
    return g_nesting;
}
