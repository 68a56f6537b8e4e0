// The find bar: its history rules (newest first, unique without regard to case, at most 15,
// kept across a restart), the criteria it hands over, the changed-label marks and focus leaving
// by Tab.
#include "../ToolkitRender.h"
#include "common/TempProfile.h"
#include "toolkit/bars/DateFieldFactory.h"
#include "toolkit/bars/FindBar.h"
#include "toolkit/navigator/DatePickerCtrl.h"

#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(FindHistory, AddRules)
{
    CFindHistory history;
    EXPECT_EQ(history.Add(""), -1);
    history.Add("meeting");
    history.Add("lunch");
    // An older entry in another spelling moves to the top in the new spelling.
    EXPECT_EQ(history.Add("Meeting"), 0);
    EXPECT_EQ(history.ListRows(), QStringList({"Meeting", "lunch"}));
    // The newest entry in another spelling is only selected.
    EXPECT_EQ(history.Add("MEETING"), 0);
    EXPECT_EQ(history.ListRows(), QStringList({"Meeting", "lunch"}));

    for (int i = 1; i <= 14; ++i)
        history.Add(QStringLiteral("text %1").arg(i));
    ASSERT_EQ(history.Entries().size(), CFindHistory::kMaxEntries);
    EXPECT_EQ(history.Entries().front(), "Meeting"); // "lunch", the oldest, was dropped
    EXPECT_EQ(history.ListRows().front(), "text 14");
}

TEST(FindHistory, KeptInTheSettingsOldestFirst)
{
    TempProfile profile;
    CFindHistory history;
    for (int i = 1; i <= 16; ++i)
        history.Add(QStringLiteral("search %1").arg(i));
    history.Save(profile.Profile());
    EXPECT_EQ(profile.Profile().GetString("Search", "Item1"), "search 2");
    EXPECT_EQ(profile.Profile().GetString("Search", "Item15"), "search 16");
    EXPECT_FALSE(profile.Profile().HasValue("Search", "Item16"));

    // An empty value ends loading, even with later values present.
    profile.Profile().WriteString("Search", "Item3", "");
    CFindHistory loaded;
    loaded.Load(profile.Profile());
    EXPECT_EQ(loaded.Entries(), QStringList({"search 2", "search 3"}));
    // Saving a shorter history leaves no stale values behind.
    loaded.Save(profile.Profile());
    EXPECT_FALSE(profile.Profile().HasValue("Search", "Item4"));
}

class FindBarTest : public ::testing::Test
{
  protected:
    FindBarTest() { UseMenuLookStyle(); }
    TempProfile profile;
};

TEST_F(FindBarTest, HistorySurvivesARestartNewestFirst)
{
    {
        CFindBar bar;
        bar.InitControls();
        for (const char *text : {"dentist", "Lunch", "review", "lunch"})
            bar.AddToHistory(text);
        EXPECT_EQ(bar.SearchCombo()->count(), 3);
        EXPECT_EQ(bar.SearchCombo()->itemText(0), "lunch");
        EXPECT_EQ(bar.SearchCombo()->currentIndex(), 0);
        for (int i = 0; i < 20; ++i)
            bar.AddToHistory(QStringLiteral("Text %1").arg(i));
    }
    CFindBar again;
    again.InitControls();
    ASSERT_EQ(again.SearchCombo()->count(), CFindHistory::kMaxEntries);
    EXPECT_EQ(again.SearchCombo()->itemText(0), "Text 19");
    EXPECT_EQ(again.SearchCombo()->itemText(14), "Text 5");
}

