#include "Vel/Rules/VelCombatRules.h"

#include "Fc/Core/FCObjectVector.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelProfWeaponInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelFeatRules.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
using C = VelCharacter;
using Equip = VelCharacterEquip;
namespace Id = VelIds;

// Races: human medium; stout small, slow, +2 Fortitude, familiar with the
// axe, +1 attack; tiny small and nothing else.
constexpr std::uint16_t kHuman = 4, kStout = 2, kTiny = 3;
// Weapons: simple and light, martial one-handed, exotic, martial ranged with
// strength rating 2, simple where only a weak arm counts.
constexpr std::uint16_t kDagger = 10, kSword = 11, kAxe = 12, kBow = 13, kSling = 14;
// Armour: light, medium (-5, max DEX 2), heavy; a shield +1, -1.
constexpr std::uint16_t kLeather = 20, kMail = 21, kPlate = 22, kShield = 30;
constexpr std::uint16_t kItemFeature = 5; // a feature whose value is an item
constexpr std::uint16_t kNo = 0xFFFF;

constexpr auto U16 = [](int value) { return static_cast<std::uint16_t>(value); };
constexpr auto Value = [](const VelCharacter& c, std::uint32_t index)
{ return static_cast<std::int32_t>(c.values[index]); };

VelWeaponInfo Weapon(std::int16_t category, std::int16_t size, std::uint16_t handedness)
{
    VelWeaponInfo weapon;
    weapon.category = category, weapon.size = size, weapon.handedness = handedness;
    weapon.diceCount = {1, 2, 0};
    weapon.dieSides = {8, 4, 0};
    return weapon;
}

VelArmorInfo Armor(std::uint16_t category, int bonus, int maxDex, int penalty, int speed, int slow)
{
    VelArmorInfo armor;
    armor.category = category, armor.armorBonus = U16(bonus), armor.maxDexBonus = U16(maxDex);
    armor.checkPenalty = U16(penalty), armor.speed = U16(speed), armor.slowSpeed = U16(slow);
    return armor;
}

class CombatRulesTest : public testing::Test
{
protected:
    CombatRulesTest()
    {
        VelRaceInfo human, stout, tiny;
        human.sizeId = 4;
        stout.sizeId = tiny.sizeId = Id::kSizeSmall;
        stout.speedColumn = 1, stout.saveBonus = {2, 0, 0}, stout.attackSizeModifier = 1;
        db.Section(VelDatabase::kTagRace).Add(kHuman, human).Add(kStout, stout).Add(kTiny, tiny);
        db.Add(Id::kRaceLightBlade, human).Add(Id::kRaceSmallRider, human);
        VelSizeInfo small;
        small.sizeModifier = 1, small.carryFactor = 0.75f;
        db.Section(VelDatabase::kTagSize).Add(4, VelSizeInfo()).Add(Id::kSizeSmall, small);
        VelCarryInfo carry;
        carry.lightLimit = 33, carry.mediumLimit = 66, carry.heavyLimit = 100;
        db.Section(VelDatabase::kTagCarry).Add(10, carry);
        db.Section(VelDatabase::kTagClass);
        for (std::uint16_t id = 0; id < Id::kClassCount; ++id)
        {
            VelClassInfo record;
            const bool allGood = id == Id::kClassMartialArtist;
            record.goodSaves = {1, allGood, allGood};
            record.baseAttackColumn = id % 2;
            if (id == Id::kClassWarrior)
                record.proficiencies = {1, 1, 1, 1, 1, 1};
            db.Add(static_cast<std::int16_t>(id), record);
        }
        db.Section(VelDatabase::kTagClassLevel);
        for (std::int16_t level = 1; level <= 20; ++level)
        {
            VelClassLevelInfo row;
            row.baseAttack = {U16(level), U16(level * 3 / 4), 0, 0};
            row.speedValues = {40, 30};
            row.unarmedDiceCount = {1, 1};
            row.unarmedDiceSides = {8, 6};
            db.Add(level, row);
        }
        VelWeaponInfo bow = Weapon(1, 2, 2);
        bow.ranged = 1, bow.strengthRating = 2;
        VelWeaponInfo sling = Weapon(0, 1, 1);
        sling.damageStyle = 2;
        VelShieldInfo shield;
        shield.shieldBonus = 1, shield.checkPenalty = U16(-1);
        db.Section(VelDatabase::kTagItem)
            .Add(kDagger, Weapon(0, 1, 1))
            .Add(kSword, Weapon(1, 2, 1));
        db.Add(kAxe, Weapon(2, 2, 1)).Add(kBow, bow).Add(kSling, sling).Add(kShield, shield);
        db.Add(Id::kItemUnarmedStrike, Weapon(3, 1, 1)).Add(kLeather, Armor(0, 2, 6, 0, 30, 20));
        db.Add(kMail, Armor(1, 5, 2, -5, 20, 15)).Add(kPlate, Armor(2, 8, 1, -6, 20, 15));
        VelProfWeaponInfo byRace, byClass;
        byRace.raceId = kStout;
        byClass.classId = Id::kClassTracker, byClass.minSize = 4;
        db.Section(VelDatabase::kTagProfWeapon).Add(kAxe, byRace).Add(kAxe, byClass);
        VelFeatureInfo itemFeature;
        itemFeature.kind = VelFeatureInfo::kKindItem;
        db.Section(VelDatabase::kTagFeature).Add(kItemFeature, itemFeature);
        EXPECT_TRUE(db.Load());
        c.raceId = kHuman;
        c.abilities = {10, 10, 10, 10, 10, 10};
    }

