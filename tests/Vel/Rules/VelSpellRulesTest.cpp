#include "Vel/Rules/VelSpellRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelClassAlignmentInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelDomainSkillInfo.h"
#include "Vel/Db/VelGodDomainFeatInfo.h"
#include "Vel/Db/VelGodDomainInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelGodRaceInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSpellsPerInfo.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace
{
namespace Id = VelIds;
using Levels = std::array<std::int16_t, 4>;                  // spell levels 0 to 3; none above
constexpr std::uint16_t kNoAbility = Id::kClassNaturePriest; // casts, but names no ability
constexpr std::uint16_t kLawful = 4, kKind = 5, kFree = 7, kUnknown = 6; // kind accepts lawful
constexpr std::uint16_t kSun = 1, kDwarf = 2, kWild = 3, kMoon = 4;
constexpr std::uint16_t kLaw = 10, kLuck = 11, kPray = 5;
constexpr std::uint16_t kBlessing = 40, kLuckFeat = 41, kChosen = 42, kBonus = 43, kMoonFeat = 44;

VelSpellsPerInfo Row(std::int16_t level, Levels spells, std::int16_t bonusOnly = -1)
{
    VelSpellsPerInfo row;
    row.classLevel = level, row.bonusOnlyLevel = bonusOnly;
    std::copy(spells.begin(), spells.end(), row.spells.begin());
    return row;
}

VelGodDomainFeatInfo Grant(std::uint16_t domain, std::uint16_t feat, std::uint16_t choice = 0xFFFF)
{
    VelGodDomainFeatInfo row;
    row.domainId = domain, row.featId = feat, row.featChoice = choice;
    return row;
}

VelSpellLevelInfo Level(std::int16_t classId, std::uint16_t level)
{
    VelSpellLevelInfo row;
    row.classId = classId, row.level = level;
    return row;
}

VelGodInfo God(std::int16_t alignment, std::uint16_t excluded = 0, std::uint8_t raceOnly = 0)
{
    VelGodInfo god;
    god.alignment = alignment, god.excludedAlignment = excluded, god.raceRestricted = raceOnly;
    return god;
}

class SpellRulesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        db.Section(VelDatabase::kTagClass);
        for (std::int16_t id = 0; id < Id::kClassCount; ++id)
        {
            VelClassInfo record;
            record.castingKind = id != Id::kClassWarrior;
            record.castingAbility = id == kNoAbility                ? 0xFFFF
                                    : id == Id::kClassPriest        ? VelEntity::kWis
                                    : id == Id::kClassScholarCaster ? VelEntity::kInt
                                                                    : VelEntity::kCha;
            db.Add(id, record);
        }
        constexpr auto kScholar = static_cast<std::int16_t>(Id::kClassScholarCaster);
        db.Section(VelDatabase::kTagSpellsPer).Add(Id::kClassPriest, Row(1, {3, 1, 0, -1}, 2));
        db.Add(kScholar, Row(1, {3, 1, -1, -1})).Add(kScholar, Row(2, {4, 2, -1, -1}));
        db.Add(kScholar, Row(3, {4, 2, 1, -1}));
        db.Section(VelDatabase::kTagSpellsPer220)
            .Add(Id::kClassInnateCaster, Row(1, {4, 2, -1, -1}, 1));
        VelAlignmentInfo kind, free;
        kind.compatible = {kLawful, 0xFFFF, 0xFFFF};
        db.Section(VelDatabase::kTagAlignment).Add(kLawful, free).Add(kKind, kind).Add(kFree, free);
        db.Section(VelDatabase::kTagGod).Add(0, God(4)).Add(kSun, God(kLawful)).Add(kMoon, God(0));
        db.Add(kDwarf, God(0, 0, 1)).Add(kWild, God(0, kKind));
        db.Section(VelDatabase::kTagGodRace)
            .Add(kDwarf, MakeRecord<VelGodRaceInfo>([](auto& r) { r.raceId = 1; }));
        db.Section(VelDatabase::kTagGodDomain)
            .Add(kSun, MakeRecord<VelGodDomainInfo>([](auto& r) { r.domainId = kLaw; }));
        db.Section(VelDatabase::kTagDomain)
            .Add(kLaw, VelDomainInfo())
            .Add(kLuck, MakeRecord<VelDomainInfo>([](auto& r) { r.alignmentMask = 4; }));
        db.Section(VelDatabase::kTagGodDomainFeat).Add(kSun, Grant(kLaw, kBlessing));
        db.Add(kSun, Grant(kLuck, kLuckFeat, 7)).Add(kSun, Grant(kLaw, kChosen));
        db.Add(kSun, Grant(kLaw, kBonus)).Add(kMoon, Grant(kLaw, kMoonFeat));
        db.Section(VelDatabase::kTagSkill)
            .Add(kPray, MakeRecord<VelSkillInfo>([](auto& r) { r.classKinds.fill(2); }));
        db.Section(VelDatabase::kTagDomainSkill)
            .Add(kLuck, MakeRecord<VelDomainSkillInfo>([](auto& r) { r.skillId = kPray; }));
        const auto charm = MakeRecord<VelSpellInfo>([](auto& r) { r.schoolId = 3; });
        db.Section(VelDatabase::kTagSpell).Add(200, charm).Add(300, charm).Add(301, charm);
        db.Add(302, charm);
        // Level-0 spells: 300 by its innate row, 301 by its scholar row; 302's innate row wins.
        db.Section(VelDatabase::kTagSpellLevel).Add(300, Level(Id::kClassInnateCaster, 0));
        db.Add(301, Level(Id::kClassScholarCaster, 0)).Add(302, Level(Id::kClassInnateCaster, 1));
        db.Add(302, Level(Id::kClassScholarCaster, 0));
        db.Section(VelDatabase::kTagClassAlignment)
            .Add(Id::kClassHolyKnight,
                 MakeRecord<VelClassAlignmentInfo>([](auto& r) { r.alignmentId = kKind; }));
        ASSERT_TRUE(db.Load());
    }

    VelCharacterFeat* Give(std::uint16_t featId, std::uint32_t flags)
    {
        return Adopt(new VelCharacterFeat(featId, 0xFFFF, 0xFFFF, Id::kClassPriest),
                     [&](auto* feat) { feat->flags = flags, c.InsertFeat(feat); });
    }

    QuietLog quiet;
    DbFixture db;
    VelCharacter c;
};

