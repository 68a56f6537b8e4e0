// The settings models of the view customisation dialogs, on a temporary profile.
#include "common/TempProfile.h"
#include "containers/customize/CalendarViewSettings.h"
#include "containers/customize/CustomColors.h"
#include "containers/customize/DateNavigatorSettings.h"
#include "containers/customize/ListViewSettings.h"
#include "containers/customize/YearViewSettings.h"
#include "core/system/Profile.h"

#include <gtest/gtest.h>

namespace {
using Kind = CCalendarViewSettings::Kind;

int Stored(const char *section, const char *name, int def = -1)
{
    return GetProfileInt(QString::fromLatin1(section), QString::fromLatin1(name), def);
}
void Store(const char *section, const char *name, int value)
{
    WriteProfileInt(QString::fromLatin1(section), QString::fromLatin1(name), value);
}
} // namespace

TEST(CalendarViewSettings, MultiDayShowAsWritesDaysAndWorkWeek)
{
    TempProfile profile;
    CCalendarViewSettings s(Kind::MultiDay);
    s.Load();
    EXPECT_EQ(s.ShowAsEntries().size(), 14);
    EXPECT_EQ(s.ShowAsEntries().back(), QStringLiteral("Work week"));
    s.showAs = CCalendarViewSettings::kWorkWeekEntry;
    s.Save();
    EXPECT_EQ(Stored("MDay", "MDN"), 5);
    EXPECT_EQ(Stored("MDay", "WW"), 1);

    s.Load();
    EXPECT_EQ(s.showAs, CCalendarViewSettings::kWorkWeekEntry);
    s.showAs = 1; // "3 days"
    s.Save();
    EXPECT_EQ(Stored("MDay", "MDN"), 3);
    EXPECT_EQ(Stored("MDay", "WW"), 0);
}

TEST(CalendarViewSettings, StoredValuesOutOfRangeShowTheNearestEntry)
{
    TempProfile profile;
    Store("Day", "TimeScale", 9);
    Store("Month", "SM", 1);
    Store("Month", "SW", 0);
    Store("MDay", "MDN", 40);
    CCalendarViewSettings day(Kind::Day), month(Kind::Month), multi(Kind::MultiDay);
    day.Load();
    month.Load();
    multi.Load();
    EXPECT_EQ(CCalendarViewSettings::TimeScaleEntries().at(day.timeScale), QStringLiteral("60 minutes"));
    EXPECT_EQ(CCalendarViewSettings::MonthShowAsEntries().at(month.monthShowAs), QStringLiteral("1 weeks"));
    EXPECT_EQ(multi.ShowAsEntries().at(multi.showAs), QStringLiteral("14 days"));
    // The Day view shows one day, fixed.
    EXPECT_EQ(day.ShowAsEntries(), QStringList{QStringLiteral("1 day")});
    EXPECT_FALSE(day.ShowAsEnabled());
}

TEST(CalendarViewSettings, MonthWritesWeeksOnlyWithWeeksChosen)
{
    TempProfile profile;
    Store("Month", "SW", 7);
    CCalendarViewSettings s(Kind::Month);
    s.Load();
    EXPECT_EQ(s.monthShowAs, 0);
    s.Save();
    EXPECT_EQ(Stored("Month", "SM"), 0);
    EXPECT_EQ(Stored("Month", "SW"), 7); // left as stored
    s.monthShowAs = 3;
    s.display = 2;
    s.Save();
    EXPECT_EQ(Stored("Month", "SM"), 1);
    EXPECT_EQ(Stored("Month", "SW"), 3);
    EXPECT_EQ(Stored("Month", "VWD"), 0);
    EXPECT_EQ(Stored("Month", "VWE"), 1);
}

