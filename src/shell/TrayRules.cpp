// Tray icon choice, new-event planning, hour watch.
#include "shell/TrayRules.h"

#include "core/system/StringTable.h"

int ChooseTrayIcon(bool otherIconSet, bool remindersOn)
{
    if (otherIconSet)
        return remindersOn ? 287 : 288;
    return remindersOn ? 128 : 160;
}

namespace {

// String-table ids of the item types that make all-day events.
constexpr int kAllDayTypeNames[] = {58007, 58009, 58006}; // "Birthday", "Holiday", "Anniversary"

bool IsAllDayTypeName(const QString &name)
{
    for (int id : kAllDayTypeNames) {
        const QString text = LoadResString(id);
        if (!text.isEmpty() && name.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

NewEventPlan PlanNewEvent(const CDateTime &now, const QString &itemTypeName, bool newEventsAllDay,
                          int defaultDurationMinutes, bool newItemsWithoutReminder)
{
    NewEventPlan plan;
    plan.reminderOn = !newItemsWithoutReminder;
    plan.allDay = newEventsAllDay || IsAllDayTypeName(itemTypeName);
    if (plan.allDay) {
        plan.start = CDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
        plan.durationMinutes = 24 * 60;
        return plan;
    }
    const int minute = now.GetMinute();
    const int add = (60 - minute) % 30;
    const CDateTime whole(now.GetYear(), now.GetMonth(), now.GetDay(), now.GetHour(), minute, 0);
    plan.start = whole + CDateSpan(0, 0, add, 0);
    plan.durationMinutes = defaultDurationMinutes;
    return plan;
}

bool ShowMainWindowAtStart(const StartShowState &state)
{
    return !state.hideMainWindow || state.noHide || state.readOnly || state.openFailed || !state.hasTray;
}

bool CHourWatch::Update(int hour)
{
    const bool changed = m_lastHour != -1 && hour != m_lastHour;
    m_lastHour = hour;
    return changed;
}
