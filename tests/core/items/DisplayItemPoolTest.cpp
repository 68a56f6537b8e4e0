// Display items come from per-thread free lists of blocks that are reused.
#include "core/items/DisplayItemPool.h"
#include "core/items/DatedDisplayItem.h"
#include "core/items/DisplayItem.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <thread>
#include <vector>

TEST(DisplayItemPoolTest, FreedItemsAreReusedByItemsOfTheirSize)
{
    const auto kept = [] {
        return CDisplayItemPool::KeptCount(sizeof(CDisplayItem)) +
               CDisplayItemPool::KeptCount(sizeof(CDatedDisplayItem));
    };
    const int keptBefore = kept();
    std::set<const void *> plain, dated;
    {
        std::vector<std::unique_ptr<CDisplayItem>> items;
        for (int i = 0; i < 50; ++i) {
            items.push_back(std::make_unique<CDisplayItem>());
            items.push_back(std::make_unique<CDatedDisplayItem>());
            plain.insert(items[items.size() - 2].get());
            dated.insert(items.back().get());
        }
    }
    EXPECT_EQ(kept(), keptBefore + 100);
    // The same blocks come back for items of the same kind, each in one piece.
    for (int i = 0; i < 50; ++i) {
        auto a = std::make_unique<CDisplayItem>();
        auto b = std::make_unique<CDatedDisplayItem>();
        EXPECT_TRUE(plain.count(a.get())) << i;
        EXPECT_TRUE(dated.count(b.get())) << i;
        a->SetSubject(QStringLiteral("reused"));
        EXPECT_EQ(a->GetSubject(), QStringLiteral("reused"));
        a.release();
        b.release();
    }
    EXPECT_EQ(kept(), keptBefore);
    // What the loop left unowned goes back so the next tests start from the same pool.
    for (const void *p : plain)
        delete static_cast<const CDisplayItem *>(p);
    for (const void *p : dated)
        delete static_cast<const CDatedDisplayItem *>(p);
}

TEST(DisplayItemPoolTest, BeyondTheLimitBlocksGoBackToTheHeap)
{
    std::vector<std::unique_ptr<CDisplayItem>> items(CDisplayItemPool::kMaxKept + 10);
    for (auto &item : items)
        item = std::make_unique<CDisplayItem>();
    items.clear();
    EXPECT_EQ(CDisplayItemPool::KeptCount(sizeof(CDisplayItem)), CDisplayItemPool::kMaxKept);
}

TEST(DisplayItemPoolTest, AnItemFreedOnAnotherThreadJoinsThatThreadsList)
{
    auto item = std::make_unique<CDisplayItem>();
    item->SetSubject(QStringLiteral("moved"));
    int keptThere = -1;
    std::thread([&] {
        const int before = CDisplayItemPool::KeptCount(sizeof(CDisplayItem));
        item.reset();
        keptThere = CDisplayItemPool::KeptCount(sizeof(CDisplayItem)) - before;
        // Made again there from the same block, and freed when the thread ends.
        auto again = std::make_unique<CDisplayItem>();
        EXPECT_EQ(CDisplayItemPool::KeptCount(sizeof(CDisplayItem)) - before, 0);
    }).join();
    EXPECT_EQ(keptThere, 1);
}
