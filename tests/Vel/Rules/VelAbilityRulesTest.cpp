#include "Vel/Rules/VelAbilityRules.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
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
} // namespace
