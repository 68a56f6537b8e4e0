// The one instance of the new-item defaults.
#include "core/items/ItemDefaults.h"

#include <algorithm>

CDateSpan ItemDefaults::SnoozeFromMinutes(long minutes)
{
    return CDateSpan(0, 0, int(std::clamp(minutes, 1L, 527040L)), 0);
}

ItemDefaults &GetItemDefaults()
{
    static ItemDefaults defaults;
    return defaults;
}
