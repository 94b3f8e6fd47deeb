// The shipped items and animals, as the program loads them: fixed items and
// animals at their ids, every weapon familiarity row and price key pointing
// at a record that exists, enough animals for every class that keeps one at
// every level where it does and the mounts each race's paladin may ride;
// single numbers of the rule set checked against the game's tables; and the
// items, animals and weapon training of the earlier edition the rules follow.

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
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelMountInfo.h"
#include "Vel/Db/VelProfWeaponInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelRaceSkillInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpokenLanguageInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "support/DbFixture.h"
#include "support/RuleSetReads.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
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
        EXPECT_GE(perKind[code], 9) << code;
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

// An item's price in the lowest coin, as the shop asks it; NaN for a missing
// item.
double Copper(const VelItemInfo* item)
{
    return item ? static_cast<double>(ToCopperValue(GetItemPrice(item, 0, 0, 0), item->coinKind))
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

// Animal feature ids: climbing and swimming speeds, the familiar's gift of
// +2 to Move Silently, three attack features, two senses and one that no
// animal of the edition has.
constexpr std::uint16_t kClimb = 223, kSwim = 222, kQuietCompanion = 6, kImprovedGrab = 215,
                        kAttach = 242, kJet = 243, kScent = 210, kBlindsight = 212,
                        kHoldBreath = 225;

// The first of these items still in the rule set; 0 when none is.
double FirstItemLeft(std::initializer_list<std::uint16_t> ids)
{
    for (std::uint16_t id : ids)
        if (VelDatabase::FindItem(id) != nullptr)
            return id;
    return 0;
}

// An item only when it is of the kind asked for.
template <class T> const T* ItemOfKind(std::uint16_t id, std::uint16_t typeCode)
{
    const VelItemInfo* item = VelDatabase::FindItem(id);
    return item && item->GetTypeCode() == typeCode ? static_cast<const T*>(item) : nullptr;
}

// Weapon familiarity rows of one weapon: for a class, or (class -1) a race.
double Familiar(std::uint16_t weapon, std::int16_t classId, std::int16_t raceId = -1)
{
    return Count<VelProfWeaponInfo>(VelDatabase::kTagProfWeapon, [=](const VelProfWeaponInfo& r) {
        return r.key == weapon && r.classId == classId && (classId >= 0 || r.raceId == raceId);
    });
}

constexpr std::int16_t kBard = 1, kDruid = 3, kRogue = 8, kElf = 2, kHalfOrc = 5, kHalfling = 6;

TEST_F(RulesItemContentTest, ItemsAndAnimalsAreTheEarlierEditions)
{
    namespace D = VelDatabase;
    constexpr double kGold = 100, kSilver = 10;
    using A = VelAnimalInfo;
    using F = VelAnimalFeatureInfo;
    using W = VelWeaponInfo;
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
        {"magic items the edition lacks gone (the first left)", [] { return FirstItemLeft({2116, 2117, 2118, 2208, 2209, 2210, 2211, 2212, 2213, 2214, 2215, 2312, 2320, 2621, 2622, 2701, 2807, 2205, 2322, 2494, 2715}); }, 0},
        {"Weapon Finesse's weapons beside the light ones", [] { return Named(D::FindItem(VelIds::kItemRapier), "Rapier") + Named(D::FindItem(VelIds::kItemMithralRapier), "Mithral Rapier") + Named(D::FindItem(VelIds::kItemSpikedChain), "Spiked Chain"); }, 3},
        {"badger size Tiny", [] { return Of(D::FindAnimal(12), &A::sizeId); }, 2},
        {"weasel natural armour", [] { return Of(D::FindAnimal(8), &A::naturalArmor); }, 0},
        {"weasel attaches", [] { return Count<F>(D::kTagAnimalFeature, [](const F& r) { return r.key == 8 && r.featureId == kAttach; }); }, 1},
        {"weasel, no improved grab", [] { return Count<F>(D::kTagAnimalFeature, [](const F& r) { return r.key == 8 && r.featureId == kImprovedGrab; }); }, 0},
        {"dire ape natural armour", [] { return Of(D::FindAnimal(55), &A::naturalArmor); }, 4},
        {"dire ape climbs 15 ft", [] { return Last(D::kTagAnimalFeature, &F::value, [](auto& r) { return r.key == 55 && r.featureId == kClimb; }); }, 15},
        {"giant lizard swims 30 ft", [] { return Last(D::kTagAnimalFeature, &F::value, [](auto& r) { return r.key == 63 && r.featureId == kSwim; }); }, 30},
        {"giant lizard DEX", [] { return At(D::FindAnimal(63), &A::abilities, 1); }, 15},
        {"porpoise WIS", [] { return At(D::FindAnimal(36), &A::abilities, 4); }, 12},
        {"large viper bite d4", [] { return Of(D::FindAnimalAttack(32, 0), &VelAnimalAttackInfo::dieSides); }, 4},
        {"polar bear claws d8", [] { return Of(D::FindAnimalAttack(15, 0), &VelAnimalAttackInfo::dieSides); }, 8},
        {"monkey bite d3", [] { return Of(D::FindAnimalAttack(10, 0), &VelAnimalAttackInfo::dieSides); }, 3},
        {"owl STR", [] { return At(D::FindAnimal(3), &A::abilities, 0); }, 6},
        {"owl claws d4", [] { return Of(D::FindAnimalAttack(3, 0), &VelAnimalAttackInfo::dieSides); }, 4},
        {"giant octopus WIS", [] { return At(D::FindAnimal(34), &A::abilities, 4); }, 13},
        {"giant octopus jets", [] { return Count<F>(D::kTagAnimalFeature, [](const F& r) { return r.key == 34 && r.featureId == kJet; }); }, 1},
        {"light horse STR", [] { return At(D::FindAnimal(43), &A::abilities, 0); }, 13},
        {"heavy horse STR", [] { return At(D::FindAnimal(44), &A::abilities, 0); }, 15},
        {"light horse hooves, full strength", [] { return Of(D::FindAnimalAttack(43, 0), &VelAnimalAttackInfo::strengthFactor); }, 1.0},
        {"heavy horse hooves, full strength", [] { return Of(D::FindAnimalAttack(44, 0), &VelAnimalAttackInfo::strengthFactor); }, 1.0},
        {"horses do not fight ridden", [] { return Holds(D::FindAnimal(43), &A::description, "cannot fight") + Holds(D::FindAnimal(44), &A::description, "cannot fight"); }, 2},
        {"shark, keen scent without blindsense", [] { return Holds(D::FindAnimal(35), &A::fifthText, "blindsense"); }, 0},
        {"cheetah, no scent", [] { return Count<F>(D::kTagAnimalFeature, [](const F& r) { return r.key == 23 && r.featureId == kScent; }); }, 0},
        {"cheetah's senses, no scent", [] { const auto* a = D::FindAnimal(23); return a && a->fifthText == "Low-light vision"; }, 1},
        {"crocodiles and porpoise, no hold breath", [] { return Count<F>(D::kTagAnimalFeature, [](const F& r) { return r.featureId == kHoldBreath; }); }, 0},
        {"echolocation is the edition's blindsight", [] { return Named(D::FindFeature(kBlindsight), "Blindsight"); }, 1},
        {"blindsight reaches 120 feet", [] { return Holds(D::FindFeature(kBlindsight), &VelFeatureInfo::text, "120 feet"); }, 1},
        {"bat, dire bat and porpoise sense by blindsight 120 ft.", [] { return Holds(D::FindAnimal(0), &A::fifthText, "Blindsight 120 ft.") + Holds(D::FindAnimal(52), &A::fifthText, "Blindsight 120 ft.") + Holds(D::FindAnimal(36), &A::fifthText, "Blindsight 120 ft."); }, 3},
        {"hawk one claw attack", [] { return Of(D::FindAnimalAttack(2, 0), &VelAnimalAttackInfo::wordA); }, 1},
        {"owl one claw attack", [] { return Of(D::FindAnimalAttack(3, 0), &VelAnimalAttackInfo::wordA); }, 1},
        {"porpoise butts", [] { const auto* a = D::FindAnimalAttack(36, 0); return a && a->name == "Butt"; }, 1},
        {"bat has no bite", [] { return D::FindAnimalAttack(0, 0) == nullptr; }, 1},
        {"improved grab names no claws", [] { return Holds(D::FindFeature(kImprovedGrab), &VelFeatureInfo::text, "claw"); }, 0},
        {"bedroll, blanket, tent, outfit and saddle hold no amount", [] { double sum = 0; for (std::uint16_t id : {1501, 1502, 1528, 1581, 1620}) sum += Of(ItemOfKind<VelGoodsInfo>(id, VelItemInfo::kGoodsCode), &VelGoodsInfo::amount); return sum; }, 0},
        {"a backpack still holds a cubic foot", [] { return Of(ItemOfKind<VelGoodsInfo>(1500, VelItemInfo::kGoodsCode), &VelGoodsInfo::amount); }, 1},
        {"pony hooves, full strength", [] { return Of(D::FindAnimalAttack(46, 0), &VelAnimalAttackInfo::strengthFactor); }, 1.0},
        {"camel bite, a lesser attack alone", [] { return Of(D::FindAnimalAttack(49, 0), &VelAnimalAttackInfo::strengthFactor); }, 0.5},
        {"monkey no familiar", [] { return Of(D::FindAnimal(10), &A::kindsMask); }, A::kKindGroup},
        {"lizard no familiar", [] { return Of(D::FindAnimal(9), &A::kindsMask); }, A::kKindGroup},
        {"familiars", [] { return Count<A>(D::kTagAnimal, [](const A& a) { return (a.kindsMask & A::kKindFamiliar) != 0; }); }, 9},
        {"owl's gift +2 Move Silently", [] { return Last(D::kTagAnimalFeature, &F::featureId, [](auto& r) { return r.key == 3 && r.kindsMask == A::kKindFamiliar; }); }, kQuietCompanion},
        {"bat, hawk and viper give nothing", [] { return Count<F>(D::kTagAnimalFeature, [](const F& r) { return (r.key == 0 || r.key == 2 || r.key == 6) && r.kindsMask == A::kKindFamiliar; }); }, 0},
        {"mounts for a Medium rider", [&] { return mounts(5); }, 1},
        {"mounts for a Small rider, the pony too", [&] { return mounts(4); }, 2},
        {"druid's companions", [] { return Count<A>(D::kTagAnimal, [](const A& a) { return (a.kindsMask & A::kKindGroup) != 0; }); }, 61},
        {"ferret gone", [] { return D::FindAnimal(11) == nullptr; }, 1},
        {"elk gone", [] { return D::FindAnimal(41) == nullptr; }, 1},
        {"hyena gone", [] { return D::FindAnimal(42) == nullptr; }, 1},
        {"longspear martial", [] { return Of(D::FindItem<W>(11), &W::category); }, 1},
        {"kukri exotic", [] { return Of(D::FindItem<W>(23), &W::category); }, 2},
        {"shuriken one point", [] { return At(D::FindItem<W>(65), &W::dieSides, 0); }, 1},
        {"dart small", [] { return Of(D::FindItem<W>(16), &W::size); }, 1},
        {"spiked gauntlet 2 lb", [] { return Of(D::FindItem(4), &VelItemInfo::weight); }, 2},
        {"repeating crossbow 16 lb", [] { return Of(D::FindItem(68), &VelItemInfo::weight); }, 16},
        {"punching dagger 2 lb", [] { return Of(D::FindItem(2), &VelItemInfo::weight); }, 2},
        {"our shortspear is the halfspear", [] { return Named(D::FindItem(10), "Halfspear"); }, 1},
        {"our spear is the shortspear", [] { return Named(D::FindItem(13), "Shortspear"); }, 1},
        {"shortspear 5 lb", [] { return Of(D::FindItem(13), &VelItemInfo::weight); }, 5},
        {"whip ranged", [] { return Of(D::FindItem<W>(66), &W::ranged); }, 1},
        {"whip 15 ft", [] { return Of(D::FindItem<W>(66), &W::rangeIncrement); }, 15},
        {"whip small", [] { return Of(D::FindItem<W>(66), &W::size); }, 1},
        {"whip without reach", [] { return Of(D::FindItem<W>(66), &W::byteA); }, 0},
        {"whip, no strength to damage", [] { return Of(D::FindItem<W>(66), &W::damageStyle); }, 1},
        {"armour spikes martial", [] { return Of(D::FindItem<W>(104), &W::category); }, 1},
        {"armour spikes 1d6", [] { return At(D::FindItem<W>(104), &W::dieSides, 0); }, 6},
        {"armour spikes 50 gp", [] { return Of(D::FindItem(104), &VelItemInfo::basePrice); }, 50},
        {"locked gauntlet x2", [] { return Of(D::FindItem<W>(105), &W::criticalMultiplier); }, 2},
        {"locked gauntlet 8 gp", [] { return Of(D::FindItem(105), &VelItemInfo::basePrice); }, 8},
        {"locked gauntlet 5 lb", [] { return Of(D::FindItem(105), &VelItemInfo::weight); }, 5},
        {"weapons the edition lacks gone (the first left)", [] { return FirstItemLeft({19, 57, 58, 76, 77, 78, 91, 92, 93, 94, 95}); }, 0},
        {"silvered dagger", [] { return Of(D::FindItem(90), &VelItemInfo::basePrice); }, 10},
        {"adamantine battleaxe, a d8", [] { return Of(D::FindItem(97), &VelItemInfo::basePrice); }, 9010},
        {"adamantine longsword", [] { return Of(D::FindItem(98), &VelItemInfo::basePrice); }, 9015},
        {"adamantine warhammer", [] { return Of(D::FindItem(99), &VelItemInfo::basePrice); }, 9012},
        {"darkwood quarterstaff, both ends", [] { return Of(D::FindItem(100), &VelItemInfo::basePrice); }, 640},
        {"darkwood longbow", [] { return Of(D::FindItem(101), &VelItemInfo::basePrice); }, 405},
        {"darkwood shortbow", [] { return Of(D::FindItem(102), &VelItemInfo::basePrice); }, 350},
        {"mithral rapier", [] { return Of(D::FindItem(103), &VelItemInfo::basePrice); }, 1520},

        {"adamantine breastplate", [] { return Of(D::FindItem(234), &VelItemInfo::basePrice); }, 5350},
        {"adamantine full plate", [] { return Of(D::FindItem(235), &VelItemInfo::basePrice); }, 11500},
        {"adamantine shield", [] { return Of(D::FindItem(249), &VelItemInfo::basePrice); }, 2170},
        {"tower shield gives cover, no bonus", [] { return Of(D::FindItem<VelShieldInfo>(245), &VelShieldInfo::shieldBonus); }, 0},
        {"studded leather not for druids", [] { return Of(D::FindItem(202), &VelItemInfo::forbiddenToClass3); }, 1},
        {"armour the edition lacks gone (the first left)", [] { return FirstItemLeft({204, 214, 236, 237, 246}); }, 0},

        {"signal whistle", [] { return Of(D::FindItem(1531), &VelItemInfo::weight); }, 0.1f},
        {"flute, a common instrument", [] { return Of(D::FindItem(1567), &VelItemInfo::basePrice); }, 5},
        {"flute 3 lb", [] { return Of(D::FindItem(1567), &VelItemInfo::weight); }, 3},
        {"drum", [] { return Of(D::FindItem(1568), &VelItemInfo::basePrice); }, 5},
        {"harp", [] { return Of(D::FindItem(1569), &VelItemInfo::basePrice); }, 5},
        {"harp 3 lb", [] { return Of(D::FindItem(1569), &VelItemInfo::weight); }, 3},
        {"horn", [] { return Of(D::FindItem(1570), &VelItemInfo::basePrice); }, 5},
        {"horn 3 lb", [] { return Of(D::FindItem(1570), &VelItemInfo::weight); }, 3},
        {"bagpipes", [] { return Of(D::FindItem(1571), &VelItemInfo::basePrice); }, 5},
        {"bagpipes 3 lb", [] { return Of(D::FindItem(1571), &VelItemInfo::weight); }, 3},
        {"wine by the pitcher", [] { return Of(D::FindItem(1603), &VelItemInfo::weight); }, 6},
        {"antitoxin", [] { return Of(D::FindItem(1642), &VelItemInfo::weight); }, 0.0625},
        {"spell component pouch", [] { return Of(D::FindItem(1660), &VelItemInfo::weight); }, 3},
        {"wooden holy symbol", [] { return Of(D::FindItem(1661), &VelItemInfo::weight); }, 0.1f},
        {"twenty silvered arrows", [] { return Of(D::FindItem(1685), &VelItemInfo::basePrice); }, 20},
        {"everburning torch, a wondrous item", [] { return Of(ItemOfKind<VelMagicItemInfo>(1649, VelItemInfo::kMagicItemCode), &VelMagicItemInfo::magicKind); }, 7},
        {"everburning torch", [] { return Of(D::FindItem(1649), &VelItemInfo::basePrice); }, 90},
        {"gear the edition lacks gone (the first left)", [] { return FirstItemLeft({1523, 1530, 1573, 1574, 1576, 1577, 1592, 1650, 1651, 1664, 1665, 1666, 1667, 1668, 1683, 1684, 1686, 1687}); }, 0},

        {"bard, longbow", [=] { return Familiar(48, kBard); }, 1},
        {"bard, composite longbow", [=] { return Familiar(49, kBard); }, 1},
        {"bard, composite shortbow", [=] { return Familiar(47, kBard); }, 1},
        {"druid, longspear", [=] { return Familiar(11, kDruid); }, 1},
        {"rogue, light crossbow", [=] { return Familiar(14, kRogue); }, 1},
        {"rogue, punching dagger", [=] { return Familiar(2, kRogue); }, 1},
        {"rogue, composite shortbow", [=] { return Familiar(47, kRogue); }, 1},
        {"rogue, no simple weapon beyond his list", [] { return At(D::FindClass(kRogue), &VelClassInfo::proficiencies, 0); }, 0},
        {"rogue, rapier only when medium", [] { return Last(D::kTagProfWeapon, &VelProfWeaponInfo::minSize, [](auto& r) { return r.key == 31 && r.classId == kRogue; }); }, 4},
        {"rogue, heavy mace only when medium", [] { return Last(D::kTagProfWeapon, &VelProfWeaponInfo::minSize, [](auto& r) { return r.key == 8 && r.classId == kRogue; }); }, 4},
        {"rogue, dart at any size", [] { return Last(D::kTagProfWeapon, &VelProfWeaponInfo::minSize, [](auto& r) { return r.key == 16 && r.classId == kRogue; }); }, -1},
        // The elf keeps its swords and bows, their mighty and darkwood makes
        // and the adamantine and mithral swords, and nothing else.
        {"elf weapons", [] { return Count<VelProfWeaponInfo>(D::kTagProfWeapon, [](auto& r) { return r.classId < 0 && r.raceId == kElf; }); }, 16},
        {"half-orc, no orc double axe", [=] { return Familiar(73, -1, kHalfOrc); }, 0},
        {"halfling, no weapon of its own", [] { return Count<VelProfWeaponInfo>(D::kTagProfWeapon, [](auto& r) { return r.classId < 0 && r.raceId == kHalfling; }); }, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.read(), row.expected) << row.what;
}
} // namespace
