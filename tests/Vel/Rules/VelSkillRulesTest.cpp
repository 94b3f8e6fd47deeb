#include "Vel/Rules/VelSkillRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainSkillInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelRaceSkillInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpokenLanguageInfo.h"
#include "Vel/Rules/VelLimitFlags.h"
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
namespace Id = VelIds;
constexpr std::uint16_t kHuman = 1, kPlain = 2; // humans: +1 skill point, +2 climb
constexpr std::uint16_t kClimb = 3; // STR; warriors' class skill, priests' cross, scholars' none
constexpr std::uint16_t kPray = 5;  // a skill of the luck domain
constexpr std::uint16_t kOdd = 6;   // ability index 9
constexpr std::uint16_t kLuck = 8, kCommon = 1, kElvish = 2, kSecret = 3;
constexpr std::uint16_t kNoSub = VelCharacterSkill::kNoSubSkill;

VelSkillInfo Skill(std::int16_t ability, std::int32_t warrior, std::int32_t priest,
                   std::int32_t scholar, std::uint8_t armorCheck = 0)
{
    return MakeRecord<VelSkillInfo>(
        [&](VelSkillInfo& s)
        {
            s.ability = ability;
            s.armorCheck = armorCheck;
            s.classKinds.fill(2);
            s.classKinds[Id::kClassWarrior] = warrior;
            s.classKinds[Id::kClassPriest] = priest;
            s.classKinds[Id::kClassScholarCaster] = scholar;
        });
}

VelSpokenLanguageInfo Spoken(std::uint16_t classId, std::uint16_t raceId, std::uint8_t automatic)
{
    return MakeRecord<VelSpokenLanguageInfo>(
        [&](auto& r) { r.classId = classId, r.raceId = raceId, r.automatic = automatic; });
}

class SkillRulesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        db.Section(VelDatabase::kTagRace)
            .Add(kHuman, MakeRecord<VelRaceInfo>([](auto& r) { r.skillPoints = 1; }))
            .Add(kPlain, VelRaceInfo());
        db.Section(VelDatabase::kTagClass);
        for (std::int16_t id = 0; id < Id::kClassCount; ++id)
            db.Add(id, MakeRecord<VelClassInfo>(
                           [&](auto& r) { r.skillPoints = id == Id::kClassWarrior ? 2 : 4; }));
        db.Section(VelDatabase::kTagSkill)
            .Add(kClimb, Skill(VelEntity::kStr, 1, 2, 0, 1))
            .Add(kPray, Skill(VelEntity::kWis, 2, 2, 2))
            .Add(kOdd, Skill(9, 1, 1, 1))
            .Add(Id::kSkillSpeakLanguage, Skill(-1, 1, 1, 1));
        db.Section(VelDatabase::kTagDomainSkill)
            .Add(kLuck, MakeRecord<VelDomainSkillInfo>([](auto& r) { r.skillId = kPray; }));
        db.Section(VelDatabase::kTagRaceSkill)
            .Add(kHuman,
                 MakeRecord<VelRaceSkillInfo>([](auto& r) { r.skillId = kClimb, r.bonus = 2; }));
        db.Section(VelDatabase::kTagLanguage)
            .Add(kCommon, VelLanguageInfo())
            .Add(kElvish, VelLanguageInfo())
            .Add(kSecret, MakeRecord<VelLanguageInfo>([](auto& r) { r.restricted = 1; }));
        db.Section(VelDatabase::kTagSpokenLanguage)
            .Add(kCommon, Spoken(0xFFFF, kHuman, 1))
            .Add(kElvish, Spoken(Id::kClassScholarCaster, 0xFFFF, 0))
            .Add(kSecret, Spoken(Id::kClassWarrior, 0xFFFF, 1));
        ASSERT_TRUE(db.Load());
        c.raceId = kPlain;
        c.abilities = {14, 10, 10, 10, 12, 10};
    }

    VelCharacterSkill* AddRanks(std::uint16_t skillId, std::int16_t column, float ranks,
                                float cross = 0.0f, std::uint16_t subSkill = kNoSub)
    {
        auto* skill = new VelCharacterSkill(skillId, subSkill);
        skill->SetRanks(column, VelCharacterSkill::kClassRanks, ranks);
        skill->SetRanks(column, VelCharacterSkill::kCrossClassRanks, cross);
        return Adopt(skill, [&](auto* s) { c.AddSkill(s); });
    }

    QuietLog quiet;
    DbFixture db;
    VelCharacter c;
};

