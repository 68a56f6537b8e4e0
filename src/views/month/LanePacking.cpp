#include "views/month/LanePacking.h"

#include <algorithm>

bool SpansOverlap(const QRect &a, const QRect &b, bool sameRow)
{
    if (sameRow && a.top() != b.top())
        return false;
    return a.left() < b.left() + b.width() && b.left() < a.left() + a.width();
}

int ClusterEnd(const CCalendarViewCtrl::EntryList &entries, int first)
{
    const int n = int(entries.size());
    int last = first;
    for (int i = first + 1; i < n; ++i) {
        bool joins = false;
        for (int j = first; j < i && !joins; ++j)
            joins = SpansOverlap(entries[i]->GetRect(), entries[j]->GetRect(), true);
        if (!joins)
            break;
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
