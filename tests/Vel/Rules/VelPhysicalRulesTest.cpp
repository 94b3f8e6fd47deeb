#include "Vel/Rules/VelPhysicalRules.h"

#include "Fc/FCRandom.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelDice.h"
#include "Vel/Db/VelAgeInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelHeightWeightInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "support/DbFixture.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr std::uint16_t kTall = 1;  // medium; height and age dice
constexpr std::uint16_t kSmall = 2; // small; no dice at all
constexpr std::uint16_t kMedium = 4;
constexpr std::uint16_t kSmallSize = 3;
constexpr std::int32_t kSeed = 4242;

class PhysicalRulesTest : public testing::Test
{
protected:
    PhysicalRulesTest()
    {
        VelRaceInfo tall;
        tall.sizeId = kMedium;
        VelRaceInfo small;
        small.sizeId = kSmallSize;
        db.Section(VelDatabase::kTagRace).Add(kTall, tall).Add(kSmall, small);
        VelSizeInfo medium;
        VelSizeInfo halfSize;
        halfSize.carryFactor = 0.75f;
        db.Section(VelDatabase::kTagSize).Add(kMedium, medium).Add(kSmallSize, halfSize);
        db.Section(VelDatabase::kTagCarry);
        for (std::int16_t strength = 10; strength <= 29; ++strength)
        {
            VelCarryInfo row;
            row.lightLimit = 10.0f * strength;
            row.mediumLimit = 20.0f * strength;
            row.heavyLimit = 30.0f * strength;
            db.Add(strength, row);
        }
        VelHeightWeightInfo female;
        female.baseHeight = 53;
        female.baseWeight = 85;
        female.heightDiceCount = 2;
        female.heightDiceSides = 10;
        female.weightDiceCount = 2;
        female.weightDiceSides = 4;
        VelHeightWeightInfo male = female;
        male.weightDiceCount = 0;
        VelHeightWeightInfo plain;
        plain.baseHeight = 32;
        plain.baseWeight = 30;
        db.Section(VelDatabase::kTagHeightWeight)
            .AddPair(kTall, 0, male)
            .AddPair(kTall, 1, female)
            .AddPair(kSmall, 0, plain);
        VelAgeInfo ages;
        ages.thresholds = {15, 35, 53, 70};
        ages.diceCount = {1, 1, 2, 0};
        ages.diceSides = {4, 6, 6, 0};
        db.Section(VelDatabase::kTagAge).Add(kTall, ages);
        db.Section(VelDatabase::kTagClass);
        for (std::uint16_t column : {0, 2, 9})
        {
            VelClassInfo record;
            record.ageColumn = column;
            db.Add(static_cast<std::int16_t>(column), record);
        }
        EXPECT_TRUE(db.Load());
        FCRandom::GetGlobal().Seed(kSeed);
    }
    ~PhysicalRulesTest() override { FCRandom::GetGlobal().Seed(FCRandom::kDefaultSeed); }

    DbFixture db;
};

TEST_F(PhysicalRulesTest, CarryingLimitsBeyondTheTableAndBySize)
{
    struct Case
    {
        std::uint16_t strength;
        std::uint16_t size;
        float light; // medium and heavy are twice and three times it
    };
    const std::vector<Case> cases = {
        {10, kMedium, 100},       {29, kMedium, 290},     {30, kMedium, 800},
        {39, kMedium, 1160},      {40, kMedium, 1600},    {45, kMedium, 2000},
        {29, kSmallSize, 217.5f}, {45, kSmallSize, 1500}, {45, 99, 2000},
    };
    QuietLog quiet;
    for (const Case& t : cases)
    {
        SCOPED_TRACE(testing::Message() << "strength " << t.strength << " size " << t.size);
        VelCarryInfo carry;
        ASSERT_TRUE(GetCarryingLimits(t.strength, t.size, carry));
        EXPECT_FLOAT_EQ(carry.lightLimit, t.light);
        EXPECT_FLOAT_EQ(carry.mediumLimit, 2 * t.light);
        EXPECT_FLOAT_EQ(carry.heavyLimit, 3 * t.light);
    }
    VelCarryInfo carry;
    EXPECT_FALSE(GetCarryingLimits(9, kMedium, carry));
    EXPECT_EQ(carry.heavyLimit, 0.0f);
}