TEST(CalendarViewSettings, ChangedFlagRules)
{
    TempProfile profile;
    // Week and Month: OK without a change leaves it clear, also before anything is stored.
    for (Kind kind : {Kind::Week, Kind::Month}) {
        CCalendarViewSettings s(kind);
        s.Load();
        EXPECT_FALSE(s.Save());
        s.Load();
        EXPECT_FALSE(s.Save());
    }
    // The Day and Multi-day views always reload.
    for (Kind kind : {Kind::Day, Kind::MultiDay}) {
        CCalendarViewSettings s(kind);
        s.Load();
        EXPECT_TRUE(s.Save());
    }
    // "SF" and the font alone do not count; a shown value does.
    CCalendarViewSettings week(Kind::Week);
    week.Load();
    week.rememberFilter = true;
    week.font.Set(QStringLiteral("Serif"), 14, true, false);
    EXPECT_FALSE(week.Save());
    week.Load();
    week.shadeWeekends = true;
    EXPECT_TRUE(week.Save());
    week.Load();
    week.SetTextMode(1);
    EXPECT_TRUE(week.Save());
}

TEST(CalendarViewSettings, DependentBoxesClearWithTheirMaster)
{
    TempProfile profile;
    CCalendarViewSettings s(Kind::Week);
    s.Load();
    s.SetShowStartTime(true);
    s.showEndTime = true;
    s.SetTextMode(1);
    s.showNotes = true;
    s.SetIncludeDueTasks(false);
    EXPECT_FALSE(s.includeCompletedTasks);
    EXPECT_FALSE(s.CompletedTasksEnabled());
    s.SetTextMode(0);
    EXPECT_FALSE(s.showNotes);
    EXPECT_FALSE(s.NotesEnabled());
    s.SetShowStartTime(false);
    EXPECT_FALSE(s.showEndTime);
    s.Save();
    EXPECT_EQ(Stored("Week", "STC"), 0);
    EXPECT_EQ(Stored("Week", "ET"), 0);
    EXPECT_EQ(Stored("Week", "SN"), 0);
    EXPECT_EQ(Stored("Week", "OS"), 1);
}

TEST(CalendarViewSettings, WeekFromMondayIsFixedWhenTheWeekStartsOnMonday)
{
    TempProfile profile;
    Store("Common", "FDOW", 0);
    CCalendarViewSettings s(Kind::Week);
    s.Load();
    EXPECT_TRUE(s.weekFromMonday);
    EXPECT_FALSE(s.WeekFromMondayEnabled());
    Store("Common", "FDOW", 6);
    s.Load();
    EXPECT_FALSE(s.weekFromMonday);
    EXPECT_TRUE(s.WeekFromMondayEnabled());
}

TEST(CustomColors, Only64BytesReplaceTheWhiteColours)
{
    TempProfile profile;
    for (int size : {0, 16, 63, 65, 128}) {
        WriteProfileBinary(QStringLiteral("Common"), QStringLiteral("CCS"), QByteArray(size, '\x11'));
        EXPECT_EQ(CCustomColors::Load(), CCustomColors::White()) << size;
    }
    CCustomColors::Colors colors = CCustomColors::White();
    colors[0] = 0x000000FF;
    colors[15] = 0x00123456;
    CCalendarViewSettings s(Kind::Day);
    s.Load();
    s.customColors = colors;
    s.Save();
    QByteArray stored;
    ASSERT_TRUE(GetProfileBinary(QStringLiteral("Common"), QStringLiteral("CCS"), stored));
    EXPECT_EQ(stored.size(), 64);
    EXPECT_EQ(stored.left(4), QByteArray::fromHex("ff000000"));
    EXPECT_EQ(CCustomColors::Load(), colors);
}

TEST(FontChoice, SizesStayInTheDialogsRange)
{
    TempProfile profile;
    struct Case
    {
        int min, max, chosen, expected;
    } cases[] = {{6, 24, 30, 24}, {6, 24, 4, 6}, {6, 24, 12, 12}, {6, 18, 24, 18}, {6, 18, 18, 18}};
    for (const Case &c : cases) {
        CFontChoice font(c.min, c.max);
        font.Set(QStringLiteral("Sans"), c.chosen, false, false);
        EXPECT_EQ(font.Points(), c.expected) << c.chosen;
    }
    CCalendarViewSettings day(Kind::Day), week(Kind::Week);
    day.Load();
    week.Load();
    EXPECT_EQ(day.font.Points(), 10);
    EXPECT_EQ(week.font.Points(), 8);
    CDateNavigatorSettings navigator(0);
    EXPECT_EQ(navigator.font.MaxPoints(), 18);
    EXPECT_EQ(day.font.MaxPoints(), 24);
    // Written in points and read back the same.
    day.font.Set(QStringLiteral("Serif"), 13, true, true);
    day.Save();
    day.Load();
    EXPECT_EQ(day.font.Points(), 13);
    EXPECT_TRUE(day.font.IsBold());
    EXPECT_EQ(day.font.SampleText(), QStringLiteral("Serif (13 pt.)"));
}

