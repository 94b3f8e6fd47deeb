#include "Vel/Rules/VelFeatRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFeatDependInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace
{
namespace Id = VelIds;
using Depend = VelFeatDependInfo;
constexpr std::int16_t kNoClass = -1;
constexpr std::uint16_t kNo = VelCharacterFeat::kNoChoice;
constexpr std::uint16_t kHeldFeat = 30;
constexpr std::uint16_t kOnce = 60, kRepeatable = 61, kCasterFeat = 62;
constexpr std::uint16_t kFirstRowFeat = 100;
constexpr std::uint16_t kFirstAbilityFeat = 200; // one per ability, each needing 15

struct PrerequisiteCase
{
    std::uint16_t type, ability, feat, skill;
    std::uint32_t minimum;
    std::int16_t classId;
    bool expected;
};

// The character: base attack 5, STR 13, feat 30, skill 3 (a sub-skill),
// the light armour flag, priest 3 (a caster) and warrior 4.
const std::vector<PrerequisiteCase> kPrerequisites = {
    {Depend::kHasFeat, 0, kHeldFeat, 0, 0, kNoClass, true},
    {Depend::kHasFeat, 0, 31, 0, 0, kNoClass, false},
    {Depend::kHasFeat, 0, Id::kFeatLightArmorProficiency, 0, 0, kNoClass, true}, // by the flag
    {Depend::kHasFeat, 0, Id::kFeatMediumArmorProficiency, 0, 0, kNoClass, false},
    {Depend::kHasSkill, 0, 0, 3, 0, kNoClass, true},
    {Depend::kHasSkill, 0, 0, 4, 0, kNoClass, false},
    {Depend::kBaseAttack, 0, 0, 0, 5, kNoClass, true},
    {Depend::kBaseAttack, 0, 0, 0, 6, kNoClass, false},
    {Depend::kAlwaysMet, 0, 0, 0, 99, kNoClass, true},
    {Depend::kAbilityScore, VelEntity::kStr, 0, 0, 13, kNoClass, true},
    {Depend::kAbilityScore, VelEntity::kStr, 0, 0, 14, kNoClass, false},
    {Depend::kAbilityScore, 9, 0, 0, 0, kNoClass, false}, // no such ability
    {Depend::kCasterLevel, 0, 0, 0, 3, Id::kClassPriest, true},
    {Depend::kCasterLevel, 0, 0, 0, 4, Id::kClassPriest, false},
    {Depend::kCasterLevel, 0, 0, 0, 0, Id::kClassWarrior, false},
    {Depend::kCasterLevel, 0, 0, 0, 9, kNoClass, true},
    {Depend::kClassPriestOrKnight, 0, 0, 0, 0, Id::kClassPriest, true},
    {Depend::kClassPriestOrKnight, 0, 0, 0, 0, Id::kClassWarrior, false},
    {Depend::kClassPriestOrKnight, 0, 0, 0, 0, kNoClass, true},
    {Depend::kClassWarriorLevel, 0, 0, 0, 0, Id::kClassWarrior, true},
    {Depend::kClassWarriorLevel, 0, 0, 0, 0, Id::kClassPriest, false},
    {Depend::kClassScholar, 0, 0, 0, 0, Id::kClassScholarCaster, true},
    {Depend::kClassScholar, 0, 0, 0, 0, Id::kClassWarrior, false},
    {Depend::kTotalLevel, 0, 0, 0, 7, kNoClass, true},
    {Depend::kTotalLevel, 0, 0, 0, 8, kNoClass, false},
    {12, 0, 0, 0, 0, kNoClass, true}, // a type this program does not know
};

Depend Row(std::uint16_t type, std::uint16_t ability, std::uint16_t feat, std::uint16_t skill,
           std::uint32_t minimum)
{
    return MakeRecord<Depend>(
        [&](Depend& r) {
            r.type = type, r.ability = ability, r.feat = feat, r.skill = skill, r.minimum = minimum;
        });
}

class FeatRulesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        db.Section(VelDatabase::kTagClass);
        for (std::int16_t id = 0; id < Id::kClassCount; ++id)
            db.Add(id, MakeRecord<VelClassInfo>(
                           [&](auto& r) {
                               r.castingKind =
                                   id == Id::kClassPriest || id == Id::kClassScholarCaster;
                           }));
        db.Section(VelDatabase::kTagFeat)
            .Add(kOnce, VelFeatInfo())
            .Add(kRepeatable, MakeRecord<VelFeatInfo>([](auto& r) { r.repeatable = 1; }))
            .Add(kCasterFeat, MakeRecord<VelFeatInfo>([](auto& r) { r.kind = 1; }))
            .Add(Id::kFeatLightArmorProficiency, VelFeatInfo());
        db.Section(VelDatabase::kTagFeatDepend);
        for (std::size_t i = 0; i < kPrerequisites.size(); ++i)
        {
            const PrerequisiteCase& t = kPrerequisites[i];
            db.Add(static_cast<std::int16_t>(kFirstRowFeat + i),
                   Row(t.type, t.ability, t.feat, t.skill, t.minimum));
        }
        // The tracker's style feat: a met attack row, then an unmet STR row.
        db.Add(Id::kFeatTrackerStyle, Row(Depend::kBaseAttack, 0, 0, 0, 1))
            .Add(Id::kFeatTrackerStyle, Row(Depend::kAbilityScore, VelEntity::kStr, 0, 0, 20));
        for (std::uint16_t a = 0; a < VelEntity::kAbilityCount; ++a)
            db.Add(static_cast<std::int16_t>(kFirstAbilityFeat + a), Row(Depend::kAbilityScore, a, 0, 0, 15));
        db.Section(VelDatabase::kTagEnemy)
            .Add(1, MakeRecord<VelEnemyInfo>([](auto& r) { r.raceId = 2; }));
        ASSERT_TRUE(db.Load());
        c.stats[VelEntity::kBaseAttack] = 5;
        c.abilities[VelEntity::kStr] = 13;
        c.proficiencies[2] = 1;
        c.AddClass(Id::kClassPriest)->level = 3;
        c.AddClass(Id::kClassWarrior)->level = 4;
        Give(kHeldFeat, kNo, 0);
        Adopt(new VelCharacterSkill(3, 2), [&](auto* skill) { c.AddSkill(skill); });
    }

    VelCharacterFeat* Give(std::uint16_t featId, std::uint16_t choice, std::uint32_t flags)
    {
        return Adopt(new VelCharacterFeat(featId, choice, kNo, Id::kClassWarrior),
                     [&](auto* feat) { feat->flags = flags, c.InsertFeat(feat); });
    }

    QuietLog quiet;
    DbFixture db;
    VelCharacter c;
};