TEST_F(PhysicalRulesTest, LoadCategoryByCarriedWeight)
{
    VelCharacter c;
    c.raceId = kTall;
    c.abilities[VelEntity::kStr] = 10; // 100 / 200 / 300
    const std::vector<std::pair<float, std::int16_t>> cases = {
        {0, kLoadLight},    {100, kLoadLight}, {100.5f, kLoadMedium},
        {200, kLoadMedium}, {300, kLoadHeavy}, {301, kLoadOverloaded},
    };
    for (const auto& [weight, load] : cases)
    {
        c.carriedWeight = weight;
        EXPECT_EQ(GetLoadCategory(&c), load) << weight;
    }
    QuietLog quiet;
    c.abilities[VelEntity::kStr] = 3; // no row: nothing to be weighed down by
    EXPECT_EQ(GetLoadCategory(&c), kLoadLight);
}

TEST_F(PhysicalRulesTest, HeightAndWeightRolls)
{
    struct Case
    {
        std::uint16_t race, sex;
        std::int16_t heightSides, heightDice, weightSides, weightDice;
        std::int32_t baseHeight, baseWeight;
    };
    const std::vector<Case> cases = {
        {kTall, 1, 10, 2, 4, 2, 53, 85}, // weight dice multiply the height roll
        {kTall, 0, 10, 2, 0, 0, 53, 85}, // no weight dice: the height roll alone
        {kSmall, 0, 0, 0, 0, 0, 32, 30}, // no dice: exactly the base values
    };
    for (const Case& t : cases)
    {
        SCOPED_TRACE(testing::Message() << "race " << t.race << " sex " << t.sex);
        VelCharacter c;
        c.raceId = t.race;
        c.sex = t.sex;
        FCRandom::GetGlobal().Seed(kSeed);
        const std::int32_t heightRoll = RollDice(t.heightSides, t.heightDice);
        const std::int32_t weightRoll =
            t.weightDice > 0 ? RollDice(t.weightSides, t.weightDice) : 1;
        FCRandom::GetGlobal().Seed(kSeed);
        std::int32_t height = 0;
        std::int32_t weight = 0;
        ASSERT_TRUE(RollHeightWeight(&c, height, weight));
        EXPECT_EQ(height, t.baseHeight + heightRoll);
        EXPECT_EQ(weight, t.baseWeight + heightRoll * weightRoll);
    }
}

TEST_F(PhysicalRulesTest, HeightWeightAndAgeRanges)
{
    VelCharacter c;
    c.raceId = kTall;
    c.sex = 1;
    std::int32_t low = 0;
    std::int32_t high = 0;
    ASSERT_TRUE(GetHeightRange(&c, low, high));
    EXPECT_EQ(low, 55);
    EXPECT_EQ(high, 73);
    ASSERT_TRUE(GetWeightRange(&c, low, high));
    EXPECT_EQ(low, 85 + 2 * 2);
    EXPECT_EQ(high, 85 + 20 * 2 * 4);
    c.sex = 0;
    ASSERT_TRUE(GetWeightRange(&c, low, high));
    EXPECT_EQ(low, 85 + 2);
    EXPECT_EQ(high, 85 + 20);
    ASSERT_TRUE(GetAgeRange(&c, low, high));
    EXPECT_EQ(low, 15);
    EXPECT_EQ(high, 34);
    QuietLog quiet;
    c.raceId = kSmall;
    EXPECT_FALSE(GetAgeRange(&c, low, high));
    c.sex = 1;
    EXPECT_FALSE(RollHeightWeight(&c, low, high));
    EXPECT_EQ(high, 0);
}

TEST_F(PhysicalRulesTest, StartingAgeRollsTheFirstClassColumn)
{
    struct Case
    {
        std::uint16_t classId; // its age column is its id
        std::int16_t sides, dice;
    };
    QuietLog quiet;
    for (const Case& t : std::vector<Case>{{0, 4, 1}, {2, 6, 2}, {9, 0, 0}, {7, 0, 0}})
    {
        SCOPED_TRACE(t.classId);
        VelCharacter c;
        c.raceId = kTall;
        c.AddClass(t.classId);
        FCRandom::GetGlobal().Seed(kSeed);
        const std::int32_t roll = RollDice(t.sides, t.dice);
        FCRandom::GetGlobal().Seed(kSeed);
        EXPECT_EQ(RollStartingAge(&c), 15 + roll);
    }
    VelCharacter unknownRace;
    unknownRace.raceId = kSmall;
    EXPECT_EQ(RollStartingAge(&unknownRace), 0);
}
} // namespace
