// Layout and splitter arithmetic of the main base window.
#include "containers/mainbase/MainBaseLayout.h"
#include "containers/mainbase/MainBaseSplitter.h"

#include <gtest/gtest.h>

namespace {
using L = CMainBaseLayout;

constexpr int kMonth = 150; // one month column of the Date Navigator

MainBaseLayoutInput Input(int cx, int cy, bool preview, int previewHeight, bool bar, int barWidth)
{
    MainBaseLayoutInput in;
    in.cx = cx;
    in.cy = cy;
    in.previewVisible = preview;
    in.previewHeight = previewHeight;
    in.barVisible = bar;
    in.barWidth = barWidth;
    in.monthWidth = kMonth;
    return in;
}
} // namespace

TEST(MainBaseLayout, FittedWidthKeepsWholeMonthColumns)
{
    struct Case
    {
        int available, expected;
    } cases[] = {
        {308, 308},  // two columns exactly
        {457, 308},  // one pixel short of three
        {458, 458},  // three
        {157, 8},    // not even one column
        {0, 8},
    };
    for (const Case &c : cases)
        EXPECT_EQ(L::FittedBarWidth(c.available, kMonth), c.expected) << c.available;
}

TEST(MainBaseLayout, PaneTopIsAtLeast246AndTheViewEndsSixAbove)
{
    const auto r = L::Layout(Input(800, 300, true, 201, false, 0));
    EXPECT_EQ(r.preview.top(), 246);
    EXPECT_EQ(r.view.top() + r.view.height(), 240);
    EXPECT_EQ(r.view, L::Ltrb(6, 6, 794, 240));
    EXPECT_EQ(r.preview, L::Ltrb(6, 246, 794, 294));
}

TEST(MainBaseLayout, PaneKeepsItsHeightWhenThereIsRoom)
{
    const auto r = L::Layout(Input(1000, 760, true, 201, true, 158));
    EXPECT_EQ(r.preview, L::Ltrb(6, 553, 994, 754));
    // The pane runs under both the view and the bar.
    EXPECT_EQ(r.bar, L::Ltrb(836, 6, 994, 547));
    EXPECT_EQ(r.view, L::Ltrb(6, 6, 830, 547));
}

TEST(MainBaseLayout, PaneTopNeverLeavesTheClientArea)
{
    // 246 would lie below a 200-pixel window: the pane gets no height instead of a negative one.
    const auto r = L::Layout(Input(800, 200, true, 201, false, 0));
    EXPECT_LE(r.preview.top(), 194);
    EXPECT_GE(r.preview.height(), 0);
    EXPECT_GE(r.view.height(), 0);
}

TEST(MainBaseLayout, BarNarrowsToFittedWidthThenHides)
{
    struct Case
    {
        int cx, barWidth;
        QRect bar; // empty: hidden
    } cases[] = {
        {1000, 308, L::Ltrb(686, 6, 994, 594)},           // room enough: width kept
        {600, 308, L::Ltrb(436, 6, 594, 594)},            // 600-308-6 < 297: fitted for 297 -> 158
        {460, 158, L::Ltrb(296, 6, 454, 594)},            // 460-158-6 = 296 < 297: fitted(157) = 8 ... hidden
        {450, 158, QRect()},
    };
    // The third row: fitted(460 - 303) = fitted(157) = 8 < 150, so the bar hides.
    cases[2].bar = QRect();
    for (const Case &c : cases) {
        const auto r = L::Layout(Input(c.cx, 600, false, 0, true, c.barWidth));
        EXPECT_EQ(r.bar, c.bar) << c.cx;
        EXPECT_EQ(r.barTooNarrow, c.bar.isNull()) << c.cx;
        if (!c.bar.isNull())
            EXPECT_EQ(r.view.x() + r.view.width(), c.bar.x() - 6) << c.cx;
        else
            EXPECT_EQ(r.view.x() + r.view.width(), c.cx - 6) << c.cx;
    }
}

TEST(MainBaseLayout, ZeroSizeLaysOutNothing)
{
    EXPECT_TRUE(L::Layout(Input(0, 0, true, 201, true, 158)).skip);
    EXPECT_FALSE(L::Layout(Input(0, 10, true, 201, true, 158)).skip);
}

TEST(MainBaseLayout, StripsAreTheGapsBesideTheContainer)
{
    const QRect container = L::Ltrb(6, 6, 830, 547);
    const QRect preview = L::Ltrb(6, 553, 994, 754);
    const QRect bar = L::Ltrb(836, 6, 994, 547);
    EXPECT_EQ(L::HorizontalStrip(true, container, preview), L::Ltrb(6, 547, 994, 553));
    EXPECT_EQ(L::VerticalStrip(true, container, bar), L::Ltrb(830, 6, 836, 547));
    EXPECT_TRUE(L::HorizontalStrip(false, container, preview).isNull());
    EXPECT_TRUE(L::VerticalStrip(true, container, QRect()).isNull());
}

