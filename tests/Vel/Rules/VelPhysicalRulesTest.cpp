#include "Vel/Rules/VelPhysicalRules.h"

#include "Fc/Core/FCRandom.h"
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

#include <array>
#include <tuple>
#include <limits>
#include <utility>
#include <vector>

namespace
{
constexpr std::uint16_t kTall = 1;  // medium; height and age dice
constexpr std::uint16_t kSmall = 2; // small; no dice and no ages
constexpr std::uint16_t kMedium = 4, kSmallSize = 3;
constexpr std::uint16_t kGiant = 5; // dice counts no sane rule set has
constexpr std::int32_t kSeed = 4242;

class PhysicalRulesTest : public testing::Test
{
protected:
    PhysicalRulesTest()
    {
        VelRaceInfo tall, small;
        tall.sizeId = kMedium;
        small.sizeId = kSmallSize;
        db.Section(VelDatabase::kTagRace).Add(kTall, tall).Add(kSmall, small).Add(kGiant, tall);
        VelSizeInfo threeQuarters;
        threeQuarters.carryFactor = 0.75f;
        db.Section(VelDatabase::kTagSize)
            .Add(kMedium, VelSizeInfo())
            .Add(kSmallSize, threeQuarters);
        db.Section(VelDatabase::kTagCarry);
        for (std::int16_t strength = 10; strength <= 29; ++strength)
        {
            VelCarryInfo row;
            row.lightLimit = 10.0f * strength;
            row.mediumLimit = 20.0f * strength;
            row.heavyLimit = 30.0f * strength;
            db.Add(strength, row);
        }
        // Women roll weight dice; men none; the small race neither height nor weight.
        VelHeightWeightInfo female, male, plain;
        female.baseHeight = 53, female.baseWeight = 85;
        female.heightDiceCount = 2, female.heightDiceSides = 10;
        female.weightDiceCount = 2, female.weightDiceSides = 4;
        male = female;
        male.weightDiceCount = 0;
        plain.baseHeight = 32, plain.baseWeight = 30;
        db.Section(VelDatabase::kTagHeightWeight).AddPair(kTall, 0, male).AddPair(kTall, 1, female);
        db.AddPair(kSmall, 0, plain);
        VelHeightWeightInfo giant;
        giant.baseHeight = giant.baseWeight = 60000;
        giant.heightDiceCount = giant.weightDiceCount = 2;
        giant.heightDiceSides = giant.weightDiceSides = 32767;
        db.AddPair(kGiant, 0, giant);
        VelAgeInfo ages;
        ages.thresholds = {15, 35, 53, 70};
        ages.diceCount = {1, 1, 2, 0};
        ages.diceSides = {4, 6, 6, 0};
        db.Section(VelDatabase::kTagAge).Add(kTall, ages);
        db.Section(VelDatabase::kTagClass); // each class's age column is its id
        for (std::uint16_t column : {0, 2, 9})
        {
            VelClassInfo record;
            record.ageColumn = column;
            db.Add(static_cast<std::int16_t>(column), record);
        }
        EXPECT_TRUE(db.Load());
        c.raceId = kTall;
    }
    ~PhysicalRulesTest() override { FCRandom::GetGlobal().Seed(FCRandom::kDefaultSeed); }

