#include "Vel/Rules/VelAbilityRules.h"

#include "Fc/Core/FCRandom.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelDice.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceInfo.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace
{
using Scores = std::array<std::uint16_t, 6>;

TEST(AbilityModifierTest, HalvesTowardZeroAndSubtractsFive)
{
    const std::vector<std::pair<std::int16_t, std::int16_t>> cases = {
        {0, -5}, {1, -5}, {3, -4},  {9, -1},  {10, 0},        {11, 0},          {12, 1},
        {18, 4}, {19, 4}, {-1, -5}, {-3, -6}, {32767, 16378}, {-32768, -16389},
    };
    for (const auto& [score, modifier] : cases)
    {
        EXPECT_EQ(GetAbilityModifier(score), modifier) << "score " << score;
    }
}

constexpr std::uint16_t kRace = 3, kClass = 4, kBadClass = 5; // kBadClass ranks ability 6

VelClassInfo Priority(std::uint16_t second)
{
    return MakeRecord<VelClassInfo>([&](auto& r) { r.abilityPriority = {4, second, 0, 1, 3, 5}; });
}

class AbilityRulesTest : public testing::Test
{
protected:
    AbilityRulesTest()
    {
        VelRaceInfo race;
        race.abilityAdjust = {2, 0, -2, 0, -4, 0};
        db.Section(VelDatabase::kTagRace).Add(kRace, race);
        db.Section(VelDatabase::kTagClass).Add(kClass, Priority(2)).Add(kBadClass, Priority(6));
        EXPECT_TRUE(db.Load());
        c.raceId = kRace;
    }

    DbFixture db;
    VelCharacter c;
};

TEST_F(AbilityRulesTest, PointBuyCostsAndTotal)
{
    const std::vector<std::pair<std::int16_t, std::int32_t>> cases = {
        {-4, 0}, {0, 0},  {2, 0},   {3, 0},   {7, 0},   {8, 0},   {9, 1},
        {14, 6}, {15, 8}, {16, 10}, {17, 13}, {18, 16}, {25, 37},
    };
    for (const auto& [score, cost] : cases)
        EXPECT_EQ(GetPointBuyCost(score), cost) << "score " << score;
    EXPECT_EQ(GetPointBuyDelta(14, 16), 4);
    EXPECT_EQ(GetPointBuyDelta(18, 2), -16);
    // The total leaves out the race and the increases: bought 14, 14, 12, 8, 16, 18.
    c.abilities = {17, 14, 10, 8, 12, 18};
    c.abilityIncreases = {1, 0, 0, 0, 0, 0};
    EXPECT_EQ(GetPointBuyTotal(&c), 6 + 6 + 4 + 0 + 10 + 16);
}

TEST_F(AbilityRulesTest, RollsFourDiceAndDropsTheLowest)
{
    std::vector<std::uint16_t> scores{7};
    RollAbilityScores(1, scores); // only the rolled method rolls
    EXPECT_EQ(scores.size(), 1u);
    FCRandom::GetGlobal().Seed(31);
    std::vector<std::uint16_t> expected{7};
    for (int i = 0; i < 6; ++i)
    {
        std::array<std::uint16_t, 4> d{RollDie(6), RollDie(6), RollDie(6), RollDie(6)};
        expected.push_back(static_cast<std::uint16_t>(d[0] + d[1] + d[2] + d[3] -
                                                      *std::min_element(d.begin(), d.end())));
    }
    FCRandom::GetGlobal().Seed(31);
    RollAbilityScores(kAbilityMethodRolled, scores);
    FCRandom::GetGlobal().Seed(FCRandom::kDefaultSeed);
    EXPECT_EQ(scores, expected);
}

TEST_F(AbilityRulesTest, AssignmentFollowsThePriorityAndKeepsScoresAtThree)
{
    c.AddClass(kClass);
    EXPECT_FALSE(AssignRolledAbilities(&c, {18, 17, 16, 15, 14}));
    EXPECT_EQ(c.abilities, Scores{});
    ASSERT_TRUE(AssignRolledAbilities(&c, {12, 3, 18, 4, 15, 9}));
    // WIS gets 18, CON 15, STR 12, DEX 9, INT 4, CHA 3; WIS -4, CON -2, STR +2.
    EXPECT_EQ(c.baseAbilities, (Scores{12, 9, 15, 4, 18, 3}));
    EXPECT_EQ(c.abilities, (Scores{14, 9, 13, 4, 14, 3}));
    // A seventh, lower roll changes nothing: the six best are placed.
    ASSERT_TRUE(AssignRolledAbilities(&c, {12, 3, 18, 4, 15, 9, 2}));
    EXPECT_EQ(c.baseAbilities, (Scores{12, 9, 15, 4, 18, 3}));
    ASSERT_TRUE(AssignRolledAbilities(&c, {3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(c.abilities, (Scores{5, 3, 3, 3, 3, 3}));

    // A priority that names an ability outside the six (or one twice) falls
    // back to the natural order, as the roller does: every ability gets a
    // score and no roll is lost.
    QuietLog quiet;
    VelCharacter other;
    other.raceId = kRace;
    other.AddClass(kBadClass);
    ASSERT_TRUE(AssignRolledAbilities(&other, {10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(other.baseAbilities, (Scores{15, 14, 13, 12, 11, 10}));
    EXPECT_EQ(other.abilities, (Scores{17, 14, 11, 12, 7, 10}));
}

TEST_F(AbilityRulesTest, IncreasesEarnedByNewLevels)
{
    // Level, levels already applied, increases earned.
    const std::vector<std::array<std::uint16_t, 3>> cases = {
        {3, 0, 0}, {4, 0, 1}, {4, 3, 1}, {7, 4, 0}, {8, 4, 1}, {12, 1, 3}, {20, 0, 5}, {4, 8, 0}};
    VelCharacterClass* entry = c.AddClass(kClass);
    for (const auto& [level, applied, expected] : cases)
    {
        entry->level = level;
        entry->startingLevel = applied;
        EXPECT_EQ(GetAbilityIncreases(&c), expected) << level << " from " << applied;
    }
}

TEST_F(AbilityRulesTest, SettingAScoreRecomputesWhatDependsOnIt)
{
    c.AddClass(kClass)->level = 2;
    c.SetHitDieRoll(1, 8);
    c.SetHitDieRoll(2, 5);
    c.values[VelCharacter::kValueMaxDexBonus] = 20;
    c.modified = 0;
    SetAbilityScore(&c, VelEntity::kDex, 16, false);
    EXPECT_EQ(c.stats[VelEntity::kInitiative], 3);
    EXPECT_EQ(c.stats[VelEntity::kReflexSave], 3);
    EXPECT_EQ(c.stats[VelEntity::kArmorClass], 13);
    EXPECT_EQ(c.changeMask, 0x8042u); // feats, armour class, DEX
    EXPECT_EQ(c.modified, 0);
    SetAbilityScore(&c, VelEntity::kCon, 14, true);
    EXPECT_EQ(c.stats[VelEntity::kHitPoints], 8 + 5 + 2 * 2);
    EXPECT_EQ(c.stats[VelEntity::kFortitudeSave], 2);
    EXPECT_EQ(c.changeMask & VelCharacter::kChangedCon, VelCharacter::kChangedCon);
    EXPECT_EQ(c.modified, 1);
    QuietLog quiet;
    c.changeMask = 0;
    SetAbilityScore(&c, 6, 18, true); // no such ability: nothing to recompute
    EXPECT_EQ(c.changeMask, 0u);
}
} // namespace
