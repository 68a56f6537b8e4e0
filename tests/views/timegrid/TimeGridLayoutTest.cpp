// The time grid's geometry and placement without a window: cells from times, the per-day pieces
// of an entry, and the side-by-side boxes of overlapping entries.
#include "views/timegrid/TimeGridLayout.h"
#include "views/timegrid/WorkWeekGuard.h"
#include "core/dates/WeekRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// Monday 4 March 2024.
const CDateTime kMonday(2024, 3, 4);

// Three 100-pixel columns after the 57-pixel label column: lefts 60, 160, 260.
constexpr QRect kView(0, 0, 362, 900);

std::unique_ptr<CDisplayItem> Timed(int day, int h1, int m1, int endDay, int h2, int m2,
                                    std::uint32_t record = 1)
{
    const CDateTime start(2024, 3, 4 + day, h1, m1, 0);
    const CDateTime end(2024, 3, 4 + endDay, h2, m2, 0);
    auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, "Appointment", start, end - start);
    e->SetFlags(0); // timed entries of the grid: never the all-day flag
    e->SetItemRef(record);
    e->SetOccurrenceDate(start);
    return e;
}

constexpr int kMonWedFri = (1 << 1) | (1 << 3) | (1 << 5);

CTimeGridLayout MakeGrid(int days = 3, int minutes = 30, bool workWeek = false)
{
    CTimeGridLayout grid;
    grid.SetWorkingTime(8, 0, 17, 0);
    grid.SetGridDays(days, workWeek);
    grid.SetFirstDate(kMonday);
    grid.SetTimeScale(minutes, false);
    grid.SetViewRect(kView);
    grid.SetLabelWidth(57);
    grid.SetRowHeight(17);
    grid.SetTopRow(0);
    return grid;
}

struct Piece
{
    int first, last;
    bool beginsBefore, endsAfter;
};

} // namespace

TEST(TimeGridLayout, EntriesBecomeOnePiecePerShownDay)
{
    struct Case
    {
        const char *name;
        int startDay, h1, m1, endDay, h2, m2;
        std::vector<Piece> pieces;
    };
    const Case cases[] = {
        {"no length on a boundary takes its row", 0, 9, 0, 0, 9, 0, {{18, 18, false, false}}},
        {"an hour takes two rows, not three", 0, 9, 0, 0, 10, 0, {{18, 19, false, false}}},
        {"an end inside a row keeps that row", 0, 9, 0, 0, 10, 10, {{18, 20, false, false}}},
        {"across midnight: two boxes", 0, 22, 0, 1, 2, 0, {{44, 47, false, true}, {48, 51, true, false}}},
        {"begins before the first day", -1, 23, 0, 0, 1, 0, {{0, 1, true, false}}},
        {"runs past the last day", 2, 23, 0, 3, 1, 0, {{142, 143, false, true}}},
        {"ends exactly at the range end", 2, 23, 0, 3, 0, 0, {{142, 143, false, false}}},
        {"wholly after the range", 3, 9, 0, 3, 10, 0, {}},
        {"wholly before the range", -1, 9, 0, -1, 10, 0, {}},
        {"three days from the middle of the first",
         0,
         12,
         0,
         2,
         6,
         0,
         {{24, 47, false, true}, {48, 95, true, true}, {96, 107, true, false}}},
    };
    const CTimeGridLayout grid = MakeGrid();
    for (const Case &c : cases) {
        CTimeGridLayout::EntryList out;
        grid.PlaceEntry(Timed(c.startDay, c.h1, c.m1, c.endDay, c.h2, c.m2), false, out);
        ASSERT_EQ(out.size(), c.pieces.size()) << c.name;
        for (std::size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i]->GetFirstCell(), c.pieces[i].first) << c.name << " piece " << i;
            EXPECT_EQ(out[i]->GetLastCell(), c.pieces[i].last) << c.name << " piece " << i;
            EXPECT_EQ(out[i]->HasFlag(CDisplayItem::FlagBeginsBefore), c.pieces[i].beginsBefore)
                << c.name << i;
            EXPECT_EQ(out[i]->HasFlag(CDisplayItem::FlagEndsAfter), c.pieces[i].endsAfter) << c.name << i;
        }
    }
}

