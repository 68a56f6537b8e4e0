// The eleven item types a new data file starts with, in their order, and how each becomes a type.
#pragma once

#include "core/lists/ColorRules.h"
#include "core/lists/ItemType.h"

#include <cstdint>
#include <span>

struct PredefinedItemType
{
    int nameId; // string table id of the name
    std::uint32_t flags;
    int leadMinutes;
    COLORREF textHigh, fillHigh; // colours when the screen shows more than 256 colours
    COLORREF textLow, fillLow;   // colours otherwise
    const char *soundFile;       // in the "Sounds" folder; "" the default beep; null no sound
};

std::span<const PredefinedItemType> PredefinedItemTypes();

// The type made from a table row: its name from the string table, flags, lead, the colour pair for
// the screen, and its sound (the file's path in the "Sounds" folder, put there from the registered
// art when missing; no sound when the path cannot be made).
CItemType MakePredefinedItemType(const PredefinedItemType &row, bool highColor);

// True when `name` is the name of a predefined type whose row carries `flag`.
bool IsPredefinedNameWithFlag(const QString &name, std::uint32_t flag);
