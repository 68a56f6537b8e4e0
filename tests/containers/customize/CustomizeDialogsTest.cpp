// The customisation dialogs as a person uses them: controls shown per view, the dependent boxes,
// OK writing and Cancel writing nothing; and their renders.
#include "common/TempProfile.h"
#include "containers/customize/CustomizeCalendarViewDlg.h"
#include "containers/customize/CustomizeDateNavigatorDlg.h"
#include "containers/customize/CustomizeListViewDlg.h"
#include "containers/customize/CustomizeParts.h"
#include "containers/customize/CustomizeYearViewDlg.h"
#include "containers/customize/FontChoice.h"
#include "containers/customize/FontSampleRow.h"
#include "containers/mainbase/WidgetRenders.h"
#include "core/system/ConstStrings.h"
#include "core/system/Profile.h"
#include "toolkit/controls/ColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
int Stored(const char *section, const char *name, int def = -1)
{
    return GetProfileInt(QString::fromLatin1(section), QString::fromLatin1(name), def);
}

// Scripted font and colour choices.
struct ScriptedChoosers
{
    ScriptedChoosers()
    {
        CFontSampleRow::SetChooser([this](CFontChoice &font, QWidget *) {
            font.Set(QStringLiteral("Serif"), points, false, false);
            return true;
        });
        CCustomizeParts::SetColorChooser([this](COLORREF, CCustomColors::Colors *custom) -> std::optional<COLORREF> {
            if (custom)
                (*custom)[0] = 0x00ABCDEF;
            return colour;
        });
    }
    ~ScriptedChoosers()
    {
        CFontSampleRow::SetChooser({});
        CCustomizeParts::SetColorChooser({});
    }
    int points = 30;
    COLORREF colour = 0x000080FF;
};
} // namespace

TEST(CustomizeCalendarViewDlg, ShowsTheControlsOfItsView)
{
    TempProfile profile;
    CCustomizeCalendarViewDlg day(ConstName::Day);
    EXPECT_EQ(day.windowTitle(), QStringLiteral("Customize Day View"));
    ASSERT_NE(day.TimeScale(), nullptr);
    EXPECT_FALSE(day.ShowAs()->isEnabled());
    EXPECT_FALSE(day.TextMode()->isEnabled());
    EXPECT_EQ(day.TextMode()->currentText(), QStringLiteral("Multi-line mode"));
    EXPECT_EQ(day.Box("WE"), nullptr);
    EXPECT_EQ(day.MonthShowAs(), nullptr);

    CCustomizeCalendarViewDlg month(ConstName::Month);
    EXPECT_EQ(month.windowTitle(), QStringLiteral("Customize Month View"));
    EXPECT_EQ(month.TimeScale(), nullptr);
    ASSERT_NE(month.MonthShowAs(), nullptr);
    EXPECT_TRUE(month.TextMode()->isEnabled());
    // Single-line mode (the default) clears and disables "Show notes".
    EXPECT_EQ(month.TextMode()->currentIndex(), 0);
    EXPECT_FALSE(month.Box("SN")->isEnabled());
    month.TextMode()->setCurrentIndex(1);
    EXPECT_TRUE(month.Box("SN")->isEnabled());

    // Unchecking a master box clears and disables its dependant.
    month.Box("STDD")->setChecked(false);
    EXPECT_FALSE(month.Box("STC")->isChecked());
    EXPECT_FALSE(month.Box("STC")->isEnabled());
}

TEST(CustomizeCalendarViewDlg, OkWritesAndCancelDoesNot)
{
    TempProfile profile;
    ScriptedChoosers choosers;
    {
        CCustomizeCalendarViewDlg multi(ConstName::MDay);
        multi.ShowAs()->setCurrentIndex(CCalendarViewSettings::kWorkWeekEntry);
        multi.FontRow()->Choose();
        EXPECT_EQ(multi.FontRow()->Sample()->text(), QStringLiteral("Serif (24 pt.)"));
        multi.reject();
    }
    EXPECT_EQ(Stored("MDay", "WW"), -1);
    EXPECT_FALSE(profile.Profile().HasValue(QStringLiteral("MDay"), QStringLiteral("Font")));

    CCustomizeCalendarViewDlg multi(ConstName::MDay);
    multi.ShowAs()->setCurrentIndex(CCalendarViewSettings::kWorkWeekEntry);
    multi.FontRow()->Choose();
    multi.accept();
    EXPECT_TRUE(multi.IsChanged());
    EXPECT_EQ(Stored("MDay", "WW"), 1);
    EXPECT_EQ(Stored("MDay", "MDN"), 5);
    CCalendarViewSettings again(CCalendarViewSettings::Kind::MultiDay);
    again.Load();
    EXPECT_EQ(again.font.Points(), 24);

    CCustomizeCalendarViewDlg week(ConstName::Week);
    week.accept();
    EXPECT_FALSE(week.IsChanged());
}