    VelCharacterClass* AddClass(std::uint16_t classId, std::uint16_t level)
    {
        VelCharacterClass* entry = c.AddClass(classId);
        entry->level = level;
        return entry;
    }

    void AddFeat(std::uint16_t featId, std::uint16_t choice = VelCharacterFeat::kNoChoice)
    {
        Adopt(new VelCharacterFeat(featId, choice, VelCharacterFeat::kNoChoice, 0),
              [&](auto* feat) { c.InsertFeat(feat); });
    }

    static void Wear(VelCharacter& who, std::uint16_t id)
    {
        who.WearItem(who.AddItem(VelDatabase::FindItem(id)));
    }

    // An equipment set of the grip holding the weapons (0 an empty hand).
    VelCharacterEquip* Hold(VelCharacter& who, std::int16_t grip, std::uint16_t mainWeapon,
                            std::uint16_t offWeapon, std::uint32_t options = 0)
    {
        VelCharacterEquip set;
        set.gripMode = grip;
        for (const auto& [hand, weaponId] :
             {std::pair{kMainHand, mainWeapon}, {kOffHand, offWeapon}})
        {
            if (weaponId == 0)
                continue;
            VelCharacterItem* item = who.AddItem(VelDatabase::FindItem(weaponId));
            item->options = options;
            set.slots[static_cast<std::size_t>(hand)] = item->itemKey;
        }
        return who.AddEquip(set);
    }

    DbFixture db;
    VelCharacter c;
};

TEST_F(CombatRulesTest, BaseSavesOnGoodAndPoorProgressions)
{
    const std::int16_t good[] = {2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12};
    const std::int16_t poor[] = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6};
    VelCharacterClass* entry = AddClass(Id::kClassBerserker, 1);
    for (std::uint16_t level = 1; level <= 20; ++level)
    {
        entry->level = level;
        EXPECT_EQ(GetClassBaseSave(entry, kSaveFortitude), good[level - 1]) << level;
        EXPECT_EQ(GetClassBaseSave(entry, kSaveWill), poor[level - 1]) << level;
    }
    EXPECT_EQ(GetClassBaseSave(entry, 3), 0);
}

