// IDateNavigatorSink: the Date Navigator's busy-day marks, kept in step by the document after
// every stored or deleted event. Set only while the navigator exists.
#pragma once

#include <cstdint>

class CEventItem;

class IDateNavigatorSink
{
  public:
    virtual ~IDateNavigatorSink() = default;
    virtual void RemoveItemDays(std::uint32_t recordId, bool redraw) = 0;
    // Drops the marks of the item's previous version and marks the days of this one.
    virtual void UpdateItemDays(const CEventItem &event, bool redraw) = 0;
};
