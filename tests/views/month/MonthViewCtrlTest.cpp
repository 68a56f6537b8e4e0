// The month view on fake ports: settings, keys, typing, the wheel, hit codes and the way to the
// entries hidden behind the overflow mark.
#include "views/month/MonthViewCtrl.h"
#include "views/month/MonthTestSupport.h"
#include "views/support/ViewFakes.h"
#include "common/TempProfile.h"
#include "core/items/EventItem.h"
#include "core/items/ItemRef.h"
#include "core/system/Profile.h"
#include "core/items/RecurrenceBits.h"

#include <gtest/gtest.h>

namespace {

class MonthViewTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        host.client = QRect(0, 0, 700, 376);
        view.SetHost(&host);
        view.SetContainer(&container);
        view.ReloadOptions();
        UseFixedMetrics();
        view.SetDate(CDateTime(2024, 9, 12));
    }
    void UseFixedMetrics()
    {
        view.GetModel().SetMetrics(10, 10);
        view.SetTextMeasurer(&measurer);
    }
    void Add(std::unique_ptr<CDisplayItem> e) { view.AddEntry(std::move(e)); }
    void Relayout() { view.Refresh(false); }
    void Write(const char *name, int value)
    {
        WriteProfileInt(QStringLiteral("Month"), QString::fromLatin1(name), value);
    }

    TempProfile profile;
    MonthWeekScope week;
    FakeHost host;
    FakeContainer container;
    FixedMeasurer measurer{10};
    CMonthViewCtrl view;
};

TEST_F(MonthViewTest, SettingsChooseWeeksAndWeekdays)
{
    const struct
    {
        int sm, sw, vwd, vwe;
        int rows, columns;
    } cases[] = {
        {1, 0, 1, 1, 1, 7},   // at least one week
        {1, 25, 1, 1, 10, 7}, // at most ten
        {1, 3, 1, 0, 3, 5},   // work days only
        {1, 3, 0, 0, 3, 7},   // neither flag shows every day
        {1, 4, 0, 1, 4, 2},
    };
    for (const auto &c : cases) {
        Write("SM", c.sm);
        Write("SW", c.sw);
        Write("VWD", c.vwd);
        Write("VWE", c.vwe);
        view.LoadViewOptions();
        view.SetDate(CDateTime(2024, 9, 12));
        EXPECT_EQ(view.GetModel().GetRows(), c.rows) << c.sw;
        EXPECT_EQ(view.GetModel().GetColumns(), c.columns) << c.sw;
        EXPECT_EQ(view.GetDayCount(), c.rows * c.columns);
    }
    view.SetVisibleWeekdays(false, true, true, 2, true);
    EXPECT_EQ(GetProfileInt(QStringLiteral("Month"), QStringLiteral("VWD"), -1), 0);
    EXPECT_EQ(GetProfileInt(QStringLiteral("Month"), QStringLiteral("VWE"), -1), 1);
    EXPECT_EQ(GetProfileInt(QStringLiteral("Month"), QStringLiteral("SM"), -1), 1);
    EXPECT_EQ(GetProfileInt(QStringLiteral("Month"), QStringLiteral("SW"), -1), 2);
}

TEST_F(MonthViewTest, SetDateSelectsTheDayAndFindsToday)
{
    EXPECT_EQ(view.GetFirstDate(), CDateTime(2024, 8, 26));
    EXPECT_EQ(view.GetCurrentCell(), 17); // 12 September
    EXPECT_TRUE(view.IsCellSelected(17));
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    EXPECT_EQ(view.GetTodayCell(), 17);
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 9, 12));
    EXPECT_EQ(view.GetAnchorDate(), CDateTime(2024, 9, 1));

    // On a weekend with work days only, the focus moves on to Monday.
    view.SetVisibleWeekdays(true, false, false, 5, false);
    view.SetDate(CDateTime(2024, 9, 14));
    EXPECT_EQ(view.GetFocusDate(), CDateTime(2024, 9, 16));
    MonthWeekScope::SetToday(CDateTime(2024, 9, 15));
    view.UpdateToday();
    EXPECT_EQ(view.GetTodayCell(), -1);
}

TEST_F(MonthViewTest, CaptionNamesTheMonthOrTheWeeksShown)
{
    EXPECT_EQ(view.GetCaption(), QStringLiteral("September 2024"));
    view.SetVisibleWeekdays(true, true, true, 2, false);
    view.SetDate(CDateTime(2024, 8, 28));
    EXPECT_EQ(view.GetCaption(), QStringLiteral("August 2024 - September 2024"));
    view.SetDate(CDateTime(2024, 8, 14));
    EXPECT_EQ(view.GetCaption(), QStringLiteral("August 2024"));
}

