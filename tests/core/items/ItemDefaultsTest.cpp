// New-item defaults: the snooze minutes as the settings give them, and new items taking them.
#include "core/items/ItemTestUtil.h"

#include "core/items/ItemDefaults.h"

#include <gtest/gtest.h>

TEST(ItemDefaults, SnoozeMinutesAndNewItems)
{
    EXPECT_EQ(ItemDefaults::SnoozeFromMinutes(0), Minutes(1));
    EXPECT_EQ(ItemDefaults::SnoozeFromMinutes(-5), Minutes(1));
    EXPECT_EQ(ItemDefaults::SnoozeFromMinutes(45), Minutes(45));
    EXPECT_EQ(ItemDefaults::SnoozeFromMinutes(600000), Minutes(527040));

    ItemDefaults &defaults = GetItemDefaults();
    const ItemDefaults saved = defaults;
    defaults.snoozeInterval = ItemDefaults::SnoozeFromMinutes(5);
    EXPECT_EQ(CEventItem().GetSnoozeInterval(), Minutes(5));
    defaults = saved;
    EXPECT_EQ(CEventItem().GetSnoozeInterval(), Minutes(15));
}