TEST_F(FeatRulesTest, PrerequisitesOfEveryType)
{
    for (std::size_t i = 0; i < kPrerequisites.size(); ++i)
    {
        const PrerequisiteCase& t = kPrerequisites[i];
        SCOPED_TRACE(testing::Message() << "case " << i << " type " << t.type);
        EXPECT_EQ(
            AreFeatPrerequisitesMet(&c, t.classId, static_cast<std::uint16_t>(kFirstRowFeat + i)),
            t.expected);
    }
    // The tracker tests only the attack rows of its style feat.
    EXPECT_TRUE(AreFeatPrerequisitesMet(&c, Id::kClassTracker, Id::kFeatTrackerStyle));
    EXPECT_FALSE(AreFeatPrerequisitesMet(&c, Id::kClassWarrior, Id::kFeatTrackerStyle));
}

TEST_F(FeatRulesTest, FeatsGainedByLevelAndClass)
{
    constexpr std::uint16_t kPri = Id::kClassPriest, kWar = Id::kClassWarrior;
    constexpr std::uint16_t kSch = Id::kClassScholarCaster, kMin = Id::kClassMinstrel;
    constexpr std::uint16_t kTra = Id::kClassTracker, kSki = Id::kClassSkirmisher;
    constexpr std::uint16_t kVer = Id::kRaceVersatile;
    // Class, race, level, starting level; general, class bonus and special choices gained.
    const std::vector<std::array<std::uint16_t, 7>> cases = {
        {kPri, kVer, 1, 0, 2, 0, 0}, {kPri, kVer, 3, 2, 1, 0, 0}, {kPri, 1, 1, 0, 1, 0, 0},
        {kPri, 1, 2, 1, 0, 0, 0},    {kPri, 1, 6, 0, 3, 0, 0},    {kPri, 1, 0, 0, 0, 0, 0},
        {kWar, 1, 1, 0, 1, 1, 0},    {kWar, 1, 2, 1, 0, 1, 0},    {kWar, 1, 3, 2, 1, 0, 0},
        {kWar, 1, 4, 0, 2, 3, 0},    {kSch, 1, 5, 4, 0, 1, 0},    {kSch, 1, 10, 0, 4, 2, 0},
        {kMin, 1, 1, 0, 1, 0, 1},    {kMin, 1, 2, 1, 0, 0, 0},    {kTra, 1, 1, 0, 1, 0, 1},
        {kTra, 1, 5, 4, 0, 0, 1},    {kTra, 1, 6, 5, 1, 0, 0},    {kSki, 1, 9, 0, 4, 0, 0},
        {kSki, 1, 10, 9, 0, 0, 1},   {kSki, 1, 13, 10, 1, 0, 1},  {kSki, 1, 12, 10, 1, 0, 0},
    };
    for (const auto& [classId, race, level, starting, general, bonus, special] : cases)
    {
        SCOPED_TRACE(testing::Message() << "class " << classId << " race " << race << " "
                                        << starting << " -> " << level);
        VelCharacter fresh;
        fresh.raceId = race;
        VelCharacterClass* entry = fresh.AddClass(classId);
        entry->level = level;
        entry->startingLevel = starting;
        EXPECT_EQ(GetGeneralFeatsGained(&fresh), general);
        EXPECT_EQ(GetClassBonusFeatsGained(&fresh, classId), bonus);
        EXPECT_EQ(GetSpecialChoicesGained(&fresh, entry), special);
        fresh.values[VelCharacter::kValueFeatsAllowed] = 1;
        GrantLevelFeats(&fresh);
        GrantSpecialChoices(&fresh, entry);
        EXPECT_EQ(fresh.values[VelCharacter::kValueFeatsAllowed], 1u + general);
        EXPECT_EQ(entry->bonusFeats, bonus);
        EXPECT_EQ(entry->specialChoices, special);
    }
}

