// The month grid without a window: grid start and rows, weekday maps, dates to cells, pieces,
// lanes, overflow and the stacking of single-day entries.
#include "views/month/MonthGridModel.h"
#include "views/month/MonthTestSupport.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

using EntryList = CMonthGridModel::EntryList;
constexpr std::uint32_t kBefore = CDisplayItem::FlagBeginsBefore;
constexpr std::uint32_t kAfter = CDisplayItem::FlagEndsAfter;

// September 2024 (six rows from Monday 26 August) in a 700 x 376 view: columns 100 wide, rows 60
// tall under a 16-pixel header, text 10 pixels tall.
class MonthGridTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        model.SetMetrics(10, 10);
        Go(CDateTime(2024, 9, 12));
    }
    int Go(const CDateTime &date) { return model.SetDate(date, false, true, GetToday(), marks); }

    struct Piece
    {
        int first, last;
        std::uint32_t edges; // FlagBeginsBefore | FlagEndsAfter
        bool operator==(const Piece &) const = default;
    };
    std::vector<Piece> Place(std::unique_ptr<CDisplayItem> e)
    {
        EntryList out;
        model.PlaceEntry(std::move(e), out);
        std::vector<Piece> pieces;
        for (const auto &p : out)
            pieces.push_back({p->GetFirstCell(), p->GetLastCell(), p->GetFlags() & (kBefore | kAfter)});
        return pieces;
    }
    void Layout(EntryList &entries, bool oneLane = true)
    {
        MonthLayoutOptions options;
        options.oneLane = oneLane;
        options.lineHeight = model.GetLineHeight();
        options.laneHeight = model.GetLaneHeight();
        model.Layout(view, entries, marks, options, measurer);
    }
    bool Overflow(int cell) const { return marks[std::size_t(cell)] & CMonthGridModel::CellOverflow; }

    MonthWeekScope week;
    CMonthGridModel model;
    std::vector<std::uint8_t> marks;
    QRect view = QRect(0, 0, 700, 376);
    FixedMeasurer measurer{10};
};

TEST_F(MonthGridTest, GridStartIsTheFirstDayOfTheWeekForEveryFirstDayAndWeekday)
{
    model.SetWeekCountMode(true, 1);
    for (int first = 0; first < 7; ++first) {
        SetFirstDayOfWeek(first);
        for (int day = 1; day <= 7; ++day) {
            const CDateTime date(2024, 9, day);
            Go(date);
            const CDateTime start = model.GetGridStart();
            const double back = (date - start).GetTotalDays();
            EXPECT_GE(back, 0) << first << " " << day;
            EXPECT_LE(back, 6) << first << " " << day;
            // 1 Sunday .. 7 Saturday to 0 Monday .. 6 Sunday.
            EXPECT_EQ((start.GetDayOfWeek() + 5) % 7, first) << first << " " << day;
        }
    }
}

TEST_F(MonthGridTest, MonthModeShowsSixRowsOnlyWhenTheSixthWeekHoldsTheMonth)
{
    const struct
    {
        CDateTime date;
        int rows;
    } cases[] = {
        {CDateTime(2024, 9, 20), 6}, // starts Monday 26 August; 30 September is on the sixth row
        {CDateTime(2024, 3, 5), 5},  // 26 February + 35 days is 1 April
        {CDateTime(2021, 2, 14), 5}, // a February of exactly four weeks still shows five rows
    };
    for (const auto &c : cases) {
        Go(c.date);
        EXPECT_EQ(model.GetRows(), c.rows) << c.date.GetMonth();
        EXPECT_EQ(int(marks.size()), 7 * c.rows);
        EXPECT_EQ(model.GetAnchorDate(), CDateTime(c.date.GetYear(), c.date.GetMonth(), 1));
    }
    Go(CDateTime(2024, 9, 12));
    EXPECT_EQ(model.GetGridStart(), CDateTime(2024, 8, 26));
    EXPECT_TRUE(marks[5] & CMonthGridModel::CellOtherMonth);  // 31 August
    EXPECT_FALSE(marks[6] & CMonthGridModel::CellOtherMonth); // 1 September
    EXPECT_TRUE(marks[41] & CMonthGridModel::CellOtherMonth); // 6 October
}

