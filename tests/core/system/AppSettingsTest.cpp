#include "core/system/AppSettings.h"
#include "common/TempProfile.h"
#include "core/dates/WeekRules.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
AppSettingsEnvironment Environment(std::optional<int> firstDay = 0, std::optional<int> firstWeek = 0)
{
    AppSettingsEnvironment env;
    env.locale.firstDayOfWeek = firstDay;
    env.locale.firstWeekOfYear = firstWeek;
    return env;
}

AppSettings LoadFresh(const CProfile &profile, const AppSettingsEnvironment &env = Environment())
{
    AppSettings s;
    s.Load(profile, env);
    return s;
}

void Store(CProfile &p, const char *name, int value)
{
    p.WriteInt(QStringLiteral("Common"), QString::fromLatin1(name), value);
}
} // namespace

TEST(AppSettingsTest, DefaultsOfAnEmptyProfile)
{
    TempProfile temp;
    const AppSettings s = LoadFresh(temp.Profile(), Environment(3, 2));
    const struct
    {
        const char *name;
        int actual;
        int expected;
    } cases[] = {
        {"SoundE", s.soundOn, 1},
        {"WD", s.workDays, 127},
        {"FWOY", s.weekOfYearRule, 1},
        {"FDOW", s.firstDayOfWeek, 3},
        {"MWHM", s.hideWhenMinimised, 0},
        {"MWMX", s.exitOnClose, 0},
        {"HDB", s.hideDeleteForRecurring, 0},
        {"AOT", s.remindersTopmost, 0},
        {"GTF", s.remindersTakeFocus, 0},
        {"BTT", s.bringRemindersToTop, 1},
        {"ASQO", s.askOccurrenceOnOpen, 1},
        {"ASQOT", s.askOccurrenceOnOpenTask, 0},
        {"ASQM", s.confirmMove, 0},
        {"ASQD", s.confirmDelete, 1},
        {"SMR", s.skipMinimisedReminders, 1},
        {"NEAD", s.newEventsAllDay, 0},
        {"NNF", s.newItemsWithoutReminder, 0},
        {"UFUS", s.followSessionChanges, 1},
        {"OTI", s.alternateTrayIcons, 0},
        {"WTS", s.workStart, 8 * 65536},
        {"WTE", s.workEnd, 17 * 65536},
        {"ALA", s.timeRangeTexts, 1},
        {"SN", s.detailedItems, 1},
        {"nohide", s.noHide, 0},
        {"OROA", s.openReadOnly, 0},
        {"STB", s.subjectInCaption, 1},
        {"USB", s.stopSoundAllowed, 1},
        {"UAM", s.itemTypeMenusFirst, 0},
        {"STSD", s.tasksOverStartToDue, 1},
        {"DD", s.defaultDurationMinutes, 30},
        {"DS", s.defaultLeadMinutes, 15},
        {"UWITC", s.nonWorkDayTextColour, 0},
        {"UWSHC", s.nonWorkDayShadow, 0},
        {"U3L", s.typePrefixShortcut, 0},
        {"UCLW", s.eventListFlag, 1},
        {"RWCX", s.reminderCascadeX, 38},
        {"RWCY", s.reminderCascadeY, 19},
        {"RWCM", s.remindersOnOtherMonitor, 0},
        {"RWCN", s.reminderMonitor, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST(AppSettingsTest, StoredValuesAreLimitedOnLoad)
{
    const struct
    {
        const char *name;
        int stored;
        int AppSettings::*field;
        int expected;
    } cases[] = {
        {"DD", 0, &AppSettings::defaultDurationMinutes, 1},
        {"DD", 1000, &AppSettings::defaultDurationMinutes, 720},
        {"DD", 720, &AppSettings::defaultDurationMinutes, 720},
        {"DD", -1, &AppSettings::defaultDurationMinutes, 720},
        {"DS", 0, &AppSettings::defaultLeadMinutes, 1},
        {"DS", 600000, &AppSettings::defaultLeadMinutes, 527040},
        {"DS", 527040, &AppSettings::defaultLeadMinutes, 527040},
        {"RWCX", 2, &AppSettings::reminderCascadeX, 4},
        {"RWCX", 100, &AppSettings::reminderCascadeX, 62},
        {"RWCX", -3, &AppSettings::reminderCascadeX, 4},
        {"RWCY", 1, &AppSettings::reminderCascadeY, 4},
        {"RWCY", 63, &AppSettings::reminderCascadeY, 62},
        {"WD", 0x1FE, &AppSettings::workDays, 0x7E},
        {"FDOW", 7, &AppSettings::firstDayOfWeek, 6},
        {"FDOW", -1, &AppSettings::firstDayOfWeek, 6},
        {"FDOW", 0, &AppSettings::firstDayOfWeek, 0},
        {"FWOY", 3, &AppSettings::weekOfYearRule, 2},
        {"FWOY", -1, &AppSettings::weekOfYearRule, 2},
        {"FWOY", 0, &AppSettings::weekOfYearRule, 0},
    };
    for (const auto &c : cases) {
        TempProfile temp;
        Store(temp.Profile(), c.name, c.stored);
        const AppSettings s = LoadFresh(temp.Profile(), Environment(4, 1));
        EXPECT_EQ(s.*c.field, c.expected) << c.name << " stored as " << c.stored;
    }
}

TEST(AppSettingsTest, WorkTimeIsTakenOnlyAsAValidPair)
{
    const int h = 65536;
    const struct
    {
        int start;
        int end;
        bool taken;
    } cases[] = {
        {9 * h, 18 * h + 30, true},  // an ordinary day
        {9 * h, 9 * h, true},        // start equal to end is allowed
        {18 * h, 9 * h, false},      // end before start
        {8 * h + 60, 17 * h, false}, // minute 60
        {8 * h, 17 * h + 75, false}, // minute 75
        {8 * h, 24 * h, false},      // hour 24
        {-1, 17 * h, false},         // negative start
    };
    for (const auto &c : cases) {
        TempProfile temp;
        Store(temp.Profile(), "WTS", c.start);
        Store(temp.Profile(), "WTE", c.end);
        const AppSettings s = LoadFresh(temp.Profile());
        EXPECT_EQ(s.workStart, c.taken ? c.start : 8 * h) << c.start << "-" << c.end;
        EXPECT_EQ(s.workEnd, c.taken ? c.end : 17 * h) << c.start << "-" << c.end;
    }

    // A rejected pair leaves the previous values, not the built-in ones.
    TempProfile temp;
    AppSettings s;
    s.workStart = 7 * h;
    s.workEnd = 15 * h;
    Store(temp.Profile(), "WTS", 18 * h);
    Store(temp.Profile(), "WTE", 9 * h);
    s.Load(temp.Profile(), Environment());
    EXPECT_EQ(s.workStart, 7 * h);
    EXPECT_EQ(s.workEnd, 15 * h);
}

TEST(AppSettingsTest, FocusTakingRemindersAreNeverBroughtToTop)
{
    TempProfile temp;
    Store(temp.Profile(), "BTT", 1);
    Store(temp.Profile(), "GTF", 1);
    EXPECT_EQ(LoadFresh(temp.Profile()).bringRemindersToTop, 0);
    Store(temp.Profile(), "GTF", 0);
    Store(temp.Profile(), "BTT", 0);
    EXPECT_EQ(LoadFresh(temp.Profile()).bringRemindersToTop, 0);
}

TEST(AppSettingsTest, NoHideSwitchWinsOverTheStoredValue)
{
    TempProfile temp;
    Store(temp.Profile(), "nohide", 0);
    AppSettingsEnvironment env = Environment();
    env.noHideSwitch = true;
    EXPECT_EQ(LoadFresh(temp.Profile(), env).noHide, 1);
    env.noHideSwitch = false;
    EXPECT_EQ(LoadFresh(temp.Profile(), env).noHide, 0);
    Store(temp.Profile(), "nohide", 1);
    EXPECT_EQ(LoadFresh(temp.Profile(), env).noHide, 1);
}

TEST(AppSettingsTest, CaptionDefaultFollowsComposition)
{
    TempProfile temp;
    AppSettingsEnvironment env = Environment();
    env.compositionOn = true;
    AppSettings s = LoadFresh(temp.Profile(), env);
    EXPECT_EQ(s.subjectInCaption, 0);
    s.ReloadCaptionSetting(temp.Profile(), false);
    EXPECT_EQ(s.subjectInCaption, 1);
    Store(temp.Profile(), "STB", 0);
    s.ReloadCaptionSetting(temp.Profile(), false);
    EXPECT_EQ(s.subjectInCaption, 0);
}

TEST(AppSettingsTest, LocaleWeekDefaults)
{
    const struct
    {
        std::optional<int> day;
        int expectedDay;
    } days[] = {{std::nullopt, 0}, {-2, 0}, {0, 0}, {6, 6}, {9, 6}};
    for (const auto &c : days) {
        LocaleWeekInfo info;
        info.firstDayOfWeek = c.day;
        EXPECT_EQ(DefaultFirstDayOfWeek(info), c.expectedDay) << c.day.value_or(-99);
    }

    const struct
    {
        std::optional<int> week;
        int expectedRule;
    } weeks[] = {{std::nullopt, 0}, {-1, 0}, {0, 0}, {1, 2}, {2, 1}, {5, 1}};
    for (const auto &c : weeks) {
        LocaleWeekInfo info;
        info.firstWeekOfYear = c.week;
        EXPECT_EQ(DefaultWeekOfYearRule(info), c.expectedRule) << c.week.value_or(-99);
    }

    // Qt's weekday numbering starts at Monday 1; ours at Monday 0. Germany counts weeks by the
    // four-day rule, the United States from the week of 1 January.
    const LocaleWeekInfo german = LocaleWeekInfo::FromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.firstDayOfWeek, 0);
    EXPECT_EQ(german.firstWeekOfYear, 2);
    const LocaleWeekInfo us = LocaleWeekInfo::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.firstDayOfWeek, 6);
    EXPECT_EQ(us.firstWeekOfYear, 0);
}

TEST(AppSettingsCalendarRules, LoadedValuesReachTheDateRules)
{
    const int mask = GetWorkWeekMask(), first = GetFirstDayOfWeek(), rule = GetWeekOfYearRule();
    AppSettings settings;
    settings.workDays = 0x3E; // Monday..Friday
    settings.firstDayOfWeek = 6;
    settings.weekOfYearRule = 2;
    ApplyCalendarRules(settings);
    EXPECT_EQ(CountWorkDays(), 5);
    EXPECT_EQ(GetFirstDayOfWeek(), 6);
    EXPECT_EQ(GetWeekOfYearRule(), 2);
    EXPECT_FALSE(IsWorkDayByIndex(0)); // Sunday leads the week
    SetWorkWeekMask(mask);
    SetFirstDayOfWeek(first);
    SetWeekOfYearRule(rule);
}