TEST_F(FeatRulesTest, TakingFeats)
{
    EXPECT_TRUE(CanTakeFeat(&c, Id::kClassWarrior, kOnce));
    Give(kOnce, kNo, 0);
    Give(kRepeatable, kNo, 0);
    EXPECT_FALSE(CanTakeFeat(&c, Id::kClassWarrior, kOnce));
    EXPECT_TRUE(CanTakeFeat(&c, Id::kClassWarrior, kRepeatable));
    EXPECT_FALSE(CanTakeFeat(&c, Id::kClassWarrior, kCasterFeat));
    EXPECT_TRUE(CanTakeFeat(&c, Id::kClassPriest, kCasterFeat));
    EXPECT_FALSE(CanTakeFeat(&c, Id::kClassWarrior, Id::kFeatLightArmorProficiency));
    c.raceId = 2; // the enemy's own race; a missing enemy record stays open
    EXPECT_FALSE(IsSpecialChoiceAvailable(&c, 1));
    EXPECT_TRUE(IsSpecialChoiceAvailable(&c, 7));
}

TEST_F(FeatRulesTest, AddingAndRemovingUsesTheRightSlot)
{
    c.currentClassId = Id::kClassWarrior;
    VelCharacterClass* warrior = c.FindClass(Id::kClassWarrior);
    warrior->bonusFeats = 1;
    AddFeat(&c, kRepeatable, kNo, kNo, true);
    AddFeat(&c, kRepeatable, kNo, kNo, true);
    EXPECT_EQ(warrior->bonusFeats, 0); // not wrapped below nothing
    VelCharacterFeat* bonus = c.FindFeat(kRepeatable, kNo, -1);
    ASSERT_NE(bonus, nullptr);
    EXPECT_EQ(bonus->count, 2);
    RemoveFeat(&c, bonus);
    EXPECT_EQ(warrior->bonusFeats, 2);
    EXPECT_FALSE(c.HasFeat(kRepeatable, kNo, -1));

    AddFeat(&c, Id::kFeatExtraHitPoints, kNo, kNo, false);
    EXPECT_EQ(c.values[VelCharacter::kValueFeatsUsed], 1u);
    const std::int32_t withFeat = c.stats[VelEntity::kHitPoints];
    RemoveFeat(&c, c.FindFeat(Id::kFeatExtraHitPoints, kNo, -1));
    EXPECT_EQ(c.values[VelCharacter::kValueFeatsUsed], 0u);
    EXPECT_EQ(withFeat - c.stats[VelEntity::kHitPoints], 3);
}

