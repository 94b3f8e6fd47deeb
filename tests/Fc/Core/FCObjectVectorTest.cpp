#include "Fc/Core/FCObjectVector.h"
#include "support/FCTestObjects.h"

#include <gtest/gtest.h>

namespace
{
// Creates objects the way every owner does: create, insert, and in mode 2
// drop the creator's reference so the container holds the only one.
std::vector<FCObject*> Fill(FCObjectVector& vector, int count)
{
    std::vector<FCObject*> made;
    for (int i = 0; i < count; ++i)
    {
        FCObject* object = new FCCountedObject(i);
        vector.Append(object);
        if (vector.GetMode() == 2)
            object->Release();
        made.push_back(object);
    }
    return made;
}
} // namespace

TEST(FCObjectVectorTest, OwnershipModesDecideWhatRemovalAndClearingDo)
{
    struct Case
    {
        std::uint16_t mode;
        int destroyedByRemoveAndClear;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 4}, Case{2, 4}})
    {
        SCOPED_TRACE(c.mode);
        FCCountedObject::ResetCounts();
        std::vector<FCObject*> made;
        {
            FCObjectVector vector(c.mode);
            made = Fill(vector, 4);
            vector.Append(nullptr); // skipped by every mode
            if (c.mode == 2)
            {
                EXPECT_EQ(made[0]->GetRefCount(), 1);
            }
            EXPECT_EQ(vector.Remove(made[1]), 0);
            EXPECT_EQ(vector.GetCount(), 4u);
            EXPECT_EQ(vector.GetAt(1), made[2]) << "later elements move down";
            EXPECT_EQ(vector.RemoveAt(0), 0);
            EXPECT_EQ(vector.GetAt(0), made[2]);
            vector.Clear();
            EXPECT_EQ(vector.GetCount(), 0u);
            EXPECT_EQ(FCCountedObject::Destroyed(), c.destroyedByRemoveAndClear);
        }
        EXPECT_EQ(FCCountedObject::Destroyed(), c.destroyedByRemoveAndClear) << "nothing disposed twice";
        if (c.mode == 0)
        {
            for (FCObject* object : made)
                delete object;
        }
    }
}

TEST(FCObjectVectorTest, DestructionDisposesByMode)
{
    FCCountedObject::ResetCounts();
    {
        FCObjectVector vector(1);
        Fill(vector, 3);
    }
    EXPECT_EQ(FCCountedObject::Destroyed(), 3);

    FCCountedObject::ResetCounts();
    FCObject* shared = new FCCountedObject(9);
    {
        FCObjectVector vector(2);
        vector.Append(shared);
        EXPECT_EQ(shared->GetRefCount(), 2);
    }
    EXPECT_EQ(FCCountedObject::Destroyed(), 0) << "the caller's reference keeps it alive";
    EXPECT_EQ(shared->GetRefCount(), 1);
    shared->Release();
}

TEST(FCObjectVectorTest, PositionalAccessAndAbsentElements)
{
    FCObjectVector vector(1);
    EXPECT_EQ(vector.GetAt(0), nullptr) << "no storage yet";
    std::vector<FCObject*> made = Fill(vector, 3);
    for (int index : {-1, -32768, 3, 1000})
    {
        SCOPED_TRACE(index);
        EXPECT_EQ(vector.GetAt(index), nullptr);
    }
    EXPECT_EQ(vector.GetAt(2), made[2]);
    FCCountedObject stranger(1);
    EXPECT_EQ(vector.Remove(&stranger), 7);
    EXPECT_EQ(vector.RemoveAt(3), 7);
    EXPECT_EQ(vector.GetCount(), 3u);
}

TEST(FCObjectVectorTest, CursorsWalkInOrderAndIndependently)
{
    FCObjectVector vector(1);
    std::vector<FCObject*> made = Fill(vector, 3);
    FCObject* out = nullptr;
    vector.ResetCursor();
    ASSERT_TRUE(vector.GetNext(out));
    EXPECT_EQ(out, made[0]);

    // A nested walk with its own cursor leaves the holder's where it was.
    FCObjectVectorCursor inner;
    std::vector<FCObject*> seen;
    while (vector.GetNext(out, &inner))
        seen.push_back(out);
    EXPECT_EQ(seen, made);

    ASSERT_TRUE(vector.GetNext(out));
    EXPECT_EQ(out, made[1]);
    ASSERT_TRUE(vector.GetNext(out));
    FCObject* untouched = reinterpret_cast<FCObject*>(0x1);
    out = untouched;
    EXPECT_FALSE(vector.GetNext(out));
    EXPECT_EQ(out, untouched) << "the end leaves the output alone";
}