TEST(ListViewSettings, RememberFilterAndUseFiltersPerList)
{
    TempProfile profile;
    Store("ListF", "SF", 0);
    CListViewSettings search(CListViewSettings::Kind::Search);
    search.Load();
    EXPECT_FALSE(search.RememberFilterEnabled());
    search.rememberFilter = true;
    search.Save();
    EXPECT_EQ(Stored("ListF", "SF"), 0); // never written for Search Results

    CListViewSettings pad(CListViewSettings::Kind::TaskPad);
    pad.Load();
    EXPECT_FALSE(pad.ShowsRememberFilter());
    EXPECT_TRUE(pad.ShowsUseFilters());
    pad.useFilters = true;
    pad.standardSelection = false;
    pad.Save();
    EXPECT_EQ(Stored("TaskPad", "UF"), 1);
    EXPECT_EQ(Stored("TaskPad", "STDS"), 0);
    EXPECT_EQ(Stored("TaskPad", "SF"), -1);

    CListViewSettings::Kind kind;
    EXPECT_FALSE(CListViewSettings::KindForSection(34, kind));
    ASSERT_TRUE(CListViewSettings::KindForSection(41, kind));
    EXPECT_EQ(CListViewSettings(kind).TitleSuffix(), QStringLiteral("Task View"));
}

TEST(YearViewSettings, DefaultsAndRoundTrip)
{
    TempProfile profile;
    CYearViewSettings year(0x00FF8000);
    year.Load();
    EXPECT_TRUE(year.weekNumbers);
    EXPECT_TRUE(year.autosizing);
    EXPECT_EQ(year.busyColor, 0x00FF8000u);
    EXPECT_EQ(year.background, 0xFF000000u);
    year.autosizing = false;
    year.busyColor = 0x000000FF;
    year.Save();
    CYearViewSettings again(0);
    again.Load();
    EXPECT_FALSE(again.autosizing);
    EXPECT_EQ(again.busyColor, 0x000000FFu);
}

TEST(DateNavigatorSettings, ClearingTheDefaultColourKeepsItsValuesAsStored)
{
    TempProfile profile;
    Store("Calendar", "UF", 1);
    Store("Calendar", "CY", 0x123456);
    Store("Calendar", "ITC", 1);
    CDateNavigatorSettings s(0);
    s.Load();
    s.SetBusyDefault(false);
    EXPECT_FALSE(s.useFilters);
    EXPECT_FALSE(s.itemTypeColors);
    EXPECT_TRUE(s.Save());
    EXPECT_EQ(Stored("Calendar", "BD"), 0);
    EXPECT_EQ(Stored("Calendar", "UF"), 1);
    EXPECT_EQ(Stored("Calendar", "CY"), 0x123456);
    EXPECT_EQ(Stored("Calendar", "ITC"), 1);
}

TEST(DateNavigatorSettings, ChangeFlagCountsValuesThenTheFont)
{
    TempProfile profile;
    CDateNavigatorSettings s(0);
    s.Load();
    EXPECT_FALSE(s.Save());
    s.Load();
    EXPECT_FALSE(s.Save());
    s.Load();
    s.weekNumbers = false;
    EXPECT_TRUE(s.Save());
    s.Load();
    s.font.Set(s.font.Face(), s.font.Points() + 2, false, false);
    EXPECT_TRUE(s.Save());
    s.Load();
    s.font.Set(s.font.Face(), s.font.Points(), false, true);
    EXPECT_TRUE(s.Save());
}
