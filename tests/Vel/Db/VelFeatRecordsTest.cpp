#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFeatDependInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelFormat.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "VelRecordCases.h"

#include <gtest/gtest.h>

using namespace VelRecordCases;

namespace
{
const std::vector<Case> kCases = {
    {"VelSubSkillInfo",
     [](Layout& l) { l.U16(4, 0).Text("Brewing").Text("brew"); },
     []() -> VelInfo* {
         auto* r = new VelSubSkillInfo(0xFFFF, 4);
         r->name = "Brewing";
         r->description = "brew";
         return r;
     },
     Table::kSet, {VelDatabase::kTagSubSkill},
     [](std::uint16_t, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindSubSkill(key, 4); }},
    {"VelFeatInfo",
     [](Layout& l) {
         l.Text("Quick Hands").Text("Quick").I16(-1, 0).U8(1, 0).U8(2, 0).U16(3, 0).U16(2, 0).U8(4, 0);
         l.Text("Faster.");
     },
     []() -> VelInfo* {
         auto* r = new VelFeatInfo;
         r->name = "Quick Hands";
         r->displayName = "Quick";
         r->kind = -1; // sign-extended
         r->warriorBonusFeat = 1;
         r->scholarBonusFeat = 2;
         r->repeatable = 3;
         r->choiceKind = VelFeatInfo::kChoiceSkill;
         r->thirdFlag = 4;
         r->description = "Faster.";
         return r;
     },
     Table::kMap, {VelDatabase::kTagFeat}},
    {"VelFeatDependInfo",
     [](Layout& l) { l.U16(4, 0).U16(2, 0xFFFF).U16(7, 0xFFFF).U16(8, 0xFFFF).U32(0x00010013, 0); },
     []() -> VelInfo* {
         auto* r = new VelFeatDependInfo;
         r->type = VelFeatDependInfo::kAbilityScore;
         r->ability = 2;
         r->feat = 7;
         r->skill = 8;
         r->minimum = 0x00010013;
         return r;
     },
     Table::kList, {VelDatabase::kTagFeatDepend}},
    {"VelFeatureInfo",
     [](Layout& l) { l.Text("Rage %d/day").U16(2, 0).U16(3, 0).Text("%d and %d").U8(1, 0).U8(2, 0); },
     []() -> VelInfo* {
         auto* r = new VelFeatureInfo;
         r->name = "Rage %d/day";
         r->formatKind = VelFeatureInfo::kFormatTwice;
         r->kind = VelFeatureInfo::kKindAbilityModifier;
         r->text = "%d and %d";
         r->firstFlag = 1;
         r->secondFlag = 2;
         return r;
     },
     Table::kMap, {VelDatabase::kTagFeature}},
    {"VelSpecialCostInfo",
     [](Layout& l) { l.U16(3, 0).U32(300000, 0).U16(1, 2).U8(1, 0); },
     []() -> VelInfo* {
         auto* r = new VelSpecialCostInfo(0xFFFF, 3);
         r->price = 300000;
         r->unit = 1;
         r->flag = 1;
         return r;
     },
     Table::kSet, {VelDatabase::kTagSpecialCost315, VelDatabase::kTagSpecialCost},
     [](std::uint16_t tag, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindPairInSet<VelSpecialCostInfo>(tag, key, 3); }},
};

VelFeatureInfo MakeFeature(const char* name, std::uint16_t kind, const char* text = "",
                           std::uint16_t formatKind = 0)
{
    VelFeatureInfo feature;
    feature.name = name;
    feature.kind = kind;
    feature.text = text;
    feature.formatKind = formatKind;
    return feature;
}
} // namespace

TEST(VelFeatRecordsTest, LayoutsDefaultsAndTables) { CheckAll(kCases); }

