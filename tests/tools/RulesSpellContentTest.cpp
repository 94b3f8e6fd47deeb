// Content checks over the shipped spell tables, as the build compiled them:
// every casting class finds enough spells to fill what it may know or
// prepare at every level, every domain has a spell at each level 1 to 9,
// and every spell-level row is sound.

#include "Fc/Core/FCObjectMap.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSpellsPerInfo.h"
#include "support/DbFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <string>

namespace
{
constexpr int kSpellLevels = 10;
constexpr std::int16_t kTopClassLevel = 20;
// What a caster may know or prepare only grows with the casting score, so
// one score above anything a level-20 character reaches covers them all.
constexpr std::int16_t kCastingScore = 30;

using Counts = std::array<int, kSpellLevels>;

bool LoadShipped()
{
    const char* dir = std::getenv("STAVELORN_BINARY_DIR");
    const std::string folder = std::string(dir != nullptr ? dir : STAVELORN_BINARY_DIR) + "/Resources/Database/";
    bool ok = true;
    for (const char* name : {"Database.bin", "SpellDB.bin"})
        ok = VelDatabase::ParseFile(folder + name) && ok;
    return ok;
}

int BonusSpells(int spellLevel, int score) { return spellLevel < 1 ? 0 : (score / 2 - spellLevel - 1) / 4; }

bool KeepsKnownList(std::uint16_t classId)
{
    return classId == VelIds::kClassMinstrel || classId == VelIds::kClassInnateCaster;
}

struct SpellLists
{
    std::map<std::int16_t, Counts> byClass;
    std::map<std::int16_t, Counts> byDomain;
};

// The spells of each level per class and per domain. The scholar caster
// reads the innate caster's level of a spell, and its own only when that
// is missing.
SpellLists CollectLists()
{
    std::map<std::int16_t, std::map<std::int16_t, int>> classLevels;
    SpellLists lists;
    VelDatabase::ForEach<VelSpellLevelInfo>(VelDatabase::kTagSpellLevel, [&](const VelSpellLevelInfo& row) {
        if (row.level >= kSpellLevels)
            return;
        if (row.classId >= 0)
            classLevels[row.key][row.classId] = row.level;
        else if (row.domainId >= 0)
            ++lists.byDomain[row.domainId][row.level];
    });
    for (const auto& [spell, levels] : classLevels)
    {
        for (const auto& [classId, level] : levels)
            if (classId != VelIds::kClassScholarCaster)
                ++lists.byClass[classId][level];
        auto it = levels.find(VelIds::kClassInnateCaster);
        if (it == levels.end())
            it = levels.find(VelIds::kClassScholarCaster);
        if (it != levels.end())
            ++lists.byClass[VelIds::kClassScholarCaster][it->second];
    }
    return lists;
}

// How many spells of each level a caster of the class and level may know
// (classes with a list of known spells, and the spell-book class) or
// prepare (the others).
Counts Needs(std::uint16_t classId, std::int16_t level)
{
    Counts need{};
    const VelSpellsPerInfo* perDay = VelDatabase::FindSpellsPer(classId, static_cast<std::uint16_t>(level));
    const VelSpellsPerInfo* known = VelDatabase::FindSpellsPer220(classId, static_cast<std::uint16_t>(level));
    if (!perDay)
        return need;
    for (int k = 0; k < kSpellLevels; ++k)
    {
        const int bonus = BonusSpells(k, kCastingScore);
        if (KeepsKnownList(classId))
        {
            const bool bonusOnly = known && k == known->bonusOnlyLevel && bonus <= 0;
            need[k] = known && !bonusOnly ? std::max<int>(known->spells[k], 0) : 0;
        }
        else if (perDay->spells[k] >= 0 && !(k == perDay->bonusOnlyLevel && bonus <= 0))
        {
            need[k] = perDay->spells[k] + bonus;
        }
    }
    if (classId != VelIds::kClassScholarCaster)
        return need;
    // The spell book: the casting modifier plus 3 first-level spells, then
    // 2 of the highest level castable at each new class level.
    int highest = 0;
    for (int k = 1; k < kSpellLevels; ++k)
        if (perDay->spells[k] >= 0 && perDay->spells[k] + BonusSpells(k, kCastingScore) > 0)
            highest = k;
    std::fill(need.begin() + 1, need.end(), 0);
    if (highest > 0)
        need[1] = kCastingScore / 2 - 5 + 3;
    for (std::int16_t l = 2; l <= level; ++l)
    {
        const VelSpellsPerInfo* row = VelDatabase::FindSpellsPer(classId, static_cast<std::uint16_t>(l));
        int top = 0;
        for (int k = 1; row && k < kSpellLevels; ++k)
            if (row->spells[k] > 0)
                top = k;
        top = std::min(top, highest);
        if (top > 0)
            need[top] += 2;
    }
    return need;
}
} // namespace

