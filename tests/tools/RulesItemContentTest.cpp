// The shipped items and animals, as the program loads them: fixed items and
// animals at their ids, every weapon familiarity row and price key pointing
// at a record that exists, and enough animals for every class that keeps
// one at every level where it does.

#include "Fc/Core/FCObjectMap.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelMountInfo.h"
#include "Vel/Db/VelProfWeaponInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "support/DbFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace
{
class RulesItemContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
            ASSERT_TRUE(VelDatabase::ParseFile(std::string(RULES_BUILD_DIR) + "/" + name))
                << name;
    }

    template <class T>
    static void ForEachInMap(std::uint16_t tag, const std::function<void(const T&)>& fn)
    {
        FCObjectMap* map = VelDatabase::GetMap(tag);
        ASSERT_NE(map, nullptr) << tag;
        FCObjectMap::Cursor walk = map->First();
        FCObject* object = nullptr;
        while (map->GetNext(object, &walk))
            fn(static_cast<const T&>(*static_cast<VelInfo*>(object)));
    }

    DbFixture db;
};

TEST_F(RulesItemContentTest, FixedItemsAndPricesResolve)
{
    struct Fixed
    {
        std::uint16_t id;
        std::uint16_t typeCode;
    };
    // The two spell-made items are the ones the shop copies for a scroll or a
    // potion of any spell; the potion is priced by the spell alone.
    for (const Fixed& fixed : {Fixed{VelIds::kItemUnarmedStrike, VelItemInfo::kWeaponCode},
                               Fixed{VelIds::kItemSpellbook, VelItemInfo::kGoodsCode},
                               Fixed{5000, VelItemInfo::kMagicItemCode}, Fixed{5010, VelItemInfo::kMagicItemCode}})
    {
        const VelItemInfo* item = VelDatabase::FindItem(fixed.id);
        ASSERT_NE(item, nullptr) << fixed.id;
        EXPECT_EQ(item->GetTypeCode(), fixed.typeCode) << fixed.id;
    }
    EXPECT_EQ(VelDatabase::FindItem<VelMagicItemInfo>(5010)->magicKind, VelMagicItemInfo::kMagicKindSpellPriced);

    std::map<std::uint16_t, int> perKind;
    ForEachInMap<VelItemInfo>(VelDatabase::kTagItem, [&perKind](const VelItemInfo& item) {
        ++perKind[item.GetTypeCode()];
        if (item.specialCostKey != 0)
        {
            EXPECT_NE(VelDatabase::FindSpecialCost(item.specialCostKey), nullptr) << item.name;
        }
    });
    for (std::uint16_t code = VelItemInfo::kWeaponCode; code <= VelItemInfo::kMagicItemCode; ++code)
        EXPECT_GE(perKind[code], 10) << code;
    // Weapons, armour and shields: +1 to +5, as the shop offers them.
    for (std::uint16_t kind = 0; kind <= 2; ++kind)
        for (std::uint16_t bonus = 1; bonus <= 5; ++bonus)
            EXPECT_NE(VelDatabase::FindSpecialCost315(kind, bonus), nullptr) << kind << " +" << bonus;
}

TEST_F(RulesItemContentTest, EveryFamiliarWeaponExists)
{
    int rows = 0;
    VelDatabase::ForEach<VelProfWeaponInfo>(VelDatabase::kTagProfWeapon, [&rows](const VelProfWeaponInfo& row) {
        ++rows;
        const VelItemInfo* weapon = VelDatabase::FindItem(static_cast<std::uint16_t>(row.key));
        ASSERT_NE(weapon, nullptr) << row.key;
        EXPECT_EQ(weapon->GetTypeCode(), VelItemInfo::kWeaponCode) << weapon->name;
        EXPECT_TRUE(row.classId < 0 ? VelDatabase::FindRace(row.raceId) != nullptr
                                    : VelDatabase::FindClass(static_cast<std::uint16_t>(row.classId)) != nullptr)
            << weapon->name;
    });
    EXPECT_GT(rows, 0);
}

TEST_F(RulesItemContentTest, EveryAnimalClassHasThreeChoicesAtEveryLevel)
{
    // The kind bits: 1 familiar, 2 the druid's companions, 4 the paladin's
    // mount (the kind the level table 290 grows).
    struct Keeper
    {
        std::uint16_t classId;
        std::uint16_t kindBit;
        std::uint16_t firstLevel;
        // The level table that grows the animal; 0 for none.
        std::uint16_t levelTag;
    };
    const Keeper keepers[] = {
        {VelIds::kClassNaturePriest, VelAnimalInfo::kKindGroup, 1, 0},
        {VelIds::kClassHolyKnight, VelAnimalInfo::kKindCompanion, 5, VelDatabase::kTagMount290},
        {VelIds::kClassInnateCaster, VelAnimalInfo::kKindFamiliar, 1, VelDatabase::kTagMount295},
        {VelIds::kClassScholarCaster, VelAnimalInfo::kKindFamiliar, 1, VelDatabase::kTagMount295},
    };
    for (std::uint16_t classId = 0; classId < VelIds::kClassCount; ++classId)
    {
        bool listed = false;
        for (const Keeper& keeper : keepers)
            listed = listed || keeper.classId == classId;
        const VelClassInfo* info = VelDatabase::FindClass(classId);
        ASSERT_NE(info, nullptr) << classId;
        EXPECT_EQ(info->animalCompanion != 0, listed) << classId;
    }
    const VelAnimalInfo* pony = VelDatabase::FindAnimal(VelIds::kAnimalSmallRiderMount);
    ASSERT_NE(pony, nullptr);
    EXPECT_NE(pony->kindsMask & VelAnimalInfo::kKindCompanion, 0);

    for (const Keeper& keeper : keepers)
    {
        const bool mount = keeper.kindBit == VelAnimalInfo::kKindCompanion;
        // The animal list does not change with the master's level; a mount
        // must also be one size larger than its rider's race (the race that
        // rides only the pony is checked above).
        std::map<int, int> choicesBySize;
        ForEachInMap<VelAnimalInfo>(VelDatabase::kTagAnimal, [&](const VelAnimalInfo& animal) {
            if (animal.kindsMask & keeper.kindBit)
                ++choicesBySize[mount ? animal.sizeId : -1];
        });
        if (!mount)
        {
            EXPECT_GE(choicesBySize[-1], 3) << keeper.classId;
        }
        else
        {
            ForEachInMap<VelRaceInfo>(VelDatabase::kTagRace, [&](const VelRaceInfo& race) {
                if (race.key != VelIds::kRaceSmallRider)
                {
                    EXPECT_GE(choicesBySize[race.sizeId + 1], 3) << race.name;
                }
            });
        }
        // Exactly one row of the animal's level table for each level with it.
        for (std::uint16_t level = keeper.firstLevel; keeper.levelTag != 0 && level <= 20; ++level)
        {
            int rows = 0;
            VelDatabase::ForEach<VelMountInfo>(keeper.levelTag, [&rows, level](const VelMountInfo& row) {
                rows += row.lowestLevel <= level && level <= row.highestLevel;
            });
            EXPECT_EQ(rows, 1) << keeper.classId << " at " << level;
        }
    }
}
} // namespace
