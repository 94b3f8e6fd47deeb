// Numbers a damaged database or character file may hold (NaN, infinities,
// values far outside any rule) pass through the rules without undefined
// conversions: each lands on the nearest value its integer can hold. The
// sanitizer build checks the conversions themselves.

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelEntity.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelPageRules.h"
#include "Vel/Rules/VelSkillRules.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/Owned.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace
{
using E = VelEntity;
constexpr std::uint16_t kRace = 1;
constexpr std::uint16_t kClass = 3; // keeps a companion
constexpr std::uint16_t kAnimal = 20;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

// A companion keeper and one companion whose hit dice and attack share of
// STR are the case's; the skill that costs a fifth of the carried weight.
void Load(DbFixture& db, VelCharacter& hero, float hitDice, float strengthFactor)
{
    VelClassInfo keeper;
    keeper.animalCompanion = 1;
    db.Section(VelDatabase::kTagClass).Add(kClass, keeper);
    db.Section(VelDatabase::kTagRace).Add(kRace, VelRaceInfo());
    VelSkillInfo encumbered;
    encumbered.ability = E::kDex;
    db.Section(VelDatabase::kTagSkill).Add(VelIds::kSkillEncumbered, encumbered);
    VelAnimalInfo animal;
    animal.hitDice = hitDice;
    animal.abilities = {30, 10, 30, 2, 10, 4}; // STR and CON +10
    animal.goodSaves = {1, 0, 0};
    db.Section(VelDatabase::kTagAnimal).Add(kAnimal, animal);
    VelAnimalAttackInfo bite(kAnimal, 0);
    bite.name = "Bite", bite.diceCount = 1, bite.dieSides = 6, bite.strengthFactor = strengthFactor;
    db.Section(VelDatabase::kTagAnimalAttack).Add(kAnimal, bite);
    ASSERT_TRUE(db.Load());
    hero.raceId = kRace;
    hero.abilities.fill(10);
    hero.AddClass(kClass)->level = 5;
}

VelCharacterAnimal* Companion(VelCharacter& hero)
{
    Owned<VelCharacterAnimal> animal(new VelCharacterAnimal(kAnimal, kClass));
    animal->kind = VelCharacterAnimal::kCompanion;
    animal->owner = &hero;
    hero.AddAnimal(animal.get());
    VelCharacterAnimal* owned = hero.FindAnimal(kAnimal, kClass);
    UpdateAnimalStats(owned, true);
    return owned;
}

TEST(DamagedValuesTest, AnimalHitDiceAndStrengthSharesLandOnTheNearestWhole)
{
    const struct
    {
        float hitDice, strengthFactor;
        std::int32_t hitPoints, fortitude;
        const char* damage;
    } cases[] = {
        {3.0f, 1.5f, 45, 3 + 10, "1d6+15"},
        {kNaN, kNaN, 0, 0 + 10, "1d6"},
        {kInf, kInf, kMax32, 32767 + 10, "1d6+2147483647"},
        {-kInf, -kInf, kMin32, -32768 + 10, "1d6"},
        {1e30f, 1e30f, kMax32, 32767 + 10, "1d6+2147483647"},
        {-1e30f, 0.5f, kMin32, -32768 + 10, "1d6+5"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.hitDice << " hit dice, " << c.strengthFactor << " of STR");
        QuietLog quiet;
        DbFixture db;
        VelCharacter hero;
        Load(db, hero, c.hitDice, c.strengthFactor);
        VelCharacterAnimal* animal = Companion(hero);
        ASSERT_NE(animal, nullptr);
        EXPECT_EQ(static_cast<std::int32_t>(animal->stats[E::kHitPoints]), c.hitPoints);
        EXPECT_EQ(static_cast<std::int32_t>(animal->stats[E::kFortitudeSave]), c.fortitude);
        EXPECT_NE(FormatAnimalAttacks(animal, false).find(c.damage), std::string::npos)
            << FormatAnimalAttacks(animal, false);
        EXPECT_FALSE(FormatAnimalAttackBonuses(animal, false).empty());
        CheckCharacterLimits(&hero, 0, true);
    }
}

TEST(DamagedValuesTest, AnAnimalsBaseAttackIsReadInSixteenBits)
{
    QuietLog quiet;
    DbFixture db;
    VelCharacter hero;
    Load(db, hero, 2.0f, 1.0f);
    VelCharacterAnimal* animal = Companion(hero);
    ASSERT_NE(animal, nullptr);
    const struct
    {
        std::int32_t base;
        const char* starts;
        std::size_t attacks;
    } cases[] = {
        {11, "Bite +21", 1},
        {kMax32, "Bite +32777", 1}, // once took minutes and gigabytes
        {kMin32, "Bite -32758", 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.base);
        animal->stats[E::kBaseAttack] = c.base;
        const std::string text = FormatAnimalAttackBonuses(animal, false);
        EXPECT_EQ(text.rfind(c.starts, 0), 0u) << text.substr(0, 40);
        EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '/')) + 1, c.attacks);
    }
}

TEST(DamagedValuesTest, AHugeCarriedWeightCostsAtMostWhatSixteenBitsHold)
{
    QuietLog quiet;
    DbFixture db;
    VelCharacter hero;
    Load(db, hero, 1.0f, 1.0f);
    Adopt(new VelCharacterSkill(VelIds::kSkillEncumbered, VelCharacterSkill::kNoSubSkill),
          [&](auto* skill) { hero.AddSkill(skill); });
    const struct
    {
        float carried;
        float modifier;
    } cases[] = {
        {50.0f, -10.0f}, // a fifth of the weight
        {1e30f, -32768.0f},
        {kInf, -32768.0f},
        {-kInf, 32767.0f},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.carried);
        hero.carriedWeight = c.carried;
        EXPECT_EQ(GetSkillModifier(&hero, VelIds::kSkillEncumbered, VelCharacterSkill::kNoSubSkill, nullptr,
                                   nullptr, nullptr),
                  c.modifier);
        CheckCharacterLimits(&hero, 0, true);
    }
}
} // namespace
