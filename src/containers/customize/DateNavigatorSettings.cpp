// Settings of the Customize Date Navigator dialog.
#include "containers/customize/DateNavigatorSettings.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

namespace {
QString Section() { return GetConstString(ConstName::Calendar); }
} // namespace

void CDateNavigatorSettings::SetBusyDefault(bool on)
{
    busyDefault = on;
    if (!on) {
        useFilters = false;
        itemTypeColors = false;
    }
}

void CDateNavigatorSettings::Load()
{
    const QString s = Section();
    font.Load(s, 8);
    customColors = CCustomColors::Load();
    weekNumbers = GetProfileInt(s, QStringLiteral("SWN"), 1) != 0;
    busyDefault = GetProfileInt(s, QStringLiteral("BD"), 1) != 0;
    busyColor = COLORREF(GetProfileInt(s, QStringLiteral("CY"), int(m_defaultBusy)));
    if (busyDefault) {
        useFilters = GetProfileInt(s, QStringLiteral("UF"), 1) != 0;
        itemTypeColors = GetProfileInt(s, QStringLiteral("ITC"), 1) != 0;
    } else {
        useFilters = itemTypeColors = false;
    }
}

bool CDateNavigatorSettings::Save() const
{
    const QString s = Section();
    auto differs = [&s](const char *name, int def, int value) {
        return GetProfileInt(s, QString::fromLatin1(name), def) != value;
    };
    bool changed = differs("SWN", 1, weekNumbers) || differs("BD", 1, busyDefault);
    if (busyDefault)
        changed = changed || differs("UF", 1, useFilters) || differs("CY", int(m_defaultBusy), int(busyColor)) ||
                  differs("ITC", 1, itemTypeColors);
    if (!changed) {
        CFontChoice stored(font.MinPoints(), font.MaxPoints());
        stored.Load(s, 8);
        changed = font.DiffersFrom(stored.Font());
    }
    WriteProfileInt(s, QStringLiteral("SWN"), weekNumbers ? 1 : 0);
    WriteProfileInt(s, QStringLiteral("BD"), busyDefault ? 1 : 0);
    if (busyDefault) {
        WriteProfileInt(s, QStringLiteral("UF"), useFilters ? 1 : 0);
        WriteProfileInt(s, QStringLiteral("CY"), int(busyColor));
        WriteProfileInt(s, QStringLiteral("ITC"), itemTypeColors ? 1 : 0);
    }
    font.Save(s);
    CCustomColors::Save(customColors);
    return changed;
}