TEST_F(MonthGridTest, WeekdayModesMapColumnsAndFallBackToAllDays)
{
    model.SetVisibleWeekdays(true, false);
    EXPECT_EQ(model.GetWeekdayMode(), CMonthGridModel::WorkDaysOnly);
    EXPECT_EQ(model.GetColumns(), 5);
    EXPECT_EQ(model.WeekdayToColumn(5), -1);
    EXPECT_EQ(model.ColumnToWeekday(5), -1);
    EXPECT_EQ(model.CellToDayOffset(7), 9);  // second row, Wednesday
    EXPECT_EQ(model.DayOffsetToCell(11), 9); // second row, Friday
    model.SetVisibleWeekdays(false, true);
    EXPECT_EQ(model.GetColumns(), 2);
    EXPECT_EQ(model.ColumnToWeekday(0), 5);
    model.SetVisibleWeekdays(false, false);
    EXPECT_EQ(model.GetWeekdayMode(), CMonthGridModel::AllDays);
    EXPECT_EQ(model.GetColumns(), 7);
    SetWorkWeekMask(0);
    model.SetVisibleWeekdays(true, false);
    EXPECT_EQ(model.GetWeekdayMode(), CMonthGridModel::AllDays);
    EXPECT_EQ(model.GetColumns(), 7);
}

TEST_F(MonthGridTest, DatesToDayOffsets)
{
    const struct
    {
        CDateTime date;
        int mode;
        int offset;
        bool midnight, clipped;
    } cases[] = {
        {CDateTime(2024, 8, 20, 9, 0, 0), 0, 0, false, true}, // before the grid
        {CDateTime(2024, 8, 26), 0, 0, true, false},
        {CDateTime(2024, 9, 3, 14, 0, 0), 0, 8, false, false},
        {CDateTime(2024, 10, 7), 0, 41, false, false},         // an end exactly at the grid's end
        {CDateTime(2024, 10, 7), 1, 42, true, false},          // the same with weekdays hidden
        {CDateTime(2024, 10, 7, 0, 1, 0), 0, 41, false, true}, // past the end
        {CDateTime(2024, 10, 9), 0, 41, true, true},
    };
    for (const auto &c : cases) {
        model.SetVisibleWeekdays(c.mode != 2, c.mode != 1);
        bool midnight = false, clipped = false;
        EXPECT_EQ(model.DayOffsetFromDate(c.date, &midnight, &clipped), c.offset) << c.date.GetDay();
        EXPECT_EQ(midnight, c.midnight) << c.date.GetDay();
        EXPECT_EQ(clipped, c.clipped) << c.date.GetDay();
    }
}

TEST_F(MonthGridTest, EntriesAreCutIntoPieces)
{
    using P = std::vector<Piece>;
    // A bar from the last day of the first row into the second row.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 1, 9, 0, 0), CDateTime(2024, 9, 3, 10, 0, 0))),
              (P{{6, 6, kAfter}, {7, 8, kBefore}}));
    // Ending at midnight leaves the end day out; 0:00 to 0:00 of one day keeps that day.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 10), CDateTime(2024, 9, 11))), (P{{15, 15, 0}}));
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 10), CDateTime(2024, 9, 10))), (P{{15, 15, 0}}));
    // Clipped at either end of the grid.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 8, 20), CDateTime(2024, 8, 28, 10, 0, 0))),
              (P{{0, 2, kBefore}}));
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 10, 5), CDateTime(2024, 10, 10))), (P{{40, 41, kAfter}}));
    // Wholly outside the grid: not pinned to its first or last day.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 8, 20), CDateTime(2024, 8, 22))), P{});
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 8, 25), CDateTime(2024, 8, 26))), P{});
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 10, 7, 9, 0, 0), CDateTime(2024, 10, 7, 10, 0, 0))), P{});
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 8, 26), CDateTime(2024, 8, 26))), (P{{0, 0, 0}}));
    // A bar over three rows: the middle piece continues both ways.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 7), CDateTime(2024, 9, 18))),
              (P{{12, 13, kAfter}, {14, 20, kBefore | kAfter}, {21, 22, kBefore}}));
    // Shown on each day it touches.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 10, 22, 0, 0), CDateTime(2024, 9, 11, 2, 0, 0),
                              QStringLiteral("Late"), CDisplayItem::FlagCrossesMidnight)),
              (P{{15, 15, kAfter}, {16, 16, kBefore}}));
}

