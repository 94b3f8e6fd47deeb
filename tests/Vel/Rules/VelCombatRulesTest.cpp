#include "Vel/Rules/VelCombatRules.h"

#include "Fc/FCObjectVector.h"
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
#include "support/DbFixture.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
using C = VelCharacter;
namespace Id = VelIds;

constexpr std::uint16_t kHuman = 4;       // medium, normal speed
constexpr std::uint16_t kStout = 2;       // small, slow, +2 Fortitude, familiar with the axe
constexpr std::uint16_t kTiny = 3;        // small, nothing else
constexpr std::uint16_t kDagger = 10;     // simple, light
constexpr std::uint16_t kSword = 11;      // martial, one-handed
constexpr std::uint16_t kAxe = 12;        // exotic
constexpr std::uint16_t kBow = 13;        // martial, ranged, strength rating 2
constexpr std::uint16_t kSling = 14;      // simple, only a weak arm counts
constexpr std::uint16_t kLeather = 20;    // light, no penalty
constexpr std::uint16_t kMail = 21;       // medium, -5, max DEX 2
constexpr std::uint16_t kPlate = 22;      // heavy
constexpr std::uint16_t kShield = 30;     // +1, -1
constexpr std::uint16_t kItemFeature = 5; // a feature whose value is an item

std::uint16_t U16(int value)
{
    return static_cast<std::uint16_t>(value);
}

VelWeaponInfo Weapon(std::int16_t category, std::int16_t size, std::uint16_t handedness)
{
    VelWeaponInfo weapon;
    weapon.category = category;
    weapon.size = size;
    weapon.handedness = handedness;
    weapon.diceCount = {1, 2, 0};
    weapon.dieSides = {8, 4, 0};
    return weapon;
}

VelArmorInfo Armor(std::uint16_t category, int bonus, int maxDex, int penalty, int speed, int slow)
{
    VelArmorInfo armor;
    armor.category = category;
    armor.armorBonus = U16(bonus);
    armor.maxDexBonus = U16(maxDex);
    armor.checkPenalty = U16(penalty);
    armor.speed = U16(speed);
    armor.slowSpeed = U16(slow);
    return armor;
}

