// Settings of the list views' Customize dialog.
#include "containers/customize/ListViewSettings.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QCoreApplication>

namespace {
QString Tr(const char *text) { return QCoreApplication::translate("CListViewSettings", text); }
} // namespace

bool CListViewSettings::KindForSection(int sectionIndex, Kind &kind)
{
    switch (sectionIndex) {
    case ConstName::List: kind = Kind::EventList; return true;
    case ConstName::ListF: kind = Kind::Search; return true;
    case ConstName::Tasks: kind = Kind::Tasks; return true;
    case ConstName::TaskPad: kind = Kind::TaskPad; return true;
    default: return false;
    }
}

QString CListViewSettings::Section() const
{
    switch (m_kind) {
    case Kind::EventList: return GetConstString(ConstName::List);
    case Kind::Search: return GetConstString(ConstName::ListF);
    case Kind::Tasks: return GetConstString(ConstName::Tasks);
    case Kind::TaskPad: return GetConstString(ConstName::TaskPad);
    }
    return {};
}

QString CListViewSettings::TitleSuffix() const
{
    switch (m_kind) {
    case Kind::EventList: return Tr("Event List View");
    case Kind::Search: return Tr("Search Item List");
    case Kind::Tasks: return Tr("Task View");
    case Kind::TaskPad: return Tr("TaskPad View");
    }
    return {};
}

void CListViewSettings::Load()
{
    const QString s = Section();
    font.Load(s, 8);
    customColors = CCustomColors::Load();
    background = COLORREF(GetProfileInt(s, QStringLiteral("CB3"), int(kDefaultBackground)));
    standardSelection = GetProfileInt(s, QStringLiteral("STDS"), 1) != 0;
    itemTypeColors = GetProfileInt(s, QStringLiteral("C"), 1) != 0;
    rememberFilter = ShowsRememberFilter() && GetProfileInt(s, QStringLiteral("SF"), 0) != 0;
    useFilters = ShowsUseFilters() && GetProfileInt(s, QStringLiteral("UF"), 0) != 0;
}

void CListViewSettings::Save() const
{
    const QString s = Section();
    font.Save(s);
    CCustomColors::Save(customColors);
    WriteProfileInt(s, QStringLiteral("CB3"), int(background));
    WriteProfileInt(s, QStringLiteral("STDS"), standardSelection ? 1 : 0);
    WriteProfileInt(s, QStringLiteral("C"), itemTypeColors ? 1 : 0);
    if (RememberFilterEnabled())
        WriteProfileInt(s, QStringLiteral("SF"), rememberFilter ? 1 : 0);
    if (ShowsUseFilters())
        WriteProfileInt(s, QStringLiteral("UF"), useFilters ? 1 : 0);
}