TEST_F(CombatRulesTest, SaveMiscCountsCharismaOncePerHolyKnightFeatsValuesAndRace)
{
    AddClass(Id::kClassHolyKnight, 2);
    AddClass(Id::kClassTracker, 3);
    c.raceId = kStout;
    c.abilities[VelEntity::kCha] = 14;
    c.abilities[VelEntity::kCon] = 16;
    c.values[C::kValueFortitudeBonus] = 1;
    AddFeat(Id::kFeatFortitudeBonus);
    std::int16_t base = 0, ability = 0, misc = 0;
    GetSavingThrowParts(&c, kSaveFortitude, base, ability, misc);
    EXPECT_EQ(std::tuple(base, ability, misc), std::tuple(3 + 3, 3, 2 + 2 + 1 + 2));
    GetSavingThrowParts(&c, kSaveWill, base, ability, misc);
    EXPECT_EQ(misc, 2); // CHA once; no feat, value or race for Will
    ComputeSavingThrows(&c);
    EXPECT_EQ(c.stats[VelEntity::kFortitudeSave], 6 + 3 + 7);
    c.abilities[VelEntity::kCha] = 8; // a CHA penalty is no grace
    GetSavingThrowParts(&c, kSaveWill, base, ability, misc);
    EXPECT_EQ(misc, 0);
}

TEST_F(CombatRulesTest, EncumbranceByLoadArmourAndSpeedColumn)
{
    struct Case
    {
        std::uint16_t race, classA, classB;
        float carried;
        std::uint16_t gear; // armour or shield worn, 0 none
        std::int32_t load, speed, maxDex, run;
    };
    constexpr std::uint16_t kWar = Id::kClassWarrior, kBers = Id::kClassBerserker;
    constexpr std::uint16_t kMonk = Id::kClassMartialArtist, kRider = Id::kRaceSmallRider;
    // Limits 33 / 66 / 100 at STR 10; a small body carries three quarters. Fast
    // movement (berserker) needs no heavy armour and no heavy load. The martial
    // artist's own speed needs no armour (a shield is fine) and a light load;
    // small bodies read its second column.
    const std::vector<Case> cases = {
        {kHuman, kWar, kNo, 33, 0, 0, 30, 20, 4},
        {kHuman, kWar, kNo, 34, 0, 1, 20, 3, 4},
        {kHuman, kWar, kNo, 100, 0, 2, 20, 1, 3},
        {kHuman, kWar, kNo, 101, 0, 4, 0, 1, 3},
        {kStout, kWar, kNo, 10, 0, 0, 20, 20, 4},
        {kStout, kWar, kNo, 30, 0, 1, 15, 3, 4},
        {kHuman, kWar, kNo, 10, kMail, 0, 20, 2, 4},
        {kStout, kWar, kNo, 10, kMail, 0, 15, 2, 4},
        {kHuman, kBers, kNo, 10, 0, 0, 40, 20, 4},
        {kHuman, kBers, kNo, 50, 0, 1, 30, 3, 4},
        {kHuman, kBers, kNo, 90, 0, 2, 20, 1, 3},
        {kHuman, kBers, kNo, 10, kMail, 0, 30, 2, 4},
        {kHuman, kBers, kNo, 10, kPlate, 0, 20, 1, 3},
        {kHuman, kMonk, kNo, 10, 0, 0, 40, 20, 4},
        {kHuman, kMonk, kNo, 10, kShield, 0, 40, 20, 4},
        {kStout, kMonk, kNo, 10, 0, 0, 30, 20, 4},
        {kRider, kMonk, kNo, 10, 0, 0, 30, 20, 4},
        {kHuman, kMonk, kNo, 10, kLeather, 0, 30, 6, 4},
        {kHuman, kMonk, kNo, 50, 0, 1, 20, 3, 4},
        {kHuman, kMonk, kBers, 10, 0, 0, 40, 20, 4},
    };
    for (const Case& t : cases)
    {
        SCOPED_TRACE(testing::Message() << "row " << &t - cases.data());
        VelCharacter who;
        who.raceId = t.race;
        who.abilities = {10, 10, 10, 10, 10, 10};
        for (std::uint16_t classId : {t.classA, t.classB})
        {
            if (classId != kNo)
                who.AddClass(classId)->level = 3;
        }
        who.carriedWeight = t.carried;
        if (t.gear != 0)
            Wear(who, t.gear);
        ComputeEncumbrance(&who);
        EXPECT_EQ(Value(who, C::kValueLoad), t.load);
        EXPECT_EQ(who.stats[VelEntity::kSpeed], t.speed);
        EXPECT_EQ(Value(who, C::kValueMaxDexBonus), t.maxDex);
        EXPECT_EQ(Value(who, C::kValueRunMultiplier), t.run);
        EXPECT_EQ(who.changeMask & 0x1C0u, 0x1C0u);
    }
}

