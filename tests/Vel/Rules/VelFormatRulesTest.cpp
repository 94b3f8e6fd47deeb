#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "support/DbFixture.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kRace = 1;
constexpr std::uint16_t kKnight = 6;
constexpr std::uint16_t kAnimal = 3;

VelWeaponInfo Weapon(std::uint16_t count, std::uint16_t sides)
{
    VelWeaponInfo weapon;
    weapon.diceCount[0] = count;
    weapon.dieSides[0] = sides;
    weapon.handedness = 1;
    return weapon;
}

VelAnimalAttackInfo Attack(std::uint16_t index, const char* name, std::uint16_t count,
                           std::uint16_t sides, float factor)
{
    VelAnimalAttackInfo attack(kAnimal, index);
    attack.name = name;
    attack.diceCount = count;
    attack.dieSides = sides;
    attack.strengthFactor = factor;
    return attack;
}

void AddFeat(VelCharacter& character, std::uint16_t featId, std::uint16_t choice)
{
    auto* feat = new VelCharacterFeat(featId, choice, VelCharacterFeat::kNoChoice, 0);
    character.InsertFeat(feat);
    feat->Release();
}

class FormatRulesTest : public ::testing::Test
{
protected:
    FormatRulesTest()
    {
        VelRaceInfo race;
        race.imageFile = "Races\\elf.jpg";
        race.sizeId = 4;
        db.Section(VelDatabase::kTagRace).Add(kRace, race);
        VelClassInfo knight;
        knight.portraitFile = "Classes\\knight.jpg";
        db.Section(VelDatabase::kTagClass).Add(kKnight, knight);
        db.Section(VelDatabase::kTagAnimalAttack)
            .Add(kAnimal, Attack(2, "Sting", 3, 1, 0.4f))
            .Add(kAnimal, Attack(0, "Bite", 1, 6, 1.0f))
            .Add(kAnimal, Attack(1, "Claw", 1, 4, 0.5f));
        EXPECT_TRUE(db.Load());
        character.raceId = kRace;
        character.abilities.fill(10);
    }

    DbFixture db;
    QuietLog quiet;
    VelCharacter character;
};

TEST(FormatValuesTest, OrdinalsDiceAndWeights)
{
    const std::vector<std::pair<std::int16_t, const char*>> ordinals = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"}, {11, "11th"},
        {12, "12th"}, {21, "21th"}, {22, "22th"}, {0, "0th"}, {-1, "-1th"}};
    for (const auto& [n, text] : ordinals)
        EXPECT_EQ(FormatOrdinal(n), text);
    EXPECT_EQ(FormatDice(2, 6), "2d6");
    EXPECT_EQ(FormatDice(0, 6), "");
    EXPECT_EQ(FormatDice(-1, 4), "");
    const std::vector<std::pair<float, const char*>> weights = {
        {12.0f, "12 lb."}, {0.5f, "0.5 lb."}, {0.0f, "0 lb."}, {-3.5f, "-3.5 lb."}};
    for (const auto& [pounds, text] : weights)
        EXPECT_EQ(FormatWeight(pounds), text);
}

TEST(FormatValuesTest, AmountsTakeTheSingularUpToOne)
{
    ResourceSandbox sandbox;
    AssetIndexBytes index;
    index.U16(FCResourceManager::kTagTexts).Text(10702, "flask").Text(10712, "flasks").U16(0);
    ASSERT_TRUE(sandbox.LoadIndex(index.U16(0)));
    EXPECT_EQ(FormatAmountWithUnit(1.0f, 2), "1 flask");
    EXPECT_EQ(FormatAmountWithUnit(0.25f, 2), "0.25 flask");
    EXPECT_EQ(FormatAmountWithUnit(1.5f, 2), "1.50 flasks");
    EXPECT_EQ(FormatAmountWithUnit(3.0f, 2), "3 flasks");
    EXPECT_EQ(FormatAmountWithUnit(2.0f, 5), "2 "); // no text for the unit
}

TEST_F(FormatRulesTest, AttackSequences)
{
    struct Case
    {
        std::int32_t base;
        std::uint16_t strength;
        bool reduced;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {11, 14, false, "+13/+8/+3"}, {6, 6, false, "+4"},    {0, 10, false, "+0"},
        {5, 10, false, "+5"},         {6, 10, true, "+6/+3"}, {16, 10, false, "+16/+11/+6/+1"},
        {3, 2, false, "-1"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.expected);
        character.stats[VelEntity::kBaseAttack] = c.base;
        character.abilities[VelEntity::kStr] = c.strength;
        EXPECT_EQ(FormatAttackBonus(&character, false, c.reduced), c.expected);
    }
}

