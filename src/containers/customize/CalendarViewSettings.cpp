// Settings of the calendar views' Customize dialog.
#include "containers/customize/CalendarViewSettings.h"

#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"

#include <QCoreApplication>
#include <algorithm>
#include <map>

namespace {
QString Tr(const char *text) { return QCoreApplication::translate("CCalendarViewSettings", text); }

// The values whose change makes the view redraw, with the defaults the views read.
const std::pair<const char *, int> kChangeValues[] = {
    {"OS", 1},  {"WE", 0},   {"SWD", 0}, {"SM", 0}, {"SW", 5}, {"VWD", 1}, {"VWE", 1}, {"STDD", 1},
    {"STC", 1}, {"SI", 0},   {"SS", 1},  {"ST", 0}, {"ET", 0}, {"IT", 0},  {"CG", 0},  {"SN", 0}};
} // namespace

bool CCalendarViewSettings::KindForSection(int sectionIndex, Kind &kind)
{
    switch (sectionIndex) {
    case ConstName::Day: kind = Kind::Day; return true;
    case ConstName::MDay: kind = Kind::MultiDay; return true;
    case ConstName::Week: kind = Kind::Week; return true;
    case ConstName::Month: kind = Kind::Month; return true;
    default: return false;
    }
}

CCalendarViewSettings::CCalendarViewSettings(Kind kind) : m_kind(kind)
{
    if (kind == Kind::Day || kind == Kind::MultiDay)
        textMode = 1;
}

QString CCalendarViewSettings::Section() const
{
    switch (m_kind) {
    case Kind::Day: return GetConstString(ConstName::Day);
    case Kind::MultiDay: return GetConstString(ConstName::MDay);
    case Kind::Week: return GetConstString(ConstName::Week);
    case Kind::Month: return GetConstString(ConstName::Month);
    }
    return {};
}

QString CCalendarViewSettings::TitleSuffix() const
{
    switch (m_kind) {
    case Kind::Day: return Tr("Day View");
    case Kind::MultiDay: return Tr("Multi-day View");
    case Kind::Week: return Tr("Week View");
    case Kind::Month: return Tr("Month View");
    }
    return {};
}

QStringList CCalendarViewSettings::TimeScaleEntries()
{
    return {Tr("5 minutes"), Tr("6 minutes"), Tr("10 minutes"), Tr("15 minutes"), Tr("30 minutes"), Tr("60 minutes")};
}

QStringList CCalendarViewSettings::ShowAsEntries() const
{
    if (m_kind != Kind::MultiDay)
        return {Tr("1 day")};
    QStringList entries;
    for (int days = 2; days <= 14; ++days)
        entries << Tr("%1 days").arg(days);
    entries << Tr("Work week");
    return entries;
}

QStringList CCalendarViewSettings::MonthShowAsEntries()
{
    QStringList entries{Tr("Full month")};
    for (int weeks = 1; weeks <= 10; ++weeks)
        entries << Tr("%1 weeks").arg(weeks);
    return entries;
}

QStringList CCalendarViewSettings::DisplayEntries()
{
    return {Tr("All days"), Tr("Weekdays only"), Tr("Weekends only")};
}

QStringList CCalendarViewSettings::TextModeEntries() { return {Tr("Single-line mode"), Tr("Multi-line mode")}; }

void CCalendarViewSettings::SetIncludeDueTasks(bool on)
{
    includeDueTasks = on;
    if (!on)
        includeCompletedTasks = false;
}

void CCalendarViewSettings::SetShowStartTime(bool on)
{
    showStartTime = on;
    if (!on)
        showEndTime = false;
}

void CCalendarViewSettings::SetTextMode(int index)
{
    textMode = UsesTextMode() ? std::clamp(index, 0, 1) : 1;
    if (textMode != 1)
        showNotes = false;
}