TEST_F(MonthViewTest, ArrowKeysMoveInsideTheGridAndPageAtItsEdges)
{
    view.OnKeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(view.GetCurrentCell(), 18);
    view.OnKeyDown(Qt::Key_Down, kModShift);
    EXPECT_EQ(view.GetCurrentCell(), 25);
    EXPECT_EQ(view.GetSelectedCellCount(), 8); // 18..25
    view.OnKeyDown(Qt::Key_Home, 0);
    EXPECT_EQ(view.GetCurrentCell(), 21);
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    EXPECT_EQ(container.notifications.back(), kNotifySelectionChanged);

    // Month mode: Down from the last row pages and lands in the same column of the first row.
    view.SetCurrentCell(37);
    view.OnKeyDown(Qt::Key_Down, 0);
    ASSERT_FALSE(container.keys.empty());
    EXPECT_EQ(container.keys.back(), int(Qt::Key_PageDown));
    EXPECT_EQ(view.GetCurrentCell(), 2);
    view.OnKeyDown(Qt::Key_Left, 0);
    view.OnKeyDown(Qt::Key_Left, 0);
    view.OnKeyDown(Qt::Key_Left, 0);
    EXPECT_EQ(container.keys.back(), int(Qt::Key_PageUp));
    EXPECT_EQ(view.GetCurrentCell(), 35); // before the start: same column, last row

    // Week-count mode keeps the cell for Down and Up.
    view.SetVisibleWeekdays(true, true, true, 3, false);
    view.SetDate(CDateTime(2024, 9, 12));
    view.SetCurrentCell(16);
    view.OnKeyDown(Qt::Key_Down, 0);
    EXPECT_EQ(container.keys.back(), int(Qt::Key_PageDown));
    EXPECT_EQ(view.GetCurrentCell(), 16);
    view.SetCurrentCell(20);
    view.OnKeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(view.GetCurrentCell(), 14); // first cell of the last row
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
}

TEST_F(MonthViewTest, SetCurrentCellSelectsTheCellItFocuses)
{
    // A re-focus from outside (after a paste or a reload) leaves that one cell selected.
    view.SetCurrentCell(20);
    EXPECT_EQ(view.GetCurrentCell(), 20);
    EXPECT_EQ(view.GetAnchorCell(), 20);
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    EXPECT_TRUE(view.IsCellSelected(20));
    view.SetCurrentCell(23);
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    EXPECT_TRUE(view.IsCellSelected(23));
    // The focus cell itself, with its selection gone.
    view.ClearSelectedCells();
    view.SetDayCount(view.GetModel().CellCount());
    view.SetCurrentCell(23);
    EXPECT_TRUE(view.IsCellSelected(23));
    EXPECT_EQ(view.GetSelectedCellCount(), 1);
    // Beyond the grid: the last cell.
    view.SetCurrentCell(500);
    EXPECT_EQ(view.GetCurrentCell(), view.GetModel().CellCount() - 1);
    EXPECT_TRUE(view.IsCellSelected(view.GetCurrentCell()));
}

TEST_F(MonthViewTest, TypingStartsAnEventOverTheSelectedDaysOnly)
{
    view.SetVisibleWeekdays(true, false, false, 5, false);
    view.SetDate(CDateTime(2024, 9, 13)); // a Friday, last column
    view.OnChar(QLatin1Char('L'));
    ASSERT_EQ(view.GetEntryCount(), 1);
    const CDisplayItem &e = *view.GetEntry(0);
    EXPECT_EQ(e.GetStart(), CDateTime(2024, 9, 13));
    EXPECT_EQ(e.GetEnd(), CDateTime(2024, 9, 14)); // not over the hidden weekend
    EXPECT_EQ(e.GetFirstCell(), e.GetLastCell());
    EXPECT_TRUE(e.HasState(CDisplayItem::StateSelected));
    EXPECT_TRUE(host.editVisible);
    EXPECT_EQ(host.editText, QStringLiteral("L"));
    EXPECT_TRUE(view.IsEditing());

    // Nothing new while an entry is selected; a read-only file beeps.
    view.EndEdit(false, true);
    Add(MakeEntry(CDateTime(2024, 9, 10, 9, 0, 0), CDateTime(2024, 9, 10, 10, 0, 0)));
    view.SetAllItemStates(CDisplayItem::StateSelected, CDisplayItem::StateSelected, false);
    const int count = view.GetEntryCount();
    view.OnChar(QLatin1Char('x'));
    EXPECT_EQ(view.GetEntryCount(), count);
    view.SetAllItemStates(0, CDisplayItem::StateSelected | CDisplayItem::StateFocus, false);
    container.readOnly = true;
    view.OnChar(QLatin1Char('x'));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(view.GetEntryCount(), count);
}

TEST_F(MonthViewTest, WheelWaitsForAWholeLineBeforePaging)
{
    for (bool weekCount : {false, true}) {
        container.commands.clear();
        view.SetVisibleWeekdays(true, true, weekCount, 4, false);
        EXPECT_FALSE(view.OnMouseWheel(-20));
        EXPECT_TRUE(container.commands.empty()) << weekCount;
        EXPECT_TRUE(view.OnMouseWheel(-40)) << weekCount; // the wait ends on a whole line
        EXPECT_EQ(container.commands, std::vector<int>{kCmdNextPeriod}) << weekCount;
        EXPECT_TRUE(view.OnMouseWheel(120));
        EXPECT_EQ(container.commands.back(), kCmdPrevPeriod);
    }
}

