// Settings of the Year view's Customize dialog.
#include "containers/customize/YearViewSettings.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

namespace {
QString Section() { return GetConstString(ConstName::Year); }
} // namespace

void CYearViewSettings::Load()
{
    const QString s = Section();
    font.Load(s, 8);
    customColors = CCustomColors::Load();
    background = COLORREF(GetProfileInt(s, QStringLiteral("CB3"), int(kDefaultBackground)));
    weekNumbers = GetProfileInt(s, QStringLiteral("SWN"), 1) != 0;
    autosizing = GetProfileInt(s, QStringLiteral("AS"), 1) != 0;
    rememberFilter = GetProfileInt(s, QStringLiteral("SF"), 0) != 0;
    itemTypeColors = GetProfileInt(s, QStringLiteral("ITC"), 1) != 0;
    busyColor = COLORREF(GetProfileInt(s, QStringLiteral("CY"), int(m_defaultBusy)));
}

void CYearViewSettings::Save() const
{
    const QString s = Section();
    font.Save(s);
    CCustomColors::Save(customColors);
    WriteProfileInt(s, QStringLiteral("CB3"), int(background));
    WriteProfileInt(s, QStringLiteral("SWN"), weekNumbers ? 1 : 0);
    WriteProfileInt(s, QStringLiteral("AS"), autosizing ? 1 : 0);
    WriteProfileInt(s, QStringLiteral("SF"), rememberFilter ? 1 : 0);
    WriteProfileInt(s, QStringLiteral("ITC"), itemTypeColors ? 1 : 0);
    WriteProfileInt(s, QStringLiteral("CY"), int(busyColor));
}