class CombatRulesTest : public testing::Test
{
protected:
    CombatRulesTest()
    {
        VelRaceInfo human;
        human.sizeId = 4;
        VelRaceInfo stout;
        stout.sizeId = Id::kSizeSmall;
        stout.speedColumn = 1;
        stout.saveBonus = {2, 0, 0};
        stout.attackSizeModifier = 1;
        VelRaceInfo tiny;
        tiny.sizeId = Id::kSizeSmall;
        db.Section(VelDatabase::kTagRace).Add(kHuman, human).Add(kStout, stout).Add(kTiny, tiny);
        db.Add(Id::kRaceLightBlade, human).Add(Id::kRaceSmallRider, human);
        VelSizeInfo medium;
        VelSizeInfo small;
        small.sizeModifier = 1;
        small.carryFactor = 0.75f;
        db.Section(VelDatabase::kTagSize).Add(4, medium).Add(Id::kSizeSmall, small);
        VelCarryInfo carry;
        carry.lightLimit = 33;
        carry.mediumLimit = 66;
        carry.heavyLimit = 100;
        db.Section(VelDatabase::kTagCarry).Add(10, carry);

        db.Section(VelDatabase::kTagClass);
        for (std::uint16_t id = 0; id < Id::kClassCount; ++id)
        {
            VelClassInfo record;
            record.goodSaves = {1, 0, 0};
            record.baseAttackColumn = id % 2;
            if (id == Id::kClassMartialArtist)
                record.goodSaves = {1, 1, 1};
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
        bow.ranged = 1;
        bow.strengthRating = 2;
        VelWeaponInfo sling = Weapon(0, 1, 1);
        sling.damageStyle = 2;
        VelShieldInfo shield;
        shield.shieldBonus = 1;
        shield.checkPenalty = U16(-1);
        db.Section(VelDatabase::kTagItem)
            .Add(kDagger, Weapon(0, 1, 1))
            .Add(kSword, Weapon(1, 2, 1))
            .Add(kAxe, Weapon(2, 2, 1))
            .Add(kBow, bow)
            .Add(kSling, sling)
            .Add(Id::kItemUnarmedStrike, Weapon(3, 1, 1))
            .Add(kLeather, Armor(0, 2, 6, 0, 30, 20))
            .Add(kMail, Armor(1, 5, 2, -5, 20, 15))
            .Add(kPlate, Armor(2, 8, 1, -6, 20, 15))
            .Add(kShield, shield);
        VelProfWeaponInfo raceRow;
        raceRow.raceId = kStout;
        VelProfWeaponInfo classRow;
        classRow.classId = Id::kClassTracker;
        classRow.minSize = 4;
        db.Section(VelDatabase::kTagProfWeapon).Add(kAxe, raceRow).Add(kAxe, classRow);
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
        auto* feat = new VelCharacterFeat(featId, choice, VelCharacterFeat::kNoChoice, 0);
        c.InsertFeat(feat);
        feat->Release();
    }

    VelCharacterItem* Wear(std::uint16_t itemId, std::uint32_t options = 0)
    {
        VelCharacterItem* item = c.AddItem(VelDatabase::FindItem(itemId));
        item->options = options;
        c.WearItem(item);
        return item;
    }

    VelCharacterEquip* Hold(std::int16_t grip, std::uint16_t mainWeapon, std::uint16_t offWeapon,
                            std::uint32_t options = 0)
    {
        VelCharacterEquip set;
        set.gripMode = grip;
        const std::pair<std::int16_t, std::uint16_t> hands[] = {{kMainHand, mainWeapon},
                                                                {kOffHand, offWeapon}};
        for (const auto& [hand, weaponId] : hands)
        {
            if (weaponId == 0)
                continue;
            VelCharacterItem* item = c.AddItem(VelDatabase::FindItem(weaponId));
            item->options = options;
            set.slots[static_cast<std::size_t>(hand)] = item->itemKey;
        }
        return c.AddEquip(set);
    }

    DbFixture db;
    VelCharacter c;
};

TEST_F(CombatRulesTest, BaseSavesOnGoodAndPoorProgressions)
{
    const std::vector<std::int16_t> good = {2, 3, 3, 4, 4, 5,  5,  6,  6,  7,
                                            7, 8, 8, 9, 9, 10, 10, 11, 11, 12};
    const std::vector<std::int16_t> poor = {0, 0, 1, 1, 1, 2, 2, 2, 3, 3,
                                            3, 4, 4, 4, 5, 5, 5, 6, 6, 6};
    VelCharacterClass* entry = AddClass(Id::kClassBerserker, 1);
    for (std::uint16_t level = 1; level <= 20; ++level)
    {
        entry->level = level;
        EXPECT_EQ(GetClassBaseSave(entry, kSaveFortitude), good[level - 1u]) << level;
        EXPECT_EQ(GetClassBaseSave(entry, kSaveWill), poor[level - 1u]) << level;
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
    EXPECT_EQ(base, 3 + 3);
    EXPECT_EQ(ability, 3);
    EXPECT_EQ(misc, 2 + 2 + 1 + 2); // CHA once, feat, value 16, race
    GetSavingThrowParts(&c, kSaveWill, base, ability, misc);
    EXPECT_EQ(misc, 2);
    ComputeSavingThrows(&c);
    EXPECT_EQ(c.stats[VelEntity::kFortitudeSave], 6 + 3 + 7);
    EXPECT_EQ(c.stats[VelEntity::kReflexSave], GetSavingThrow(&c, kSaveReflex));
}

TEST_F(CombatRulesTest, BaseAttackReadsEachClassColumn)
{
    AddClass(Id::kClassWarrior, 8);       // column 0
    AddClass(Id::kClassMartialArtist, 4); // column 1
    EXPECT_EQ(GetBaseAttackBonus(&c), 8 + 3);
    QuietLog quiet;
    EXPECT_EQ(GetClassBaseAttack(Id::kClassWarrior, 25), 0); // no row
}

TEST_F(CombatRulesTest, EncumbranceByLoadArmourAndSpeedColumn)
{
    constexpr std::uint16_t kNoClass = 0xFFFF;
    struct Case
    {
        std::uint16_t race;
        std::uint16_t classA, classB;
        float carried;
        std::uint16_t armor;
        bool shield;
        std::int32_t load, speed, maxDex, run;
    };
    constexpr std::uint16_t kWar = Id::kClassWarrior;
    constexpr std::uint16_t kBers = Id::kClassBerserker;
    constexpr std::uint16_t kMonk = Id::kClassMartialArtist;
    const std::vector<Case> cases = {
        // Limits 33 / 66 / 100 at STR 10; a small body carries three quarters.
        {kHuman, kWar, kNoClass, 33, 0, false, 0, 30, 20, 4},
        {kHuman, kWar, kNoClass, 34, 0, false, 1, 20, 3, 4},
        {kHuman, kWar, kNoClass, 100, 0, false, 2, 20, 1, 3},
        {kHuman, kWar, kNoClass, 101, 0, false, 4, 0, 1, 3},
        {kStout, kWar, kNoClass, 10, 0, false, 0, 20, 20, 4},
        {kStout, kWar, kNoClass, 30, 0, false, 1, 15, 3, 4},
        {kHuman, kWar, kNoClass, 10, kMail, false, 0, 20, 2, 4},
        {kStout, kWar, kNoClass, 10, kMail, false, 0, 15, 2, 4},
        // Fast movement: not in heavy armour, not under a heavy load.
        {kHuman, kBers, kNoClass, 10, 0, false, 0, 40, 20, 4},
        {kHuman, kBers, kNoClass, 50, 0, false, 1, 30, 3, 4},
        {kHuman, kBers, kNoClass, 90, 0, false, 2, 20, 1, 3},
        {kHuman, kBers, kNoClass, 10, kMail, false, 0, 30, 2, 4},
        {kHuman, kBers, kNoClass, 10, kPlate, false, 0, 20, 1, 4},
        // The martial artist's own speed, unarmoured and lightly loaded;
        // small bodies use the second column; a shield does not stop it.
        {kHuman, kMonk, kNoClass, 10, 0, false, 0, 40, 20, 4},
        {kHuman, kMonk, kNoClass, 10, 0, true, 0, 40, 20, 4},
        {kStout, kMonk, kNoClass, 10, 0, false, 0, 30, 20, 4},
        {Id::kRaceSmallRider, kMonk, kNoClass, 10, 0, false, 0, 30, 20, 4},
        {kHuman, kMonk, kNoClass, 10, kLeather, false, 0, 30, 6, 4},
        {kHuman, kMonk, kNoClass, 50, 0, false, 1, 20, 3, 4},
        {kHuman, kMonk, kBers, 10, 0, false, 0, 40, 20, 4},
    };
    for (const Case& t : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << "race " << t.race << " class " << t.classA << "/" << t.classB
                     << " carrying " << t.carried << " armour " << t.armor);
        VelCharacter character;
        character.raceId = t.race;
        character.abilities = {10, 10, 10, 10, 10, 10};
        for (std::uint16_t classId : {t.classA, t.classB})
        {
            if (classId != kNoClass)
                character.AddClass(classId)->level = 3;
        }
        character.carriedWeight = t.carried;
        if (t.armor != 0)
            character.WearItem(character.AddItem(VelDatabase::FindItem(t.armor)));
        if (t.shield)
            character.WearItem(character.AddItem(VelDatabase::FindItem(kShield)));
        ComputeEncumbrance(&character);
        EXPECT_EQ(static_cast<std::int32_t>(character.values[C::kValueLoad]), t.load);
        EXPECT_EQ(character.stats[VelEntity::kSpeed], t.speed);
        EXPECT_EQ(static_cast<std::int32_t>(character.values[C::kValueMaxDexBonus]), t.maxDex);
        EXPECT_EQ(static_cast<std::int32_t>(character.values[C::kValueRunMultiplier]), t.run);
        EXPECT_EQ(character.changeMask & 0x1C0u, 0x1C0u);
    }
}

TEST_F(CombatRulesTest, ArmourAndShieldValuesWithOptions)
{
    const auto* mail = VelDatabase::FindItem<VelArmorInfo>(kMail);
    const auto* shield = VelDatabase::FindItem<VelShieldInfo>(kShield);
    EXPECT_EQ(GetArmorCheckPenalty(mail, VelCharacterItem::kMasterwork), -4);
    // The better make never turns "no penalty" into a bonus.
    EXPECT_EQ(GetArmorCheckPenalty(VelDatabase::FindItem<VelArmorInfo>(kLeather),
                                   VelCharacterItem::kMasterwork),
              0);
    EXPECT_EQ(GetShieldCheckPenalty(shield, VelCharacterItem::kEnhanced), 0);
    EXPECT_EQ(GetArmorBonus(mail, 0, 2), 5);
    EXPECT_EQ(GetArmorBonus(mail, VelCharacterItem::kEnhanced, 2), 7);
}

TEST_F(CombatRulesTest, ArmourValuesPenaltiesAndArmourClass)
{
    // No proficiency at all: the armour's and shield's penalties hit attacks.
    AddClass(Id::kClassBerserker, 1);
    c.abilities[VelEntity::kDex] = 18;
    c.carriedWeight = 50; // medium load: -3
    Wear(kMail);
    Wear(kShield);
    ComputeEncumbrance(&c);
    EXPECT_EQ(static_cast<std::int32_t>(c.values[C::kValueCheckPenalty]), -6);
    EXPECT_EQ(static_cast<std::int32_t>(c.values[C::kValueLoadCheckPenalty]), -3);
    EXPECT_EQ(static_cast<std::int32_t>(c.values[C::kValueAttackPenalty]), -6);
    EXPECT_EQ(c.stats[VelEntity::kArmorClass], 10 + 5 + 1 + 2); // DEX +4 capped at 2
    // Proficient: no attack penalty; the load penalty wins when it is worse.
    c.SetProficiency(kProficiencyMediumArmor, 1);
    c.SetProficiency(kProficiencyShields, 1);
    c.carriedWeight = 90;
    ComputeEncumbrance(&c);
    EXPECT_EQ(static_cast<std::int32_t>(c.values[C::kValueAttackPenalty]), 0);
    EXPECT_EQ(static_cast<std::int32_t>(c.values[C::kValueCheckPenalty]), -6);
    EXPECT_EQ(c.stats[VelEntity::kArmorClass], 10 + 5 + 1 + 1);
}

TEST_F(CombatRulesTest, MartialArtistArmourBonusSurvivesAShieldNotArmour)
{
    AddClass(Id::kClassMartialArtist, 10);
    c.abilities[VelEntity::kWis] = 14;
    c.raceId = kStout;
    EXPECT_EQ(GetClassAndSizeArmorBonus(&c, true), 2 + 2);
    EXPECT_EQ(GetClassAndSizeArmorBonus(&c, false), 2 + 2 + 1);
    Wear(kShield);
    EXPECT_EQ(GetWornArmorCategory(&c), kNoArmorShieldOnly);
    EXPECT_EQ(GetClassAndSizeArmorBonus(&c, true), 4);
    Wear(kLeather);
    EXPECT_EQ(GetClassAndSizeArmorBonus(&c, true), 0);
}

TEST_F(CombatRulesTest, WeaponAndArmourProficiency)
{
    struct Case
    {
        const char* what;
        std::uint16_t item;
        std::int32_t flag;    // -1 none
        std::uint16_t feat;   // 0 none
        std::uint16_t choice; // the feat's choice
        std::uint16_t race;
        std::uint16_t classId; // 0xFFFF none
        bool expected;
    };
    constexpr std::uint16_t kNo = VelCharacterFeat::kNoChoice;
    const std::vector<Case> cases = {
        {"simple by flag", kDagger, kProficiencySimpleWeapons, 0, kNo, kHuman, kNo, true},
        {"simple untrained", kDagger, -1, 0, kNo, kHuman, kNo, false},
        {"simple by feat", kDagger, -1, Id::kFeatSimpleWeaponProficiency, kNo, kHuman, kNo, true},
        {"martial by flag", kSword, kProficiencyMartialWeapons, 0, kNo, kHuman, kNo, true},
        {"martial simple flag", kSword, kProficiencySimpleWeapons, 0, kNo, kHuman, kNo, false},
        {"martial by feat", kSword, -1, Id::kFeatMartialWeaponProficiency, kSword, kHuman, kNo,
         true},
        {"feat for another", kSword, -1, Id::kFeatMartialWeaponProficiency, kBow, kHuman, kNo,
         false},
        {"exotic by feat", kAxe, -1, Id::kFeatExoticWeaponProficiency, kAxe, kHuman, kNo, true},
        {"exotic martial flag", kAxe, kProficiencyMartialWeapons, 0, kNo, kHuman, kNo, false},
        {"exotic by race", kAxe, -1, 0, kNo, kStout, kNo, true},
        {"class row, big enough", kAxe, -1, 0, kNo, kHuman, Id::kClassTracker, true},
        {"class row, too small", kAxe, -1, 0, kNo, kTiny, Id::kClassTracker, false},
        {"natural", Id::kItemUnarmedStrike, -1, 0, kNo, kHuman, kNo, true},
        {"light armour flag", kLeather, kProficiencyLightArmor, 0, kNo, kHuman, kNo, true},
        {"medium armour feat", kMail, -1, Id::kFeatMediumArmorProficiency, kNo, kHuman, kNo, true},
        {"heavy armour, light flag", kPlate, kProficiencyLightArmor, 0, kNo, kHuman, kNo, false},
        {"no such item", 999, kProficiencySimpleWeapons, 0, kNo, kHuman, kNo, false},
    };
    for (const Case& t : cases)
    {
        SCOPED_TRACE(t.what);
        VelCharacter character;
        character.raceId = t.race;
        if (t.flag >= 0)
            character.SetProficiency(t.flag, 1);
        if (t.feat != 0)
        {
            auto* feat = new VelCharacterFeat(t.feat, t.choice, kNo, 0);
            character.InsertFeat(feat);
            feat->Release();
        }
        if (t.classId != kNo)
            character.AddClass(t.classId);
        const bool armor = t.item >= kLeather && t.item < kShield;
        EXPECT_EQ(armor ? IsProficientWithArmor(&character, t.item)
                        : IsProficientWithWeapon(&character, t.item),
                  t.expected);
    }
    // A class feature can name the weapon too.
    EXPECT_FALSE(IsProficientWithWeapon(&c, kAxe));
    VelClassFeatureInfo row;
    row.featureId = kItemFeature;
    row.value = kAxe;
    c.AddClassFeature(row);
    EXPECT_TRUE(IsProficientWithWeapon(&c, kAxe));
}

TEST_F(CombatRulesTest, ClassProficienciesAreOnlyEverSet)
{
    c.SetProficiency(kProficiencyShields, 1);
    AddClass(Id::kClassBerserker, 1);
    ApplyClassProficiencies(&c);
    EXPECT_EQ(c.proficiencies[kProficiencyShields], 1);
    EXPECT_EQ(c.proficiencies[kProficiencySimpleWeapons], 0);
    AddClass(Id::kClassWarrior, 1);
    ApplyClassProficiencies(&c);
    for (std::uint8_t flag : c.proficiencies)
        EXPECT_EQ(flag, 1);
    FCObjectVector weapons;
    CollectProficientWeapons(&c, weapons);
    EXPECT_EQ(weapons.GetCount(), 5u); // all but the exotic axe
}

TEST_F(CombatRulesTest, DamageBonusByHandStyleAndStrength)
{
    struct Case
    {
        std::uint16_t str;
        std::int16_t grip;
        std::int16_t hand;
        std::uint16_t weapon;
        std::int16_t expected;
    };
    constexpr std::int16_t kOne = VelCharacterEquip::kOneHand;
    constexpr std::int16_t kTwo = VelCharacterEquip::kTwoHands;
    constexpr std::int16_t kDual = VelCharacterEquip::kTwoWeapons;
    const std::vector<Case> cases = {
        {16, kOne, kMainHand, kSword, 3},  {16, kOne, kOffHand, kSword, 1},
        {16, kDual, kOffHand, kDagger, 1}, {16, kTwo, kMainHand, kSword, 4},
        {17, kTwo, kOffHand, kSword, 4},   {8, kOne, kOffHand, kSword, -1},
        {8, kTwo, kMainHand, kSword, -1},  {18, kOne, kMainHand, kBow, 2},
        {12, kOne, kMainHand, kBow, 1},    {8, kOne, kMainHand, kBow, -1},
        {16, kOne, kMainHand, kSling, 0},  {6, kOne, kMainHand, kSling, -2},
    };
    for (const Case& t : cases)
    {
        SCOPED_TRACE(testing::Message() << "STR " << t.str << " grip " << t.grip << " hand "
                                        << t.hand << " weapon " << t.weapon);
        VelCharacter character;
        character.raceId = kHuman;
        character.abilities[VelEntity::kStr] = t.str;
        VelCharacterEquip set;
        set.gripMode = t.grip;
        set.slots[static_cast<std::size_t>(t.hand)] =
            character.AddItem(VelDatabase::FindItem(t.weapon))->itemKey;
        EXPECT_EQ(GetDamageBonus(&character, &set, t.hand), t.expected);
        EXPECT_EQ(GetDamageBonus(&character, &set, 1 - t.hand), 0); // the empty hand
    }
    c.abilities[VelEntity::kStr] = 16;
    AddFeat(Id::kFeatWeaponMastery, kSword);
    EXPECT_EQ(GetDamageBonus(&c, Hold(kOne, kSword, 0), kMainHand), 5);
}

TEST_F(CombatRulesTest, TwoWeaponPenaltiesAndHandAdjustments)
{
    struct Case
    {
        std::int16_t grip;
        std::uint16_t offWeapon;
        std::int16_t main, off;
    };
    const std::vector<Case> penalties = {
        {VelCharacterEquip::kTwoWeapons, kDagger, -4, -8},
        {VelCharacterEquip::kTwoWeapons, kSword, -6, -10},
        {VelCharacterEquip::kTwoWeapons, 0, -4, -8},
        {VelCharacterEquip::kTwoHands, 0, 0, 0},
        {VelCharacterEquip::kOneHand, kDagger, 0, -4},
    };
    for (const Case& t : penalties)
    {
        SCOPED_TRACE(testing::Message() << "grip " << t.grip << " off " << t.offWeapon);
        const VelCharacterEquip* set = Hold(t.grip, kSword, t.offWeapon);
        EXPECT_EQ(GetTwoWeaponPenalty(&c, set, kMainHand), t.main);
        EXPECT_EQ(GetTwoWeaponPenalty(&c, set, kOffHand), t.off);
    }
    const VelCharacterEquip* dual = Hold(VelCharacterEquip::kTwoWeapons, kSword, kDagger);
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
    const VelCharacterEquip set = *dual;
    EXPECT_EQ(GetHandAttackAdjustment(&tracker, &set, kOffHand), 6);
    tracker.WearItem(tracker.AddItem(VelDatabase::FindItem(kMail)));
    EXPECT_EQ(GetHandAttackAdjustment(&tracker, &set, kOffHand), 0);
}

TEST_F(CombatRulesTest, WeaponAttackBonusAndAbility)
{
    const auto bonus = [&](std::uint16_t weapon, std::uint32_t options)
    {
        return GetWeaponAttackBonus(&c, Hold(VelCharacterEquip::kOneHand, weapon, 0, options),
                                    kMainHand);
    };
    c.raceId = kTiny; // size modifier +1
    c.SetProficiency(kProficiencyMartialWeapons, 1);
    EXPECT_EQ(bonus(kSword, 0), 1);
    EXPECT_EQ(bonus(kAxe, 0), -3);
    EXPECT_EQ(bonus(kSword, VelCharacterItem::kMasterwork), 2);
    EXPECT_EQ(bonus(kSword, VelCharacterItem::kSmall), 1);
    c.raceId = Id::kRaceLightBlade;
    EXPECT_EQ(bonus(kSword, 0), 1);

    c.abilities[VelEntity::kStr] = 14;
    c.abilities[VelEntity::kDex] = 16;
    const VelWeaponInfo* sword = VelDatabase::FindItem<VelWeaponInfo>(kSword);
    EXPECT_EQ(GetWeaponAbilityModifier(&c, sword), 2);
    EXPECT_EQ(GetWeaponAbilityModifier(&c, VelDatabase::FindItem<VelWeaponInfo>(kBow)), 3);
    AddFeat(Id::kFeatDexterousAttack, kSword);
    EXPECT_EQ(GetWeaponAbilityModifier(&c, sword), 3);
    EXPECT_EQ(GetWeaponAbilityModifier(&c, nullptr), 0);
}

TEST_F(CombatRulesTest, AttackInitiativeAndUnarmedDice)
{
    c.raceId = kStout;
    c.abilities[VelEntity::kDex] = 14;
    c.stats[VelEntity::kBaseAttack] = 5;
    c.values[C::kValueAttackPenalty] = static_cast<std::uint32_t>(-2);
    std::int16_t base = 0, ability = 0, size = 0, misc = 0;
    EXPECT_EQ(GetAttackBonusParts(&c, true, base, ability, size, misc), 5 + 2 + 1 - 2);
    EXPECT_EQ(GetAttackBonusParts(&c, false, base, ability, size, misc), 5 + 0 + 1 - 2);
    AddFeat(Id::kFeatInitiativeBonus);
    EXPECT_EQ(GetInitiative(&c), 6);

    std::int16_t count1 = 0, sides1 = 0, count2 = 0, sides2 = 0;
    const VelWeaponInfo* fist = VelDatabase::FindItem<VelWeaponInfo>(Id::kItemUnarmedStrike);
    GetWeaponDamageDice(&c, fist, count1, sides1, count2, sides2);
    EXPECT_EQ(sides1, 8);
    AddClass(Id::kClassMartialArtist, 4);
    GetWeaponDamageDice(&c, fist, count1, sides1, count2, sides2);
    EXPECT_EQ(count1, 1);
    EXPECT_EQ(sides1, 6); // the small column
    EXPECT_EQ(sides2, 4);
    GetWeaponDamageDice(&c, nullptr, count1, sides1, count2, sides2);
    EXPECT_EQ(count1 + sides1 + count2 + sides2, -4);
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
    EXPECT_EQ(GetSizeModifier(&stranger), 0);
    EXPECT_EQ(GetWornArmorCategory(&stranger), kNoArmorNoShield);
    EXPECT_EQ(stranger.stats[VelEntity::kArmorClass], 10);
    EXPECT_EQ(static_cast<std::int32_t>(stranger.values[C::kValueLoad]), 0);
}
} // namespace
