// CDragItem: the small record built from a dragged display item: what is moved, where to, and
// the times and text a preview of the moved item needs. Views also fill one for a new item
// being dragged out or typed.
#pragma once

#include "core/dates/DateTime.h"

#include <QString>
#include <cstdint>

class CDisplayItem;

class CDragItem
{
  public:
    // Drag flags.
    static constexpr std::uint32_t FlagOneOccurrence = 0x01; // from the entry's recurring flag
    static constexpr std::uint32_t FlagChanged = 0x02;
    static constexpr std::uint32_t FlagReminder = 0x04;
    static constexpr std::uint32_t FlagCompleted = 0x08; // a completed task
    static constexpr std::uint32_t FlagNotes = 0x1000;
    static constexpr std::uint32_t FlagLocked = 0x10000;

    CDragItem() = default;
    // Tasks: with due and start date the entry's span; with a due date only its due day; without
    // a due date today; each task at least one day long.
    explicit CDragItem(const CDisplayItem &entry);

    int kind = 0;
    std::uint32_t recordId = 0;
    CDateTime occurrenceDate;
    CDateTime movedStart;
    std::uint32_t flags = 0;
    int reserved = 0;
    CDateTime start;
    CDateSpan duration;
    int itemTypeIndex = -1;
    QString text;    // subject, age and location
    CDateTime stamp; // the item's modification stamp as the entry knew it
};
