#include "views/month/LanePacking.h"

#include <algorithm>

bool SpansOverlap(const QRect &a, const QRect &b, bool sameRow)
{
    if (sameRow && a.top() != b.top())
        return false;
    return a.left() < b.left() + b.width() && b.left() < a.left() + a.width();
}

namespace {
// The rule as it reads, entry against every earlier one; for spans that run backwards, where the
// columns covered need not form one run.
int QuadraticClusterEnd(const CCalendarViewCtrl::EntryList &entries, int first)
{
    const int n = int(entries.size());
    int last = first;
    for (int i = first + 1; i < n; ++i) {
        bool joins = false;
        for (int j = first; j < i && !joins; ++j)
            joins = SpansOverlap(entries[std::size_t(i)]->GetRect(), entries[std::size_t(j)]->GetRect(), true);
        if (!joins)
            break;
        last = i;
    }
    return last;
}
} // namespace

int ClusterEnd(const CCalendarViewCtrl::EntryList &entries, int first)
{
    const int n = int(entries.size());
    if (first < 0 || first >= n)
        return first;
    // Every entry of a cluster shares the first one's top, and the columns the cluster covers so
    // far are one run (each entry overlaps an earlier one): an entry joins when it overlaps that
    // run, which is when it overlaps one of the entries in it.
    const QRect start = entries[std::size_t(first)]->GetRect();
    if (start.width() < 0)
        return QuadraticClusterEnd(entries, first);
    const int top = start.top();
    int runLeft = start.left();
    int runRight = start.left() + start.width();
    int last = first;
    for (int i = first + 1; i < n; ++i) {
        const QRect r = entries[std::size_t(i)]->GetRect();
        if (r.width() < 0)
            return std::max(last, QuadraticClusterEnd(entries, first));
        if (r.top() != top || !(r.left() < runRight && runLeft < r.left() + r.width()))
            break;
        runLeft = std::min(runLeft, r.left());
        runRight = std::max(runRight, r.left() + r.width());
        last = i;
    }
    return last;
}

namespace {
// Fills lanes from the first entry's top; stops before a lane would reach `limit`. False when it
// stopped with entries left.
bool FillLanesInPlace(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep,
                      const int *limit)
{
    int y = entries[first]->GetRect().top();
    for (bool again = true; again; y += laneStep) {
        if (limit && y + laneStep >= *limit)
            return false;
        again = false;
        const CDisplayItem *placedLast = nullptr;
        for (int i = first; i <= last; ++i) {
            CDisplayItem &e = *entries[i];
            const QRect r = e.GetRect();
            if ((e.GetState() & CDisplayItem::StateDragged) || r.height() > 0)
                continue;
            if (placedLast &&
                SpansOverlap(placedLast->GetRect(), QRect(r.left(), y, r.width(), laneStep), false)) {
                again = true;
                continue;
            }
            e.SetRect(QRect(r.left(), y, r.width(), laneStep));
            placedLast = &e;
        }
    }
    return true;
}

// The same, each lane a pass over the entries still waiting, kept with their columns in one
// array: a crowded cell has many more entries than lanes, and most of them wait in every pass.
bool FillLanes(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep,
               const int *limit)
{
    if (first < 0 || first > last || last >= int(entries.size()))
        return true;
    // A lane of no height leaves its entries looking unplaced to the next pass.
    if (laneStep <= 0)
        return FillLanesInPlace(entries, first, last, laneStep, limit);
    struct Waiting
    {
        int left, right;
        CDisplayItem *entry;
    };
    std::vector<Waiting> waiting;
    waiting.reserve(std::size_t(last - first + 1));
    for (int i = first; i <= last; ++i) {
        CDisplayItem &e = *entries[std::size_t(i)];
        const QRect r = e.GetRect();
        if (!(e.GetState() & CDisplayItem::StateDragged) && r.height() <= 0)
            waiting.push_back({r.left(), r.left() + r.width(), &e});
    }
    int y = entries[std::size_t(first)]->GetRect().top();
    for (bool again = true; again; y += laneStep) {
        if (limit && y + laneStep >= *limit)
            return false;
        again = false;
        bool placedAny = false;
        int placedLeft = 0, placedRight = 0;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            const Waiting w = waiting[i];
            if (placedAny && placedLeft < w.right && w.left < placedRight) {
                again = true;
                waiting[kept++] = w;
                continue;
            }
            w.entry->SetRect(QRect(w.left, y, w.right - w.left, laneStep));
            placedAny = true;
            placedLeft = w.left;
            placedRight = w.right;
        }
        waiting.resize(kept);
    }
    return true;
}
} // namespace

void FillBannerLanes(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep)
{
    FillLanes(entries, first, last, laneStep, nullptr);
}

bool FillBoundedLanes(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep,
                      int limit)
{
    return FillLanes(entries, first, last, laneStep, &limit);
}

void MarkUnplacedCells(const CCalendarViewCtrl::EntryList &entries, int first, int last,
                       std::vector<std::uint8_t> &marks, std::uint8_t overflowBit)
{
    for (int i = first; i <= last; ++i) {
        const CDisplayItem &e = *entries[std::size_t(i)];
        if (e.GetRect().height() > 0 || e.HasState(CDisplayItem::StateDragged))
            continue;
        for (int c = std::max(0, e.GetFirstCell()); c <= e.GetLastCell() && c < int(marks.size()); ++c)
            marks[std::size_t(c)] |= overflowBit;
    }
}
