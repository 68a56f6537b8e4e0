// One day cell of a year panel and the small entries it keeps for the items that fall on it.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <cstdint>
#include <vector>

// What a day cell remembers of one item occurrence: enough to name it again and to colour and
// describe the day.
struct CYearDayEntry
{
    int kind = 1;
    std::uint32_t recordId = 0;
    CDateTime occurrence;
    int itemTypeIndex = -1;
    QString subject;
};

using CYearDayEntryArray = std::vector<CYearDayEntry>;

class CYearDayCell
{
  public:
    static constexpr std::uint8_t FlagBlank = 0x10;   // lies outside the panel's month
    static constexpr std::uint8_t FlagInMonth = 0x20; // shows a day of the panel's month

    bool ShowsDay() const { return (flags & FlagInMonth) != 0; }
    // The item type all entries share; -1 when they differ or there are none.
    void RecomputeCommonType();
    // Empties the cell to its state before any month was shown.
    void Clear();

    std::uint8_t flags = 0;
    int day = -1;
    int commonType = -1;
    CYearDayEntryArray entries;
};
