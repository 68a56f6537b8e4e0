// Item keys: consecutive indexes, the unsaved item beside its key, and a byte form that carries
// kind, id and date only.
#include "editing/base/ItemKey.h"

#include "core/items/EventItem.h"

#include <gtest/gtest.h>

TEST(ItemKeyTest, AddKeepsFieldsAndTheUnsavedItemStaysBesideTheKey)
{
    CItemKeyArray keys;
    auto draft = std::make_shared<CEventItem>();
    EXPECT_EQ(keys.Add(1, 0, CDateTime(0.0), draft), 0);
    EXPECT_EQ(keys.Add(2, 17, CDateTime(2024, 5, 3)), 1);
    EXPECT_EQ(keys.GetAt(0).kind, 1);
    EXPECT_EQ(keys.GetAt(0).itemId, 0u);
    EXPECT_EQ(keys.GetUnsavedItem(0), draft.get());
    EXPECT_EQ(keys.GetAt(1).occurrence, CDateTime(2024, 5, 3));
    EXPECT_EQ(keys.GetUnsavedItem(1), nullptr);
}

TEST(ItemKeyTest, ByteFormRoundTripsWithoutAnyItemPointer)
{
    CItemKeyArray keys;
    auto draft = std::make_shared<CEventItem>();
    keys.Add(1, 0, CDateTime(0.0), draft);
    keys.Add(1, 5, CDateTime(2024, 2, 29, 9, 30));
    keys.Add(2, 9, CDateTime(0.0));
    const QByteArray bytes = keys.Serialize();
    ASSERT_EQ(bytes.size(), 2 + 3 * 24);
    EXPECT_EQ(bytes.mid(2 + 20, 4), QByteArray(4, '\0')) << "the old pointer slot is always zero";

    CItemKeyArray back;
    ASSERT_TRUE(back.Deserialize(bytes));
    ASSERT_EQ(back.GetSize(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.GetAt(i), keys.GetAt(i));
        EXPECT_EQ(back.GetUnsavedItem(i), nullptr);
    }
}

TEST(ItemKeyTest, BytesThatDisagreeWithTheirCountAreRefused)
{
    CItemKeyArray keys;
    keys.Add(1, 5, CDateTime(2024, 1, 1));
    QByteArray bytes = keys.Serialize();
    CItemKeyArray back;
    EXPECT_FALSE(back.Deserialize(bytes.left(bytes.size() - 1)));
    EXPECT_FALSE(back.Deserialize(bytes + "x"));
    QByteArray huge("\xFF\xFF\xFF\xFF\xFF\x7F", 6);
    EXPECT_FALSE(back.Deserialize(huge));
    EXPECT_EQ(back.GetSize(), 0);
}