TEST_F(CombatRulesTest, RunIsSlowedByHeavyArmourOrLoadAndQuickenedByTheRunFeat)
{
    constexpr std::uint16_t kNoFeat = VelCharacterFeat::kNoChoice;
    // Gear worn, weight carried, then the multiplier without and with Run.
    const std::vector<std::tuple<std::uint16_t, float, int, int>> cases = {
        {0, 10, 4, 5}, {kMail, 10, 4, 5}, {kPlate, 10, 3, 3}, {0, 90, 3, 3}};
    for (const auto& [gear, carried, plain, withRun] : cases)
    {
        SCOPED_TRACE(testing::Message() << "gear " << gear << ", carrying " << carried);
        VelCharacter who;
        who.raceId = kHuman;
        who.abilities = {10, 10, 10, 10, 10, 10};
        who.carriedWeight = carried;
        if (gear != 0)
            Wear(who, gear);
        ComputeEncumbrance(&who);
        EXPECT_EQ(Value(who, C::kValueRunMultiplier), plain);
        ::AddFeat(&who, Id::kFeatRun, kNoFeat, kNoFeat, false);
        EXPECT_EQ(Value(who, C::kValueRunMultiplier), withRun);
        RemoveFeat(&who, who.FindFeat(Id::kFeatRun, kNoFeat, -1));
        EXPECT_EQ(Value(who, C::kValueRunMultiplier), plain);
    }
}

TEST_F(CombatRulesTest, ArmourValuesPenaltiesAndArmourClass)
{
    const auto* mail = VelDatabase::FindItem<VelArmorInfo>(kMail);
    EXPECT_EQ(GetArmorCheckPenalty(mail, VelCharacterItem::kMasterwork), -4);
    // The better make never turns "no penalty" into a bonus.
    EXPECT_EQ(GetArmorCheckPenalty(VelDatabase::FindItem<VelArmorInfo>(kLeather),
                                   VelCharacterItem::kMasterwork),
              0);
    EXPECT_EQ(GetShieldCheckPenalty(VelDatabase::FindItem<VelShieldInfo>(kShield),
                                    VelCharacterItem::kEnhanced),
              0);
    EXPECT_EQ(GetArmorBonus(mail, 0, 2), 5);
    EXPECT_EQ(GetArmorBonus(mail, VelCharacterItem::kEnhanced, 2), 7);

    // No proficiency at all: the armour's and shield's penalties hit attacks.
    AddClass(Id::kClassBerserker, 1);
    c.abilities[VelEntity::kDex] = 18;
    c.carriedWeight = 50; // medium load: -3
    Wear(c, kMail);
    Wear(c, kShield);
    ComputeEncumbrance(&c);
    EXPECT_EQ(Value(c, C::kValueCheckPenalty), -6);
    EXPECT_EQ(Value(c, C::kValueLoadCheckPenalty), -3);
    EXPECT_EQ(Value(c, C::kValueAttackPenalty), -6);
    EXPECT_EQ(c.stats[VelEntity::kArmorClass], 10 + 5 + 1 + 2); // DEX +4 capped at 2
    // Proficient: no attack penalty; the load penalty wins when it is worse.
    c.SetProficiency(kProficiencyMediumArmor, 1);
    c.SetProficiency(kProficiencyShields, 1);
    c.carriedWeight = 90;
    ComputeEncumbrance(&c);
    EXPECT_EQ(Value(c, C::kValueAttackPenalty), 0);
    EXPECT_EQ(Value(c, C::kValueCheckPenalty), -6);
    EXPECT_EQ(c.stats[VelEntity::kArmorClass], 10 + 5 + 1 + 1);

    // The martial artist's unarmoured bonus survives a shield, not armour.
    VelCharacter monk;
    monk.AddClass(Id::kClassMartialArtist)->level = 10;
    monk.abilities[VelEntity::kWis] = 14;
    monk.raceId = kStout;
    EXPECT_EQ(GetClassAndSizeArmorBonus(&monk, true), 2 + 2);
    EXPECT_EQ(GetClassAndSizeArmorBonus(&monk, false), 2 + 2 + 1);
    Wear(monk, kShield);
    EXPECT_EQ(GetWornArmorCategory(&monk), kNoArmorShieldOnly);
    EXPECT_EQ(GetClassAndSizeArmorBonus(&monk, true), 4);
    Wear(monk, kLeather);
    EXPECT_EQ(GetClassAndSizeArmorBonus(&monk, true), 0);
    // A Wisdom bonus adds to the training; a penalty takes nothing off it.
    const std::vector<std::array<int, 3>> wisdomLevelBonus = {
        {14, 10, 4}, {8, 10, 2}, {3, 20, 4}, {8, 4, 0}};
    for (const auto& [wis, level, bonus] : wisdomLevelBonus)
    {
        VelCharacter unarmoured;
        unarmoured.AddClass(Id::kClassMartialArtist)->level = U16(level);
        unarmoured.abilities[VelEntity::kWis] = U16(wis);
        EXPECT_EQ(GetClassAndSizeArmorBonus(&unarmoured, true), bonus)
            << "WIS " << wis << " level " << level;
    }
}

