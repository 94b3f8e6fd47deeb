#include "Vel/Character/VelEntity.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

// The stored entity body is checked byte for byte through the animal part
// and the character file; these cover what those cannot see.
TEST(VelEntityTest, CopiesAndResetsAreFreshButKeepTheTypeCode)
{
    VelEntity entity;
    entity.name = "Aldric";
    entity.SetAbility(VelEntity::kCha, 17);
    entity.SetStat(VelEntity::kHitPoints, 12);
    entity.SetTypeCode(7);
    const VelEntity copy(entity);
    entity.Reset();
    for (const VelEntity* e : std::initializer_list<const VelEntity*>{&copy, &entity})
    {
        EXPECT_EQ(e->name, "Unknown");
        EXPECT_EQ(e->abilities, (std::array<std::uint16_t, 6>{}));
        EXPECT_EQ(e->stats, (std::array<std::int32_t, 8>{}));
    }
    EXPECT_EQ(copy.GetTypeCode(), 7);
    EXPECT_EQ(copy.GetRefCount(), 1);
}

TEST(VelEntityTest, SettersStoreInRangeAndIgnoreOutOfRange)
{
    QuietLog quiet;
    VelEntity entity;
    entity.SetAbility(VelEntity::kStr, 18);
    entity.SetStat(VelEntity::kArmorClass, static_cast<std::uint32_t>(-2));
    entity.SetAbility(6, 99);
    entity.SetAbility(-1, 99);
    entity.SetStat(8, 99);
    EXPECT_EQ(entity.abilities[0], 18);
    EXPECT_EQ(entity.stats[0], -2);
    for (std::size_t i = 1; i < VelEntity::kAbilityCount; ++i)
        EXPECT_EQ(entity.abilities[i], 0);
    for (std::size_t i = 1; i < VelEntity::kStatCount; ++i)
        EXPECT_EQ(entity.stats[i], 0);
}