TEST_F(FormatRulesTest, CriticalRangesAndRangeIncrements)
{
    struct Case
    {
        std::uint16_t threat, multiplier, second;
        bool feat;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {0, 2, 0, false, "x2"},       {0, 2, 0, true, "19-20/x2"},  {19, 2, 0, false, "19-20/x2"},
        {19, 2, 0, true, "17-20/x2"}, {18, 2, 0, true, "15-20/x2"}, {0, 3, 3, false, "x3/x3"},
        {0, 0, 3, false, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.expected);
        VelCharacter reader;
        VelWeaponInfo weapon;
        weapon.key = 40;
        weapon.threatRange = c.threat;
        weapon.criticalMultiplier = c.multiplier;
        weapon.secondMultiplier = c.second;
        if (c.feat)
            AddFeat(reader, VelIds::kFeatWiderCritical, 40);
        AddFeat(reader, VelIds::kFeatWiderCritical, 41); // another weapon's
        EXPECT_EQ(FormatCriticalRange(&reader, &weapon), c.expected);
    }

    VelWeaponInfo bow;
    EXPECT_EQ(FormatRangeIncrement(&character, &bow), "-");
    bow.rangeIncrement = 25;
    EXPECT_EQ(FormatRangeIncrement(&character, &bow), "25 ft");
    AddFeat(character, VelIds::kFeatLongRange, VelCharacterFeat::kNoChoice);
    EXPECT_EQ(FormatRangeIncrement(&character, &bow), "37 ft");
}

TEST_F(FormatRulesTest, DamageDiceAndRanges)
{
    VelWeaponInfo doubled = Weapon(1, 6);
    doubled.diceCount[1] = 1;
    doubled.dieSides[1] = 6;
    EXPECT_EQ(FormatWeaponDamageDice(&character, &doubled), "1d6/1d6");
    const VelWeaponInfo fixed = Weapon(3, 1);
    EXPECT_EQ(FormatWeaponDamageDice(&character, &fixed), "3");
    EXPECT_EQ(FormatWeaponDamageDice(&character, nullptr), "");

    struct Case
    {
        std::uint16_t count, sides, strength;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {1, 8, 14, "(1-8)+2"}, {2, 4, 8, "(2-8)-1"}, {1, 8, 10, "(1-8)"}, {0, 8, 14, "0"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.expected);
        auto* weapon = new VelWeaponInfo(Weapon(c.count, c.sides));
        VelCharacter holder;
        holder.raceId = kRace;
        holder.abilities.fill(10);
        holder.abilities[VelEntity::kStr] = c.strength;
        VelCharacterItem* item = holder.AddItem(weapon);
        weapon->Release();
        VelCharacterEquip set;
        set.SetSlot(1, item->itemKey);
        EXPECT_EQ(FormatDamageRange(&holder, weapon, &set, 1), c.expected);
    }
}

TEST_F(FormatRulesTest, AnimalAttacksScaleOnlyAStrengthBonus)
{
    VelCharacterAnimal animal(kAnimal, 2);
    animal.abilities[VelEntity::kStr] = 16;
    EXPECT_EQ(FormatAnimalAttacks(&animal, false), "Bite: 1d6+3 Claw: 1d4+1 Sting: 3+1");
    animal.abilities[VelEntity::kStr] = 12;
    EXPECT_EQ(FormatAnimalAttacks(&animal, true), "Bite: 1d6+1\nClaw: 1d4+0\nSting: 3+0");
    animal.abilities[VelEntity::kStr] = 8;
    EXPECT_EQ(FormatAnimalAttacks(&animal, false), "Bite: 1d6-1 Claw: 1d4-1 Sting: 3-1");
    animal.abilities[VelEntity::kStr] = 10;
    EXPECT_EQ(FormatAnimalAttacks(&animal, false), "Bite: 1d6 Claw: 1d4 Sting: 3");
    VelCharacterAnimal none(kAnimal + 1, 2);
    EXPECT_EQ(FormatAnimalAttacks(&none, false), "");
}

TEST_F(FormatRulesTest, PortraitsKeepTheirFolders)
{
    EXPECT_EQ(GetRacePortraitName(&character), "Races\\elf.jpg");
    EXPECT_EQ(GetClassPortraitName(&character, kKnight), "Classes\\knight.jpg");
    character.sex = 1;
    EXPECT_EQ(GetRacePortraitName(&character), "Races\\elf_F.jpg");
    character.AddClass(kKnight)->formerMember = 1;
    EXPECT_EQ(GetClassPortraitName(&character, kKnight), "Classes\\X-knight_F.jpg");
    EXPECT_EQ(GetClassPortraitName(&character, 2), "");
    character.raceId = 9;
    EXPECT_EQ(GetRacePortraitName(&character), "");
}
} // namespace
