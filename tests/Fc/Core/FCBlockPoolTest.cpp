#include "Fc/Core/FCBlockAllocator.h"
#include "Fc/Core/FCBlockPool.h"
#include "Fc/Core/FCObjectMap.h"
#include "Fc/Core/FCObjectSet.h"
#include "Fc/Core/FCOwnership.h"
#include "support/FCTestObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace
{
struct Block
{
    unsigned char* bytes;
    std::size_t size;
};
} // namespace

TEST(FCBlockPoolTest, BlocksAreAlignedDistinctAndKeepTheirBytes)
{
    // Sizes at, below and above the class edges, the largest pooled size and
    // sizes the pool passes on to the general allocator.
    const std::size_t sizes[] = {1, 8, 15, 16, 17, 31, 32, 33, 100, 250, 511, 512, 513, 4000};
    std::vector<Block> blocks;
    for (int round = 0; round < 40; ++round)
    {
        for (std::size_t size : sizes)
        {
            auto* bytes = static_cast<unsigned char*>(FCBlockPool::Allocate(size));
            ASSERT_NE(bytes, nullptr);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes) % FCBlockPool::kGranule, 0u) << size;
            std::memset(bytes, static_cast<int>(blocks.size() & 0xFF), size);
            blocks.push_back({bytes, size});
        }
        // Free every third block as we go, so later rounds reuse them while
        // older blocks are still in use.
        for (std::size_t i = blocks.size() - std::size(sizes); i < blocks.size(); i += 3)
        {
            FCBlockPool::Free(blocks[i].bytes, blocks[i].size);
            blocks[i].bytes = nullptr;
        }
    }
    // A block handed out twice or overlapping another would have had its
    // bytes overwritten by the later fill.
    for (std::size_t i = 0; i < blocks.size(); ++i)
    {
        if (!blocks[i].bytes)
            continue;
        const auto expected = static_cast<unsigned char>(i & 0xFF);
        for (std::size_t b = 0; b < blocks[i].size; ++b)
        {
            ASSERT_EQ(blocks[i].bytes[b], expected) << "block " << i << " of " << blocks[i].size << " bytes";
        }
    }
    for (const Block& block : blocks)
        FCBlockPool::Free(block.bytes, block.size);
}

TEST(FCBlockPoolTest, FreedBlocksAreReusedSoRepeatedLoadsDoNotGrowThePool)
{
    if (!FCBlockPool::IsPooling())
        GTEST_SKIP() << "every block comes from the general allocator in this build";
    // As a table read, cleared and read again: the second and later rounds
    // must be served from the blocks the first one freed.
    const auto round = [] {
        std::vector<void*> blocks;
        for (int i = 0; i < 5000; ++i)
            blocks.push_back(FCBlockPool::Allocate(48 + (i % 3) * 16));
        for (std::size_t i = 0; i < blocks.size(); ++i)
            FCBlockPool::Free(blocks[i], 48 + (i % 3) * 16);
    };
    round();
    const std::size_t reserved = FCBlockPool::GetReservedBytes();
    for (int i = 0; i < 5; ++i)
        round();
    EXPECT_EQ(FCBlockPool::GetReservedBytes(), reserved);

    // The last block freed in a class is the next one handed out in it, and
    // only in it.
    void* block = FCBlockPool::Allocate(40);
    FCBlockPool::Free(block, 40);
    void* other = FCBlockPool::Allocate(200);
    EXPECT_NE(other, block);
    EXPECT_EQ(FCBlockPool::Allocate(33), block) << "33 and 40 bytes share a class";
    FCBlockPool::Free(block, 33);
    FCBlockPool::Free(other, 200);
}

