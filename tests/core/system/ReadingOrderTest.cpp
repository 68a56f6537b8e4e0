#include "core/system/ReadingOrder.h"
#include "common/TempProfile.h"
#include "core/system/ConstStrings.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(ReadingOrderTest, StoredChoiceElseTheLocale)
{
    const QLocale hebrew(QLocale::Hebrew, QLocale::Israel);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct
    {
        std::optional<int> stored;
        const QLocale *locale;
        bool rightToLeft;
    } cases[] = {
        {std::nullopt, &hebrew, true},
        {std::nullopt, &german, false},
        {1, &german, true},
        {0, &hebrew, false},
        {2, &hebrew, false},
        {-1, &hebrew, true}, // -1 reads as unset
    };
    for (const auto &c : cases) {
        TempProfile temp;
        if (c.stored)
            WriteProfileInt(ConstName::Common, ConstName::RTL, *c.stored);
        SettleReadingOrder(*c.locale);
        EXPECT_EQ(IsRightToLeftReading(), c.rightToLeft) << c.stored.value_or(-99);
    }
    SettleReadingOrder(german);
}