TEST_F(FeatRulesTest, LimitChecks)
{
    c.values[VelCharacter::kValueFeatsAllowed] = 1;
    c.values[VelCharacter::kValueFeatsUsed] = 2;
    EXPECT_EQ(CheckFeatLimits(&c), VelLimitFlags::kGeneralFeats);
    c.values[VelCharacter::kValueFeatsUsed] = 1;
    VelCharacterFeat* failing = Give(static_cast<std::uint16_t>(kFirstRowFeat + 1), 0xFFFF, 0);
    VelCharacterFeat* fixed =
        Give(static_cast<std::uint16_t>(kFirstRowFeat + 3), 0xFFFF, VelCharacterFeat::kFixed);
    EXPECT_EQ(CheckFeatLimits(&c), VelLimitFlags::kFeatRequirements);
    EXPECT_TRUE(failing->flags & VelCharacterFeat::kHighlighted);
    EXPECT_FALSE(fixed->flags & VelCharacterFeat::kHighlighted);

    // Without a change bit every flag is the previous one; with all, each is recomputed.
    c.changeMask = 0;
    const std::uint32_t previous = VelLimitFlags::kLanguages | VelLimitFlags::kGod;
    EXPECT_EQ(CheckCharacterLimits(&c, previous, false), previous);
    EXPECT_EQ(CheckCharacterLimits(&c, previous, true), VelLimitFlags::kFeatRequirements);
    c.changeMask = VelCharacter::kChangedLanguages;
    EXPECT_EQ(CheckCharacterLimits(&c, previous, false), VelLimitFlags::kGod);
}

TEST_F(FeatRulesTest, AnyAbilityFallingBelowAFeatsPrerequisiteFlagsTheFeat)
{
    for (std::int16_t a = 0; a < static_cast<std::int16_t>(VelEntity::kAbilityCount); ++a)
    {
        SCOPED_TRACE(a);
        c.abilities.fill(15);
        VelCharacterFeat* feat = Give(static_cast<std::uint16_t>(kFirstAbilityFeat + a), kNo, 0);
        ASSERT_EQ(CheckCharacterLimits(&c, 0, true) & VelLimitFlags::kFeatRequirements, 0u);
        c.changeMask = 0;
        SetAbilityScore(&c, a, 14, false);
        EXPECT_NE(c.changeMask & VelCharacter::kChangedFeats, 0u);
        EXPECT_NE(CheckCharacterLimits(&c, 0, false) & VelLimitFlags::kFeatRequirements, 0u);
        EXPECT_TRUE(feat->flags & VelCharacterFeat::kHighlighted);
        c.EraseFeat(feat);
    }
}
} // namespace