TEST(TimeGridLayout, WorkingTimeOnlyDropsAndClampsPieces)
{
    CTimeGridLayout grid = MakeGrid();
    grid.SetTimeScale(30, true);
    EXPECT_EQ(grid.FirstRow(), 16);
    EXPECT_EQ(grid.EndRow(), 34);

    CTimeGridLayout::EntryList out;
    grid.PlaceEntry(Timed(0, 6, 0, 0, 7, 0), false, out);
    EXPECT_TRUE(out.empty()) << "before the working day";
    grid.PlaceEntry(Timed(0, 17, 30, 0, 18, 0), false, out);
    EXPECT_TRUE(out.empty()) << "after the working day";
    grid.PlaceEntry(Timed(0, 7, 0, 0, 9, 0), false, out);
    ASSERT_EQ(out.size(), 1u);
    grid.LayoutEntries(out);
    EXPECT_EQ(out[0]->GetRect().y(), 16 * 17) << "shown from the 08:00 row";
    EXPECT_EQ(RectBottom(out[0]->GetRect()), 18 * 17);

    // An end that is no row boundary rounds the last row up.
    grid.SetWorkingTime(9, 0, 17, 5);
    grid.SetTimeScale(60, true);
    EXPECT_EQ(grid.FirstRow(), 9);
    EXPECT_EQ(grid.EndRow(), 18);
    // An empty working day cannot be shown alone.
    grid.SetWorkingTime(17, 0, 9, 0);
    grid.SetTimeScale(60, true);
    EXPECT_FALSE(grid.WorkingTimeOnly());
    EXPECT_EQ(grid.EndRow(), 24);
}

TEST(TimeGridLayout, TimeScaleCodesAndRowsPerDay)
{
    CTimeGridLayout grid = MakeGrid();
    for (auto [minutes, rows] :
         {std::pair{5, 288}, {6, 240}, {10, 144}, {15, 96}, {30, 48}, {60, 24}, {7, 48}}) {
        grid.SetTimeScale(minutes, false);
        EXPECT_EQ(grid.RowsPerDay(), rows) << minutes;
    }
}

TEST(TimeGridLayout, WorkWeekColumnsSkipFreeDays)
{
    WorkWeekGuard week(kMonWedFri, 0);
    CTimeGridLayout grid = MakeGrid(5, 30, true);
    EXPECT_EQ(grid.ColumnCount(), 3);
    EXPECT_EQ(grid.ColumnToDay(1), 2);
    EXPECT_EQ(grid.ColumnToDay(3), -1);
    EXPECT_EQ(grid.DayToColumn(4), 2);
    EXPECT_EQ(grid.DayToColumn(1), -1);
    EXPECT_EQ(grid.GetShownDays(), 5) << "through the last work day";

    EXPECT_EQ(grid.GetDayDate(48 + 20), CDateTime(2024, 3, 6, 10, 0, 0)) << "column 1 is Wednesday";
    EXPECT_EQ(grid.GetDayDate(3 * 48 - 1), CDateTime(2024, 3, 8, 23, 30, 0));
    EXPECT_DOUBLE_EQ(grid.GetDaySpan(20, 48 + 20).GetTotalDays(), 2.0);

    CTimeGridLayout::EntryList out;
    grid.PlaceEntry(Timed(1, 10, 0, 1, 11, 0), false, out);
    EXPECT_TRUE(out.empty()) << "Tuesday has no column";
    grid.PlaceEntry(Timed(4, 10, 0, 4, 11, 0), false, out);
    ASSERT_EQ(out.size(), 1u) << "Friday is in the shown days";
    EXPECT_EQ(out[0]->GetFirstCell(), 2 * 48 + 20);
    // Tuesday night into Wednesday: only the Wednesday piece has a column.
    out.clear();
    grid.PlaceEntry(Timed(1, 23, 0, 2, 1, 0), false, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0]->GetFirstCell(), 48);
    EXPECT_TRUE(out[0]->HasFlag(CDisplayItem::FlagBeginsBefore));

    // No work days at all still leaves one column.
    WorkWeekGuard none(0, 0);
    EXPECT_EQ(grid.SetGridDays(5, true), 1);
}