TEST(SpellFormulaTest, BonusSpellsAreNeverNegative)
{
    const std::vector<std::array<std::int16_t, 3>> cases = {{1, 11, 0}, {1, 12, 1}, {3, 17, 1},
                                                            {0, 30, 0}, {1, 20, 2}, {5, 20, 1},
                                                            {6, 20, 0}, {9, 10, 0}, {4, 0, 0}};
    for (const auto& [level, score, expected] : cases)
        EXPECT_EQ(GetBonusSpells(level, score), expected) << level << " " << score;
}

TEST_F(SpellRulesTest, CasterLevelAndSaveDifficulty)
{
    const std::vector<std::array<std::uint16_t, 3>> cases = {{Id::kClassHolyKnight, 3, 0},
                                                             {Id::kClassHolyKnight, 5, 2},
                                                             {Id::kClassTracker, 9, 4},
                                                             {Id::kClassPriest, 7, 7},
                                                             {Id::kClassWarrior, 5, 0}};
    for (const auto& [classId, level, expected] : cases)
    {
        VelCharacter fresh;
        fresh.AddClass(classId)->level = level;
        EXPECT_EQ(GetCasterLevel(&fresh, classId), expected) << classId << " " << level;
    }
    c.abilities[VelEntity::kWis] = 16;
    EXPECT_EQ(GetSpellSaveDifficulty(&c, VelDatabase::FindClass(Id::kClassPriest), 2), 15);
    EXPECT_EQ(GetSpellSaveDifficulty(&c, VelDatabase::FindClass(kNoAbility), 2), kNoSaveDifficulty);
}

TEST_F(SpellRulesTest, SpellsPerDayAndKnown)
{
    // The priest's row: 3, 1, and 0 that only a bonus spell opens.
    const std::vector<std::pair<std::uint16_t, Levels>> perDay = {
        {9, {-1, -1, -1, -1}}, {10, {3, -1, -1, -1}}, {12, {3, 2, -1, -1}}, {16, {3, 2, 1, -1}}};
    for (const auto& [wisdom, expected] : perDay)
    {
        VelCharacter fresh;
        fresh.abilities[VelEntity::kWis] = wisdom;
        VelCharacterClass* priest = fresh.AddClass(Id::kClassPriest);
        ComputeSpellsPerDay(&fresh);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), priest->spellsPerDay.begin()))
            << wisdom;
    }
    VelCharacter fresh;
    fresh.abilities = {18, 18, 18, 14, 18, 11};
    VelCharacterClass* innate = fresh.AddClass(Id::kClassInnateCaster);
    VelCharacterClass* scholar = fresh.AddClass(Id::kClassScholarCaster);
    scholar->level = 3;
    VelCharacterClass* odd = fresh.AddClass(kNoAbility);
    VelCharacterClass* priest = fresh.AddClass(Id::kClassPriest);
    priest->level = 2; // no row for the level
    ComputeSpellsPerDay(&fresh);
    ComputeSpellsKnown(&fresh);
    EXPECT_EQ(odd->spellsPerDay[0], -1);
    EXPECT_EQ(priest->spellsPerDay[0], -1);
    EXPECT_EQ(innate->spellsKnown[0], 4);
    EXPECT_EQ(innate->spellsKnown[1], 0); // bonus-only level without a bonus spell
    // INT +2: 5 first-level spells, +2 at level 2 (top level 1) and at level 3 (top 2).
    EXPECT_EQ(HighestSpellLevel(scholar), 2);
    EXPECT_TRUE(std::equal(scholar->spellsKnown.begin(), scholar->spellsKnown.begin() + 4,
                           Levels{0, 7, 2, 0}.begin()));
    fresh.abilities[VelEntity::kCha] = 12;
    ComputeSpellsKnown(&fresh);
    EXPECT_EQ(innate->spellsKnown[1], 2);
}

