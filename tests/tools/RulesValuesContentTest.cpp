// Single numbers of the shipped rule set, as the program loads them: one row
// for each value a slip in the content would change, checked against the
// game's tables.

#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatDependInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelRaceSkillInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSpokenLanguageInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "support/DbFixture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace
{
// One value: what it is, how to read it, what the tables give.
struct Row
{
    const char* what;
    std::function<double()> read;
    double expected;
};

class RulesValuesContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
            ASSERT_TRUE(VelDatabase::ParseFile(std::string(RULES_BUILD_DIR) + "/" + name))
                << name;
    }

    static void Check(const std::vector<Row>& rows)
    {
        for (const Row& row : rows)
            EXPECT_EQ(row.read(), row.expected) << row.what;
    }

    DbFixture db;
};

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

TEST_F(RulesValuesContentTest, ClassesRacesAndFeats)
{
    namespace D = VelDatabase;
    Check({
        {"bard skill points", [] { return Of(VelDatabase::FindClass(1), &VelClassInfo::skillPoints); }, 4},
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
    });
}

// A price in copper, whatever coin the record counts it in.
double Copper(std::uint16_t id)
{
    const VelItemInfo* item = VelDatabase::FindItem(id);
    return item ? ToCopperValue(item->basePrice, item->coinKind) : std::numeric_limits<double>::quiet_NaN();
}

// Words: casting count, casting unit, range, duration, saving throw.
double Word(std::uint16_t spell, std::size_t word)
{
    const VelSpellInfo* record = VelDatabase::FindSpell(spell);
    return record ? record->words[word] : std::numeric_limits<double>::quiet_NaN();
}

TEST_F(RulesValuesContentTest, GearAndSpells)
{
    const auto level = &VelSpellLevelInfo::level;
    Check({
        {"heavy crossbow weight", [] { return Of(VelDatabase::FindItem(15), &VelItemInfo::weight); }, 9},
        {"chainmail, slow race", [] { return Of(VelDatabase::FindItem<VelArmorInfo>(212), &VelArmorInfo::slowSpeed); }, 15},
        {"net weight", [] { return Of(VelDatabase::FindItem(69), &VelItemInfo::weight); }, 10},
        {"urgrosh weight", [] { return Of(VelDatabase::FindItem(75), &VelItemInfo::weight); }, 15},
        {"light lance small", [] { return Of(VelDatabase::FindItem<VelWeaponInfo>(56), &VelWeaponInfo::size); }, 1},
        {"heavy lance medium", [] { return Of(VelDatabase::FindItem<VelWeaponInfo>(43), &VelWeaponInfo::size); }, 2},
        {"salt, copper a pound", [] { return Copper(1606); }, 500},
        {"signal whistle, copper", [] { return Copper(1531); }, 80},
        {"mistletoe free", [] { return Copper(1663); }, 0},
        {"Alarm 2 hours/level", [] { return Word(6, 3); }, 22},
        {"Break Enchantment in minutes", [] { return Word(42, 1); }, 2},
        {"Cure Light Wounds Will half (harmless)", [] { return Word(91, 4); }, 15},
        {"Antilife Shell, cleric", [=] { return Of(VelDatabase::FindClassSpellLevel(16, 2), level); }, 6},
        {"Mass Heal, healing domain", [=] { return Of(VelDatabase::FindDomainSpellLevel(297, 9), level); }, 8},
        {"Teleport transmutation", [] { return Of(VelDatabase::FindSpell(467), &VelSpellInfo::schoolId); }, 8},
    });
}

TEST_F(RulesValuesContentTest, Animals)
{
    Check({
        {"hawk natural armour", [] { return Of(VelDatabase::FindAnimal(2), &VelAnimalInfo::naturalArmor); }, 2},
        {"owl natural armour", [] { return Of(VelDatabase::FindAnimal(3), &VelAnimalInfo::naturalArmor); }, 2},
        {"cat good Fortitude", [] { return At(VelDatabase::FindAnimal(1), &VelAnimalInfo::goodSaves, 0); }, 1},
        {"giant crocodile CON", [] { return At(VelDatabase::FindAnimal(28), &VelAnimalInfo::abilities, 2); }, 19},
        {"huge viper bite dice", [] { return Of(VelDatabase::FindAnimalAttack(62, 0), &VelAnimalAttackInfo::dieSides); }, 6},
        {"giant crocodile tail slap, as strong as its bite", [] { return Of(VelDatabase::FindAnimalAttack(28, 1), &VelAnimalAttackInfo::strengthFactor); }, 1.5},
        {"elephant stamps, a lesser attack", [] { return Of(VelDatabase::FindAnimalAttack(40, 1), &VelAnimalAttackInfo::strengthFactor); }, 0.5},
    });
}
} // namespace
