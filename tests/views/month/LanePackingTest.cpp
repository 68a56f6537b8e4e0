// Bars packed into lanes: clusters of overlapping bars and the lane each bar takes.
#include "views/month/LanePacking.h"

#include <gtest/gtest.h>

namespace {

CCalendarViewCtrl::EntryList Bars(std::initializer_list<std::pair<int, int>> columns, int top = 10)
{
    CCalendarViewCtrl::EntryList out;
    for (auto [from, to] : columns) {
        auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, "Appointment",
                                                CDateTime(2024, 3, 4), CDateSpan(1.0));
        e->SetRect(QRect(from * 10, top, (to - from + 1) * 10, 0));
        out.push_back(std::move(e));
    }
    return out;
}

} // namespace

TEST(LanePacking, OverlapIsExclusiveAtTheRightEdge)
{
    EXPECT_TRUE(SpansOverlap(QRect(0, 0, 20, 5), QRect(19, 0, 5, 5), true));
    EXPECT_FALSE(SpansOverlap(QRect(0, 0, 20, 5), QRect(20, 0, 5, 5), true));
    EXPECT_FALSE(SpansOverlap(QRect(0, 0, 20, 5), QRect(5, 8, 5, 5), true));
    EXPECT_TRUE(SpansOverlap(QRect(0, 0, 20, 5), QRect(5, 8, 5, 5), false));
}

TEST(LanePacking, ClustersEndAtTheFirstBarThatOverlapsNoEarlierOne)
{
    // 0-2 and 2-3 overlap, 1-1 overlaps the first; 5-6 starts a new cluster.
    auto bars = Bars({{0, 2}, {2, 3}, {1, 1}, {5, 6}, {6, 6}});
    EXPECT_EQ(ClusterEnd(bars, 0), 2);
    EXPECT_EQ(ClusterEnd(bars, 3), 4);
}

// The end found in one pass matches the rule read literally (each bar against every earlier
// bar of the run) over many rows of bars, empty spans and rows that change mid-cluster included.
TEST(LanePacking, ClusterEndMatchesTheRuleAgainstEveryEarlierBar)
{
    std::uint32_t seed = 7;
    auto next = [&](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % std::uint32_t(n));
    };
    for (int trial = 0; trial < 300; ++trial) {
        CCalendarViewCtrl::EntryList bars;
        const int count = 1 + next(12);
        for (int i = 0; i < count; ++i) {
            auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, "Appointment",
                                                    CDateTime(2024, 3, 4), CDateSpan(1.0));
            e->SetRect(QRect(next(8) * 10, next(4) == 0 ? 30 : 10, next(4) * 10, 0));
            bars.push_back(std::move(e));
        }
        for (int first = 0; first < count; ++first) {
            int expected = first;
            for (int i = first + 1; i < count; ++i) {
                bool joins = false;
                for (int j = first; j < i; ++j)
                    joins = joins || SpansOverlap(bars[i]->GetRect(), bars[j]->GetRect(), true);
                if (!joins)
                    break;
                expected = i;
            }
            ASSERT_EQ(ClusterEnd(bars, first), expected) << "trial " << trial << " from " << first;
        }
    }
}

TEST(LanePacking, EveryBarGetsTheFirstLaneWithRoom)
{
    struct Case
    {
        std::initializer_list<std::pair<int, int>> bars;
        std::vector<int> lanes;
    };
    const Case cases[] = {
        {{{0, 2}, {3, 4}}, {0, 0}},            // side by side
        {{{0, 2}, {2, 4}, {4, 6}}, {0, 1, 0}}, // each overlaps the one before it
        {{{0, 6}, {1, 1}, {2, 2}, {1, 2}}, {0, 1, 1, 2}},
    };
    for (const Case &c : cases) {
        auto bars = Bars(c.bars);
        FillBannerLanes(bars, 0, int(bars.size()) - 1, 7);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            EXPECT_EQ(bars[i]->GetRect().top(), 10 + 7 * c.lanes[i]) << i;
            EXPECT_EQ(bars[i]->GetRect().height(), 7) << i;
        }
    }
}

TEST(LanePacking, DraggedBarsAreLeftWhereTheyAre)
{
    auto bars = Bars({{0, 2}, {1, 3}});
    bars[0]->SetState(CDisplayItem::StateDragged);
    FillBannerLanes(bars, 0, 1, 7);
    EXPECT_EQ(bars[0]->GetRect().height(), 0);
    EXPECT_EQ(bars[1]->GetRect().top(), 10);
}

// The lanes and the answer of a bounded fill match the rule read literally (lane by lane, each
// waiting entry against the last one placed in that lane) over crowded cells with bars,
// dragged and already placed entries, and floors from none to plenty of room.
TEST(LanePacking, BoundedFillMatchesTheLaneByLaneRule)
{
    std::uint32_t seed = 11;
    auto next = [&](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % std::uint32_t(n));
    };
    const auto reference = [](std::vector<QRect> &rects, const std::vector<bool> &dragged, int step,
                              int limit) {
        for (int y = rects.front().top();; y += step) {
            if (y + step >= limit)
                return false;
            bool again = false;
            int placed = -1;
            for (std::size_t i = 0; i < rects.size(); ++i) {
                const QRect r = rects[i];
                if (dragged[i] || r.height() > 0)
                    continue;
                const QRect lane(r.left(), y, r.width(), step);
                if (placed >= 0 && SpansOverlap(rects[std::size_t(placed)], lane, false)) {
                    again = true;
                    continue;
                }
                rects[i] = lane;
                placed = int(i);
            }
            if (!again)
                return true;
        }
    };
    for (int trial = 0; trial < 400; ++trial) {
        CCalendarViewCtrl::EntryList entries;
        std::vector<QRect> rects;
        std::vector<bool> dragged;
        const int count = 1 + next(40);
        for (int i = 0; i < count; ++i) {
            auto e = std::make_unique<CDisplayItem>(CDisplayItem::KindEvent, 0, "Appointment",
                                                    CDateTime(2024, 3, 4), CDateSpan(1.0));
            const int from = next(7);
            const int to = next(3) == 0 ? from + next(7 - from) : from; // mostly one cell
            const bool placed = next(10) == 0;
            e->SetRect(QRect(from * 10, placed ? 40 : 10, (to - from + 1) * 10, placed ? 7 : 0));
            if (next(12) == 0)
                e->SetState(CDisplayItem::StateDragged);
            rects.push_back(e->GetRect());
            dragged.push_back(e->HasState(CDisplayItem::StateDragged));
            entries.push_back(std::move(e));
        }
        const int step = 1 + next(8);
        const int limit = rects.front().top() + next(12) * step + next(step + 1);
        const bool expected = reference(rects, dragged, step, limit);
        ASSERT_EQ(FillBoundedLanes(entries, 0, count - 1, step, limit), expected) << "trial " << trial;
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(entries[std::size_t(i)]->GetRect(), rects[std::size_t(i)])
                << "trial " << trial << " entry " << i;
    }
}