TEST_F(MonthViewTest, HitCodes)
{
    Add(MakeEntry(CDateTime(2024, 9, 3), CDateTime(2024, 9, 6))); // bar over cells 8..10
    Relayout();
    const QRect bar = view.GetEntry(0)->GetRect();
    ASSERT_EQ(bar, EdgeRect(101, 90, 400, 105));
    const struct
    {
        QPoint point;
        int code, index;
    } cases[] = {
        {QPoint(50, 5), HitNothing, -1},   // weekday header
        {QPoint(50, 50), HitCell, 0},      // body
        {QPoint(20, 20), HitCellArea, 0},  // day number strip
        {QPoint(95, 20), HitDayHeader, 0}, // the day number itself
        {QPoint(103, 95), HitEntryStart, 0}, {QPoint(396, 95), HitEntryEnd, 0},
        {QPoint(250, 95), HitEntryBody, 0},  {QPoint(250, 120), HitCell, 9},
    };
    for (const auto &c : cases) {
        int index = -2;
        EXPECT_EQ(view.HitTest(c.point, &index), c.code) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(index, c.index) << c.point.x() << "," << c.point.y();
    }
    EXPECT_EQ(view.GetContextMenuIndex(QPoint(50, 50), false), CMonthViewCtrl::kCellMenu);
    EXPECT_EQ(view.GetContextMenuIndex(QPoint(250, 95), false), 4);
    EXPECT_EQ(view.GetContextMenuIndex(QPoint(-1, -1), true), CMonthViewCtrl::kCellMenu);

    // With an entry selected and Ctrl held, empty cells answer 0 and bar ends the body code.
    view.OnLeftDown(QPoint(250, 95), 0);
    view.OnLeftButtonUp(QPoint(250, 95));
    ASSERT_EQ(view.GetSelectedCount(), 1);
    view.OnLeftDown(QPoint(50, 50), kModCtrl);
    EXPECT_EQ(view.GetSelectedCount(), 1);
    EXPECT_FALSE(view.IsCellSelected(0));
}

TEST_F(MonthViewTest, OverflowMarkOpensTheDayListWithTheHiddenEntries)
{
    for (int i = 0; i < 4; ++i)
        Add(MakeEntry(CDateTime(2024, 8, 27), CDateTime(2024, 8, 30), QStringLiteral("Bar %1").arg(i)));
    Relayout();
    int index = -1;
    EXPECT_EQ(view.HitTest(QPoint(293, 71), &index), HitHeader);
    EXPECT_EQ(index, 2);
    view.OnLeftDown(QPoint(293, 71), 0);
    EXPECT_EQ(view.GetCurrentCell(), 2);
    EXPECT_TRUE(view.IsCellSelected(2));
    EXPECT_EQ(container.commands, std::vector<int>{kCmdZoomDay});
    CCalendarViewCtrl::EntryList day;
    view.CopyEntriesForCell(day, 2);
    ASSERT_EQ(day.size(), 4u); // the list holds the entry the cell could not show
    EXPECT_EQ(view.GetEntry(3)->GetRect().height(), 0);
}

TEST_F(MonthViewTest, TinyWindowsStaySafe)
{
    Add(MakeEntry(CDateTime(2024, 9, 3), CDateTime(2024, 9, 6)));
    for (const QRect client : {QRect(0, 0, 0, 0), QRect(0, 0, 4, 3), QRect(0, 0, 700, 10)}) {
        host.client = client;
        Relayout();
        int index = 0;
        view.HitTest(QPoint(2, 2), &index);
        EXPECT_GE(view.CellFromPoint(QPoint(2, 2)), 0);
        view.OnLeftDown(QPoint(1, 1), 0);
        view.OnLeftButtonUp(QPoint(1, 1));
    }
}

TEST_F(MonthViewTest, OccurrencesAreSearchedOverEveryDayOfTheShownWeeks)
{
    // Work days only: 30 cells, but the grid spans 42 days.
    view.SetVisibleWeekdays(true, false, false, 5, false);
    view.SetDate(CDateTime(2024, 9, 12));
    CItemRef ref = StoredRef(
        DailyEvent(QStringLiteral("Stand-up"), CDateTime(2024, 8, 1, 9, 0, 0), CDateSpan(0, 0, 15, 0)), 7);
    EXPECT_TRUE(view.AddItem(ref));
    EXPECT_EQ(view.GetEntryCount(), 30);
    EXPECT_EQ(view.GetEntry(view.GetEntryCount() - 1)->GetStart(), CDateTime(2024, 10, 4, 9, 0, 0));
}

} // namespace
