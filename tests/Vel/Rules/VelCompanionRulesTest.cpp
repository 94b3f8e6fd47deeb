#include "Vel/Rules/VelCompanionRules.h"
#include "Fc/Core/FCRandom.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFamiliarFeatureInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelMountInfo.h"
#include "Vel/Db/VelNameInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "support/DbFixture.h"
#include "support/Owned.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace
{
using E = VelEntity;
constexpr std::uint16_t kRace = 2;
constexpr std::uint16_t kToad = 10;   // familiar, tiny
constexpr std::uint16_t kHorse = 20;  // mount, large
constexpr std::uint16_t kRats = 30;   // a group
constexpr std::uint16_t kSneak = 100; // grouped
constexpr std::uint16_t kBonusFeatFeature = 101;
constexpr std::uint16_t kAura = 102;
constexpr std::uint16_t kGrantedFeat = 60;

VelAnimalInfo Animal(std::int16_t size, float hitDice, std::array<std::uint16_t, 6> abilities,
                     std::uint16_t natural, std::array<std::uint8_t, 3> goodSaves)
{
    VelAnimalInfo animal;
    animal.sizeId = size;
    animal.hitDice = hitDice;
    animal.abilities = abilities;
    animal.naturalArmor = natural;
    animal.goodSaves = goodSaves;
    animal.speed = 40;
    return animal;
}

VelMountInfo Row(std::uint16_t low, std::uint16_t high, std::uint16_t hitDice,
                 std::uint16_t natural, std::uint16_t strength, std::uint16_t intScore)
{
    VelMountInfo row;
    row.lowestLevel = low;
    row.highestLevel = high;
    row.hitDiceBonus = hitDice;
    row.naturalArmorBonus = natural;
    row.strengthBonus = strength;
    row.intScore = intScore;
    return row;
}

template <class T> T Feature(std::uint16_t featureId, std::uint16_t value)
{
    T row;
    row.featureId = featureId;
    row.value = value;
    return row;
}

VelClassFeatureInfo ClassRow(std::uint16_t level, std::uint16_t featureId, std::int16_t value)
{
    VelClassFeatureInfo row;
    row.level = level;
    row.featureId = featureId;
    row.value = value;
    return row;
}

VelNameInfo Name(std::uint16_t sex, const char* text, std::uint16_t kind)
{
    VelNameInfo row;
    row.sex = sex;
    row.text = text;
    row.kind = kind;
    return row;
}

class CompanionRulesTest : public ::testing::Test
{
protected:
    CompanionRulesTest()
    {
        VelRaceInfo race;
        race.sizeId = 4;
        db.Section(VelDatabase::kTagRace).Add(kRace, race).Add(VelIds::kRaceSmallRider, race);
        db.Section(VelDatabase::kTagClass);
        for (std::uint16_t id = 0; id < VelIds::kClassCount; ++id)
        {
            VelClassInfo record;
            record.animalCompanion = id == 3 || id == 6 || id == 7 || id == 10;
            record.castingKind = id == 1 || id == 3 || id == 10;
            record.goodSaves = {static_cast<std::uint8_t>(id == 6), 0, 0};
            db.Add(static_cast<std::int16_t>(id), record);
        }
        VelSizeInfo tiny;
        tiny.sizeModifier = 2;
        VelSizeInfo large;
        large.sizeModifier = -1;
        db.Section(VelDatabase::kTagSize).Add(2, tiny).Add(5, large);
        db.Section(VelDatabase::kTagAnimal)
            .Add(kToad, Animal(2, 0.5f, {1, 12, 8, 1, 14, 4}, 1, {0, 1, 0}))
            .Add(kHorse, Animal(5, 3.0f, {18, 13, 15, 2, 12, 6}, 4, {1, 1, 0}))
            .Add(kRats, Animal(1, 0.25f, {2, 15, 10, 2, 12, 2}, 0, {0, 1, 0}));
        db.Section(VelDatabase::kTagMount295)
            .Add(0, Row(1, 2, 0, 1, 0, 6))
            .Add(0, Row(3, 4, 0, 2, 0, 7));
        db.Section(VelDatabase::kTagMount290).Add(0, Row(5, 7, 2, 6, 1, 6));
        VelAnimalFeatureInfo toadCon =
            Feature<VelAnimalFeatureInfo>(VelIds::kFeatureFamiliarConstitution, 0xFFFF);
        toadCon.kindsMask = 5;
        VelAnimalFeatureInfo groupOnly = Feature<VelAnimalFeatureInfo>(50, 0xFFFF);
        groupOnly.kindsMask = 2;
        db.Section(VelDatabase::kTagAnimalFeature)
            .Add(kToad, toadCon)
            .Add(kToad, groupOnly)
            .Add(kHorse, toadCon);
        VelFamiliarFeatureInfo fortitude =
            Feature<VelFamiliarFeatureInfo>(VelIds::kFeatureFamiliarFortitude, 0xFFFF);
        VelFamiliarFeatureInfo later = Feature<VelFamiliarFeatureInfo>(52, 0xFFFF);
        later.lowestLevel = 5;
        db.Section(VelDatabase::kTagFamiliarFeature).Add(0, fortitude).Add(0, later);
        VelFeatureInfo sneak;
        sneak.formatKind = 1;
        VelFeatureInfo grantsFeat;
        grantsFeat.kind = VelFeatureInfo::kKindGrantsFeat;
        db.Section(VelDatabase::kTagFeature)
            .Add(kSneak, sneak)
            .Add(kBonusFeatFeature, grantsFeat)
            .Add(kAura, VelFeatureInfo());
        db.Section(VelDatabase::kTagFeat).Add(kGrantedFeat, VelFeatInfo());
        db.Section(VelDatabase::kTagClassFeature)
            .Add(7, ClassRow(1, kSneak, 1))
            .Add(7, ClassRow(3, kSneak, 2))
            .Add(7, ClassRow(5, kSneak, 3))
            .Add(7, ClassRow(2, kAura, 4))
            .Add(7, ClassRow(4, kAura, 4))
            .Add(0, ClassRow(1, kBonusFeatFeature, kGrantedFeat))
            .Add(3, ClassRow(1, kAura, 9))
            .Add(7, ClassRow(1, 999, 0)); // no such feature
        db.Section(VelDatabase::kTagName)
            .Add(kRace, Name(1, "Ann", VelNameInfo::kFirstPart))
            .Add(kRace, Name(0, "Bob", VelNameInfo::kFirstPart))
            .Add(kRace, Name(2, "Reed", VelNameInfo::kSecondPart))
            .Add(3, Name(2, "Gorm", VelNameInfo::kWholeName));
        EXPECT_TRUE(db.Load());
        master.raceId = kRace;
        master.abilities.fill(10);
    }

    VelCharacterAnimal* Own(std::uint16_t animalId, std::uint16_t classId, std::uint16_t kind)
    {
        Owned<VelCharacterAnimal> animal(new VelCharacterAnimal(animalId, classId));
        animal->kind = kind;
        master.AddAnimal(animal.get());
        return master.FindAnimal(animalId, classId);
    }

    std::vector<std::pair<std::uint16_t, std::int16_t>> GrantedFeatures() const
    {
        std::vector<std::pair<std::uint16_t, std::int16_t>> out;
        for (std::uint32_t i = 0; i < master.features.GetCount(); ++i)
        {
            const auto* f = static_cast<VelCharacterFeature*>(
                master.features.GetAt(static_cast<std::int32_t>(i)));
            out.emplace_back(f->featureId, f->value);
        }
        return out;
    }

    DbFixture db;
    QuietLog quiet;
    VelCharacter master;
};

TEST_F(CompanionRulesTest, FamiliarTakesItsRowAndItsMastersSavesAndHitDice)
{
    master.AddClass(10);
    master.AddClass(6)->level = 2; // a base Fortitude of 3 over both classes
    master.abilities[E::kCon] = 18; // the master's own save parts do not count
    master.stats[E::kFortitudeSave] = 9;
    master.stats[E::kHitPoints] = 9;
    master.stats[E::kBaseAttack] = 3;
    VelCharacterAnimal* toad = Own(kToad, 10, VelCharacterAnimal::kFamiliar);
    UpdateAnimalStats(toad, true);
    EXPECT_EQ(toad->abilities[E::kInt], 6);
    EXPECT_EQ(toad->stats[E::kBaseAttack], 3); // its master's
    EXPECT_EQ(toad->stats[E::kHitPoints], 4);  // half its master's
    EXPECT_EQ(toad->stats[E::kArmorClass], 10 + 1 + (1 + 1) + 2);
    EXPECT_EQ(toad->stats[E::kFortitudeSave], 3 - 1);
    EXPECT_EQ(toad->stats[E::kReflexSave], 2 + 1); // its own base is better
    EXPECT_EQ(toad->stats[E::kWillSave], 0 + 2);
    EXPECT_EQ(toad->stats[E::kSpeed], 40);
    // The familiar row of kind 5 and the level-1 familiar feature, both fixed.
    ASSERT_EQ(toad->features.GetCount(), 2u);
    EXPECT_EQ(static_cast<VelEntityFeature*>(toad->features.GetAt(0))->extra, 0x08u);
    UpdateAnimalStats(toad, false); // rebuilt, not doubled
    EXPECT_EQ(toad->features.GetCount(), 2u);
    master.FindClass(10)->level = 4; // its own base save is of its record's half die, not of 4
    UpdateAnimalStats(toad, false);
    EXPECT_EQ(toad->stats[E::kReflexSave], 2 + 1);
    EXPECT_EQ(GetAnimalHitDice(VelDatabase::FindAnimal(kToad), 1, 7), 7.0f);
}

TEST_F(CompanionRulesTest, MountTakesTheCompanionRowOthersThePlainRecord)
{
    master.AddClass(6)->level = 7;
    VelCharacterAnimal* horse = Own(kHorse, 6, VelCharacterAnimal::kMount);
    UpdateAnimalStats(horse, true);
    EXPECT_EQ(horse->abilities[E::kInt], 6);
    EXPECT_EQ(horse->abilities[E::kStr], 19);
    EXPECT_EQ(horse->stats[E::kArmorClass], 10 + 1 + 6 - 1);
    EXPECT_EQ(horse->stats[E::kFortitudeSave], 5 + 2); // the knight's base save is higher than 4
    EXPECT_EQ(horse->stats[E::kWillSave], 2 + 1);
    EXPECT_EQ(horse->stats[E::kReflexSave], 4 + 1); // of the 5 hit dice it shows
    EXPECT_EQ(horse->stats[E::kHitPoints], 35);     // 7 a die of 3 + 2
    EXPECT_EQ(horse->stats[E::kBaseAttack], 3); // three quarters of 3 + 2 hit dice
    VelCharacterAnimal* companion = Own(kHorse, 7, VelCharacterAnimal::kCompanion);
    UpdateAnimalStats(companion, true);
    EXPECT_EQ(companion->stats[E::kBaseAttack], 2); // of its own 3
    EXPECT_EQ(companion->stats[E::kHitPoints], 21); // 7 a die of its own 3
    EXPECT_EQ(GetAnimalHitDice(VelDatabase::FindAnimal(kHorse), 4, 5), 5.0f);
    EXPECT_EQ(GetAnimalHitDice(VelDatabase::FindAnimal(kHorse), 4, 9), 3.0f); // no row

    VelCharacterAnimal* rats = Own(kRats, 7, VelCharacterAnimal::kCompanion);
    UpdateAnimalStats(rats, true);
    EXPECT_EQ(rats->abilities[E::kInt], 2);
    EXPECT_EQ(rats->stats[E::kHitPoints], 1); // 5 x 0.25, truncated
    EXPECT_EQ(rats->features.GetCount(), 0u);
}

TEST_F(CompanionRulesTest, FamiliarGiftsFollowItAndCostMoney)
{
    master.AddClass(10);
    master.SetHitDieRoll(1, 4);
    master.abilities[E::kCon] = 12;
    master.money.coins[2] = 150;
    auto* toad = new VelCharacterAnimal(kToad, 10);
    toad->kind = VelCharacterAnimal::kFamiliar;
    AddAnimal(&master, toad);
    toad->Release();
    EXPECT_EQ(master.money.coins[2], 50);
    EXPECT_EQ(master.abilities[E::kCon], 14);
    EXPECT_EQ(master.values[VelCharacter::kValueFortitudeBonus], 2u);
    EXPECT_EQ(master.stats[E::kFortitudeSave], 2 + 2);
    EXPECT_EQ(master.stats[E::kHitPoints], 4 + 2);
    EXPECT_EQ(master.FindAnimal(kToad, 10)->stats[E::kHitPoints], 3); // half of them, after the gift
    // Toughness taken and given back, and a loaded file's older figures.
    constexpr std::uint16_t kNo = VelCharacterFeat::kNoChoice;
    for (auto change :
         {+[](VelCharacter& c) { AddFeat(&c, VelIds::kFeatExtraHitPoints, kNo, kNo, false); },
          +[](VelCharacter& c)
          { RemoveFeat(&c, c.FindFeat(VelIds::kFeatExtraHitPoints, kNo, -1)); },
          +[](VelCharacter& c) { RecomputeLoadedGear(&c); }})
    {
        VelCharacterAnimal* toad = master.FindAnimal(kToad, 10);
        toad->stats.fill(99);
        change(master);
        EXPECT_EQ(toad->stats[E::kHitPoints], master.stats[E::kHitPoints] / 2);
        EXPECT_EQ(toad->stats[E::kReflexSave], 2 + 1);
        EXPECT_EQ(toad->stats[E::kBaseAttack], 0);
    }

    master.abilities[E::kCon] = 2;
    RemoveAnimal(&master, master.FindAnimal(kToad, 10));
    EXPECT_EQ(master.animals.GetCount(), 0u);
    EXPECT_EQ(master.abilities[E::kCon], 1);
    EXPECT_EQ(master.money.coins[2], 150);
    EXPECT_EQ(master.values[VelCharacter::kValueFortitudeBonus], 0u);
    EXPECT_EQ(master.stats[E::kHitPoints], 1); // at least 1 a level
}

TEST_F(CompanionRulesTest, AFamiliarsRebuiltGiftsReachItsMaster)
{
    master.AddClass(10);
    master.abilities[E::kCon] = 12;
    // As an older file holds them: a familiar without the gifts its record
    // gives now but with one it gives no more, and a master with that one.
    VelCharacterAnimal* toad = Own(kToad, 10, VelCharacterAnimal::kFamiliar);
    toad->AddFamiliarFeature(Feature<VelFamiliarFeatureInfo>(VelIds::kFeatureFamiliarReflex, 0));
    master.SetValue(VelCharacter::kValueReflexBonus, 2);
    UpdateAllAnimals(&master);
    EXPECT_EQ(master.abilities[E::kCon], 14);
    EXPECT_EQ(master.values[VelCharacter::kValueFortitudeBonus], 2u);
    EXPECT_EQ(master.values[VelCharacter::kValueReflexBonus], 0u);
    UpdateAllAnimals(&master); // nothing changes twice
    EXPECT_EQ(master.abilities[E::kCon], 14);
    RemoveAnimal(&master, toad);
    EXPECT_EQ(master.abilities[E::kCon], 12);
    EXPECT_EQ(master.values[VelCharacter::kValueFortitudeBonus], 0u);
    // A mount of the toad's record holds its CON gift but gives none.
    master.AddClass(6)->level = 5;
    VelCharacterAnimal* mount = Own(kToad, 6, VelCharacterAnimal::kMount);
    UpdateAllAnimals(&master);
    ASSERT_EQ(mount->features.GetCount(), 1u);
    EXPECT_EQ(master.abilities[E::kCon], 12);
}

TEST_F(CompanionRulesTest, WhichClassesGrantAnimalsAndSpells)
{
    VelCharacterClass* knight = master.AddClass(6);
    knight->level = 4;
    EXPECT_FALSE(HasAnimalClass(&master));
    EXPECT_FALSE(CanGetAnimal(&master, 6));
    knight->level = 5;
    EXPECT_TRUE(HasAnimalClass(&master));
    EXPECT_TRUE(CanGetAnimal(&master, 6));
    knight->formerMember = 1;
    EXPECT_FALSE(ClassGrantsAnimal(knight));
    VelCharacterClass* tracker = master.AddClass(7);
    tracker->formerMember = 1;
    EXPECT_TRUE(ClassGrantsAnimal(tracker));

    EXPECT_FALSE(CanGetAnimal(&master, 10));
    master.money = VelCoins(0, 9, 99); // 99.9 of the highest coin
    EXPECT_FALSE(CanGetAnimal(&master, 10));
    master.money = VelCoins(0, 10, 99);
    EXPECT_TRUE(CanGetAnimal(&master, 10));

    VelCharacterClass* priest = master.AddClass(3);
    EXPECT_TRUE(ClassCastsSpells(priest));
    priest->formerMember = 1;
    EXPECT_FALSE(ClassCastsSpells(priest));
    EXPECT_FALSE(HasSpellcastingClass(&master));
    master.AddClass(1)->formerMember = 1;
    EXPECT_TRUE(HasSpellcastingClass(&master));
}

TEST_F(CompanionRulesTest, MountsSuitTheRidersSize)
{
    VelAnimalInfo horse = *VelDatabase::FindAnimal(kHorse);
    EXPECT_TRUE(IsSuitableMount(&master, &horse));
    horse.sizeId = 4;
    EXPECT_FALSE(IsSuitableMount(&master, &horse));
    master.raceId = VelIds::kRaceSmallRider;
    horse.sizeId = 5;
    EXPECT_FALSE(IsSuitableMount(&master, &horse));
    horse.key = static_cast<std::int16_t>(VelIds::kAnimalSmallRiderMount);
    EXPECT_TRUE(IsSuitableMount(&master, &horse));
}

TEST_F(CompanionRulesTest, RandomNamesComeFromTheRaceAndSex)
{
    master.sex = 1;
    GenerateRandomName(&master);
    EXPECT_EQ(master.name, "Ann Reed");
    master.sex = 0;
    GenerateRandomName(&master);
    EXPECT_EQ(master.name, "Bob Reed");
    master.raceId = 5; // no rows
    GenerateRandomName(&master);
    EXPECT_EQ(master.name, "");
    master.raceId = 3; // whole names only: the name or, below the coin toss, none
    std::vector<std::string> seen;
    FCRandom::GetGlobal().Seed(7);
    for (int i = 0; i < 20; ++i)
    {
        GenerateRandomName(&master);
        seen.push_back(master.name);
    }
    EXPECT_NE(std::find(seen.begin(), seen.end(), "Gorm"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), ""), seen.end());
}

