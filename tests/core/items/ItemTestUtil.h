// Helpers for item and recurrence tests: short date builders, readable failure output and a
// recurring event factory.
#pragma once

#include "core/dates/DateRules.h"
#include "core/items/EventItem.h"
#include "core/lists/ItemTypeCatalog.h"

#include <ostream>
#include <vector>

inline CDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return CDateTime(y, mo, d, h, mi, s);
}
inline CDateSpan Days(double n)
{
    return CDateSpan(n);
}
inline CDateSpan Hours(double n)
{
    return CDateSpan(n / 24.0);
}
inline CDateSpan Minutes(double n)
{
    return CDateSpan(n / 1440.0);
}

inline void PrintTo(const CDateTime &d, std::ostream *os)
{
    *os << d.ToIsoString().toStdString();
}
inline void PrintTo(const CDateSpan &s, std::ostream *os)
{
    *os << s.GetTotalMinutes() << " min";
}
inline void PrintTo(const COccurrence &o, std::ostream *os)
{
    *os << "{key " << o.keyDate.ToIsoString().toStdString() << ", start "
        << o.start.ToIsoString().toStdString() << ", " << o.duration.GetTotalMinutes() << " min, exception "
        << o.exceptionIndex << "}";
}

// A recurring event starting at start with the pattern given; the pattern start is the start.
inline CEventItem MakeSeries(const CDateTime &start, const CDateSpan &duration, std::uint32_t word,
                             std::uint16_t interval, std::uint16_t dayNumber = 0,
                             const CDateTime &end = CDateTime())
{
    CEventItem e;
    e.SetStart(start);
    e.SetDuration(duration);
    e.SetRecurrence(word, interval, dayNumber, start, end);
    return e;
}

// Installs a fixed clock for the life of the object.
class FixedClock
{
  public:
    explicit FixedClock(const CDateTime &now)
    {
        SetNowProvider([now] { return now; });
        UpdateToday();
    }
    ~FixedClock()
    {
        SetNowProvider({});
        ResetToday();
    }
};

// An item-type catalog over a plain list: names looked up exactly, prefixes without case.
class FakeItemTypes : public IItemTypeCatalog
{
  public:
    std::vector<ItemTypeInfo> types;
    int GetTypeCount() const override { return int(types.size()); }
    bool GetTypeInfo(int index, ItemTypeInfo &out) const override
    {
        if (index < 0 || index >= GetTypeCount())
            return false;
        out = types[size_t(index)];
        return true;
    }
    int FindType(const QString &name) const override
    {
        for (size_t i = 0; i < types.size(); ++i)
            if (types[i].name == name)
                return int(i);
        return -1;
    }
    int FindTypeByPrefix(const QString &text) const override
    {
        for (size_t i = 0; i < types.size(); ++i)
            if (types[i].name.startsWith(text, Qt::CaseInsensitive))
                return int(i);
        return -1;
    }
};