void CCalendarViewSettings::Load()
{
    const QString s = Section();
    auto get = [&s](const char *name, int def) { return GetProfileInt(s, QString::fromLatin1(name), def); };
    font.Load(s, m_kind == Kind::Day ? 10 : 8);
    customColors = CCustomColors::Load();
    background = COLORREF(get("CB3", int(kDefaultBackground)));
    m_firstDayOfWeek = GetProfileInt(ConstName::Common, ConstName::FDOW, 6);

    textMode = UsesTextMode() ? (get("OS", 1) != 0 ? 0 : 1) : 1;
    if (UsesTimeScale()) {
        timeScale = std::clamp(get("TimeScale", 4), 0, 5);
        workingTimeOnly = get("WTO", 0) != 0;
    }
    if (m_kind == Kind::MultiDay)
        showAs = get("WW", 0) != 0 ? kWorkWeekEntry : std::clamp(get("MDN", 5), 2, 14) - 2;
    if (m_kind == Kind::Week) {
        weekFromMonday = m_firstDayOfWeek == 0 || get("WE", 0) != 0;
        shadeWeekends = get("SWD", 0) != 0;
    }
    if (m_kind == Kind::Month) {
        monthShowAs = get("SM", 0) == 0 ? 0 : std::clamp(get("SW", 5), 1, 10);
        const bool weekdays = get("VWD", 1) != 0, weekends = get("VWE", 1) != 0;
        display = weekdays && !weekends ? 1 : (weekends && !weekdays ? 2 : 0);
        shadeWeekends = get("SWD", 0) != 0;
    }
    rememberFilter = get("SF", 0) != 0;
    includeDueTasks = get("STDD", 1) != 0;
    includeCompletedTasks = includeDueTasks && get("STC", 1) != 0;
    showIcons = get("SI", 0) != 0;
    showSymbols = get("SS", 1) != 0;
    showStartTime = get("ST", 0) != 0;
    showEndTime = showStartTime && get("ET", 0) != 0;
    showItemTypes = get("IT", 0) != 0;
    showCategories = get("CG", 0) != 0;
    showNotes = textMode == 1 && get("SN", 0) != 0;
}

bool CCalendarViewSettings::Save()
{
    const QString s = Section();
    // What the view draws with before OK, with the defaults the views read.
    std::map<QString, std::pair<int, int>> before;
    for (const auto &[name, def] : kChangeValues)
        before[QString::fromLatin1(name)] = {GetProfileInt(s, QString::fromLatin1(name), def), def};

    auto put = [&s](const char *name, int value) { WriteProfileInt(s, QString::fromLatin1(name), value); };
    font.Save(s);
    CCustomColors::Save(customColors);
    put("CB3", int(background));
    if (UsesTextMode())
        put("OS", textMode == 0 ? 1 : 0);
    if (UsesTimeScale()) {
        put("TimeScale", std::clamp(timeScale, 0, 5));
        put("WTO", workingTimeOnly ? 1 : 0);
    }
    if (m_kind == Kind::MultiDay) {
        const bool workWeek = showAs == kWorkWeekEntry;
        put("MDN", workWeek ? 5 : std::clamp(showAs, 0, 12) + 2);
        put("WW", workWeek ? 1 : 0);
    }
    if (m_kind == Kind::Week) {
        put("WE", weekFromMonday || m_firstDayOfWeek == 0 ? 1 : 0);
        put("SWD", shadeWeekends ? 1 : 0);
    }
    if (m_kind == Kind::Month) {
        const bool weeks = monthShowAs != 0;
        put("SM", weeks ? 1 : 0);
        if (weeks)
            put("SW", std::clamp(monthShowAs, 1, 10));
        put("VWD", display == 0 || display == 1 ? 1 : 0);
        put("VWE", display == 0 || display == 2 ? 1 : 0);
        put("SWD", shadeWeekends ? 1 : 0);
    }
    put("SF", rememberFilter ? 1 : 0);
    put("STDD", includeDueTasks ? 1 : 0);
    put("STC", includeDueTasks && includeCompletedTasks ? 1 : 0);
    put("SI", showIcons ? 1 : 0);
    put("SS", showSymbols ? 1 : 0);
    put("ST", showStartTime ? 1 : 0);
    put("ET", showStartTime && showEndTime ? 1 : 0);
    put("IT", showItemTypes ? 1 : 0);
    put("CG", showCategories ? 1 : 0);
    put("SN", textMode == 1 && showNotes ? 1 : 0);

    if (m_kind == Kind::Day || m_kind == Kind::MultiDay)
        return true;
    for (const auto &[name, stored] : before)
        if (GetProfileInt(s, name, stored.second) != stored.first)
            return true;
    return false;
}
