#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelAnimalSkillInfo.h"
#include "Vel/Db/VelFamiliarFeatureInfo.h"
#include "Vel/Db/VelMountInfo.h"
#include "VelRecordCases.h"

#include <gtest/gtest.h>

using namespace VelRecordCases;

namespace
{
const std::vector<Case> kCases = {
    {"VelAnimalInfo",
     [](Layout& l) {
         l.Text("Owl").Text("owl.bmp").I16(-1, 0).U16(5, 0).F32(0.5f, 0.0f).U32(0xDEADBEEF, 0);
         l.U8(0, 0).U8(1, 0).U8(2, 0).I16(-10, 0).Text("third").U16(2, 0);
         l.U16(4, 0).U16(17, 0).U16(10, 0).U16(2, 0).U16(14, 0).U16(4, 0);
         l.Text("fourth").Text("fifth").Text("A night bird.");
     },
     []() -> VelInfo* {
         auto* r = new VelAnimalInfo;
         r->name = "Owl";
         r->iconFile = "owl.bmp";
         r->sizeId = -1;
         r->kindsMask = VelAnimalInfo::kKindFamiliar | VelAnimalInfo::kKindCompanion;
         r->hitDice = 0.5f;
         r->valueA = 0xDEADBEEF;
         r->goodSaves = {0, 1, 2};
         r->speed = -10;
         r->thirdText = "third";
         r->naturalArmor = 2;
         r->abilities = {4, 17, 10, 2, 14, 4};
         r->fourthText = "fourth";
         r->fifthText = "fifth";
         r->description = "A night bird.";
         return r;
     },
     Table::kMap, {VelDatabase::kTagAnimal}},
    {"VelAnimalAttackInfo",
     // The index comes before the name.
     [](Layout& l) { l.I16(1, 0).Text("Talons").U16(9, 0).U16(3, 0).U16(6, 0).F32(1.5f, 0.0f); },
     []() -> VelInfo* {
         auto* r = new VelAnimalAttackInfo(0xFFFF, 1);
         r->name = "Talons";
         r->wordA = 9;
         r->diceCount = 3;
         r->dieSides = 6;
         r->strengthFactor = 1.5f;
         return r;
     },
     Table::kSet, {VelDatabase::kTagAnimalAttack},
     [](std::uint16_t, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindAnimalAttack(key, 1); }},
    {"VelAnimalSkillInfo",
     [](Layout& l) { l.U16(21, 0xFFFF).I16(-2, 0); },
     []() -> VelInfo* {
         auto* r = new VelAnimalSkillInfo(0xFFFF, 21);
         r->ranks = -2;
         return r;
     },
     Table::kSet, {VelDatabase::kTagAnimalSkill},
     [](std::uint16_t tag, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindPairInSet<VelAnimalSkillInfo>(tag, key, 21); }},
    {"VelAnimalFeatureInfo",
     [](Layout& l) { l.U16(7, 0).U16(30, 0).U16(2, 0xFFFF).I16(5, 0); },
     []() -> VelInfo* {
         auto* r = new VelAnimalFeatureInfo;
         r->wordA = 7;
         r->featureId = 30;
         r->value = 2;
         r->kindsMask = 5;
         return r;
     },
     Table::kList, {VelDatabase::kTagAnimalFeature}},
    {"VelFamiliarFeatureInfo",
     [](Layout& l) { l.U16(3, 0).U16(9, 0).U16(1, 0xFFFF); },
     []() -> VelInfo* {
         auto* r = new VelFamiliarFeatureInfo;
         r->lowestLevel = 3;
         r->featureId = 9;
         r->value = 1;
         return r;
     },
     Table::kList, {VelDatabase::kTagFamiliarFeature}},
    {"VelMountInfo",
     [](Layout& l) { l.U16(1, 0).U16(2, 0).U16(3, 0).U16(4, 0).U16(5, 0).U16(6, 0); },
     []() -> VelInfo* {
         auto* r = new VelMountInfo;
         r->lowestLevel = 1;
         r->highestLevel = 2;
         r->hitDiceBonus = 3;
         r->naturalArmorBonus = 4;
         r->strengthBonus = 5;
         r->intScore = 6;
         return r;
     },
     Table::kList, {VelDatabase::kTagMount290, VelDatabase::kTagMount295}},
};
} // namespace

TEST(VelAnimalRecordsTest, LayoutsDefaultsAndTables) { CheckAll(kCases); }

TEST(VelAnimalRecordsTest, AttacksAreFoundInIndexOrderAndTheFirstOfEqualRowsStays)
{
    DbFixture db;
    VelAnimalAttackInfo second(0, 1);
    second.name = "Bite";
    VelAnimalAttackInfo first(0, 0);
    first.name = "Claw";
    VelAnimalAttackInfo again(0, 1);
    again.name = "Tail";
    VelAnimalAttackInfo before(0, 0xFFFF);
    before.name = "Gore";
    db.Section(VelDatabase::kTagAnimalAttack).Add(3, second).Add(3, first).Add(3, again).Add(3, before).Add(4, first);
    ASSERT_TRUE(db.Load());

    std::vector<std::string> names;
    for (std::uint16_t index = 0;; ++index)
    {
        const VelAnimalAttackInfo* attack = VelDatabase::FindAnimalAttack(3, index);
        if (attack == nullptr)
        {
            break;
        }
        names.push_back(attack->name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Claw", "Bite"}));

    // The set walks by key, then signed index: -1 before 0.
    std::vector<std::string> walked;
    VelDatabase::ForEach<VelAnimalAttackInfo>(VelDatabase::kTagAnimalAttack,
                                              [&](const VelAnimalAttackInfo& attack) { walked.push_back(attack.name); });
    EXPECT_EQ(walked, (std::vector<std::string>{"Gore", "Claw", "Bite", "Claw"}));
}