TEST_F(CombatRulesTest, ArmourAndShieldStatsFollowTheEntryAndTheRaceColumn)
{
    VelArmorInfo chain = Armor(1, 5, 2, -5, 20, 15);
    chain.spellFailure = 30;
    VelShieldInfo buckler;
    buckler.shieldBonus = 1, buckler.checkPenalty = U16(-1), buckler.spellFailure = 5;
    struct Case
    {
        std::uint16_t race;
        std::uint32_t options;
        std::int32_t enhancement;
        std::int16_t bonus, maxDex, penalty, speed, shieldBonus, shieldPenalty;
    };
    constexpr auto kMw = VelCharacterItem::kMasterwork, kPlus = VelCharacterItem::kEnhanced;
    const Case cases[] = {
        {kHuman, 0, 0, 5, 2, -5, 20, 1, -1},
        {kStout, 0, 0, 5, 2, -5, 15, 1, -1},     // the race's slow column
        {kHuman, kMw, 0, 5, 2, -4, 20, 1, 0},    // a better make eases the penalty
        {kHuman, kPlus, 3, 8, 2, -4, 20, 4, 0},  // enhanced gear is masterwork too
        {kHuman, kPlus, 0, 5, 2, -4, 20, 1, 0},
    };
    for (const Case& t : cases)
    {
        SCOPED_TRACE(testing::Message() << "row " << &t - cases);
        c.raceId = t.race;
        std::int16_t bonus = 9, maxDex = 9, penalty = 9, failure = 9, speed = 9;
        ASSERT_TRUE(GetArmorStats(&c, &chain, t.options, t.enhancement, bonus, maxDex, penalty, failure, speed));
        EXPECT_EQ(bonus, t.bonus);
        EXPECT_EQ(maxDex, t.maxDex);
        EXPECT_EQ(penalty, t.penalty);
        EXPECT_EQ(failure, 30);
        EXPECT_EQ(speed, t.speed);
        ASSERT_TRUE(GetShieldStats(&c, &buckler, t.options, t.enhancement, bonus, penalty, failure));
        EXPECT_EQ(bonus, t.shieldBonus);
        EXPECT_EQ(penalty, t.shieldPenalty);
        EXPECT_EQ(failure, 5);
    }
    // No record: nothing to show, and no output left over from before.
    std::int16_t bonus = 9, maxDex = 9, penalty = 9, failure = 9, speed = 9;
    EXPECT_FALSE(GetArmorStats(&c, nullptr, 0, 0, bonus, maxDex, penalty, failure, speed));
    EXPECT_EQ(bonus | maxDex | penalty | failure | speed, 0);
    bonus = penalty = failure = 9;
    EXPECT_FALSE(GetShieldStats(nullptr, nullptr, 0, 0, bonus, penalty, failure));
    EXPECT_EQ(bonus | penalty | failure, 0);
}