TEST_F(FindBarTest, CriteriaAndChangedLabels)
{
    CFindBar bar;
    bar.InitControls();
    CDateTime start(2020, 1, 1), end(2020, 1, 1);
    bar.SearchCombo()->setEditText("budget");
    EXPECT_EQ(bar.GetSearchCriteria(start, end), "budget");
    EXPECT_TRUE(start.IsNull());
    EXPECT_TRUE(end.IsNull());
    EXPECT_TRUE(bar.Label(CFindBar::kLookForLabel)->font().italic());
    EXPECT_FALSE(bar.Label(CFindBar::kStartLabel)->font().italic());

    SetDateFieldValue(bar.StartField(), CDateTime(2026, 3, 4, 15, 30));
    bar.GetSearchCriteria(start, end);
    EXPECT_EQ(start, CDateTime(2026, 3, 4));
    EXPECT_TRUE(bar.Label(CFindBar::kStartLabel)->font().italic());
    bar.SetLabelFonts();
    for (int id : {CFindBar::kLookForLabel, CFindBar::kStartLabel, CFindBar::kEndLabel}) {
        EXPECT_FALSE(bar.Label(id)->font().italic());
        EXPECT_TRUE(bar.Label(id)->font().bold());
    }

    // Both fields may hold no date: ticking a field's check makes its date count and marks
    // the label; a date out of range leaves the field as it was.
    auto *endPicker = qobject_cast<CDatePickerCtrl *>(bar.EndField());
    ASSERT_NE(endPicker, nullptr);
    EXPECT_TRUE(qobject_cast<CDatePickerCtrl *>(bar.StartField())->HasShowNone());
    ASSERT_TRUE(endPicker->HasShowNone());
    EXPECT_FALSE(endPicker->NoneBox()->isChecked());
    endPicker->NoneBox()->click();
    EXPECT_TRUE(bar.Label(CFindBar::kEndLabel)->font().italic());
    bar.GetSearchCriteria(start, end);
    EXPECT_TRUE(end.IsValid());
    SetDateFieldValue(bar.EndField(), CDateTime(2026, 5, 6));
    SetDateFieldValue(bar.EndField(), CDateTime(1752, 12, 31));
    bar.GetSearchCriteria(start, end);
    EXPECT_EQ(end, CDateTime(2026, 5, 6));
    SetDateFieldValue(bar.StartField(), CDateTime::Null());
    bar.GetSearchCriteria(start, end);
    EXPECT_TRUE(start.IsNull());

    // Longer texts are cut to the field's limit.
    bar.AddToHistory(QString(300, 'x'));
    EXPECT_EQ(bar.History().Entries().back().size(), CFindBar::kMaxTextLength);
}

TEST_F(FindBarTest, TabOnCloseLeavesTheBarAndButtonsSendTheirCommands)
{
    QWidget window;
    auto *bar = new CFindBar(&window);
    bar->InitControls();
    window.resize(700, 50);
    bar->resize(700, 40);
    QSignalSpy out(bar, &CFindBar::tabbedOut);
    QSignalSpy focus(bar, &CFindBar::focusTaken);
    QSignalSpy command(bar, &CFindBar::commandRequested);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    bar->FocusSearchText();
    EXPECT_GE(focus.count(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // plain Tab moves within the bar
    EXPECT_EQ(out.count(), 0);
    bar->CloseButton()->setFocus();
    QTest::keyClick(bar->CloseButton(), Qt::Key_Tab);
    EXPECT_EQ(out.count(), 1);
    QTest::keyClick(bar->SearchCombo()->lineEdit(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(out.count(), 2);
    // The parts of a date field leave the bar on Ctrl+Tab too.
    auto *startPicker = qobject_cast<CDatePickerCtrl *>(bar->StartField());
    ASSERT_NE(startPicker, nullptr);
    QTest::keyClick(startPicker->NoneBox(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(out.count(), 3);

    QTest::mouseClick(bar->FindNowButton(), Qt::LeftButton);
    QTest::mouseClick(bar->CloseButton(), Qt::LeftButton);
    ASSERT_EQ(command.count(), 2);
    EXPECT_EQ(command[0][0].toInt(), CFindBar::kCmdFindNow);
    EXPECT_EQ(command[1][0].toInt(), CFindBar::kCmdClose);

    bar->AddToHistory("Meeting");
    bar->SearchCombo()->setEditText("Meeting");
    SetDateFieldValue(bar->StartField(), CDateTime(2026, 3, 4)); // one field with a date, one without
    // Rendered at the width the bar asks for, as a window holding it gives it room.
    bar->resize(std::max(bar->width(), bar->sizeHint().width()), bar->height());
    SaveRender(bar->grab().toImage(), "find_bar");
}

} // namespace