TEST_F(SpellRulesTest, LevelZeroSpellsAndSpellLimits)
{
    VelCharacterClass* scholar = c.AddClass(Id::kClassScholarCaster);
    AddLevelZeroSpells(&c);
    VelCharacterSpell* granted = c.FindSpell(VelCharacterSpell(300, Id::kClassScholarCaster));
    ASSERT_NE(granted, nullptr);
    EXPECT_EQ(std::make_pair(granted->spellLevel, granted->extra),
              std::make_pair(std::int16_t{11}, 8u));
    EXPECT_TRUE(c.HasSpell(301, Id::kClassScholarCaster));
    EXPECT_FALSE(c.HasSpell(302, Id::kClassScholarCaster)); // its innate row says level 1
    EXPECT_EQ(CheckSpellLimits(&c), 0u);

    VelCharacterSpell* charm =
        Adopt(new VelCharacterSpell(200, Id::kClassScholarCaster),
              [&](auto* spell) { spell->thirdKey = spell->spellLevel = 1, c.AddSpell(spell); });
    scholar->spellsChosen[1] = 3;
    scholar->spellsKnown[1] = 2;
    EXPECT_EQ(CheckSpellLimits(&c), VelLimitFlags::kSpellsChosen);
    c.SetSchool(2, 3);
    EXPECT_EQ(CheckSpellLimits(&c), VelLimitFlags::kProhibitedSpell);
    charm->thirdKey = 0;
    charm->spellLevel = -1; // a slot from a file outside 0 to 9 counts nowhere
    EXPECT_EQ(CheckSpellLimits(&c), 0u);
}

TEST_F(SpellRulesTest, GodAndDomainMatrices)
{
    struct Case
    {
        std::uint16_t god, race, alignment;
        bool expected;
    };
    for (const Case& t : std::vector<Case>{{0, 9, kUnknown, true},
                                           {kSun, 0, kLawful, true},
                                           {kSun, 0, kKind, true},
                                           {kSun, 0, kFree, false},
                                           {kSun, 0, kUnknown, false},
                                           {kDwarf, 1, kFree, true},
                                           {kDwarf, 2, kFree, false},
                                           {kWild, 0, kKind, false},
                                           {kWild, 0, kLawful, true}})
    {
        c.raceId = t.race;
        c.alignmentId = t.alignment;
        EXPECT_EQ(IsGodAllowed(&c, VelDatabase::FindGod(t.god)), t.expected)
            << "god " << t.god << " race " << t.race << " alignment " << t.alignment;
    }
    for (const Case& t : std::vector<Case>{{kLaw, 0, 2, true},
                                           {kLuck, 0, kLawful, true},
                                           {kLuck, 0, kKind, true},
                                           {kLuck, 0, 2, false}})
    {
        c.alignmentId = t.alignment;
        EXPECT_EQ(MatchesAlignmentMask(&c, VelDatabase::FindDomain(t.god)), t.expected) << t.god;
    }
    EXPECT_TRUE(IsGodDomain(0, kLuck));
    EXPECT_TRUE(IsGodDomain(kSun, kLaw));
    EXPECT_FALSE(IsGodDomain(kSun, kLuck));
    c.SetGodSlot(0, kSun);
    c.SetGodSlot(1, kLuck);
    c.alignmentId = 2;
    EXPECT_EQ(CheckGodLimit(&c), VelLimitFlags::kGod);
    c.alignmentId = kLawful;
    EXPECT_EQ(CheckGodLimit(&c), 0u);
    EXPECT_FALSE(IsAlignmentAllowedForClass(Id::kClassHolyKnight, kKind));
    c.AddClass(Id::kClassPriest);
    EXPECT_TRUE(IsAlignmentAllowedForClasses(&c, kKind));
    c.AddClass(Id::kClassHolyKnight);
    EXPECT_FALSE(IsAlignmentAllowedForClasses(&c, kKind));
}