TEST_F(CompanionRulesTest, ClassFeaturesUpgradeByGroupAndKeepChoicesLast)
{
    master.AddClass(7)->level = 4;
    master.AddClass(0);
    GrantClassFeatures(&master, true);
    using List = std::vector<std::pair<std::uint16_t, std::int16_t>>;
    EXPECT_EQ(GrantedFeatures(),
              (List{{kSneak, 2}, {kAura, 4}, {kAura, 4}, {kBonusFeatFeature, kGrantedFeat}}));
    const VelCharacterFeat* feat = master.FindFeat(kGrantedFeat, 0xFFFF, -1);
    ASSERT_NE(feat, nullptr);
    EXPECT_EQ(feat->flags, 0x08u);
    EXPECT_EQ(feat->classId, 0);

    VelClassFeatureInfo chosen;
    chosen.key = 7;
    chosen.featureId = kAura;
    chosen.value = 77;
    master.AddClassFeature(chosen); // the player's, not fixed
    master.FindClass(7)->level = 5;
    GrantClassFeatures(&master, false);
    EXPECT_EQ(
        GrantedFeatures(),
        (List{
            {kSneak, 3}, {kAura, 4}, {kAura, 4}, {kBonusFeatFeature, kGrantedFeat}, {kAura, 77}}));
    EXPECT_EQ(master.feats.GetCount(), 1u);
}