    QuietLog quiet;
    DbFixture db;
    VelCharacter c;
};

TEST_F(PhysicalRulesTest, CarryingLimitsBeyondTheTableAndBySize)
{
    // Strength, size, light limit (medium and heavy are twice and three times it).
    const std::vector<std::tuple<std::uint16_t, std::uint16_t, float>> cases = {
        {10, kMedium, 100},       {29, kMedium, 290},     {30, kMedium, 800},
        {39, kMedium, 1160},      {40, kMedium, 1600},    {45, kMedium, 2000},
        {29, kSmallSize, 217.5f}, {45, kSmallSize, 1500}, {45, 99, 2000},
    };
    for (const auto& [strength, size, light] : cases)
    {
        SCOPED_TRACE(testing::Message() << "strength " << strength << " size " << size);
        VelCarryInfo carry;
        ASSERT_TRUE(GetCarryingLimits(strength, size, carry));
        EXPECT_EQ(std::tuple(carry.lightLimit, carry.mediumLimit, carry.heavyLimit),
                  std::tuple(light, 2 * light, 3 * light));
    }
    VelCarryInfo carry;
    EXPECT_FALSE(GetCarryingLimits(9, kMedium, carry));
    EXPECT_EQ(carry.heavyLimit, 0.0f);
}

TEST_F(PhysicalRulesTest, LoadCategoryByCarriedWeight)
{
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
    c.abilities[VelEntity::kStr] = 3; // no row: nothing to be weighed down by
    EXPECT_EQ(GetLoadCategory(&c), kLoadLight);
}

TEST_F(PhysicalRulesTest, HeightWeightAndAgeRolls)
{
    // Race, sex, first class, then the dice of height, weight and age (sides, count).
    const std::vector<std::array<std::int16_t, 9>> cases = {
        {kTall, 1, 0, 10, 2, 4, 2, 4, 1}, // weight dice multiply the height roll
        {kTall, 0, 2, 10, 2, 0, 0, 6, 2}, // no weight dice: the height roll alone
        {kTall, 0, 9, 10, 2, 0, 0, 0, 0}, // age column 9 is outside the table
        {kTall, 0, 7, 10, 2, 0, 0, 0, 0}, // class 7 has no record
    };
    for (const auto& [race, sex, classId, hSides, hDice, wSides, wDice, aSides, aDice] : cases)
    {
        SCOPED_TRACE(testing::Message() << "sex " << sex << " class " << classId);
        VelCharacter who;
        who.raceId = static_cast<std::uint16_t>(race);
        who.sex = static_cast<std::uint16_t>(sex);
        who.AddClass(static_cast<std::uint16_t>(classId));
        FCRandom::GetGlobal().Seed(kSeed);
        const std::int32_t heightRoll = RollDice(hSides, hDice);
        const std::int32_t weightRoll = wDice > 0 ? RollDice(wSides, wDice) : 1;
        const std::int32_t ageRoll = RollDice(aSides, aDice);
        FCRandom::GetGlobal().Seed(kSeed);
        std::int32_t height = 0, weight = 0;
        ASSERT_TRUE(RollHeightWeight(&who, height, weight));
        EXPECT_EQ(height, 53 + heightRoll);
        EXPECT_EQ(weight, 85 + heightRoll * weightRoll);
        EXPECT_EQ(RollStartingAge(&who), 15 + ageRoll);
    }
    // No dice: exactly the base values; no ages: age 0.
    c.raceId = kSmall;
    std::int32_t height = 0, weight = 0;
    ASSERT_TRUE(RollHeightWeight(&c, height, weight));
    EXPECT_EQ(std::pair(height, weight), std::pair(32, 30));
    EXPECT_EQ(RollStartingAge(&c), 0);
    c.sex = 1;
    EXPECT_FALSE(RollHeightWeight(&c, height, weight));
    EXPECT_EQ(weight, 0);
}

TEST_F(PhysicalRulesTest, HugeDiceCountsStopAtTheTopInsteadOfWrapping)
{
    c.raceId = kGiant;
    std::int32_t low = 0, high = 0;
    ASSERT_TRUE(GetHeightRange(&c, low, high));
    EXPECT_EQ(low, 60000 + 2);
    EXPECT_EQ(high, 60000 + 2 * 32767);
    ASSERT_TRUE(GetWeightRange(&c, low, high));
    EXPECT_EQ(low, 60000 + 2 * 2);
    EXPECT_EQ(high, 65535); // 60000 + 65534 * 2 * 32767 kept in 16 bits
    // Two large rolls multiply past 32 bits: the weight stops at the top.
    std::int32_t seed = 1;
    std::int64_t heightRoll = 0;
    for (; seed < 100000; ++seed)
    {
        FCRandom::GetGlobal().Seed(seed);
        heightRoll = RollDice(32767, 2);
        if (60000 + heightRoll * RollDice(32767, 2) > std::numeric_limits<std::int32_t>::max())
            break;
    }
    FCRandom::GetGlobal().Seed(seed);
    std::int32_t height = 0, weight = 0;
    ASSERT_TRUE(RollHeightWeight(&c, height, weight));
    EXPECT_EQ(height, 60000 + heightRoll);
    EXPECT_EQ(weight, std::numeric_limits<std::int32_t>::max());
}

TEST_F(PhysicalRulesTest, HeightWeightAndAgeRanges)
{
    using Range = std::pair<std::int32_t, std::int32_t>;
    Range r;
    c.sex = 1;
    ASSERT_TRUE(GetHeightRange(&c, r.first, r.second));
    EXPECT_EQ(r, Range(53 + 2, 53 + 20));
    ASSERT_TRUE(GetWeightRange(&c, r.first, r.second));
    EXPECT_EQ(r, Range(85 + 2 * 2, 85 + 20 * 2 * 4));
    c.sex = 0;
    ASSERT_TRUE(GetWeightRange(&c, r.first, r.second));
    EXPECT_EQ(r, Range(85 + 2, 85 + 20));
    ASSERT_TRUE(GetAgeRange(&c, r.first, r.second));
    EXPECT_EQ(r, Range(15, 34));
    c.raceId = kSmall;
    EXPECT_FALSE(GetAgeRange(&c, r.first, r.second));
}
} // namespace
