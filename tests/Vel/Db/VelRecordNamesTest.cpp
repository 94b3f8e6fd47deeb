#include "Fc/FCClassRegistry.h"
#include "Vel/Db/VelInfo.h"
#include "Vel/Db/VelRecordClasses.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Database files name their records by class; every record class must be
// creatable by its exact name and report that name back.
TEST(VelRecordNamesTest, EveryRecordClassIsRegisteredUnderItsName)
{
    static_assert(kVelRecordClasses.size() == 45);
    for (const char* name : kVelRecordClasses)
    {
        SCOPED_TRACE(name);
        FCObject* object = FCClassRegistry::CreateByName(name);
        ASSERT_NE(object, nullptr);
        const auto* record = dynamic_cast<const VelInfo*>(object);
        EXPECT_NE(record, nullptr);
        EXPECT_EQ(object->GetClassName(), name);
        EXPECT_EQ(object->GetTypeName(), name);
        if (record != nullptr)
        {
            EXPECT_EQ(record->key, -1);
        }
        object->Release();
    }
    // Names are exact: no case folding.
    EXPECT_EQ(FCClassRegistry::CreateByName("velskillinfo"), nullptr);
}
