// Single numbers of the shipped rule set, as the program loads them: one row
// for each value a slip in the content would change, checked against the
// game's tables.

#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatDependInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelRaceSkillInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpokenLanguageInfo.h"
#include "support/DbFixture.h"

#include <gtest/gtest.h>

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

TEST_F(RulesValuesContentTest, GearAndSpells)
{
    Check({
        {"heavy crossbow weight", [] { return Of(VelDatabase::FindItem(15), &VelItemInfo::weight); }, 9},
    });
}

TEST_F(RulesValuesContentTest, Animals)
{
    Check({
        {"hawk natural armour", [] { return Of(VelDatabase::FindAnimal(2), &VelAnimalInfo::naturalArmor); }, 2},
    });
}
} // namespace
