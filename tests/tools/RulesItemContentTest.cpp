// The shipped items and animals, as the program loads them: fixed items and
// animals at their ids, every weapon familiarity row and price key pointing
// at a record that exists, enough animals for every class that keeps one at
// every level where it does and the mounts each race's paladin may ride; and
// single numbers of the rule set checked against the game's tables.

#include "Fc/Core/FCObjectMap.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatDependInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelMountInfo.h"
#include "Vel/Db/VelProfWeaponInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelRaceSkillInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpokenLanguageInfo.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "support/DbFixture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

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

    // The names of the animals a paladin of the race may ride, in id order.
    static std::vector<std::string> MountsOf(std::uint16_t raceId)
    {
        VelCharacter rider;
        rider.raceId = raceId;
        std::vector<std::string> names;
        ForEachInMap<VelAnimalInfo>(VelDatabase::kTagAnimal, [&](const VelAnimalInfo& animal) {
            if ((animal.kindsMask & VelAnimalInfo::kKindCompanion) != 0 && IsSuitableMount(&rider, &animal))
                names.push_back(animal.name);
        });
        return names;
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

TEST_F(RulesItemContentTest, EveryAnimalClassHasItsChoicesAtEveryLevel)
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

    // A paladin rides a heavy warhorse, or a war pony when small; the race
    // that rides only the pony keeps it, and the pony, of the small riders'
    // size, is theirs too.
    const std::map<std::string, std::vector<std::string>> mounts = {
        {"Human", {"Heavy Warhorse"}},    {"Dwarf", {"Pony"}},
        {"Elf", {"Heavy Warhorse"}},      {"Gnome", {"Pony", "War Pony"}},
        {"Half-Elf", {"Heavy Warhorse"}}, {"Half-Orc", {"Heavy Warhorse"}},
        {"Halfling", {"Pony", "War Pony"}},
    };
    int races = 0;
    ForEachInMap<VelRaceInfo>(VelDatabase::kTagRace, [&](const VelRaceInfo& race) {
        ++races;
        const auto expected = mounts.find(race.name);
        ASSERT_NE(expected, mounts.end()) << race.name;
        EXPECT_EQ(MountsOf(static_cast<std::uint16_t>(race.key)), expected->second) << race.name;
    });
    EXPECT_EQ(races, static_cast<int>(mounts.size()));

    for (const Keeper& keeper : keepers)
    {
        // The animal list does not change with the master's level.
        int choices = 0;
        ForEachInMap<VelAnimalInfo>(VelDatabase::kTagAnimal, [&](const VelAnimalInfo& animal) {
            choices += (animal.kindsMask & keeper.kindBit) != 0;
        });
        EXPECT_GE(choices, keeper.kindBit == VelAnimalInfo::kKindCompanion ? 2 : 3) << keeper.classId;
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

// A field of a record as a number; a missing record reads as NaN, which
// equals nothing.
template <class T, class M> double Of(const T* record, M T::*field)
{
    return record ? static_cast<double>(record->*field) : std::numeric_limits<double>::quiet_NaN();
}

// An element of an array field as a number; NaN for a missing record.
template <class T, class M> double At(const T* record, M T::*field, std::size_t index)
{
    return record ? static_cast<double>((record->*field)[index]) : std::numeric_limits<double>::quiet_NaN();
}

// A field of the last row of a list that passes a test; NaN when none does.
template <class T, class M, class P> double Last(std::uint16_t tag, M T::*field, P pass)
{
    double found = std::numeric_limits<double>::quiet_NaN();
    VelDatabase::ForEach<T>(tag, [&](const T& row) { found = pass(row) ? static_cast<double>(row.*field) : found; });
    return found;
}

// An item's price in the lowest coin, as the shop asks it; NaN for a missing
// item.
double Copper(const VelItemInfo* item)
{
    return item ? static_cast<double>(ToCopperValue(GetItemPrice(item, 0, 0, 0), item->coinKind))
                : std::numeric_limits<double>::quiet_NaN();
}

// 1 when a text of a record holds the words, else 0; NaN for a missing record.
template <class T> double Holds(const T* record, std::string T::*field, const char* words)
{
    return record ? static_cast<double>((record->*field).find(words) != std::string::npos)
                  : std::numeric_limits<double>::quiet_NaN();
}

TEST_F(RulesItemContentTest, SingleNumbersAreTheTablesOwn)
{
    namespace D = VelDatabase;
    // One value each that a slip in the content would change.
    const struct
    {
        const char* what;
        std::function<double()> read;
        double expected;
    } rows[] = {
        {"bard 4 bardic music a day", [] { return Last(D::kTagClassFeature, &VelClassFeatureInfo::value, [](auto& r) { return r.key == 1 && r.featureId == 11 && r.level <= 4; }); }, 4},
        {"bard medium armour", [] { return At(D::FindClass(1), &VelClassInfo::proficiencies, 3); }, 1},
        {"ranger good Reflex", [] { return At(D::FindClass(7), &VelClassInfo::goodSaves, 1); }, 0},
        {"paladin 3 remove disease a week", [] { return Last(D::kTagClassFeature, &VelClassFeatureInfo::value, [](auto& r) { return r.key == 6 && r.featureId == 52 && r.level <= 3; }); }, 1},
        {"barbarian +1 against traps at level", [] { return Last(D::kTagClassFeature, &VelClassFeatureInfo::level, [](auto& r) { return r.key == 0 && r.featureId == 60 && r.value == 1; }); }, 10},
        {"monk 16 unarmed dice sides", [] { return At(D::FindClassLevel(16), &VelClassLevelInfo::unarmedDiceSides, 0); }, 20},
        {"gnome Hide bonus", [] { return Of(D::FindRaceSkill(3, 17), &VelRaceSkillInfo::bonus); }, 4},
        {"dwarf may choose Undercommon", [] { return Last(D::kTagSpokenLanguage, &VelSpokenLanguageInfo::automatic, [](auto& r) { return r.key == 17 && r.raceId == 1; }); }, 0},
        {"improved two-weapon base attack", [] { return Last(D::kTagFeatDepend, &VelFeatDependInfo::minimum, [](auto& r) { return r.key == 52 && r.type == VelFeatDependInfo::kBaseAttack; }); }, 9},
        {"Alchemy for the bard", [] { return At(D::FindSkill(0), &VelSkillInfo::classKinds, 1); }, 1},
        {"chainmail, slow race", [] { return Of(D::FindItem<VelArmorInfo>(212), &VelArmorInfo::slowSpeed); }, 15},
        {"net weight", [] { return Of(D::FindItem(69), &VelItemInfo::weight); }, 10},
        {"salt in gold", [] { return Of(D::FindItem(1606), &VelItemInfo::coinKind); }, 2},
        {"Alarm 2 hours/level", [] { return At(D::FindSpell(6), &VelSpellInfo::words, 3); }, 22},
        {"Teleport transmutation", [] { return Of(D::FindSpell(467), &VelSpellInfo::schoolId); }, 8},
        {"hawk natural armour", [] { return Of(D::FindAnimal(2), &VelAnimalInfo::naturalArmor); }, 2},
        {"giant crocodile tail slap, as strong as its bite", [] { return Of(D::FindAnimalAttack(28, 1), &VelAnimalAttackInfo::strengthFactor); }, 1.5},
        {"elephant stamps, a lesser attack", [] { return Of(D::FindAnimalAttack(40, 1), &VelAnimalAttackInfo::strengthFactor); }, 0.5},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.read(), row.expected) << row.what;
}

// Animal feature ids: climbing and swimming speeds, and the familiar's gift
// of +2 to Move Silently.
constexpr std::uint16_t kClimb = 223, kSwim = 222, kQuietCompanion = 6;

// How many records of a map pass a test.
template <class T, class P> double Count(std::uint16_t tag, P pass)
{
    double count = 0;
    if (FCObjectMap* map = VelDatabase::GetMap(tag))
        VelRulesWalk::Each<T>(*map, [&](const T& record) {
            count += pass(record) ? 1 : 0;
            return false;
        });
    return count;
}

// How many rows of a list pass a test.
template <class T, class P> double Rows(std::uint16_t tag, P pass)
{
    double count = 0;
    VelDatabase::ForEach<T>(tag, [&](const T& row) { count += pass(row) ? 1 : 0; });
    return count;
}

TEST_F(RulesItemContentTest, ItemsAndAnimalsAreTheEarlierEditions)
{
    namespace D = VelDatabase;
    constexpr double kGold = 100, kSilver = 10;
    using A = VelAnimalInfo;
    using F = VelAnimalFeatureInfo;
    const auto mounts = [](std::int16_t sizeId) {
        return Count<A>(D::kTagAnimal, [sizeId](const A& a) { return (a.kindsMask & A::kKindCompanion) != 0 && a.sizeId == sizeId; });
    };
    const struct
    {
        const char* what;
        std::function<double()> read;
        double expected;
    } rows[] = {
        {"ring of climbing", [] { return Copper(D::FindItem(2006)); }, 2000 * kGold},
        {"ring of climbing, +10", [] { return Holds(D::FindItem(2006), &VelItemInfo::description, "+10 to Climb"); }, 1},
        {"ring of jumping", [] { return Copper(D::FindItem(2007)); }, 2000 * kGold},
        {"ring of jumping, +30", [] { return Holds(D::FindItem(2007), &VelItemInfo::description, "+30 to Jump"); }, 1},
        {"ring of swimming", [] { return Copper(D::FindItem(2008)); }, 2300 * kGold},
        {"ring of swimming, +10", [] { return Holds(D::FindItem(2008), &VelItemInfo::description, "+10 to Swim"); }, 1},
        {"cold ring, the minor elemental one", [] { return Copper(D::FindItem(2032)); }, 16000 * kGold},
        {"cold ring's name", [] { return Holds(D::FindItem(2032), &VelItemInfo::name, "Minor Elemental Resistance (Cold)"); }, 1},
        {"immovable rod", [] { return Copper(D::FindItem(2100)); }, 7500 * kGold},
        {"staff of charming", [] { return Copper(D::FindItem(2200)); }, 12000 * kGold},
        {"staff of fire", [] { return Copper(D::FindItem(2201)); }, 29000 * kGold},
        {"staff of swarming insects", [] { return Copper(D::FindItem(2202)); }, 20000 * kGold},
        {"staff of healing", [] { return Copper(D::FindItem(2203)); }, 33000 * kGold},
        {"staff of size alteration", [] { return Copper(D::FindItem(2204)); }, 6500 * kGold},
        {"staff of frost", [] { return Copper(D::FindItem(2206)); }, 70000 * kGold},
        {"staff of defence", [] { return Copper(D::FindItem(2207)); }, 80000 * kGold},
        {"staff of earth and stone", [] { return Copper(D::FindItem(2216)); }, 85000 * kGold},
        {"staff of the woodlands", [] { return Copper(D::FindItem(2217)); }, 90000 * kGold},
        {"staff of life", [] { return Copper(D::FindItem(2218)); }, 130000 * kGold},
        {"staff of passage", [] { return Copper(D::FindItem(2219)); }, 180000 * kGold},
        {"staff of power", [] { return Copper(D::FindItem(2220)); }, 200000 * kGold},
        {"boots of speed", [] { return Copper(D::FindItem(2436)); }, 8000 * kGold},
        {"portable hole", [] { return Copper(D::FindItem(2473)); }, 14000 * kGold},
        {"universal solvent", [] { return Copper(D::FindItem(2493)); }, 2000 * kGold},
        {"oil of slipperiness", [] { return Holds(D::FindItem(2491), &VelItemInfo::name, "Oil of Slipperiness"); }, 1},
        {"javelin of lightning", [] { return Copper(D::FindItem(2602)); }, 751 * kGold},
        {"celestial armour", [] { return Copper(D::FindItem(2705)); }, 25300 * kGold},
        {"celestial armour +1", [] { return Of(D::FindItem<VelMagicItemInfo>(2705), &VelMagicItemInfo::wordB); }, 1},
        {"winged shield +1", [] { return Of(D::FindItem<VelMagicItemInfo>(2713), &VelMagicItemInfo::wordB); }, 1},
        {"arrows +1 (10), 460.5 gold", [] { return Copper(D::FindItem(2800)); }, 4605 * kSilver},
        {"sling bullets +1 (10), 460.1 gold", [] { return Copper(D::FindItem(2805)); }, 46010},
        {"no rod of extend spell", [] { return D::FindItem(2116) == nullptr; }, 1},
        {"no rod of silent spell", [] { return D::FindItem(2117) == nullptr; }, 1},
        {"no rod of empower spell", [] { return D::FindItem(2118) == nullptr; }, 1},
        {"no staff of abjuration", [] { return D::FindItem(2208) == nullptr; }, 1},
        {"no staff of conjuration", [] { return D::FindItem(2209) == nullptr; }, 1},
        {"no staff of enchantment", [] { return D::FindItem(2210) == nullptr; }, 1},
        {"no staff of evocation", [] { return D::FindItem(2211) == nullptr; }, 1},
        {"no staff of illusion", [] { return D::FindItem(2212) == nullptr; }, 1},
        {"no staff of necromancy", [] { return D::FindItem(2213) == nullptr; }, 1},
        {"no staff of transmutation", [] { return D::FindItem(2214) == nullptr; }, 1},
        {"no staff of divination", [] { return D::FindItem(2215) == nullptr; }, 1},
        {"no wand of scorching ray", [] { return D::FindItem(2312) == nullptr; }, 1},
        {"no wand of polymorph", [] { return D::FindItem(2320) == nullptr; }, 1},
        {"no shatterspike", [] { return D::FindItem(2621) == nullptr; }, 1},
        {"no berserking sword", [] { return D::FindItem(2622) == nullptr; }, 1},
        {"no dragonhide plate +1", [] { return D::FindItem(2701) == nullptr; }, 1},
        {"no seeking arrows", [] { return D::FindItem(2807) == nullptr; }, 1},
        {"no staff of illumination", [] { return D::FindItem(2205) == nullptr; }, 1},
        {"no wand of wonder", [] { return D::FindItem(2322) == nullptr; }, 1},
        {"no tent of comfort", [] { return D::FindItem(2494) == nullptr; }, 1},
        {"no shield of the sun", [] { return D::FindItem(2715) == nullptr; }, 1},
        {"badger size Tiny", [] { return Of(D::FindAnimal(12), &A::sizeId); }, 2},
        {"weasel natural armour", [] { return Of(D::FindAnimal(8), &A::naturalArmor); }, 2},
        {"dire ape natural armour", [] { return Of(D::FindAnimal(55), &A::naturalArmor); }, 4},
        {"dire ape climbs 15 ft", [] { return Last(D::kTagAnimalFeature, &F::value, [](auto& r) { return r.key == 55 && r.featureId == kClimb; }); }, 15},
        {"giant lizard swims 30 ft", [] { return Last(D::kTagAnimalFeature, &F::value, [](auto& r) { return r.key == 63 && r.featureId == kSwim; }); }, 30},
        {"giant lizard DEX", [] { return At(D::FindAnimal(63), &A::abilities, 1); }, 15},
        {"porpoise WIS", [] { return At(D::FindAnimal(36), &A::abilities, 4); }, 12},
        {"large viper bite d4", [] { return Of(D::FindAnimalAttack(32, 0), &VelAnimalAttackInfo::dieSides); }, 4},
        {"polar bear claws d6", [] { return Of(D::FindAnimalAttack(15, 0), &VelAnimalAttackInfo::dieSides); }, 6},
        {"hawk one claw attack", [] { return Of(D::FindAnimalAttack(2, 0), &VelAnimalAttackInfo::wordA); }, 1},
        {"owl one claw attack", [] { return Of(D::FindAnimalAttack(3, 0), &VelAnimalAttackInfo::wordA); }, 1},
        {"porpoise butts", [] { const auto* a = D::FindAnimalAttack(36, 0); return a && a->name == "Butt"; }, 1},
        {"bat has no bite", [] { return D::FindAnimalAttack(0, 0) == nullptr; }, 1},
        {"pony hooves, full strength", [] { return Of(D::FindAnimalAttack(46, 0), &VelAnimalAttackInfo::strengthFactor); }, 1.0},
        {"camel bite, its only attack", [] { return Of(D::FindAnimalAttack(49, 0), &VelAnimalAttackInfo::strengthFactor); }, 1.5},
        {"monkey no familiar", [] { return Of(D::FindAnimal(10), &A::kindsMask); }, A::kKindGroup},
        {"lizard no familiar", [] { return Of(D::FindAnimal(9), &A::kindsMask); }, A::kKindGroup},
        {"familiars", [] { return Count<A>(D::kTagAnimal, [](const A& a) { return (a.kindsMask & A::kKindFamiliar) != 0; }); }, 9},
        {"owl's gift +2 Move Silently", [] { return Last(D::kTagAnimalFeature, &F::featureId, [](auto& r) { return r.key == 3 && r.kindsMask == A::kKindFamiliar; }); }, kQuietCompanion},
        {"bat, hawk and viper give nothing", [] { return Rows<F>(D::kTagAnimalFeature, [](const F& r) { return (r.key == 0 || r.key == 2 || r.key == 6) && r.kindsMask == A::kKindFamiliar; }); }, 0},
        {"mounts for a Medium rider", [&] { return mounts(5); }, 1},
        {"mounts for a Small rider, the pony too", [&] { return mounts(4); }, 2},
        {"druid's companions", [] { return Count<A>(D::kTagAnimal, [](const A& a) { return (a.kindsMask & A::kKindGroup) != 0; }); }, 61},
        {"ferret gone", [] { return D::FindAnimal(11) == nullptr; }, 1},
        {"elk gone", [] { return D::FindAnimal(41) == nullptr; }, 1},
        {"hyena gone", [] { return D::FindAnimal(42) == nullptr; }, 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.read(), row.expected) << row.what;
}
} // namespace