TEST_F(CompanionRulesTest, AFeatureWhoseValueWasRewrittenStaysOneEntryAndRepeatsFold)
{
    VelCharacterClass* priest = master.AddClass(3);
    GrantClassFeatures(&master, true);
    using List = std::vector<std::pair<std::uint16_t, std::int16_t>>;
    for (std::uint16_t level : {4, 5, 6})
    {
        static_cast<VelCharacterFeature*>(master.features.GetAt(0))->value = 2;
        priest->level = level;
        GrantClassFeatures(&master, false);
        EXPECT_EQ(GrantedFeatures(), (List{{kAura, 9}})) << level;
    }
    // A file holding it three times, as an older build left it.
    VelClassFeatureInfo repeat = ClassRow(1, kAura, 2);
    repeat.key = 3;
    master.AddClassFeature(repeat)->extra = 0x08;
    master.AddClassFeature(repeat)->extra = 0x08;
    GrantClassFeatures(&master, false);
    EXPECT_EQ(GrantedFeatures(), (List{{kAura, 9}}));
}

TEST_F(CompanionRulesTest, FormerMembersLoseWhatTheirClassGave)
{
    master.AddClass(0)->formerMember = 1;
    master.AddClass(3)->formerMember = 1;
    GrantClassFeatures(&master, true);
    EXPECT_EQ(master.features.GetCount(), 0u);
    EXPECT_EQ(master.feats.GetCount(), 0u);

    master.AddClass(1)->formerMember = 1;
    for (std::uint16_t classId : {1, 10})
    {
        Owned<VelCharacterSpell> spell(new VelCharacterSpell(5, classId));
        master.AddSpell(spell.get());
    }
    Own(kHorse, 3, VelCharacterAnimal::kCompanion);
    Own(kToad, 10, VelCharacterAnimal::kFamiliar);
    RemoveFormerClassBenefits(&master);
    EXPECT_FALSE(master.HasSpell(5, 1));
    EXPECT_TRUE(master.HasSpell(5, 10));
    EXPECT_EQ(master.FindAnimal(kHorse, 3), nullptr);
    EXPECT_NE(master.FindAnimal(kToad, 10), nullptr);
}
} // namespace