TEST(RulesSpellContentTest, CastingClassesFindEnoughSpellsAtEveryLevel)
{
    DbFixture db;
    ASSERT_TRUE(LoadShipped()) << "the build compiles content/rules into Resources/Database (target rules)";
    const SpellLists lists = CollectLists();
    int castingClasses = 0;
    for (std::uint16_t classId = 0; classId < VelIds::kClassCount; ++classId)
    {
        const VelClassInfo* record = VelDatabase::FindClass(classId);
        ASSERT_NE(record, nullptr) << "class " << classId;
        if (record->castingKind == 0)
            continue;
        ++castingClasses;
        const auto found = lists.byClass.find(static_cast<std::int16_t>(classId));
        const Counts have = found == lists.byClass.end() ? Counts{} : found->second;
        for (std::int16_t level = 1; level <= kTopClassLevel; ++level)
        {
            ASSERT_NE(VelDatabase::FindSpellsPer(classId, static_cast<std::uint16_t>(level)), nullptr)
                << record->name << " has no spells per day at level " << level;
            if (KeepsKnownList(classId))
            {
                EXPECT_NE(VelDatabase::FindSpellsPer220(classId, static_cast<std::uint16_t>(level)), nullptr)
                    << record->name << " has no spells known at level " << level;
            }
            const Counts need = Needs(classId, level);
            // The spell book fills a slot with a spell of its level or lower.
            const bool cumulative = classId == VelIds::kClassScholarCaster;
            int needSoFar = 0;
            int haveSoFar = 0;
            for (int k = 0; k < kSpellLevels; ++k)
            {
                needSoFar = (cumulative && k > 0 ? needSoFar : 0) + need[k];
                haveSoFar = (cumulative && k > 0 ? haveSoFar : 0) + have[k];
                EXPECT_GE(haveSoFar, needSoFar)
                    << record->name << " level " << level << ", spell level " << k;
            }
        }
    }
    EXPECT_EQ(castingClasses, 7);
}

TEST(RulesSpellContentTest, EveryDomainHasASpellAtEachLevel)
{
    DbFixture db;
    ASSERT_TRUE(LoadShipped()) << "the build compiles content/rules into Resources/Database (target rules)";
    const SpellLists lists = CollectLists();
    FCObjectMap* domains = VelDatabase::GetMap(VelDatabase::kTagDomain);
    ASSERT_NE(domains, nullptr);
    EXPECT_EQ(domains->GetCount(), 22u);
    FCObject* object = nullptr;
    std::int16_t domainId = 0;
    for (auto walk = domains->First(); domains->GetNext(domainId, object, &walk);)
    {
        const auto found = lists.byDomain.find(domainId);
        const Counts have = found == lists.byDomain.end() ? Counts{} : found->second;
        for (int k = 1; k < kSpellLevels; ++k)
            EXPECT_GE(have[k], 1) << "domain " << domainId << ", spell level " << k;
    }
}

TEST(RulesSpellContentTest, SpellRowsAreSound)
{
    DbFixture db;
    ASSERT_TRUE(LoadShipped()) << "the build compiles content/rules into Resources/Database (target rules)";
    FCObjectMap* spells = VelDatabase::GetMap(VelDatabase::kTagSpell);
    ASSERT_NE(spells, nullptr);
    EXPECT_GE(spells->GetCount(), 300u);
    std::map<std::int16_t, int> rowsPerSpell;
    VelDatabase::ForEach<VelSpellLevelInfo>(VelDatabase::kTagSpellLevel, [&](const VelSpellLevelInfo& row) {
        ++rowsPerSpell[row.key];
        EXPECT_NE(row.classId < 0, row.domainId < 0) << "spell " << row.key << " names both or neither";
        EXPECT_LT(row.level, kSpellLevels) << "spell " << row.key;
        EXPECT_NE(VelDatabase::FindSpell(static_cast<std::uint16_t>(row.key)), nullptr) << "spell " << row.key;
    });
    FCObject* object = nullptr;
    std::int16_t spellId = 0;
    for (auto walk = spells->First(); spells->GetNext(spellId, object, &walk);)
    {
        const auto& spell = static_cast<const VelSpellInfo&>(*static_cast<VelInfo*>(object));
        EXPECT_NE(VelDatabase::FindSchool(spell.schoolId), nullptr) << spell.name;
        EXPECT_GT(rowsPerSpell[spellId], 0) << spell.name << " is cast by no class and no domain";
        EXPECT_FALSE(spell.description.empty()) << spell.name;
    }
}