TEST(TimeGridLayout, CellsAndPoints)
{
    CTimeGridLayout grid = MakeGrid();
    grid.SetTopRow(16);
    EXPECT_EQ(grid.GetCellRect(48 + 18), QRect(160, 2 * 17, 100, 17));
    EXPECT_EQ(grid.GetCellRect(2 * 48 + 16), QRect(260, 0, 359 - 260, 17)) << "the last column ends 3 px in";
    EXPECT_EQ(grid.CellFromPoint({165, 2 * 17 + 3}), 48 + 18);
    EXPECT_EQ(grid.CellFromPoint({5, -40}), 16) << "label column and above the window";
    bool below = false;
    EXPECT_EQ(grid.CellFromPoint({400, 5000}, &below), 3 * 48 - 1);
    EXPECT_TRUE(below);

    bool exact = false, outside = false;
    EXPECT_EQ(grid.CellFromDate(CDateTime(2024, 3, 5, 9, 15, 0), &exact, &outside), 48 + 18);
    EXPECT_FALSE(exact);
    EXPECT_FALSE(outside);
    EXPECT_EQ(grid.CellFromDate(CDateTime(2024, 3, 1), &exact, &outside), 0);
    EXPECT_TRUE(outside);
    EXPECT_EQ(grid.CellFromDate(CDateTime(2024, 3, 9), &exact, &outside), 3 * 48 - 1);
    EXPECT_TRUE(outside);

    // However small the window, a point finds a cell.
    for (const QRect &tiny : {QRect(0, 0, 0, 0), QRect(0, 0, 20, 3), QRect(0, 0, 61, 10)}) {
        grid.SetViewRect(tiny);
        const int cell = grid.CellFromPoint({30, 2});
        EXPECT_GE(cell, 0);
        EXPECT_LT(cell, grid.CellCount());
    }
}

namespace {

struct Box
{
    int left, right; // -1: no room
};

struct LayoutCase
{
    const char *name;
    std::vector<std::array<int, 4>> items; // day, start minute, end minute, dragged
    std::vector<Box> boxes;
};

} // namespace

TEST(TimeGridLayout, OverlappingEntriesShareTheDay)
{
    // One 100-pixel day column from x = 60: room for 8 sub-columns; two give a step of 41,
    // three a step of 25; boxes start 6 px in and end 5 px before the column's right edge.
    const LayoutCase cases[] = {
        {"alone", {{0, 540, 600, 0}}, {{66, 155}}},
        {"touching", {{0, 540, 600, 0}, {0, 600, 660, 0}}, {{66, 155}, {66, 155}}},
        {"nested", {{0, 540, 720, 0}, {0, 600, 660, 0}}, {{66, 107}, {111, 155}}},
        {"three with two sub-columns",
         {{0, 540, 720, 0}, {0, 570, 630, 0}, {0, 660, 720, 0}},
         {{66, 107}, {111, 155}, {111, 155}}},
        {"three at once",
         {{0, 540, 720, 0}, {0, 540, 720, 0}, {0, 540, 720, 0}},
         {{66, 91}, {95, 120}, {124, 155}}},
        {"same hours on two days", {{0, 540, 600, 0}, {1, 540, 600, 0}}, {{66, 155}, {166, 255}}},
        // A dragged entry in the middle of the list must not leave later ones unplaced.
        {"dragged in the middle",
         {{0, 540, 600, 0}, {0, 540, 600, 1}, {0, 660, 720, 0}, {0, 840, 900, 0}},
         {{66, 155}, {-2, -2}, {66, 155}, {66, 155}}},
        {"dragged before an overlap",
         {{0, 540, 600, 1}, {0, 540, 660, 0}, {0, 600, 720, 0}, {0, 900, 960, 0}},
         {{-2, -2}, {66, 107}, {111, 155}, {66, 155}}},
    };
    const CTimeGridLayout grid = MakeGrid();
    for (const LayoutCase &c : cases) {
        CTimeGridLayout::EntryList entries;
        for (const auto &[day, from, to, dragged] : c.items) {
            grid.PlaceEntry(Timed(day, from / 60, from % 60, day, to / 60, to % 60), false, entries);
            if (dragged)
                entries.back()->SetState(CDisplayItem::StateDragged);
        }
        grid.LayoutEntries(entries);
        ASSERT_EQ(entries.size(), c.boxes.size()) << c.name;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const CDisplayItem &e = *entries[i];
            if (c.boxes[i].left == -2)
                continue; // the dragged entry keeps whatever it had
            EXPECT_FALSE(e.HasState(CDisplayItem::StateHidden)) << c.name << " " << i;
            EXPECT_EQ(e.GetRect().x(), c.boxes[i].left) << c.name << " " << i;
            EXPECT_EQ(RectRight(e.GetRect()), c.boxes[i].right) << c.name << " " << i;
        }
    }
}

