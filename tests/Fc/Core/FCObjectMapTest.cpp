#include "Fc/Core/FCObjectMap.h"
#include "support/FCTestObjects.h"

#include <gtest/gtest.h>

TEST(FCObjectMapTest, InsertUnderAPresentKeyReplacesAndDisposesTheOldOne)
{
    for (std::uint16_t mode : {1, 2})
    {
        SCOPED_TRACE(mode);
        FCObjectMap map(mode);
        auto* first = new FCCountedObject(1);
        auto* second = new FCCountedObject(2);
        map.Insert(first, 10);
        if (mode == 2)
            first->Release();

        FCCountedObject::ResetCounts();
        EXPECT_EQ(map.Insert(first, 10), 0);
        EXPECT_EQ(FCCountedObject::Destroyed(), 0) << "the very object already stored stays";
        EXPECT_EQ(map.Find(10), first);
        if (mode == 2)
        {
            EXPECT_EQ(first->GetRefCount(), 1);
        }

        map.Insert(second, 10);
        if (mode == 2)
            second->Release();
        EXPECT_EQ(FCCountedObject::Destroyed(), 1);
        EXPECT_EQ(map.Find(10), second);
        EXPECT_EQ(map.GetCount(), 1u);

        EXPECT_EQ(map.Remove(10), 0);
        EXPECT_EQ(FCCountedObject::Destroyed(), 2);
        EXPECT_EQ(map.Remove(10), 7);
        EXPECT_EQ(map.Find(10), nullptr);
    }
}

TEST(FCObjectMapTest, SixteenBitKeysOrderAsSigned)
{
    FCObjectMap map(1);
    for (std::int16_t key : {std::int16_t{5}, std::int16_t{-1}, std::int16_t{0x7FFF}, std::int16_t{-32768}})
        map.Insert(new FCCountedObject(key), key);
    // Callers with unsigned ids pass them through the same key.
    EXPECT_NE(map.Find(static_cast<std::int16_t>(std::uint16_t{0xFFFF})), nullptr);

    std::vector<std::int16_t> keys;
    std::int16_t key = 0;
    FCObject* out = nullptr;
    map.ResetCursor();
    while (map.GetNext(key, out))
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::int16_t>{-32768, -1, 5, 0x7FFF}));
}

TEST(FCObjectMapTest, PairAndNameKeys)
{
    FCObjectPairMap pairs(1);
    pairs.Insert(new FCCountedObject(1), {2, -1});
    pairs.Insert(new FCCountedObject(2), {1, 7});
    pairs.Insert(new FCCountedObject(3), {2, -5});
    EXPECT_EQ(static_cast<FCCountedObject*>(pairs.Find({2, -1}))->value, 1);
    EXPECT_EQ(pairs.Find({7, 1}), nullptr);
    std::vector<std::int32_t> order;
    pairs.ResetCursor();
    while (FCObject* object = pairs.Next())
        order.push_back(static_cast<FCCountedObject*>(object)->value);
    EXPECT_EQ(order, (std::vector<std::int32_t>{2, 3, 1})) << "first key, then second";

    FCObjectNameMap names(1);
    names.Insert(new FCCountedObject(1), "b");
    names.Insert(new FCCountedObject(2), "B");
    EXPECT_EQ(static_cast<FCCountedObject*>(names.Find("B"))->value, 2);
    EXPECT_EQ(names.Find("bb"), nullptr);
}

TEST(FCObjectMapTest, ClearSkipsNullAndDisposesEachOnce)
{
    for (std::uint16_t mode : {0, 1, 2})
    {
        SCOPED_TRACE(mode);
        FCCountedObject::ResetCounts();
        std::vector<FCObject*> made;
        {
            FCObjectMap map(mode);
            map.Insert(nullptr, 0);
            for (std::int16_t key = 1; key <= 3; ++key)
            {
                made.push_back(new FCCountedObject(key));
                map.Insert(made.back(), key);
                if (mode == 2)
                    made.back()->Release();
            }
            map.ResetCursor();
            EXPECT_EQ(map.Next(), nullptr) << "the null element under key 0";
            EXPECT_EQ(map.Next(), made[0]);
            EXPECT_EQ(map.Remove(2), 0) << "the element under the cursor";
            EXPECT_EQ(map.Next(), made[2]);
            EXPECT_EQ(map.Next(), nullptr);
        }
        EXPECT_EQ(FCCountedObject::Destroyed(), mode == 0 ? 0 : 3);
        if (mode == 0)
        {
            for (FCObject* object : made)
                delete object;
        }
    }
}