TEST(CustomizeDateNavigatorDlg, DefaultColourBoxGovernsItsDependants)
{
    TempProfile profile;
    ScriptedChoosers choosers;
    choosers.points = 30;
    CCustomizeDateNavigatorDlg dialog;
    EXPECT_TRUE(dialog.UseFilters()->isEnabled());
    dialog.BusyDefault()->setChecked(false);
    EXPECT_FALSE(dialog.UseFilters()->isChecked());
    EXPECT_FALSE(dialog.ItemTypeColors()->isEnabled());
    EXPECT_FALSE(dialog.BusyColor()->isEnabled());
    dialog.BusyDefault()->setChecked(true);
    dialog.BusyColor()->click();
    EXPECT_EQ(dialog.BusyColor()->GetColor(), 0x000080FFu);
    dialog.FontRow()->Choose();
    EXPECT_EQ(dialog.Settings().font.Points(), 18);
    dialog.accept();
    EXPECT_TRUE(dialog.IsChanged());
    EXPECT_EQ(Stored("Calendar", "CY"), 0x000080FF);
    EXPECT_EQ(CCustomColors::Load()[0], 0x00ABCDEFu);
}

TEST(CustomizeListViewDlg, BoxesPerListAndTheFieldChooser)
{
    TempProfile profile;
    int fieldRuns = 0;
    CCustomizeListViewDlg pad(ConstName::TaskPad, [&fieldRuns](QWidget *) { ++fieldRuns; });
    EXPECT_EQ(pad.windowTitle(), QStringLiteral("Customize TaskPad View"));
    EXPECT_TRUE(pad.RememberFilter()->isHidden());
    EXPECT_FALSE(pad.UseFilters()->isHidden());
    pad.FieldsButton()->click();
    EXPECT_EQ(fieldRuns, 1);
    pad.UseFilters()->setChecked(true);
    pad.accept();
    EXPECT_EQ(Stored("TaskPad", "UF"), 1);

    CCustomizeListViewDlg search(ConstName::ListF, nullptr);
    EXPECT_FALSE(search.RememberFilter()->isEnabled());
    EXPECT_TRUE(search.UseFilters()->isHidden());
    EXPECT_FALSE(search.FieldsButton()->isEnabled());
}

TEST(CustomizeYearViewDlg, OkWritesItsValues)
{
    TempProfile profile;
    CCustomizeYearViewDlg dialog;
    dialog.Autosizing()->setChecked(false);
    dialog.accept();
    EXPECT_EQ(Stored("Year", "AS"), 0);
    EXPECT_EQ(Stored("Year", "SWN"), 1);
}

TEST(CustomizeDialogs, Renders)
{
    TempProfile profile;
    WriteProfileInt(QStringLiteral("Month"), QStringLiteral("OS"), 0);
    CCustomizeCalendarViewDlg day(ConstName::Day), multi(ConstName::MDay), week(ConstName::Week),
        month(ConstName::Month);
    RenderWidget(day, "customize_day");
    RenderWidget(multi, "customize_multiday");
    RenderWidget(week, "customize_week");
    RenderWidget(month, "customize_month");
    CCustomizeListViewDlg list(ConstName::List, [](QWidget *) {}), pad(ConstName::TaskPad, [](QWidget *) {});
    RenderWidget(list, "customize_eventlist");
    RenderWidget(pad, "customize_taskpad");
    CCustomizeYearViewDlg year;
    RenderWidget(year, "customize_year");
    CCustomizeDateNavigatorDlg navigator;
    RenderWidget(navigator, "customize_datenavigator");
}