TEST_F(CombatRulesTest, WeaponAndArmourProficiency)
{
    struct Case
    {
        std::uint16_t item;
        std::int32_t flag;           // -1 none
        std::uint16_t feat, choice;  // feat 0 none
        std::uint16_t race, classId; // class kNo none
        bool expected;
    };
    const std::vector<Case> cases = {
        {kDagger, kProficiencySimpleWeapons, 0, kNo, kHuman, kNo, true},
        {kDagger, -1, 0, kNo, kHuman, kNo, false},
        {kDagger, -1, Id::kFeatSimpleWeaponProficiency, kNo, kHuman, kNo, true},
        {kSword, kProficiencyMartialWeapons, 0, kNo, kHuman, kNo, true},
        {kSword, kProficiencySimpleWeapons, 0, kNo, kHuman, kNo, false},
        {kSword, -1, Id::kFeatMartialWeaponProficiency, kSword, kHuman, kNo, true},
        {kSword, -1, Id::kFeatMartialWeaponProficiency, kBow, kHuman, kNo, false},
        {kAxe, -1, Id::kFeatExoticWeaponProficiency, kAxe, kHuman, kNo, true},
        {kAxe, kProficiencyMartialWeapons, 0, kNo, kHuman, kNo, false},
        {kAxe, -1, 0, kNo, kStout, kNo, true},               // by race
        {kAxe, -1, 0, kNo, kHuman, Id::kClassTracker, true}, // class row, big enough
        {kAxe, -1, 0, kNo, kTiny, Id::kClassTracker, false}, // class row, too small
        {Id::kItemUnarmedStrike, -1, 0, kNo, kHuman, kNo, true},
        {kLeather, kProficiencyLightArmor, 0, kNo, kHuman, kNo, true},
        {kMail, -1, Id::kFeatMediumArmorProficiency, kNo, kHuman, kNo, true},
        {kPlate, kProficiencyLightArmor, 0, kNo, kHuman, kNo, false},
        {999, kProficiencySimpleWeapons, 0, kNo, kHuman, kNo, false}, // no such item
    };
    for (const Case& t : cases)
    {
        SCOPED_TRACE(testing::Message() << "row " << &t - cases.data());
        VelCharacter who;
        who.raceId = t.race;
        if (t.flag >= 0)
            who.SetProficiency(t.flag, 1);
        if (t.feat != 0)
            Adopt(new VelCharacterFeat(t.feat, t.choice, kNo, 0),
                  [&](auto* feat) { who.InsertFeat(feat); });
        if (t.classId != kNo)
            who.AddClass(t.classId);
        const bool armor = t.item >= kLeather && t.item < kShield;
        EXPECT_EQ(armor ? IsProficientWithArmor(&who, t.item)
                        : IsProficientWithWeapon(&who, t.item),
                  t.expected);
    }
    // A class feature can name the weapon too.
    EXPECT_FALSE(IsProficientWithWeapon(&c, kAxe));
    c.AddClassFeature(MakeRecord<VelClassFeatureInfo>(
        [](auto& r) { r.featureId = kItemFeature, r.value = kAxe; }));
    EXPECT_TRUE(IsProficientWithWeapon(&c, kAxe));

    // Classes only ever set flags.
    VelCharacter who;
    who.SetProficiency(kProficiencyShields, 1);
    who.AddClass(Id::kClassBerserker);
    ApplyClassProficiencies(&who);
    EXPECT_EQ(who.proficiencies, (decltype(who.proficiencies){0, 0, 0, 0, 0, 1}));
    who.AddClass(Id::kClassWarrior);
    ApplyClassProficiencies(&who);
    EXPECT_EQ(who.proficiencies, (decltype(who.proficiencies){1, 1, 1, 1, 1, 1}));
    FCObjectVector weapons;
    CollectProficientWeapons(&who, weapons);
    EXPECT_EQ(weapons.GetCount(), 5u); // all but the exotic axe
}

