#include "Fc/Core/FCObjectSet.h"
#include "support/FCTestObjects.h"

#include <gtest/gtest.h>

// Order and refusal of equivalent elements are covered in FCBlockPoolTest.
TEST(FCObjectSetTest, RefusedInsertsTakeNoReference)
{
    FCObjectSet set(2);
    FCObject* object = new FCCountedObject(12);
    EXPECT_EQ(set.Insert(object), 0);
    object->Release();
    EXPECT_EQ(object->GetRefCount(), 1);
    FCObject* duplicate = new FCCountedObject(12);
    EXPECT_EQ(set.Insert(duplicate), FCObjectSet::kRefused);
    EXPECT_EQ(duplicate->GetRefCount(), 1);
    EXPECT_EQ(set.GetCount(), 1u);
    duplicate->Release();
    EXPECT_EQ(set.Insert(nullptr), FCObjectSet::kRefused);
}

TEST(FCObjectSetTest, FindAndRemoveWorkThroughKeyObjects)
{
    FCObjectSet set(1);
    auto* stored = new FCCountedObject(7);
    set.Insert(stored);
    set.Insert(new FCCountedObject(8));

    const FCCountedObject key(7);
    EXPECT_EQ(set.Find(key), stored);
    EXPECT_TRUE(set.Contains(key));
    EXPECT_FALSE(set.Contains(FCCountedObject(6)));

    FCCountedObject::ResetCounts();
    EXPECT_EQ(set.Remove(key), 0);
    EXPECT_EQ(FCCountedObject::Destroyed(), 1) << "the stored element is disposed of, not the key";
    EXPECT_EQ(key.value, 7);
    EXPECT_EQ(set.Remove(key), FCObjectSet::kAbsent);
    EXPECT_EQ(set.GetCount(), 1u);
}

TEST(FCObjectSetTest, ClearAndDestructionDisposeByMode)
{
    for (std::uint16_t mode : {0, 1, 2})
    {
        SCOPED_TRACE(mode);
        std::vector<FCObject*> made;
        FCCountedObject::ResetCounts();
        {
            FCObjectSet set(mode);
            for (int value = 0; value < 3; ++value)
            {
                made.push_back(new FCCountedObject(value));
                set.Insert(made.back());
                if (mode == 2)
                    made.back()->Release();
            }
            set.Clear();
            EXPECT_EQ(set.GetCount(), 0u);
            EXPECT_EQ(FCCountedObject::Destroyed(), mode == 0 ? 0 : 3);
            if (mode == 0)
                set.Insert(made[0]); // destroyed with the set in no mode
        }
        EXPECT_EQ(FCCountedObject::Destroyed(), mode == 0 ? 0 : 3);
        if (mode == 0)
        {
            for (FCObject* object : made)
                delete object;
        }
    }
}

TEST(FCObjectSetTest, RemovingTheElementUnderTheCursorKeepsTheWalkValid)
{
    FCObjectSet set(1);
    for (int value : {1, 2, 3})
        set.Insert(new FCCountedObject(value));
    set.ResetCursor();
    FCObject* out = nullptr;
    ASSERT_TRUE(set.GetNext(out));
    set.Remove(FCCountedObject(2)); // the element the cursor points at now
    ASSERT_TRUE(set.GetNext(out));
    EXPECT_EQ(static_cast<FCCountedObject*>(out)->value, 3);
    EXPECT_FALSE(set.GetNext(out));
}
