// The Advanced page's switches.
#include "shell/options/OptionsAdvancedModel.h"

#include "core/system/AppSettings.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

const std::array<COptionsAdvancedModel::Group, 5> &COptionsAdvancedModel::Groups()
{
    static const std::array<Group, 5> groups = {{
        {"General Settings", 12, 0, 2},
        {"Main Window", 8, 2, 2},
        {"New Events", 11, 4, 2},
        {"Reminder Windows", 10, 6, 4},
        {"Confirmations", 9, 10, 4},
    }};
    return groups;
}

const std::array<COptionsAdvancedModel::Switch, COptionsAdvancedModel::kCount> &
COptionsAdvancedModel::Switches()
{
    static const std::array<Switch, kCount> switches = {{
        {"Keep reminder state between sessions", "KRS", 1, false, nullptr},
        {"Use Subject to change item type", "U3L", 0, false, &AppSettings::typePrefixShortcut},
        {"Hide window when minimized", "MWHM", 0, false, &AppSettings::hideWhenMinimised},
        {"Exit the program on window close", "MWMX", 0, false, &AppSettings::exitOnClose},
        {"Select All day option", "NEAD", 0, false, &AppSettings::newEventsAllDay},
        {"Select Notify option", "NNF", 0, true, &AppSettings::newItemsWithoutReminder},
        {"Hide the Delete button in reminder windows for recurring events", "HDB", 0, false,
         &AppSettings::hideDeleteForRecurring},
        {"Make ALL reminder windows topmost", "AOT", 0, false, &AppSettings::remindersTopmost},
        {"Show reminder windows on secondary monitor", "RWCM", 0, false,
         &AppSettings::remindersOnOtherMonitor},
        {"Skip minimized reminder windows", "SMR", 1, false, &AppSettings::skipMinimisedReminders},
        {"Whether to modify an occurrence or the series of recurring events", "ASQO", 1, false,
         &AppSettings::askOccurrenceOnOpen},
        {"Whether to modify an occurrence or the series of recurring tasks", "ASQOT", 0, false,
         &AppSettings::askOccurrenceOnOpenTask},
        {"Whether to move items", "ASQM", 0, false, &AppSettings::confirmMove},
        {"Whether to delete items", "ASQD", 1, false, &AppSettings::confirmDelete},
    }};
    return switches;
}

void COptionsAdvancedModel::Load(const AppSettings &live)
{
    for (int i = 0; i < kCount; ++i) {
        const Switch &s = Switches()[std::size_t(i)];
        m_values[std::size_t(i)] = s.live ? live.*(s.live)
                                          : GetProfileInt(GetConstString(ConstName::Common),
                                                          QString::fromLatin1(s.valueName), s.defaultValue);
    }
}

bool COptionsAdvancedModel::IsChecked(int index) const
{
    const bool on = m_values[std::size_t(index)] != 0;
    return Switches()[std::size_t(index)].inverted ? !on : on;
}

void COptionsAdvancedModel::SetChecked(int index, bool checked)
{
    const bool on = Switches()[std::size_t(index)].inverted ? !checked : checked;
    m_values[std::size_t(index)] = on ? 1 : 0;
}

void COptionsAdvancedModel::Apply(AppSettings &live) const
{
    for (int i = 0; i < kCount; ++i) {
        const Switch &s = Switches()[std::size_t(i)];
        WriteProfileInt(GetConstString(ConstName::Common), QString::fromLatin1(s.valueName),
                        m_values[std::size_t(i)]);
        if (s.live)
            live.*(s.live) = m_values[std::size_t(i)];
    }
    CProfile::Instance().Sync();
}
