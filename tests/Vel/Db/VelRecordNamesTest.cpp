#include "Fc/FCClassRegistry.h"
#include "Vel/Db/VelInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Database files name their records by class; every record class must be
// creatable by its exact name and report that name back.
TEST(VelRecordNamesTest, EveryRecordClassIsRegisteredUnderItsName)
{
    const char* const names[] = {
        "VelAgeInfo",
        "VelAlignmentInfo",
        "VelAnimalAttackInfo",
        "VelAnimalFeatureInfo",
        "VelAnimalInfo",
        "VelAnimalSkillInfo",
        "VelArmorInfo",
        "VelCarryInfo",
        "VelClassAlignmentInfo",
        "VelClassFeatureInfo",
        "VelClassInfo",
        "VelClassLevelInfo",
        "VelDomainInfo",
        "VelDomainSkillInfo",
        "VelEnemyInfo",
        "VelFamiliarFeatureInfo",
        "VelFeatDependInfo",
        "VelFeatInfo",
        "VelFeatureInfo",
        "VelGodDomainFeatInfo",
        "VelGodDomainInfo",
        "VelGodInfo",
        "VelGodRaceInfo",
        "VelGoodsInfo",
        "VelHeightWeightInfo",
        "VelItemInfo",
        "VelLanguageInfo",
        "VelMagicItemInfo",
        "VelMountInfo",
        "VelNameInfo",
        "VelProfWeaponInfo",
        "VelRaceFeatureInfo",
        "VelRaceInfo",
        "VelRaceSkillInfo",
        "VelSchoolInfo",
        "VelShieldInfo",
        "VelSizeInfo",
        "VelSkillInfo",
        "VelSpecialCostInfo",
        "VelSpellInfo",
        "VelSpellLevelInfo",
        "VelSpellsPerInfo",
        "VelSpokenLanguageInfo",
        "VelSubSkillInfo",
        "VelWeaponInfo",
    };
    static_assert(std::size(names) == 45);
    for (const char* name : names)
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