TEST_F(SpellRulesTest, GodsGrantAndWithdrawFeats)
{
    c.AddClass(Id::kClassPriest);
    c.values[VelCharacter::kValueFeatsUsed] = 5;
    VelCharacterFeat* chosen = Give(kChosen, 0);
    VelCharacterFeat* bonus = Give(kBonus, VelCharacterFeat::kBonusFeat);
    SetDomain(&c, 0, kLaw); // no god yet: nothing granted
    EXPECT_FALSE(c.HasFeat(kBlessing, 0xFFFF, -1));
    SetGod(&c, kSun);
    const VelCharacterFeat* blessing = c.FindFeat(kBlessing, 0xFFFF, -1);
    ASSERT_NE(blessing, nullptr);
    EXPECT_EQ(std::make_pair(blessing->flags, blessing->classId),
              std::make_pair(0x408u, Id::kClassPriest));
    EXPECT_EQ(chosen->flags, 0x40Cu);
    EXPECT_EQ(bonus->flags, VelCharacterFeat::kBonusFeat); // took no general slot: left alone
    EXPECT_EQ(c.values[VelCharacter::kValueFeatsUsed], 4u);
    EXPECT_TRUE(c.changeMask & VelCharacter::kChangedFeats);
    SetGod(&c, kMoon); // another god takes back what the first gave
    EXPECT_FALSE(c.HasFeat(kBlessing, 0xFFFF, -1));
    EXPECT_EQ(chosen->flags, 0u);
    EXPECT_EQ(c.values[VelCharacter::kValueFeatsUsed], 5u);
    EXPECT_TRUE(c.HasFeat(kMoonFeat, 0xFFFF, -1));
    SetGod(&c, -1);
    EXPECT_FALSE(c.HasFeat(kMoonFeat, 0xFFFF, -1));
}

TEST_F(SpellRulesTest, ANewGodOrDomainIsAnEditEvenWithoutFeats)
{
    c.AddClass(Id::kClassPriest);
    struct Step
    {
        const char* what;
        bool god;
        std::int16_t id;
        bool edit;
    };
    const Step steps[] = {
        {"a domain with no god grants nothing", false, kLaw, true},
        {"the same domain again", false, kLaw, false},
        {"a god", true, kSun, true},
        {"the same god again", true, kSun, false},
        {"no god", true, -1, true},
        {"no god again", true, -1, false},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        c.modified = 0;
        c.changeMask = 0;
        if (step.god)
            SetGod(&c, step.id);
        else
            SetDomain(&c, 0, step.id);
        EXPECT_EQ(c.modified, step.edit ? 1 : 0);
        EXPECT_EQ((c.changeMask & VelCharacter::kChangedGod) != 0, step.edit);
    }
}

TEST_F(SpellRulesTest, DomainsMoveThePriestsSkillRanks)
{
    constexpr auto kPriest = static_cast<std::int16_t>(Id::kClassPriest);
    c.AddClass(Id::kClassPriest);
    SetGod(&c, kSun);
    VelCharacterSkill* pray =
        Adopt(new VelCharacterSkill(kPray, VelCharacterSkill::kNoSubSkill),
              [&](auto* skill) {
                  skill->SetRanks(kPriest, VelCharacterSkill::kCrossClassRanks, 1.5f),
                      c.AddSkill(skill);
              });
    SetDomain(&c, 1, kLuck);
    EXPECT_TRUE(c.HasFeat(kLuckFeat, 7, -1));
    EXPECT_FLOAT_EQ(pray->GetRanks(kPriest, VelCharacterSkill::kClassRanks), 3.0f);
    EXPECT_FLOAT_EQ(pray->GetRanks(kPriest, VelCharacterSkill::kCrossClassRanks), 0.0f);
    EXPECT_TRUE(c.changeMask & VelCharacter::kChangedSkillKinds);
    SetDomain(&c, 1, kLaw); // replacing the domain withdraws its feat and its class skill
    EXPECT_FALSE(c.HasFeat(kLuckFeat, 7, -1));
    EXPECT_FLOAT_EQ(pray->GetRanks(kPriest, VelCharacterSkill::kCrossClassRanks), 1.5f);
    EXPECT_FLOAT_EQ(pray->GetRanks(kPriest, VelCharacterSkill::kClassRanks), 0.0f);
}
} // namespace