TEST(VelFeatRecordsTest, FormatNameByKind)
{
    DbFixture db;
    VelWeaponInfo axe;
    axe.name = "Axe";
    VelGoodsInfo rope;
    rope.name = "Rope";
    VelEnemyInfo orcs;
    orcs.name = "Orcs";
    db.Section(VelDatabase::kTagItem).Add(40, axe).Add(41, rope);
    db.Section(VelDatabase::kTagEnemy).Add(2, orcs);
    ASSERT_TRUE(db.Load());

    struct Row
    {
        VelFeatureInfo feature;
        std::int32_t value;
        const char* expected;
    };
    const Row rows[] = {
        {MakeFeature("Might", VelFeatureInfo::kKindAbilityModifier), 2, "Might (3 + 2)"},
        {MakeFeature("Might", VelFeatureInfo::kKindAbilityModifier), 0, "Might (3 + 0)"},
        {MakeFeature("Focus", VelFeatureInfo::kKindItem), 40, "Focus Axe"},
        {MakeFeature("Focus", VelFeatureInfo::kKindItem), 41, "Focus Rope"},
        {MakeFeature("Focus", VelFeatureInfo::kKindItem), 42, "Focus"},
        // Record keys are signed 16-bit: 65576 must not wrap onto item 40.
        {MakeFeature("Focus", VelFeatureInfo::kKindItem), 65576, "Focus"},
        {MakeFeature("Foe", VelFeatureInfo::kKindEnemy), 2, "Foe: Orcs"},
        {MakeFeature("Foe", VelFeatureInfo::kKindEnemy), 3, "Foe"},
        {MakeFeature("Rage %d/day", 0), 3, "Rage 3/day"},
        {MakeFeature("Bonus feat", VelFeatureInfo::kKindGrantsFeat), 25, "Bonus feat"},
        {MakeFeature("Speed +%02d ft", 2), 5, "Speed +05 ft"},
        // A negative value leaves every kind's name as it stands.
        {MakeFeature("Rage %d/day", 0), -1, "Rage %d/day"},
        {MakeFeature("Might", VelFeatureInfo::kKindAbilityModifier), -3, "Might"},
        {MakeFeature("Foe", VelFeatureInfo::kKindEnemy), -1, "Foe"},
        // Database texts are never printf formats.
        {MakeFeature("%s %n %d %p", 0), 7, "%s %n 7 %p"},
    };
    for (const Row& row : rows)
    {
        EXPECT_EQ(row.feature.FormatName(row.value), row.expected)
            << row.feature.name << " kind " << row.feature.kind << " value " << row.value;
    }
}

TEST(VelFeatRecordsTest, FormatTextFillsOneOrTwoConversions)
{
    struct Row
    {
        VelFeatureInfo feature;
        std::int32_t value;
        const char* expected;
    };
    const Row rows[] = {
        {MakeFeature("", 0, "Heals %d points"), 4, "Heals 4 points"},
        {MakeFeature("", 0, "Heals %d points"), -1, "Heals %d points"},
        {MakeFeature("", 0, "%d to %d", VelFeatureInfo::kFormatTwice), 3, "3 to 3"},
        {MakeFeature("", 0, "%d to %d", VelFeatureInfo::kFormatTwice), -1, "%d to %d"},
        {MakeFeature("", 0, "no value here"), 9, "no value here"},
    };
    for (const Row& row : rows)
    {
        EXPECT_EQ(row.feature.FormatText(row.value), row.expected) << row.feature.text;
    }
}

TEST(VelFeatRecordsTest, FormattedTextIsBounded)
{
    const VelFeatureInfo wide = MakeFeature("%2147483647d", 0, std::string(5000, 'x').c_str());
    EXPECT_LE(wide.FormatName(1).size(), kVelFormatLimit);
    EXPECT_EQ(wide.FormatText(1).size(), kVelFormatLimit);
}

TEST(VelFeatRecordsTest, SpecialCostRowsAreFoundByKeyAndSecondKey)
{
    DbFixture db;
    VelSpecialCostInfo first(0, 0);
    first.price = 300;
    VelSpecialCostInfo same(0, 0);
    same.price = 999;
    VelSpecialCostInfo plusOne(0, 1);
    plusOne.price = 2000;
    VelSpecialCostInfo belowZero(0, 0xFFFF);
    belowZero.price = 1;
    db.Section(VelDatabase::kTagSpecialCost).Add(7, first).Add(7, same);
    db.Section(VelDatabase::kTagSpecialCost315).Add(0, plusOne).Add(0, belowZero);
    ASSERT_TRUE(db.Load());

    const VelSpecialCostInfo* found = VelDatabase::FindSpecialCost(7);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->price, 300u) << "the first of two equal rows stays";
    ASSERT_NE(VelDatabase::FindSpecialCost315(0, 1), nullptr);
    EXPECT_EQ(VelDatabase::FindSpecialCost315(0, 1)->price, 2000u);
    ASSERT_NE(VelDatabase::FindSpecialCost315(0, 0xFFFF), nullptr);
    EXPECT_EQ(VelDatabase::FindSpecialCost315(0, 0xFFFF)->price, 1u);
    EXPECT_EQ(VelDatabase::FindSpecialCost315(0, 2), nullptr);

    // Second keys compare signed: 0xFFFF (-1) comes before 0 in the set.
    std::vector<std::uint16_t> order;
    VelDatabase::ForEach<VelSpecialCostInfo>(VelDatabase::kTagSpecialCost315,
                                             [&](const VelSpecialCostInfo& row) { order.push_back(row.secondKey); });
    EXPECT_EQ(order, (std::vector<std::uint16_t>{0xFFFF, 1}));
}