TEST_F(SkillRulesTest, SkillPointsPerClassEntry)
{
    // Warriors 2 a level, scholars 4; only the first class's first level counts four times.
    // INT, race, warrior levels, scholar levels, warrior points, scholar points.
    const std::vector<std::array<std::uint16_t, 6>> cases = {{8, kPlain, 1, 0, 4, 0},
                                                             {8, kPlain, 3, 0, 6, 0},
                                                             {3, kPlain, 2, 0, 5, 0},
                                                             {14, kHuman, 1, 2, 20, 14},
                                                             {14, kHuman, 0, 0, 0, 0}};
    for (const auto& [intScore, race, warriorLevels, scholarLevels, warrior, scholar] : cases)
    {
        VelCharacter fresh;
        fresh.raceId = race;
        fresh.abilities[VelEntity::kInt] = intScore;
        fresh.AddClass(Id::kClassWarrior)->level = warriorLevels;
        fresh.AddClass(Id::kClassScholarCaster)->level = scholarLevels;
        EXPECT_EQ(ComputeSkillPoints(&fresh), warrior + scholar)
            << intScore << " " << warriorLevels;
        EXPECT_EQ(fresh.GetClassAt(0)->skillPointsAvailable, warrior);
    }
    c.AddClass(40)->level = 3; // a class without its record is worth nothing
    EXPECT_EQ(ComputeSkillPoints(&c), 0);
}

TEST_F(SkillRulesTest, MaximumRanksWithHalfRanks)
{
    using Classes = std::vector<std::pair<std::uint16_t, std::uint16_t>>;
    const std::vector<std::tuple<Classes, std::uint16_t, float>> cases = {
        {{{Id::kClassPriest, 1}}, kClimb, 2.0f},        // cross-class
        {{{Id::kClassScholarCaster, 1}}, kClimb, 1.5f}, // closed, no class skill
        {{{Id::kClassWarrior, 3}}, kClimb, 6.0f},
        {{{Id::kClassWarrior, 2}, {Id::kClassPriest, 3}}, kClimb, 8.0f},
        {{{Id::kClassWarrior, 2}, {Id::kClassScholarCaster, 3}},
         kClimb,
         5.0f}, // class-skill levels
        {{{Id::kClassWarrior, 5}}, Id::kSkillSpeakLanguage, 1.0f},
        {{{Id::kClassWarrior, 5}}, 99, 0.0f}};
    for (const auto& [classes, skill, expected] : cases)
    {
        VelCharacter fresh;
        for (auto [id, level] : classes)
            fresh.AddClass(id)->level = level;
        EXPECT_FLOAT_EQ(GetMaxSkillRanks(&fresh, skill), expected) << "skill " << skill;
    }
    // Steps: a class rank needs room for a whole rank, a cross-class one for half.
    c.AddClass(Id::kClassWarrior); // climb maximum 4
    EXPECT_FLOAT_EQ(CanRaiseSkill(&c, Id::kClassWarrior, kClimb, kNoSub), 4.0f);
    VelCharacterSkill* climb = AddRanks(kClimb, Id::kClassWarrior, 3.5f);
    EXPECT_FLOAT_EQ(CanRaiseSkill(&c, Id::kClassWarrior, kClimb, kNoSub), 0.0f);
    EXPECT_FLOAT_EQ(CanRaiseSkill(&c, Id::kClassPriest, kClimb, kNoSub), 4.0f);
    EXPECT_FALSE(IsSkillRaisable(&c, Id::kClassWarrior, kClimb, kNoSub));
    EXPECT_TRUE(IsSkillRaisable(&c, Id::kClassPriest, kClimb, kNoSub));
    climb->SetRanks(Id::kClassWarrior, VelCharacterSkill::kClassRanks, 3.0f);
    EXPECT_FLOAT_EQ(CanRaiseSkill(&c, Id::kClassWarrior, kClimb, kNoSub), 4.0f);
}