namespace {

// The side-by-side placement done the plain way: every entry against every earlier one of its
// group, every pair of boxes trimmed in order. The grid's own pass must give the same boxes.
void ReferenceLayout(const CTimeGridLayout &grid, CTimeGridLayout::EntryList &entries)
{
    const auto skipped = [](const CDisplayItem &e) {
        return (e.GetState() & (CDisplayItem::StateDragged | CDisplayItem::StateHidden)) != 0;
    };
    const auto vertical = [](const QRect &a, const QRect &b) {
        return a.y() < RectBottom(b) && b.y() < RectBottom(a);
    };
    const auto horizontal = [](const QRect &a, const QRect &b) {
        return a.x() < RectRight(b) && b.x() < RectRight(a);
    };
    const int rows = grid.RowsPerDay();
    for (auto &entry : entries) {
        CDisplayItem &e = *entry;
        e.SetState(e.GetState() & ~CDisplayItem::StateHidden);
        int first = e.GetFirstCell(), last = e.GetLastCell();
        if (first < 0 || last < 0)
            continue;
        if (first % rows < grid.FirstRow())
            first = first / rows * rows + grid.FirstRow();
        if (last % rows >= grid.EndRow())
            last = last / rows * rows + grid.EndRow() - 1;
        const int left = grid.ColumnLeft(first / rows);
        e.SetRect(RectFromEdges(left, first % rows * grid.RowHeight(), left, (last % rows + 1) * grid.RowHeight()));
    }
    const int n = int(entries.size());
    const auto place = [&](int firstIndex, int lastIndex, int wanted) {
        const CDisplayItem &head = *entries[std::size_t(firstIndex)];
        const int column = std::max(0, head.GetFirstCell()) / rows;
        const int left = grid.ColumnLeft(column), right = grid.ColumnRight(column);
        const int subColumns = std::max(1, std::min(wanted, (right - left - 6) / 11));
        const int step = (right - left - 6) / subColumns - 6;
        int x = left + 6;
        for (bool again = true; again; x += step + 4) {
            again = false;
            const CDisplayItem *previous = nullptr;
            for (int i = firstIndex; i <= lastIndex; ++i) {
                CDisplayItem &e = *entries[std::size_t(i)];
                if (skipped(e) || e.GetRect().width() != 0 || e.GetFirstCell() < 0)
                    continue;
                if (previous && vertical(previous->GetRect(), e.GetRect())) {
                    again = true;
                    continue;
                }
                if (right - 5 - x >= 7)
                    e.SetRect(RectFromEdges(x, e.GetRect().y(), right - 5, RectBottom(e.GetRect())));
                else
                    e.SetState(e.GetState() | CDisplayItem::StateHidden);
                previous = &e;
            }
        }
    };
    int start = 0, end = 0, widest = 0;
    for (int i = 1; i < n; ++i) {
        const CDisplayItem &e = *entries[std::size_t(i)];
        if (skipped(e))
            continue;
        int overlapping = 0;
        for (int j = start; j < i; ++j) {
            const CDisplayItem &o = *entries[std::size_t(j)];
            overlapping += !skipped(o) && vertical(o.GetRect(), e.GetRect()) && o.GetRect().x() == e.GetRect().x();
        }
        if (overlapping > 0) {
            end = i;
            widest = std::max(widest, overlapping);
        } else {
            place(start, end, widest + 1);
            start = end = i;
            widest = 0;
        }
    }
    place(start, end, widest + 1);
    for (int q = 0; q < n; ++q) {
        CDisplayItem &a = *entries[std::size_t(q)];
        for (int r = q + 1; r < n; ++r) {
            CDisplayItem &b = *entries[std::size_t(r)];
            const QRect ra = a.GetRect(), rb = b.GetRect();
            if (skipped(a) || skipped(b) || !vertical(ra, rb) || !horizontal(ra, rb))
                continue;
            if (ra.x() < rb.x() && RectRight(ra) >= rb.x())
                a.SetRect(RectFromEdges(ra.x(), ra.y(), rb.x() - 4, RectBottom(ra)));
            else if (ra.x() >= rb.x() && RectRight(rb) >= ra.x()) {
                if (ra.x() - 4 <= rb.x())
                    b.SetState(b.GetState() | CDisplayItem::StateHidden);
                else
                    b.SetRect(RectFromEdges(rb.x(), rb.y(), ra.x() - 4, RectBottom(rb)));
            }
        }
    }
}

} // namespace

