// The main window's tables: start view, the full-screen bar point and state, the print
// preview menu per view kind.
#include "shell/MainWndLayout.h"

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

} // namespace