TEST_F(CombatRulesTest, DamageBonusByHandStyleAndStrength)
{
    constexpr std::int16_t kOne = Equip::kOneHand, kTwo = Equip::kTwoHands;
    // STR, grip, hand, weapon, bonus.
    const std::vector<std::array<std::int16_t, 5>> cases = {
        {16, kOne, kMainHand, kSword, 3},
        {16, kOne, kOffHand, kSword, 1},
        {16, Equip::kTwoWeapons, kOffHand, kDagger, 1},
        {16, kTwo, kMainHand, kSword, 4},
        {17, kTwo, kOffHand, kSword, 4},
        {8, kOne, kOffHand, kSword, -1},
        {8, kTwo, kMainHand, kSword, -1},
        {18, kOne, kMainHand, kBow, 2},
        {12, kOne, kMainHand, kBow, 1},
        {8, kOne, kMainHand, kBow, -1},
        {16, kOne, kMainHand, kSling, 0},
        {6, kOne, kMainHand, kSling, -2},
    };
    for (const auto& [str, grip, hand, weapon, expected] : cases)
    {
        SCOPED_TRACE(testing::Message() << "STR " << str << " grip " << grip << " hand " << hand
                                        << " weapon " << weapon);
        VelCharacter who;
        who.raceId = kHuman;
        who.abilities[VelEntity::kStr] = U16(str);
        const Equip* set = Hold(who, grip, hand == kMainHand ? U16(weapon) : 0,
                                hand == kOffHand ? U16(weapon) : 0);
        EXPECT_EQ(GetDamageBonus(&who, set, hand), expected);
        EXPECT_EQ(GetDamageBonus(&who, set, static_cast<std::int16_t>(1 - hand)), 0); // empty
    }
    c.abilities[VelEntity::kStr] = 16;
    AddFeat(Id::kFeatWeaponMastery, kSword);
    EXPECT_EQ(GetDamageBonus(&c, Hold(c, kOne, kSword, 0), kMainHand), 5);
}

TEST_F(CombatRulesTest, TwoWeaponPenaltiesAndHandAdjustments)
{
    // Grip, off-hand weapon (main: the sword), main-hand and off-hand penalty.
    const std::vector<std::array<std::int16_t, 4>> penalties = {
        {Equip::kTwoWeapons, kDagger, -4, -8}, {Equip::kTwoWeapons, kSword, -6, -10},
        {Equip::kTwoWeapons, 0, -4, -8},       {Equip::kTwoHands, 0, 0, 0},
        {Equip::kOneHand, kDagger, 0, -4},
    };
    for (const auto& [grip, offWeapon, main, off] : penalties)
    {
        SCOPED_TRACE(testing::Message() << "grip " << grip << " off " << offWeapon);
        const Equip* set = Hold(c, grip, kSword, U16(offWeapon));
        EXPECT_EQ(GetTwoWeaponPenalty(&c, set, kMainHand), main);
        EXPECT_EQ(GetTwoWeaponPenalty(&c, set, kOffHand), off);
    }
    const Equip* dual = Hold(c, Equip::kTwoWeapons, kSword, kDagger);
    AddFeat(Id::kFeatOffHandTraining);
    EXPECT_EQ(GetHandAttackAdjustment(&c, dual, kOffHand), 4);
    EXPECT_EQ(GetHandAttackAdjustment(&c, dual, kMainHand), 0);
    AddFeat(Id::kFeatTwoWeaponStyle);
    AddFeat(Id::kFeatWeaponTraining, kDagger);
    EXPECT_EQ(GetHandAttackAdjustment(&c, dual, kOffHand), 4 + 2 + 1);
    EXPECT_EQ(GetHandAttackAdjustment(&c, dual, kMainHand), 2);
    // An unarmoured, lightly loaded tracker fights with two weapons anyway.
    VelCharacter tracker;
    tracker.AddClass(Id::kClassTracker);
    const Equip set = *dual;
    EXPECT_EQ(GetHandAttackAdjustment(&tracker, &set, kOffHand), 6);
    Wear(tracker, kMail);
    EXPECT_EQ(GetHandAttackAdjustment(&tracker, &set, kOffHand), 0);
}