TEST_F(MonthGridTest, KeptGridEndFollowsTheDateAndTheRows)
{
    // The grid keeps its end and its first day's number between calls; moving the grid or
    // changing its rows must not leave the old ones in use.
    const auto daysFromStart = [this](int month, int day) {
        return int(model.GetGridStart().ToQDateTime().date().daysTo(QDate(2024, month, day)));
    };
    const auto at = [](int month, int day) {
        return MakeEntry(CDateTime(2024, month, day, 9, 0, 0), CDateTime(2024, month, day, 10, 0, 0));
    };
    EXPECT_EQ(model.DayOffsetFromDate(CDateTime(2024, 10, 6, 9, 0, 0), nullptr, nullptr), 41);
    EXPECT_EQ(Place(at(10, 6)), (std::vector<Piece>{{41, 41, 0}}));

    Go(CDateTime(2024, 10, 12));
    const int october6 = daysFromStart(10, 6), october20 = daysFromStart(10, 20);
    ASSERT_LT(october20, model.DayCount());
    EXPECT_EQ(model.DayOffsetFromDate(CDateTime(2024, 10, 6, 9, 0, 0), nullptr, nullptr), october6);
    EXPECT_EQ(Place(at(10, 6)), (std::vector<Piece>{{october6, october6, 0}}));
    EXPECT_EQ(Place(at(10, 20)), (std::vector<Piece>{{october20, october20, 0}}));

    // Two weeks from the same first day: the 20th lies past the grid's end now.
    model.SetWeekCountMode(true, 2);
    ASSERT_EQ(model.DayCount(), 14);
    ASSERT_GE(october20, 14);
    bool clipped = false;
    EXPECT_EQ(model.DayOffsetFromDate(CDateTime(2024, 10, 20, 9, 0, 0), nullptr, &clipped), 13);
    EXPECT_TRUE(clipped);
    EXPECT_EQ(Place(at(10, 20)), std::vector<Piece>{});
}

TEST_F(MonthGridTest, WorkDaysOnlyDropsTheWeekend)
{
    using P = std::vector<Piece>;
    model.SetVisibleWeekdays(true, false);
    Go(CDateTime(2024, 9, 12));
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 7, 10, 0, 0), CDateTime(2024, 9, 7, 11, 0, 0))), P{});
    // Friday to Monday: two bars, each continuing over the hidden weekend.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 6, 9, 0, 0), CDateTime(2024, 9, 9, 12, 0, 0))),
              (P{{9, 9, kAfter}, {10, 10, kBefore}}));
    // Saturday to Tuesday starts on Monday, marked as begun before.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 9, 7), CDateTime(2024, 9, 11))), (P{{10, 11, kBefore}}));
    // Starting exactly where the grid ends: nothing of it is shown, so it is refused.
    EXPECT_EQ(Place(MakeEntry(CDateTime(2024, 10, 7), CDateTime(2024, 10, 7))), P{});
}

TEST_F(MonthGridTest, CellRectanglesAndPoints)
{
    EXPECT_EQ(model.CellRect(view, 0, CMonthGridModel::PartCell), EdgeRect(0, 16, 100, 76));
    EXPECT_EQ(model.CellRect(view, 0, CMonthGridModel::PartStrip), EdgeRect(1, 17, 100, 30));
    EXPECT_EQ(model.CellRect(view, 0, CMonthGridModel::PartBody), EdgeRect(1, 30, 100, 76));
    // The last column and row reach the view's edge less one pixel.
    EXPECT_EQ(model.CellRect(view, 41, CMonthGridModel::PartCell), EdgeRect(600, 316, 699, 375));
    EXPECT_EQ(model.CellFromPoint(view, QPoint(250, 100)), 9);
    EXPECT_EQ(model.CellFromPoint(view, QPoint(-5, 2)), 0);
    EXPECT_EQ(model.CellFromPoint(view, QPoint(5000, 5000)), 41);
    // A window smaller than the grid must not divide by zero.
    for (const QRect tiny : {QRect(0, 0, 0, 0), QRect(0, 0, 3, 2), QRect(0, 0, 6, 400), QRect(0, 0, 700, 20)})
        EXPECT_GE(model.CellFromPoint(tiny, QPoint(1, 1)), 0);
}

