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
bool FillLanes(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep,
               const int *limit)
{
    if (first < 0 || first > last || last >= int(entries.size()))
        return true;
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