TEST_F(CombatRulesTest, WeaponAttackBonusAndAbility)
{
    const auto bonus = [&](std::uint16_t weapon, std::uint32_t options)
    { return GetWeaponAttackBonus(&c, Hold(c, Equip::kOneHand, weapon, 0, options), kMainHand); };
    c.raceId = kTiny; // size modifier +1
    c.SetProficiency(kProficiencyMartialWeapons, 1);
    EXPECT_EQ(bonus(kSword, 0), 1);
    EXPECT_EQ(bonus(kAxe, 0), -3);
    EXPECT_EQ(bonus(kSword, VelCharacterItem::kMasterwork), 2);
    EXPECT_EQ(bonus(kSword, VelCharacterItem::kSmall), 1);
    c.raceId = Id::kRaceLightBlade;
    EXPECT_EQ(bonus(kSword, 0), 1);
    c.values[C::kValueAttackPenalty] = static_cast<std::uint32_t>(-6); // armour worn untrained
    EXPECT_EQ(bonus(kSword, 0), 1 - 6);
    c.values[C::kValueAttackPenalty] = 0;

    c.abilities[VelEntity::kStr] = 14;
    c.abilities[VelEntity::kDex] = 16;
    const VelWeaponInfo* sword = VelDatabase::FindItem<VelWeaponInfo>(kSword);
    EXPECT_EQ(GetWeaponAbilityModifier(&c, sword), 2);
    EXPECT_EQ(GetWeaponAbilityModifier(&c, VelDatabase::FindItem<VelWeaponInfo>(kBow)), 3);
    AddFeat(Id::kFeatDexterousAttack, kSword);
    EXPECT_EQ(GetWeaponAbilityModifier(&c, sword), 3);
}

TEST_F(CombatRulesTest, BaseAttackInitiativeAndUnarmedDice)
{
    AddClass(Id::kClassWarrior, 8);       // column 0
    AddClass(Id::kClassMartialArtist, 4); // column 1
    EXPECT_EQ(GetBaseAttackBonus(&c), 8 + 3);
    c.raceId = kStout;
    c.abilities[VelEntity::kDex] = 14;
    c.stats[VelEntity::kBaseAttack] = 5;
    c.values[C::kValueAttackPenalty] = static_cast<std::uint32_t>(-2);
    std::int16_t base = 0, ability = 0, size = 0, misc = 0;
    EXPECT_EQ(GetAttackBonusParts(&c, true, base, ability, size, misc), 5 + 2 + 1 - 2);
    EXPECT_EQ(GetAttackBonusParts(&c, false, base, ability, size, misc), 5 + 0 + 1 - 2);
    AddFeat(Id::kFeatInitiativeBonus);
    EXPECT_EQ(GetInitiative(&c), 6);

    // The martial artist's unarmed strike: the small column of its level row.
    std::int16_t count1 = 0, sides1 = 0, count2 = 0, sides2 = 0;
    const VelWeaponInfo* fist = VelDatabase::FindItem<VelWeaponInfo>(Id::kItemUnarmedStrike);
    GetWeaponDamageDice(&c, fist, count1, sides1, count2, sides2);
    EXPECT_EQ(std::tuple(count1, sides1, count2, sides2), std::tuple(1, 6, 2, 4));
    GetWeaponDamageDice(&c, VelDatabase::FindItem<VelWeaponInfo>(kSword), count1, sides1, count2,
                        sides2);
    EXPECT_EQ(sides1, 8); // any other weapon keeps its own dice
}

TEST_F(CombatRulesTest, MissingRecordsAreNeutral)
{
    QuietLog quiet;
    VelCharacter stranger;
    stranger.raceId = 77;
    stranger.AddClass(77)->level = 5;
    stranger.abilities = {10, 10, 10, 10, 10, 10};
    stranger.carriedWeight = 5;
    stranger.wornArmor = stranger.AddItem(nullptr); // its record is gone
    ComputeSavingThrows(&stranger);
    ComputeEncumbrance(&stranger);
    EXPECT_EQ(stranger.stats[VelEntity::kFortitudeSave], 0);
    EXPECT_EQ(GetBaseAttackBonus(&stranger), 0);
    EXPECT_EQ(GetClassBaseAttack(Id::kClassWarrior, 25), 0); // no level row
    EXPECT_EQ(GetSizeModifier(&stranger), 0);
    EXPECT_EQ(GetWornArmorCategory(&stranger), kNoArmorNoShield);
    EXPECT_EQ(stranger.stats[VelEntity::kArmorClass], 10);
    EXPECT_EQ(Value(stranger, C::kValueLoad), 0);
}
} // namespace
