#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelClassAlignmentInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "VelRecordCases.h"

#include <gtest/gtest.h>

using namespace VelRecordCases;

namespace
{
const std::vector<Case> kCases = {
    {"VelClassInfo",
     [](Layout& l) {
         l.Text("Warden").Text("W").U16(10, 4).U16(2, 0);
         l.U8(1, 0).U8(0, 0).U8(3, 0);
         l.U16(1, 0);
         l.U16(5, 0).U16(4, 0).U16(3, 0).U16(2, 0).U16(1, 0).U16(0, 0);
         l.U16(6, 0).U16(7, 0).U16(8, 0).U16(9, 0).U16(1517, 0xFFFF).U16(2, 0).U8(1, 0);
         l.U8(1, 0).U8(2, 0).U8(3, 0).U8(4, 0).U8(5, 0).U8(6, 0);
         l.U16(4, 0xFFFF).Text("third").Text("fourth");
     },
     []() -> VelInfo* {
         auto* r = new VelClassInfo;
         r->name = "Warden";
         r->description = "W";
         r->hitDie = 10;
         r->ageColumn = 2;
         r->goodSaves = {1, 0, 3};
         r->baseAttackColumn = 1;
         r->abilityPriority = {5, 4, 3, 2, 1, 0};
         r->skillPoints = 6;
         r->moneyDiceCount = 7;
         r->moneyDiceSides = 8;
         r->moneyMultiplier = 9;
         r->startingItem = 1517;
         r->castingKind = 2;
         r->animalCompanion = 1;
         r->proficiencies = {1, 2, 3, 4, 5, 6};
         r->castingAbility = 4;
         r->formerText = "third";
         r->portraitFile = "fourth";
         return r;
     },
     Table::kMap, {VelDatabase::kTagClass}},
    {"VelClassLevelInfo",
     [](Layout& l) {
         l.U16(11, 0).U16(12, 0).U16(13, 0).U16(14, 0);
         // Unarmed dice: count 0, sides 0, count 1, sides 1.
         l.U16(1, 0).U16(2, 0).U16(3, 0).U16(4, 0);
         l.U16(15, 0).U16(16, 0).U32(0x01020304, 0);
     },
     []() -> VelInfo* {
         auto* r = new VelClassLevelInfo;
         r->baseAttack = {11, 12, 13, 14};
         r->unarmedDiceCount = {1, 3};
         r->unarmedDiceSides = {2, 4};
         r->speedValues = {15, 16};
         r->wealth = 0x01020304;
         return r;
     },
     Table::kMap, {VelDatabase::kTagClassLevel}},
    {"VelClassFeatureInfo",
     [](Layout& l) { l.U16(5, 0).U16(12, 0).I16(3, -1); },
     []() -> VelInfo* {
         auto* r = new VelClassFeatureInfo;
         r->level = 5;
         r->featureId = 12;
         r->value = 3;
         return r;
     },
     Table::kList, {VelDatabase::kTagClassFeature}},
    {"VelClassAlignmentInfo",
     [](Layout& l) { l.U16(6, 0); },
     []() -> VelInfo* { return new VelClassAlignmentInfo(0xFFFF, 6); },
     Table::kSet, {VelDatabase::kTagClassAlignment},
     [](std::uint16_t, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindClassAlignment(key, 6); }},
    {"VelAlignmentInfo",
     [](Layout& l) { l.U16(3, 0).Text("Lawful").U16(0x8001, 0).U16(1, 0xFFFF).U16(2, 0xFFFF).U16(0xFFFF, 0xFFFF); },
     []() -> VelInfo* {
         auto* r = new VelAlignmentInfo;
         r->sortOrder = 3;
         r->name = "Lawful";
         r->helpTextId = 0x8001;
         r->compatible = {1, 2, 0xFFFF};
         return r;
     },
     Table::kMap, {VelDatabase::kTagAlignment}},
};
} // namespace

TEST(VelClassRecordsTest, LayoutsDefaultsAndTables) { CheckAll(kCases); }

TEST(VelClassRecordsTest, AlignmentIsCompatibleWithItselfAndItsListedIdsOnly)
{
    VelAlignmentInfo alignment;
    alignment.key = 4;
    alignment.compatible = {1, 0xFFFF, 0xFFFF};
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id)
    {
        const bool expected = id == 4 || id == 1;
        EXPECT_EQ(alignment.IsCompatible(static_cast<std::uint16_t>(id)), expected) << id;
    }

    // A record with every slot in use still refuses "none".
    alignment.compatible = {0, 7, 9};
    EXPECT_TRUE(alignment.IsCompatible(0));
    EXPECT_TRUE(alignment.IsCompatible(9));
    EXPECT_FALSE(alignment.IsCompatible(8));
}

TEST(VelClassRecordsTest, ClassFeatureTextNamesItsFeatureWithTheRowValue)
{
    DbFixture db;
    VelFeatureInfo counted;
    counted.name = "Sneak strike +%dd6";
    VelFeatureInfo favoured;
    favoured.name = "Favoured foe";
    favoured.kind = VelFeatureInfo::kKindEnemy;
    VelFeatureInfo hostile;
    hostile.name = "%s%s%n %d%%";
    VelEnemyInfo enemy;
    enemy.name = "Goblins";
    db.Section(VelDatabase::kTagFeature).Add(12, counted).Add(13, favoured).Add(1, hostile);
    db.Section(VelDatabase::kTagEnemy).Add(2, enemy);
    ASSERT_TRUE(db.Load());

    struct Row
    {
        std::uint16_t featureId;
        std::int16_t value;
        const char* text;
    };
    const Row rows[] = {
        {12, 3, "Sneak strike +3d6"},
        {12, -1, "Sneak strike +%dd6"}, // no value: the name as it stands
        {13, 2, "Favoured foe: Goblins"},
        {13, 9, "Favoured foe"},        // unknown enemy: the name alone
        {14, 1, ""},                    // no such feature
        {1, 4, "%s%s%n 4%"},            // the name is never a printf format
    };
    for (const Row& row : rows)
    {
        VelClassFeatureInfo feature;
        feature.featureId = row.featureId;
        feature.value = row.value;
        EXPECT_EQ(feature.GetText(), row.text) << row.featureId << " " << row.value;
    }
}