TEST(FCBlockPoolTest, NodeContainersOverThePoolMatchTheStandardOnes)
{
    std::mt19937 random(7);
    std::map<int, int, std::less<int>, FCBlockAllocator<std::pair<const int, int>>> pooled;
    std::map<int, int> reference;
    for (int i = 0; i < 20000; ++i)
    {
        const int key = static_cast<int>(random() % 3000);
        if (random() % 3 == 0)
        {
            EXPECT_EQ(pooled.erase(key), reference.erase(key));
        }
        else
        {
            pooled[key] = i;
            reference[key] = i;
        }
    }
    ASSERT_EQ(pooled.size(), reference.size());
    EXPECT_TRUE(std::equal(pooled.begin(), pooled.end(), reference.begin(), reference.end()));

    // Swapping and moving need no allocator of their own.
    decltype(pooled) moved(std::move(pooled));
    decltype(pooled) swapped;
    swapped.swap(moved);
    EXPECT_TRUE(std::equal(swapped.begin(), swapped.end(), reference.begin(), reference.end()));
}

TEST(FCBlockPoolTest, ObjectContainersAgreeWhateverTheInsertionOrder)
{
    // The containers try the end first: ascending input takes that path,
    // the others fall back to a search; duplicates must be caught on both.
    struct Order
    {
        const char* name;
        std::vector<std::int16_t> keys;
    };
    std::vector<std::int16_t> shuffled;
    for (std::int16_t k = -40; k < 40; ++k)
        shuffled.push_back(k);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    const Order orders[] = {
        {"ascending", {-5, -1, 0, 3, 9, 200}},
        {"descending", {200, 9, 3, 0, -1, -5}},
        {"ascending with repeats", {1, 1, 2, 2, 2, 7, 7}},
        {"a smaller key after the largest", {1, 5, 9, 4, 9, 10, 4}},
        {"shuffled", shuffled},
    };
    for (const Order& order : orders)
    {
        SCOPED_TRACE(order.name);
        std::set<std::int16_t> unique(order.keys.begin(), order.keys.end());
        FCCountedObject::ResetCounts();
        const int aliveBefore = FCCountedObject::Alive();
        {
            FCObjectMap map(FCOwnership::kRefCounted);
            FCObjectSet set(FCOwnership::kRefCounted);
            std::map<std::int16_t, FCObject*> lastByKey;
            std::map<std::int16_t, FCObject*> firstByKey;
            std::size_t refused = 0;
            for (std::int16_t key : order.keys)
            {
                auto* object = new FCCountedObject(key);
                EXPECT_EQ(map.Insert(object, key), 0);
                lastByKey[key] = object;
                const std::uint16_t result = set.Insert(object);
                if (firstByKey.count(key))
                {
                    EXPECT_EQ(result, FCObjectSet::kRefused) << key;
                    ++refused;
                }
                else
                {
                    EXPECT_EQ(result, 0) << key;
                    firstByKey[key] = object;
                }
                object->Release();
            }
            EXPECT_EQ(refused, order.keys.size() - unique.size());
            ASSERT_EQ(map.GetCount(), unique.size());
            ASSERT_EQ(set.GetCount(), unique.size());
            // The map keeps the later object of a key, the set the first.
            std::int16_t key = 0;
            FCObject* object = nullptr;
            std::vector<std::int16_t> walked;
            map.ResetCursor();
            while (map.GetNext(key, object))
            {
                EXPECT_EQ(object, lastByKey[key]) << key;
                walked.push_back(key);
            }
            EXPECT_EQ(walked, std::vector<std::int16_t>(unique.begin(), unique.end()));
            walked.clear();
            FCObjectSet::Cursor walk = set.First();
            while (set.GetNext(object, &walk))
            {
                const auto value = static_cast<std::int16_t>(static_cast<FCCountedObject*>(object)->value);
                EXPECT_EQ(object, firstByKey[value]) << value;
                walked.push_back(value);
            }
            EXPECT_EQ(walked, std::vector<std::int16_t>(unique.begin(), unique.end()));
        }
        // Every object, kept or replaced or refused, is gone with its holders.
        EXPECT_EQ(FCCountedObject::Alive(), aliveBefore);
        EXPECT_EQ(FCCountedObject::Destroyed(), static_cast<int>(order.keys.size()));
    }
}