TEST_F(SkillRulesTest, ClassKindsAndModifier)
{
    const VelSkillInfo* pray = VelDatabase::FindSkill(kPray);
    c.SetGodSlot(2, kLuck);
    EXPECT_EQ(GetSkillClassKind(&c, Id::kClassPriest, pray), 1);
    EXPECT_EQ(GetSkillClassKind(&c, Id::kClassPriest, pray, true), 2);
    EXPECT_EQ(GetSkillClassKind(&c, Id::kClassWarrior, pray), 2);
    EXPECT_EQ(GetSkillClassKind(&c, Id::kClassCount, pray), 0); // outside the table
    c.raceId = kHuman;
    c.values[VelCharacter::kValueCheckPenalty] = static_cast<std::uint32_t>(-3);
    AddRanks(kClimb, Id::kClassWarrior, 2.0f, 0.5f);
    float ranks = 0;
    std::int16_t ability = 0, misc = 0;
    // STR +2, race +2, armour check -3.
    EXPECT_FLOAT_EQ(GetSkillModifier(&c, kClimb, kNoSub, &ranks, &ability, &misc), 3.5f);
    EXPECT_EQ(std::make_tuple(ranks, ability, misc), std::make_tuple(2.5f, 2, -1));
    AddRanks(kOdd, 0, 1.0f); // an ability index from data outside the six adds nothing
    EXPECT_FLOAT_EQ(GetSkillModifier(&c, kOdd, kNoSub, nullptr, &ability, nullptr), 1.0f);
    EXPECT_FLOAT_EQ(GetSkillModifier(&c, kPray, kNoSub, &ranks, &ability, &misc), 0.0f);
}

TEST_F(SkillRulesTest, Languages)
{
    c.raceId = kHuman;
    c.AddClass(Id::kClassWarrior);
    AddAutomaticLanguages(&c);
    ASSERT_NE(c.FindLanguage(kCommon), nullptr);
    EXPECT_EQ(c.FindLanguage(kCommon)->extra, VelCharacterLanguage::kFixed);
    EXPECT_FALSE(CanChooseLanguage(&c, kElvish));
    c.AddClass(Id::kClassScholarCaster);
    EXPECT_TRUE(CanChooseLanguage(&c, kElvish));
    VelCharacter open; // may choose any language but a restricted one
    open.raceId = Id::kRaceAnyLanguage;
    EXPECT_TRUE(CanChooseLanguage(&open, kElvish));
    EXPECT_FALSE(CanChooseLanguage(&open, kSecret));
    AddRanks(Id::kSkillSpeakLanguage, 0, 0.0f, 0.0f, 9);
    std::vector<std::uint16_t> known{42};
    CollectKnownLanguages(&c, known);
    EXPECT_EQ(known, (std::vector<std::uint16_t>{kCommon, kSecret, 9}));
    c.values[VelCharacter::kValueLanguagesChosen] = 1; // none allowed
    EXPECT_EQ(CheckLanguageLimit(&c), VelLimitFlags::kLanguages);
}

TEST_F(SkillRulesTest, LimitsFlagEntriesAboveTheirMaximum)
{
    VelCharacterClass* priest = c.AddClass(Id::kClassPriest);
    priest->skillPointsAvailable = 8;
    VelCharacterSkill* climb = AddRanks(kClimb, Id::kClassPriest, 0.0f, 2.5f); // maximum 2
    VelCharacterSkill* ghost = AddRanks(99, Id::kClassPriest, 9.0f);           // no record
    EXPECT_EQ(CheckSkillLimits(&c, true), VelLimitFlags::kSkills);
    EXPECT_TRUE(climb->flags & VelCharacterSkill::kOverLimit);
    EXPECT_FALSE(ghost->flags & VelCharacterSkill::kOverLimit);
    climb->SetRanks(Id::kClassPriest, VelCharacterSkill::kCrossClassRanks, 2.0f);
    EXPECT_EQ(CheckSkillLimits(&c, false), 0u);
    EXPECT_FALSE(climb->flags & VelCharacterSkill::kOverLimit);
    priest->skillPointsSpent = 9;
    EXPECT_EQ(CheckSkillLimits(&c, false), VelLimitFlags::kSkills);
}
} // namespace
