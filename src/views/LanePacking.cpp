#include "views/LanePacking.h"

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

void FillBannerLanes(const CCalendarViewCtrl::EntryList &entries, int first, int last, int laneStep)
{
    if (first < 0 || first > last || last >= int(entries.size()))
        return;
    int y = entries[first]->GetRect().top();
    for (bool again = true; again; y += laneStep) {
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
}
