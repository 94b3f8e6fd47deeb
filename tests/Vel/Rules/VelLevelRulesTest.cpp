#include "Vel/Rules/VelLevelRules.h"

#include "Fc/Core/FCRandom.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelDice.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr std::uint16_t kD10 = 1, kD6 = 2;
constexpr std::int32_t kSeed = 99;
using Rolls = std::vector<std::uint16_t>;

class LevelRulesTest : public testing::Test
{
protected:
    LevelRulesTest()
    {
        VelClassInfo d10;
        d10.hitDie = 10;
        d10.moneyDiceCount = 5;
        d10.moneyDiceSides = 4;
        d10.moneyMultiplier = 10;
        db.Section(VelDatabase::kTagClass)
            .Add(kD10, d10)
            .Add(kD6, MakeRecord<VelClassInfo>([](auto& r) { r.hitDie = 6; }));
        db.Section(VelDatabase::kTagClassLevel)
            .Add(3, MakeRecord<VelClassLevelInfo>([](auto& r) { r.wealth = 2700; }));
        EXPECT_TRUE(db.Load());
        c.abilities[VelEntity::kCon] = 10;
        FCRandom::GetGlobal().Seed(kSeed);
    }
    ~LevelRulesTest() override { FCRandom::GetGlobal().Seed(FCRandom::kDefaultSeed); }

    VelCharacterClass* AddClass(std::uint16_t id, std::uint16_t level, std::uint16_t applied = 0)
    {
        VelCharacterClass* entry = c.AddClass(id);
        entry->level = level;
        entry->startingLevel = applied;
        return entry;
    }

    Rolls StoredRolls(std::int16_t levels) const
    {
        Rolls rolls;
        for (std::int16_t level = 1; level <= levels; ++level)
            rolls.push_back(c.GetHitDieRoll(level));
        return rolls;
    }

    DbFixture db;
    VelCharacter c;
};

TEST_F(LevelRulesTest, ExperienceByLevel)
{
    const std::vector<std::pair<std::int16_t, std::int32_t>> cases = {
        {-3, 0},   {0, 0},      {1, 0},       {2, 1000},           {3, 3000},
        {4, 6000}, {10, 45000}, {20, 190000}, {32767, 2147483647},
    };
    for (const auto& [level, experience] : cases)
        EXPECT_EQ(GetExperienceForLevel(level), experience) << level;
    AddClass(kD10, 2);
    AddClass(kD6, 1);
    EXPECT_EQ(GetExperienceForCurrentLevel(&c), 3000);
    EXPECT_EQ(GetExperienceForNextLevel(&c), 6000);
    c.GetClassAt(1)->level = 18;
    EXPECT_EQ(GetExperienceForNextLevel(&c), 0);
}

TEST_F(LevelRulesTest, HitDiceAcrossMixedClasses)
{
    // Levels 1 and 2 were d10s; this set-up adds a d10 and two d6 levels,
    // stored after every level already applied.
    AddClass(kD10, 3, 2)->hitPointsRolled = 13;
    AddClass(kD6, 2, 0);
    c.SetHitDieRoll(1, 10);
    c.SetHitDieRoll(2, 3);
    EXPECT_EQ(RollHitDice(&c, true), 13 + 6 + 4 + 4);
    EXPECT_EQ(StoredRolls(5), (Rolls{10, 3, 6, 4, 4}));
    EXPECT_EQ(c.GetClassAt(0)->hitPointsRolled, 19);

    // Every level again: the first takes the whole die.
    EXPECT_EQ(RerollAllHitDice(&c, true), 10 + 6 + 6 + 4 + 4);
    EXPECT_EQ(c.GetClassAt(1)->hitPointsRolled, 8);
    FCRandom::GetGlobal().Seed(kSeed);
    Rolls expected{10};
    for (std::int16_t sides : {10, 10, 6, 6})
        expected.push_back(RollDie(sides));
    FCRandom::GetGlobal().Seed(kSeed);
    RerollAllHitDice(&c, false);
    EXPECT_EQ(StoredRolls(5), expected);
}

TEST_F(LevelRulesTest, HitDiceStopAtTheLevelCap)
{
    QuietLog quiet;
    AddClass(kD10, 15);
    AddClass(kD6, 7);
    EXPECT_EQ(RerollAllHitDice(&c, true), 10 + 14 * 6 + 5 * 4);
    EXPECT_EQ(c.GetClassAt(1)->hitPointsRolled, 5 * 4);
    c.CommitClassLevels();
    c.GetClassAt(1)->level = 9;
    EXPECT_EQ(RollHitDice(&c, true), 10 + 14 * 6 + 5 * 4);
}

TEST_F(LevelRulesTest, HitPointsFromDiceConstitutionFeatsAndBonus)
{
    AddClass(kD10, 1);
    AddClass(kD6, 2);
    for (std::int16_t level = 1; level <= 3; ++level)
        c.SetHitDieRoll(level, static_cast<std::uint16_t>(level * 2 - 1)); // 1, 3, 5
    // CON score, hit points; at CON 6 (-2) every level still gives 1; 0 is the character's own.
    for (const auto& [con, expected] :
         std::vector<std::pair<std::int16_t, std::uint16_t>>{{14, 15}, {6, 5}, {10, 9}, {0, 9}})
        EXPECT_EQ(ComputeHitPoints(&c, con), expected) << con;
    c.hitPointBonus = 4;
    const auto feat = [&](std::uint16_t choice, std::int16_t count)
    {
        Adopt(new VelCharacterFeat(VelIds::kFeatExtraHitPoints, choice, VelCharacterFeat::kNoChoice,
                                   0),
              [&](VelCharacterFeat* f) { f->count = count, c.InsertFeat(f); });
    };
    feat(VelCharacterFeat::kNoChoice, 2);
    feat(7, 1); // with a choice: nothing
    EXPECT_EQ(GetFeatHitPointBonus(&c), 6);
    EXPECT_EQ(ComputeHitPoints(&c, -1), 9 + 6 + 4);
    EXPECT_EQ(RollHitPointsForLevels(&c, VelHitDiceMode::kKeepRolls, true), 9 + 6 + 4);
    EXPECT_EQ(RollHitPointsForLevels(&c, VelHitDiceMode::kRerollAll, true), 10 + 4 + 4 + 6 + 4);
}

TEST_F(LevelRulesTest, StartingMoneyAndMissingClasses)
{
    AddClass(kD10, 1);
    FCRandom::GetGlobal().Seed(kSeed);
    const std::uint32_t dice = RollDice(4, 5);
    FCRandom::GetGlobal().Seed(kSeed);
    EXPECT_EQ(GetStartingMoney(&c), dice * 10);
    c.GetClassAt(0)->level = 3;
    EXPECT_EQ(GetStartingMoney(&c), 2700u);
    QuietLog quiet;
    c.GetClassAt(0)->level = 4; // no level row
    EXPECT_EQ(GetStartingMoney(&c), 0u);

    VelCharacter stranger; // a class without its record: no die, no money
    stranger.AddClass(77)->level = 2;
    stranger.abilities[VelEntity::kCon] = 12;
    EXPECT_EQ(RollHitPointsForLevels(&stranger, VelHitDiceMode::kRerollAll, false), 2);
    stranger.GetClassAt(0)->level = 1;
    EXPECT_EQ(GetStartingMoney(&stranger), 0u);
}
} // namespace