TEST_F(MonthGridTest, FreeGaps)
{
    using Bars = std::vector<std::pair<int, int>>;
    const struct
    {
        int top, bottom;
        Bars bars;
        std::pair<int, int> gap;
    } cases[] = {
        {0, 10, {}, {0, 10}}, // body not taller than the minimum
        {0, 100, {}, {0, 100}},
        {0, 100, {{0, 15}}, {15, 100}},           // below a bar at the top
        {0, 100, {{30, 45}}, {0, 30}},            // above a lower bar
        {0, 100, {{0, 15}, {20, 35}}, {35, 100}}, // a slit too small between two bars
        {0, 100, {{0, 15}, {40, 55}}, {15, 40}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CMonthGridModel::FindFreeGap(c.top, c.bottom, c.bars, 15), c.gap) << c.bars.size();
}

TEST_F(MonthGridTest, IconBlocksBesideText)
{
    const QString longText(100, QLatin1Char('x'));
    const struct
    {
        int count, width;
        QString text;
        MonthIconFit fit;
    } cases[] = {
        {1, 90, QStringLiteral("abc"), {1, 1, 17, 10, 14}},
        // The text is tall enough to take the icons into one column of four.
        {4, 90, longText, {4, 1, 17, 90, 56}},
        // No arrangement fits: the text keeps the full width.
        {3, 20, QStringLiteral("ab"), {3, 1, 0, 42, 42}},
    };
    for (const auto &c : cases) {
        const MonthIconFit fit = CMonthGridModel::FitIcons(c.count, 10, c.width, c.text, measurer);
        EXPECT_EQ(fit.rows, c.fit.rows) << c.count;
        EXPECT_EQ(fit.columns, c.fit.columns) << c.count;
        EXPECT_EQ(fit.textIndent, c.fit.textIndent) << c.count;
        EXPECT_EQ(fit.textHeight, c.fit.textHeight) << c.count;
        EXPECT_EQ(fit.blockHeight, c.fit.blockHeight) << c.count;
    }
}

TEST_F(MonthGridTest, BarsFillLanesUntilTheCellIsFull)
{
    EntryList entries;
    for (int i = 0; i < 4; ++i)
        model.PlaceEntry(MakeEntry(CDateTime(2024, 8, 27), CDateTime(2024, 8, 30)), entries); // cells 1..3
    model.PlaceEntry(MakeEntry(CDateTime(2024, 9, 4), CDateTime(2024, 9, 5)), entries);       // cell 9 alone
    Layout(entries);
    const int tops[] = {30, 45, 60};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(entries[std::size_t(i)]->GetRect(), EdgeRect(101, tops[i], 400, tops[i] + 15)) << i;
    EXPECT_EQ(entries[3]->GetRect().height(), 0);
    for (int cell : {1, 2, 3})
        EXPECT_TRUE(Overflow(cell)) << cell;
    EXPECT_FALSE(Overflow(0));
    EXPECT_FALSE(Overflow(4));
    EXPECT_EQ(entries[4]->GetRect(), EdgeRect(201, 90, 300, 105));
    EXPECT_FALSE(Overflow(9));
    EXPECT_EQ(model.OverflowGlyphRect(view, 2), EdgeRect(288, 68, 299, 75));

    // A ghost left by a drag takes no lane and marks nothing.
    entries[3]->SetState(CDisplayItem::StateDragged);
    Layout(entries);
    EXPECT_FALSE(Overflow(2));
}

TEST_F(MonthGridTest, SingleDayEntriesStackAndAreCutToWholeLines)
{
    EntryList entries;
    // A bar through cells 9..11 takes the first lane; cell 10 stacks below it.
    model.PlaceEntry(MakeEntry(CDateTime(2024, 9, 4), CDateTime(2024, 9, 7)), entries);
    model.PlaceEntry(
        MakeEntry(CDateTime(2024, 9, 5, 9, 0, 0), CDateTime(2024, 9, 5, 10, 0, 0), QStringLiteral("Call")),
        entries);
    // Cell 12: a text of 17 lines is cut to the whole lines that fit, leaving no room for more.
    model.PlaceEntry(MakeEntry(CDateTime(2024, 9, 7, 9, 0, 0), CDateTime(2024, 9, 7, 10, 0, 0),
                               QString(250, QLatin1Char('w'))),
                     entries);
    model.PlaceEntry(
        MakeEntry(CDateTime(2024, 9, 7, 11, 0, 0), CDateTime(2024, 9, 7, 12, 0, 0), QStringLiteral("Lost")),
        entries);
    Layout(entries, false);
    EXPECT_EQ(entries[0]->GetRect(), EdgeRect(201, 90, 500, 105));
    EXPECT_EQ(entries[1]->GetRect(), EdgeRect(301, 105, 400, 120));
    EXPECT_FALSE(Overflow(10));
    EXPECT_EQ(entries[2]->GetRect(), EdgeRect(501, 90, 600, 135));
    EXPECT_EQ(entries[3]->GetRect().height(), 0);
    EXPECT_TRUE(Overflow(12));

    // With one lane each, the same entries share the lanes.
    Layout(entries, true);
    EXPECT_EQ(entries[1]->GetRect(), EdgeRect(301, 105, 400, 120));
    EXPECT_EQ(entries[2]->GetRect(), EdgeRect(501, 90, 600, 105));
    EXPECT_FALSE(Overflow(12));
}

TEST_F(MonthGridTest, WeekCountModeShadesAlternateMonths)
{
    MonthWeekScope::SetToday(CDateTime(2024, 4, 10));
    model.SetWeekCountMode(true, 5);
    const struct
    {
        CDateTime date;
        std::vector<int> shadedMonths;
    } cases[] = {
        {CDateTime(2024, 4, 8), {5}},  // an April grid: May is shaded, April plain
        {CDateTime(2024, 3, 11), {4}}, // a March grid: April shaded, March plain
        {CDateTime(2024, 5, 13), {5}}, // a May grid: May shaded
    };
    for (const auto &c : cases) {
        Go(c.date);
        ASSERT_EQ(model.GetRows(), 5);
        for (int cell = 0; cell < 35; ++cell) {
            const int month = model.GetDayDate(cell).GetMonth();
            const bool expect =
                std::find(c.shadedMonths.begin(), c.shadedMonths.end(), month) != c.shadedMonths.end();
            EXPECT_EQ((marks[std::size_t(cell)] & CMonthGridModel::CellOtherMonth) != 0, expect)
                << c.date.GetMonth() << "/" << c.date.GetDay() << " cell " << cell;
        }
    }
}

} // namespace

namespace {

TEST_F(MonthGridTest, KeepingContextPutsTheDateInTheSecondRow)
{
    const CDateTime thursday(2024, 9, 12);
    const struct
    {
        int weeks;
        bool keep, scrollContext;
        CDateTime start;
    } cases[] = {
        {5, true, true, CDateTime(2024, 9, 2)},
        {5, false, true, CDateTime(2024, 9, 9)},
        {5, true, false, CDateTime(2024, 9, 9)},
        {2, true, true, CDateTime(2024, 9, 9)}, // two rows keep the date in the first
    };
    for (const auto &c : cases) {
        model.SetWeekCountMode(true, c.weeks);
        const int focus = model.SetDate(thursday, c.keep, c.scrollContext, GetToday(), marks);
        EXPECT_EQ(model.GetGridStart(), c.start) << c.weeks << c.keep << c.scrollContext;
        EXPECT_EQ(model.GetDayDate(focus), thursday);
    }
}

} // namespace
