#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelNameInfo.h"
#include "Vel/Db/VelRaceFeatureInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelRaceSkillInfo.h"
#include "Vel/Db/VelSpokenLanguageInfo.h"
#include "VelRecordCases.h"

#include <gtest/gtest.h>

using namespace VelRecordCases;

namespace
{
const std::vector<Case> kCases = {
    {"VelRaceInfo",
     [](Layout& l) {
         l.Text("Hillfolk").Text("hill.jpg").U16(3, 0);
         l.I16(0, 0).I16(2, 0).I16(-2, 0).I16(1, 0).I16(-1, 0).I16(4, 0);
         l.U16(1, 0).U16(2, 0).U16(3, 0);
         l.U16(0xFFFF, 0).U16(1, 0).U16(4, 0).U16(0x1234, 0);
     },
     []() -> VelInfo* {
         auto* r = new VelRaceInfo;
         r->name = "Hillfolk";
         r->imageFile = "hill.jpg";
         r->sizeId = 3;
         r->abilityAdjust = {0, 2, -2, 1, -1, 4};
         r->saveBonus = {1, 2, 3};
         r->attackSizeModifier = 0xFFFF;
         r->speedColumn = 1;
         r->skillPoints = 4;
         r->helpTextId = 0x1234;
         return r;
     },
     Table::kMap, {VelDatabase::kTagRace}},
    {"VelRaceFeatureInfo",
     [](Layout& l) { l.U16(2, 0xFFFF).Text("Darksight").Text("Sees in the dark."); },
     []() -> VelInfo* {
         auto* r = new VelRaceFeatureInfo;
         r->raceId = 2;
         r->name = "Darksight";
         r->description = "Sees in the dark.";
         return r;
     },
     Table::kList, {VelDatabase::kTagRaceFeature}},
    {"VelRaceSkillInfo",
     [](Layout& l) { l.U16(14, 0xFFFF).U16(3, 0xFFFF).U16(2, 0); },
     []() -> VelInfo* {
         auto* r = new VelRaceSkillInfo(0xFFFF, 14);
         r->secondId = 3;
         r->bonus = 2;
         return r;
     },
     Table::kSet, {VelDatabase::kTagRaceSkill},
     [](std::uint16_t, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindRaceSkill(key, 14); }},
    {"VelSpokenLanguageInfo",
     [](Layout& l) { l.U16(4, 0).U16(0xFFFF, 0).U8(1, 0); },
     []() -> VelInfo* {
         auto* r = new VelSpokenLanguageInfo;
         r->classId = 4;
         r->raceId = 0xFFFF;
         r->automatic = 1;
         return r;
     },
     Table::kList, {VelDatabase::kTagSpokenLanguage}},
    {"VelNameInfo",
     [](Layout& l) { l.U16(2, 0xFFFF).Text("Brann").U16(1, 0xFFFF); },
     []() -> VelInfo* {
         auto* r = new VelNameInfo;
         r->sex = VelNameInfo::kEitherSex;
         r->text = "Brann";
         r->kind = VelNameInfo::kSecondPart;
         return r;
     },
     Table::kList, {VelDatabase::kTagName}},
    {"VelEnemyInfo",
     [](Layout& l) { l.Text("Goblins").U16(6, 0xFFFF).Text("small and many"); },
     []() -> VelInfo* {
         auto* r = new VelEnemyInfo;
         r->name = "Goblins";
         r->raceId = 6;
         r->description = "small and many";
         return r;
     },
     Table::kMap, {VelDatabase::kTagEnemy}},
};
} // namespace

TEST(VelRaceRecordsTest, LayoutsDefaultsAndTables) { CheckAll(kCases); }

TEST(VelRaceRecordsTest, ResetRaceSkillRowBelongsToNoRace)
{
    VelRaceSkillInfo row(2, 14);
    row.bonus = 3;
    row.Reset();
    EXPECT_EQ(row.key, -1);
    EXPECT_EQ(row.skillId, 0xFFFF);
    EXPECT_EQ(row.bonus, 0);
}