// Busy days in display order and shuffled, with dragged entries, entries without cells that
// keep an old box (in half the rounds: without them each column is settled on its own), and
// columns wide and narrow: the same boxes and hidden marks as pairwise.
TEST(TimeGridLayout, BusyDaysMatchThePairwisePlacement)
{
    std::mt19937 random(16);
    for (int round = -1; round < 32; ++round) {
        CTimeGridLayout grid = MakeGrid();
        if (round < 0) {
            // A box higher up the day than the one before it still counts every box it
            // overlaps, also those the one before passed below: three sub-columns, not two.
            CTimeGridLayout::EntryList entries, expected;
            for (const auto &[from, to] : {std::pair{1, 8}, {1, 2}, {4, 5}, {1, 2}}) {
                grid.PlaceEntry(Timed(0, from, 0, 0, to, 0), false, entries);
                grid.PlaceEntry(Timed(0, from, 0, 0, to, 0), false, expected);
            }
            grid.LayoutEntries(entries);
            ReferenceLayout(grid, expected);
            EXPECT_EQ(RectRight(entries[0]->GetRect()), 91);
            for (std::size_t i = 0; i < entries.size(); ++i)
                EXPECT_EQ(entries[i]->GetRect(), expected[i]->GetRect()) << "entry " << i;
            continue;
        }
        grid.SetViewRect(QRect(0, 0, round % 3 == 0 ? 120 : 362 + round * 40, 900));
        CTimeGridLayout::EntryList entries;
        const int count = 20 + int(random() % 200);
        for (int i = 0; i < count; ++i) {
            const int day = int(random() % 3), from = int(random() % 44) * 30;
            const int length = 30 * (1 + int(random() % 8));
            const int to = std::min(from + length, 23 * 60 + 59);
            grid.PlaceEntry(Timed(day, from / 60, from % 60, day, to / 60, to % 60, std::uint32_t(i + 1)), false,
                            entries);
        }
        for (auto &e : entries) {
            const int pick = int(random() % 40);
            if (pick == 0)
                e->SetState(CDisplayItem::StateDragged);
            else if (pick == 1 && round / 4 % 2 == 1) {
                e->SetCells(-1, -1);
                e->SetRect(QRect(int(random() % 300), int(random() % 400), int(random() % 60), int(random() % 90)));
            }
        }
        // Display order, shuffled, backwards, and by day alone with the times mixed.
        const auto byDisplay = [](const auto &a, const auto &b) { return a->Precedes(*b); };
        const auto byDay = [&grid](const auto &a, const auto &b) {
            return a->GetFirstCell() / grid.RowsPerDay() < b->GetFirstCell() / grid.RowsPerDay();
        };
        if (round % 4 != 0)
            std::shuffle(entries.begin(), entries.end(), random);
        if (round % 4 == 0 || round % 4 == 2)
            std::stable_sort(entries.begin(), entries.end(), byDisplay);
        if (round % 4 == 2)
            std::reverse(entries.begin(), entries.end());
        if (round % 4 == 3)
            std::stable_sort(entries.begin(), entries.end(), byDay);
        CTimeGridLayout::EntryList expected;
        for (const auto &e : entries) {
            expected.push_back(e->Clone());
            expected.back()->SetRect(e->GetRect());
            expected.back()->SetState(e->GetState());
            expected.back()->SetCells(e->GetFirstCell(), e->GetLastCell());
        }
        grid.LayoutEntries(entries);
        ReferenceLayout(grid, expected);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i]->GetRect(), expected[i]->GetRect()) << "round " << round << " entry " << i;
            EXPECT_EQ(entries[i]->GetState(), expected[i]->GetState()) << "round " << round << " entry " << i;
        }
    }
}

TEST(TimeGridLayout, NarrowColumnsLeaveNoRoom)
{
    CTimeGridLayout grid = MakeGrid();
    // Columns of 17 pixels: (62 + 3 * 17) wide.
    grid.SetViewRect(QRect(0, 0, 62 + 3 * 17, 900));
    CTimeGridLayout::EntryList entries;
    grid.PlaceEntry(Timed(0, 9, 0, 0, 10, 0), false, entries);
    grid.PlaceEntry(Timed(0, 9, 30, 0, 11, 0), false, entries);
    grid.PlaceEntry(Timed(1, 9, 0, 1, 10, 0), false, entries);
    grid.LayoutEntries(entries);
    for (const auto &e : entries)
        EXPECT_TRUE(e->HasState(CDisplayItem::StateHidden));

    // One pixel wider and a lone entry fits again; layout clears the old mark.
    grid.SetViewRect(QRect(0, 0, 62 + 3 * 18, 900));
    grid.LayoutEntries(entries);
    EXPECT_FALSE(entries[2]->HasState(CDisplayItem::StateHidden));
}

TEST(TimeGridLayout, PrintingKeepsDaysAndOutOfHoursPieces)
{
    CTimeGridLayout grid = MakeGrid();
    grid.SetTimeScale(30, true);
    CTimeGridLayout::EntryList out;
    grid.PlaceEntry(Timed(1, 6, 0, 1, 7, 0), true, out);
    grid.PlaceEntry(Timed(2, 9, 0, 2, 10, 0), true, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0]->GetFirstCell(), -1);
    EXPECT_EQ(out[1]->GetFirstCell(), 2);
    EXPECT_EQ(out[1]->GetLastCell(), 2);
}