TEST(MainBaseLayout, RoomForBarAndRestoredWidth)
{
    EXPECT_TRUE(L::HasRoomForBar(453, kMonth));  // 453 - 150 - 6 = 297
    EXPECT_FALSE(L::HasRoomForBar(452, kMonth));
    EXPECT_EQ(L::RestoredBarWidth(2, kMonth), 308);
    EXPECT_EQ(L::RestoredBarWidth(0, kMonth), 158);
    EXPECT_EQ(L::RestoredBarWidth(-3, kMonth), 158);
}

namespace {
// A 1000 x 760 window with a one-column bar and a 201-pixel preview pane.
struct SplitterFixture : testing::Test
{
    QRect client{0, 0, 1000, 760};
    QRect container = L::Ltrb(6, 6, 830, 547);
    QRect vertical = L::Ltrb(830, 6, 836, 547);
    QRect horizontal = L::Ltrb(6, 547, 994, 553);
    CMainBaseSplitter splitter;
};
} // namespace

TEST_F(SplitterFixture, OnlyTheStripsStartADrag)
{
    EXPECT_FALSE(splitter.Begin({400, 300}, client, vertical, horizontal, kMonth));
    EXPECT_EQ(splitter.GetMode(), CMainBaseSplitter::None);
    EXPECT_TRUE(splitter.Begin({832, 300}, client, vertical, horizontal, kMonth));
    EXPECT_EQ(splitter.GetMode(), CMainBaseSplitter::Vertical);
    EXPECT_EQ(splitter.GetTrackerShape(), L::Ltrb(832, 6, 834, 547));
}

TEST_F(SplitterFixture, VerticalStripMovesByWholeColumnsOnly)
{
    ASSERT_TRUE(splitter.Begin({832, 300}, client, vertical, horizontal, kMonth));
    // Less than half a column: no move.
    EXPECT_FALSE(splitter.Move({830 - 75, 300}));
    EXPECT_EQ(splitter.GetTracking().left(), 830);
    // More than half: exactly one column per move, however far the mouse went.
    EXPECT_TRUE(splitter.Move({830 - 76, 300}));
    EXPECT_EQ(splitter.GetTracking().left(), 680);
    EXPECT_TRUE(splitter.Move({100, 300}));
    EXPECT_EQ(splitter.GetTracking().left(), 530);
    const auto applied = splitter.End(true, 1000, 760, true, 201);
    ASSERT_TRUE(applied.moveBar);
    // Three columns: 3 * 150 + 8.
    EXPECT_EQ(applied.bar, L::Ltrb(1000 - 458 - 6, 6, 994, 760 - 207 - 6));
    EXPECT_EQ(applied.container, L::Ltrb(6, 6, 1000 - 458 - 12, 547));
    EXPECT_FALSE(splitter.IsDragging());
}

TEST_F(SplitterFixture, VerticalStripStopsAtTheLargestFittingBar)
{
    ASSERT_TRUE(splitter.Begin({832, 300}, client, vertical, horizontal, kMonth));
    // The largest bar fits 1000 - 303 = 697: four columns (608).
    EXPECT_EQ(splitter.GetLimits().left(), 1000 - 608);
    EXPECT_EQ(splitter.GetLimits().right() + 1, 1000 - 158);
    for (int i = 0; i < 10; ++i)
        splitter.Move({0, 300});
    const auto applied = splitter.End(true, 1000, 760, false, 0);
    EXPECT_EQ(applied.bar.width(), 608);
    // Narrower than one column never.
    ASSERT_TRUE(splitter.Begin({832, 300}, client, vertical, horizontal, kMonth));
    EXPECT_FALSE(splitter.Move({999, 300}));
}

TEST_F(SplitterFixture, HorizontalStripStaysBetween240And48FromTheBottom)
{
    struct Case
    {
        int y, top;
    } cases[] = {{100, 240}, {240, 240}, {400, 400}, {700, 700}, {712, 712}, {760, 712}};
    for (const Case &c : cases) {
        ASSERT_TRUE(splitter.Begin({500, 550}, client, vertical, horizontal, kMonth));
        splitter.Move({500, c.y});
        EXPECT_EQ(splitter.GetTracking().top(), c.top) << c.y;
        const auto applied = splitter.End(true, 1000, 760, true, 201);
        EXPECT_EQ(applied.previewDelta, c.top - 547) << c.y;
        EXPECT_FALSE(applied.moveBar);
    }
}

TEST_F(SplitterFixture, CancelledDragMovesNothing)
{
    ASSERT_TRUE(splitter.Begin({500, 550}, client, vertical, horizontal, kMonth));
    splitter.Move({500, 300});
    const auto cancelled = splitter.End(false, 1000, 760, true, 201);
    EXPECT_EQ(cancelled.previewDelta, 0);
    EXPECT_FALSE(cancelled.moveBar || cancelled.moveContainer);
    EXPECT_FALSE(splitter.IsDragging());
}

TEST_F(SplitterFixture, WindowTooNarrowPinsTheVerticalStrip)
{
    const QRect narrow{0, 0, 460, 600};
    const QRect strip = L::Ltrb(290, 6, 296, 594);
    ASSERT_TRUE(splitter.Begin({292, 100}, narrow, strip, QRect(), kMonth));
    EXPECT_EQ(splitter.GetLimits().left(), 290);
    EXPECT_FALSE(splitter.Move({0, 100}));
    EXPECT_FALSE(splitter.Move({459, 100}));
}
