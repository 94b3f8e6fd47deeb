#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Db/VelWeaponInfo.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TEST(WeaponHandCodeTest, WeaponSizeAgainstRaceSize)
{
    struct Case
    {
        std::int16_t weaponSize; // the race's scale is weapon size + 2
        std::uint16_t handedness;
        std::uint16_t raceSize;
        std::uint16_t expected;
    };
    // Race size 4: a weapon of size 1 is smaller, 2 the same, 3 one larger.
    const std::vector<Case> cases = {
        {1, 1, 4, 1}, {1, 2, 4, 2}, {1, 3, 4, 6}, {1, 0, 4, 1}, {2, 1, 4, 1}, {2, 2, 4, 3},
        {2, 3, 4, 3}, {3, 1, 4, 2}, {3, 2, 4, 2}, {3, 3, 4, 6}, {4, 1, 4, 0}, {4, 3, 4, 0},
        // A small race (size 3) finds the same weapons one step larger.
        {2, 1, 3, 2}, {1, 1, 3, 1}, {3, 1, 3, 0},
        // Sizes compare signed: size 0xFFFF is -1, below every weapon.
        {-3, 1, 0xFFFF, 1}, {-2, 1, 0xFFFF, 2}, {0, 1, 0xFFFF, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "weapon " << c.weaponSize << " hands " << c.handedness
                                        << " race " << c.raceSize);
        VelWeaponInfo weapon;
        weapon.size = c.weaponSize;
        weapon.handedness = c.handedness;
        EXPECT_EQ(GetWeaponHandCodeForSize(c.raceSize, weapon), c.expected);
    }
}
} // namespace
