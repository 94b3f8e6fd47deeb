#include "Vel/Db/VelAgeInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelHeightWeightInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "VelRecordCases.h"

#include <gtest/gtest.h>

using namespace VelRecordCases;

namespace
{
const std::vector<Case> kCases = {
    {"VelAgeInfo",
     [](Layout& l) {
         l.U16(15, 0).U16(35, 0).U16(53, 0).U16(70, 0);
         // Count, sides for each of the four columns.
         l.U16(1, 0).U16(4, 0).U16(1, 0).U16(6, 0).U16(2, 0).U16(6, 0).U16(3, 0).U16(8, 0);
     },
     []() -> VelInfo* {
         auto* r = new VelAgeInfo;
         r->thresholds = {15, 35, 53, 70};
         r->diceCount = {1, 1, 2, 3};
         r->diceSides = {4, 6, 6, 8};
         return r;
     },
     Table::kMap, {VelDatabase::kTagAge}},
    {"VelSizeInfo",
     [](Layout& l) { l.Text("Small").F32(0.75f, 1.0f).I16(-1, 0); },
     []() -> VelInfo* {
         auto* r = new VelSizeInfo;
         r->name = "Small";
         r->carryFactor = 0.75f;
         r->sizeModifier = -1;
         return r;
     },
     Table::kMap, {VelDatabase::kTagSize}},
    {"VelHeightWeightInfo",
     [](Layout& l) { l.U16(58, 0).U16(120, 0).U16(2, 0).U16(10, 4).U16(3, 0).U16(5, 4); },
     []() -> VelInfo* {
         auto* r = new VelHeightWeightInfo;
         r->baseHeight = 58;
         r->baseWeight = 120;
         r->heightDiceCount = 2;
         r->heightDiceSides = 10;
         r->weightDiceCount = 3;
         r->weightDiceSides = 5;
         return r;
     },
     Table::kPairMap, {VelDatabase::kTagHeightWeight}},
    {"VelCarryInfo",
     [](Layout& l) { l.F32(33.0f, 0.0f).F32(66.5f, 0.0f).F32(100.25f, 0.0f); },
     []() -> VelInfo* {
         auto* r = new VelCarryInfo;
         r->lightLimit = 33.0f;
         r->mediumLimit = 66.5f;
         r->heavyLimit = 100.25f;
         return r;
     },
     Table::kMap, {VelDatabase::kTagCarry}},
};
} // namespace

TEST(VelBodyRecordsTest, LayoutsDefaultsAndTables) { CheckAll(kCases); }
