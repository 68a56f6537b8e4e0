// New-event times from a view's selection.
#include "views/base/NewEventTimes.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int kTimeGrid = 1;
constexpr int kBanner = 2;
constexpr int kList = 6;

CDateSpan DefaultDuration(int minutes)
{
    minutes = std::clamp(minutes == 0 ? 1 : minutes, 1, 720);
    return CDateSpan(0, minutes / 60, minutes % 60, 0);
}

// The day at the current time of day rounded up to the next half hour (which may be the next day).
CDateTime AtNextHalfHour(const CDateTime &day, const CDateTime &now)
{
    const int minute = now.GetMinute();
    const int rounded = now.GetHour() * 60 + minute + (60 - minute) % 30;
    const CDateTime date = day.DatePart();
    if (rounded < 24 * 60)
        return CDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), rounded / 60, rounded % 60, 0);
    const CDateTime next = date + CDateSpan(1.0);
    return CDateTime(next.GetYear(), next.GetMonth(), next.GetDay(), 0, 0, 0);
}
} // namespace

bool IsAllDayItemType(const QString &name)
{
    for (const char *allDay : {"Birthday", "Holiday", "Anniversary"})
        if (name.compare(QLatin1String(allDay), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void OrderPair(int &a, int &b)
{
    if (a > b)
        std::swap(a, b);
}

NewEventTimes ComputeNewEventTimes(const NewEventRequest &r)
{
    const bool given = r.givenStart.IsValid();
    const CDateSpan range = r.rangeEnd - r.rangeStart;
    const CDateSpan byDefault = DefaultDuration(r.defaultMinutes);
    NewEventTimes t;
    t.start = given ? r.givenStart : r.rangeStart;
    t.duration = given ? byDefault : range;

    if ((given || r.viewKind != kTimeGrid) && IsAllDayItemType(r.itemTypeName)) {
        t.start = t.start.DatePart();
        t.duration = CDateSpan(1.0);
        return t;
    }
    switch (r.viewKind) {
    case kBanner:
        t.duration = given ? CDateSpan(1.0) : range;
        break;
    case 3:
    case 4:
    case 5:
        if ((!given && r.severalCells) || r.newEventsAllDay) {
            t.duration = range;
        } else {
            if (!given)
                t.start = AtNextHalfHour(t.start, r.now);
            t.duration = byDefault;
        }
        break;
    case kList:
        if (!given)
            t.start = AtNextHalfHour(t.start, r.now);
        t.duration = byDefault;
        break;
    default:
        if (t.duration.GetTotalDays() == 0.0)
            t.duration = CDateSpan(1.0);
        break;
    }
    return t;
}
