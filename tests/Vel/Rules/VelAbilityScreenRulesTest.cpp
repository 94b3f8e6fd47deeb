#include "Vel/Rules/VelAbilityScreenRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceInfo.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

namespace
{
TEST(AbilityScreenRulesTest, PriorityOrderFallsBackUnlessEachAbilityOnce)
{
    struct Case
    {
        VelAbilityOrder stored;
        VelAbilityOrder expected;
    };
    const Case cases[] = {
        {{3, 4, 5, 2, 1, 0}, {3, 4, 5, 2, 1, 0}},
        {{0, 0, 1, 2, 3, 4}, {0, 1, 2, 3, 4, 5}}, // an ability twice
        {{0, 1, 2, 3, 4, 6}, {0, 1, 2, 3, 4, 5}}, // an ability that does not exist
    };
    QuietLog quiet;
    for (const Case& c : cases)
    {
        DbFixture db;
        db.Section(VelDatabase::kTagClass)
            .Add(4, MakeRecord<VelClassInfo>([&](auto& r) { r.abilityPriority = c.stored; }));
        db.Section(VelDatabase::kTagRace)
            .Add(2, MakeRecord<VelRaceInfo>([](auto& r) { r.abilityAdjust = {0, 2, -2, 0, 0, 1}; }));
        ASSERT_TRUE(db.Load());
        VelCharacter character;
        character.raceId = 2;
        EXPECT_EQ(GetAbilityPriorityOrder(&character), (VelAbilityOrder{0, 1, 2, 3, 4, 5}))
            << "no class yet";
        character.AddClass(4);
        EXPECT_EQ(GetAbilityPriorityOrder(&character), c.expected);
        EXPECT_EQ(GetRaceAbilityAdjustments(&character), (VelAbilityAdjustments{0, 2, -2, 0, 0, 1}));
        character.raceId = 9;
        EXPECT_EQ(GetRaceAbilityAdjustments(&character), VelAbilityAdjustments{});
    }
}
} // namespace
