// One day cell of a month panel, shared by the Date Navigator and the year grid, and the small
// entries it keeps for the items that fall on it.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <cstdint>
#include <vector>

// What a day cell remembers of one item occurrence: enough to name it again and to colour and
// describe the day.
struct CNavigatorDayEntry
{
    int kind = 1;
    std::uint32_t recordId = 0;
    CDateTime occurrence;
    int itemTypeIndex = -1;
    QString subject; // the year grid's tips; the navigator leaves it empty
};

using CNavigatorDayEntryArray = std::vector<CNavigatorDayEntry>;

class CNavigatorDay
{
  public:
    // Flags. The navigator marks days of the neighbouring months it shows (grey), the highlighted
    // ones and the hidden ones; the year grid marks its month's days and its blanks.
    static constexpr std::uint32_t FlagOtherMonth = 0x01; // a neighbouring month's day, shown grey
    static constexpr std::uint32_t FlagHighlighted = 0x08;
    static constexpr std::uint32_t FlagHidden = 0x10; // not shown and not hittable
    static constexpr std::uint32_t FlagBlank = FlagHidden;
    static constexpr std::uint32_t FlagInMonth = 0x20; // the year grid: a day of the panel's month

    bool ShowsDay() const { return (flags & FlagInMonth) != 0; }
    bool IsHidden() const { return (flags & FlagHidden) != 0; }
    // The item type all entries share; -1 when they differ or there are none.
    void RecomputeCommonType();
    // Empties the cell to its state before any month was shown.
    void Clear();

    std::uint32_t flags = 0;
    int day = -1;
    int commonType = -1;
    CNavigatorDayEntryArray entries;
};
