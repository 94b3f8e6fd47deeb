#include "Fc/Core/FCRandom.h"
#include "Vel/Character/VelDice.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
// Seeds the global generator for a test and leaves it as the program
// starts, so tests do not depend on each other.
class SeededGlobal
{
public:
    explicit SeededGlobal(std::int32_t seed) { FCRandom::GetGlobal().Seed(seed); }
    ~SeededGlobal() { FCRandom::GetGlobal().Seed(FCRandom::kDefaultSeed); }
};
} // namespace

TEST(VelDiceTest, DieCoversOneToSidesAndNothingElse)
{
    SeededGlobal seeded(12345);
    for (const std::int16_t sides : {1, 2, 4, 6, 20, 100})
    {
        SCOPED_TRACE(sides);
        std::set<std::uint16_t> seen;
        for (int i = 0; i < 5000; ++i)
        {
            const std::uint16_t roll = RollDie(sides);
            ASSERT_GE(roll, 1);
            ASSERT_LE(roll, sides);
            seen.insert(roll);
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(sides));
    }
}

TEST(VelDiceTest, DieIsOnePlusTheDrawModuloSides)
{
    SeededGlobal seeded(777);
    FCRandom twin(777);
    for (int i = 0; i < 100; ++i)
    {
        EXPECT_EQ(RollDie(6), 1 + twin.Next() % 6);
    }
}

TEST(VelDiceTest, WhichRollsDrawFromTheGenerator)
{
    struct Case
    {
        const char* name;
        std::uint16_t (*roll)();
        std::uint16_t expected;
        int draws;
    };
    const Case cases[] = {
        {"one-sided die", [] { return RollDie(1); }, 1, 1},
        {"die of no sides", [] { return RollDie(0); }, 0, 0},
        {"die of negative sides", [] { return RollDie(-4); }, 0, 0},
        {"no dice", [] { return RollDice(6, 0); }, 0, 0},
        {"dice of no sides", [] { return RollDice(0, 3); }, 0, 0},
        {"three one-sided dice", [] { return RollDice(1, 3); }, 3, 3},
        {"count from the low 16 bits", [] { return RollDice(1, 0x10002); }, 2, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SeededGlobal seeded(99);
        FCRandom twin(99);
        EXPECT_EQ(c.roll(), c.expected);
        for (int i = 0; i < c.draws; ++i)
        {
            twin.Next();
        }
        // The global generator is exactly as far along as the expected draws.
        EXPECT_EQ(FCRandom::GetGlobal().Next(), twin.Next());
    }
}

TEST(VelDiceTest, DiceSumStaysInRange)
{
    SeededGlobal seeded(4242);
    std::set<std::uint16_t> seen;
    for (int i = 0; i < 20000; ++i)
    {
        const std::uint16_t sum = RollDice(6, 4);
        ASSERT_GE(sum, 4);
        ASSERT_LE(sum, 24);
        seen.insert(sum);
    }
    EXPECT_TRUE(seen.count(4) && seen.count(24));
}
