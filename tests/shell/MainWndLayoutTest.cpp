// The main window's tables: start view, the full-screen bar point and state, the print
// preview menu per view kind.
#include "shell/MainWndLayout.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct StartCase
{
    int sView, lView, mdn;
    bool ww;
    int kind, days;
    bool workWeek;
};

TEST(MainWndLayoutTest, StartViewTable)
{
    const StartCase cases[] = {
        {9, 4, 5, false, 1, 0, false},  // above 7 counts as 8, which has no case: Day
        {8, 4, 5, false, 1, 0, false},
        {0, 4, 5, false, 4, 0, false},  // 0 follows the last session's view
        {-3, 7, 5, false, 7, 0, false},
        {2, 1, 1, false, 2, 2, false},  // two days at least
        {2, 1, 20, false, 2, 14, false}, // fourteen at most
        {2, 1, 5, true, 2, 5, true},
        {0, 0, 5, false, 1, 0, false},
        {5, 1, 5, false, 5, 0, false},
        {6, 1, 5, false, 6, 0, false},
    };
    for (const StartCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.sView << "/" << c.lView);
        const StartView v = ChooseStartView(c.sView, c.lView, c.mdn, c.ww);
        EXPECT_EQ(v.kind, c.kind);
        EXPECT_EQ(v.days, c.days);
        EXPECT_EQ(v.workWeek, c.workWeek);
    }
}

TEST(MainWndLayoutTest, FullScreenBarPointPacksSignedAndFallsBackInsideTheWorkArea)
{
    for (QPoint p : {QPoint(0, 0), QPoint(-1, -1), QPoint(-1920, 35), QPoint(1200, -30), QPoint(32767, -32768)})
        EXPECT_EQ(UnpackBarPoint(PackBarPoint(p)), p);
    EXPECT_EQ(PackBarPoint({3, 2}), 0x00020003);

    const QRect work(0, 30, 1920, 1050);
    EXPECT_EQ(PlaceFullScreenBar(PackBarPoint({400, 300}), work), QPoint(400, 300));
    EXPECT_EQ(PlaceFullScreenBar(PackBarPoint({-14, 11}), work), QPoint(-14, 11)); // the area moved 15 left, 20 up
    EXPECT_EQ(PlaceFullScreenBar(PackBarPoint({-16, 11}), work), QPoint(1, 31));
    EXPECT_EQ(PlaceFullScreenBar(PackBarPoint({3000, 300}), work), QPoint(1, 31));
    const QRect second(-1280, 0, 1280, 1024); // a monitor left of the primary one
    EXPECT_EQ(PlaceFullScreenBar(PackBarPoint({-600, 400}), second), QPoint(-600, 400));
}

TEST(MainWndLayoutTest, FullScreenStateAndPerKindMenus)
{
    EXPECT_EQ(SaveFullScreenState(true, true, false, true), 1 | 2 | 8);
    EXPECT_EQ(SaveFullScreenState(false, false, true, false), 4);
    for (int kind = 1; kind <= 8; ++kind) {
        SCOPED_TRACE(kind);
        const bool list = kind >= 6;
        EXPECT_EQ(PrintPreviewMenu(kind).size(), list ? 2u : 8u);
        EXPECT_EQ(PrintPreviewMenu(kind).front().first, list ? 32904 : 32901);
        EXPECT_EQ(KeepsShowInDayCommand(kind), list);
    }
}

TEST(MainWndLayoutTest, SyncMenuFollowsTheModulesPresent)
{
    EXPECT_TRUE(SyncMenuCommands(false, false, false).empty()); // the menu goes
    EXPECT_EQ(SyncMenuCommands(true, false, false), (std::vector<int>{34811, 34812, 0, 34813}));
    EXPECT_EQ(SyncMenuCommands(false, false, true), (std::vector<int>{32909}));
    EXPECT_EQ(SyncMenuCommands(false, true, true), (std::vector<int>{34814, 34815, 0, 34816, 0, 32909}));
    EXPECT_EQ(SyncMenuCommands(true, true, false), (std::vector<int>{34811, 34812, 0, 34813, 0, 34814, 34815, 0, 34816}));
}

TEST(MainWndLayoutTest, MenuRebuildPerViewKind)
{
    struct Case
    {
        int kind, contextIndex;
        bool thirdItem, includePast;
    };
    const Case cases[] = {
        {1, 0, true, false}, {2, 1, true, false}, {3, 2, true, false}, {4, 3, true, false},
        {5, 4, true, false}, {6, 5, false, true}, {7, 7, false, false}, {8, 6, false, false},
        {0, -1, false, false}, {9, -1, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(CurrentViewMenuIndex(c.kind), c.contextIndex);
        EXPECT_EQ(CurrentViewThirdItemEnabled(c.kind), c.thirdItem);
        EXPECT_EQ(FilterMenuKeepsIncludePast(c.kind), c.includePast);
        EXPECT_EQ(CurrentViewCommands(c.kind).empty(), c.contextIndex < 0);
    }
    // Each view offers its own layout choices.
    auto has = [](int kind, int id) {
        const std::vector<int> ids = CurrentViewCommands(kind);
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    EXPECT_TRUE(has(1, 32796));  // time scale
    EXPECT_TRUE(has(4, 32891));  // whole month
    EXPECT_FALSE(has(3, 32891));
    EXPECT_TRUE(has(7, 34755));  // overdue tasks
    EXPECT_TRUE(has(6, 34861));  // include past items
}

TEST(MainWndLayoutTest, InformationBarTitles)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDate wednesday(2026, 12, 9);
    EXPECT_EQ(ViewCaption(1, 0, false, wednesday, english), "Wednesday, December 9");
    EXPECT_EQ(ViewCaption(2, 3, false, wednesday, english), "December 9 – 11");
    EXPECT_EQ(ViewCaption(2, 1, false, wednesday, english), "December 9 – 10"); // two days at least
    EXPECT_EQ(ViewCaption(2, 5, true, wednesday, english), "December 7 – 11"); // the work week from Monday
    EXPECT_EQ(ViewCaption(3, 0, false, wednesday, english), "December 7 – 13");
    EXPECT_EQ(ViewCaption(4, 0, false, wednesday, english), "December 2026");
    EXPECT_EQ(ViewCaption(5, 0, false, wednesday, english), "2026");
    EXPECT_EQ(ViewCaption(7, 0, false, wednesday, english), "Tasks");
    EXPECT_EQ(ViewCaption(8, 0, false, wednesday, english), "Search Results");
    // Across a month and across a year.
    EXPECT_EQ(ViewCaption(3, 0, false, QDate(2026, 11, 30), english), "November 30 – December 6");
    EXPECT_EQ(ViewCaption(2, 5, false, QDate(2026, 12, 30), english), "December 30, 2026 – January 3, 2027");
}

} // namespace
