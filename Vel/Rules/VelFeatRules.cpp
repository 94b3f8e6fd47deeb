#include "Vel/Rules/VelFeatRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFeatDependInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel/Rules/VelSpellRules.h"

#include <algorithm>

namespace
{
constexpr std::uint32_t kValueFeatsAllowed = 5;
constexpr std::uint32_t kValueGeneralFeatsUsed = 6;
constexpr std::int16_t kNoClass = -1;
constexpr std::uint16_t kNoChoice = VelCharacterFeat::kNoChoice;

// Something granted every few levels: at level L (from fromLevel on)
// (L - offset) / perLevels + base, or just base when perLevels is 0. What
// the levels since the last set-up gain is the difference between the
// totals at the level and at the starting level.
struct LevelGrant
{
    std::uint16_t classId;
    std::int32_t fromLevel;
    std::int32_t offset;
    std::int32_t perLevels;
    std::int32_t base;

    std::int32_t TotalAt(std::int32_t level) const
    {
        if (level < fromLevel)
            return 0;
        return (perLevels > 0 ? (level - offset) / perLevels : 0) + base;
    }
    std::int32_t Gained(std::int32_t level, std::int32_t startingLevel) const
    {
        return TotalAt(level) - TotalAt(startingLevel);
    }
};

// General feats: one at first level (two for the versatile race), one more
// every third level.
constexpr LevelGrant kGeneralFeats{VelIds::kNone, 1, 0, 3, 1};
constexpr LevelGrant kVersatileGeneralFeats{VelIds::kNone, 1, 0, 3, 2};

constexpr LevelGrant kClassBonusFeats[] = {
    {VelIds::kClassWarrior, 1, 0, 2, 1},
    {VelIds::kClassScholarCaster, 1, 0, 5, 0},
};

constexpr LevelGrant kSpecialChoices[] = {
    {VelIds::kClassMinstrel, 1, 0, 0, 1},
    {VelIds::kClassTracker, 1, 0, 5, 1},
    {VelIds::kClassSkirmisher, 10, 10, 3, 1},
};

template <std::size_t N>
std::int32_t GainedFor(const LevelGrant (&table)[N], const VelCharacterClass& entry)
{
    for (const LevelGrant& grant : table)
    {
        if (grant.classId == entry.classId)
            return grant.Gained(entry.level, entry.startingLevel);
    }
    return 0;
}

// Proficiency feats that a character holding the flag already has.
struct ProficiencyFeat
{
    std::uint16_t featId;
    std::size_t flag;
};
constexpr ProficiencyFeat kProficiencyFeats[] = {
    {VelIds::kFeatSimpleWeaponProficiency, 0}, {VelIds::kFeatMartialWeaponProficiency, 1},
    {VelIds::kFeatLightArmorProficiency, 2},   {VelIds::kFeatMediumArmorProficiency, 3},
    {VelIds::kFeatHeavyArmorProficiency, 4},   {VelIds::kFeatShieldProficiency, 5},
};

// Armour feats whose prerequisite the matching class flag also meets.
constexpr ProficiencyFeat kFlagMeetsFeat[] = {
    {VelIds::kFeatLightArmorProficiency, 2},
    {VelIds::kFeatMediumArmorProficiency, 3},
};

// The warrior's own prerequisite needs this warrior level.
constexpr std::uint16_t kWarriorPrerequisiteLevel = 4;

void AddToValue(VelCharacter* character, std::uint32_t index, std::int32_t delta)
{
    character->values[index] =
        static_cast<std::uint32_t>(static_cast<std::int32_t>(character->values[index]) + delta);
}

bool HasSkillOfAnySubSkill(const VelCharacter* character, std::uint16_t skillId)
{
    bool found = false;
    VelRulesWalk::Each<VelCharacterSkill>(character->skills, [&](const VelCharacterSkill& skill)
                                          { return found = skill.skillId == skillId; });
    return found;
}

bool ClassCasts(std::int16_t classId)
{
    const VelClassInfo* record = VelDatabase::FindClass(static_cast<std::uint16_t>(classId));
    return record && record->castingKind != 0;
}

bool IsPrerequisiteMet(const VelCharacter* character, std::int16_t classId,
                       const VelFeatDependInfo& row)
{
    const std::int64_t minimum = row.minimum;
    switch (row.type)
    {
    case VelFeatDependInfo::kHasFeat:
        for (const ProficiencyFeat& alias : kFlagMeetsFeat)
        {
            if (alias.featId == row.feat && character->proficiencies[alias.flag] != 0)
                return true;
        }
        return character->HasFeat(row.feat, kNoChoice, -1);
    case VelFeatDependInfo::kHasSkill:
        return HasSkillOfAnySubSkill(character, row.skill);
    case VelFeatDependInfo::kBaseAttack:
        return character->stats[VelEntity::kBaseAttack] >= minimum;
    case VelFeatDependInfo::kAbilityScore:
        // The index comes from data: outside the six abilities there is no
        // score to meet the minimum.
        if (row.ability >= VelEntity::kAbilityCount)
        {
            FC_LOG("Feat %d requires ability %u\n", static_cast<int>(row.key),
                   static_cast<unsigned>(row.ability));
            return false;
        }
        return character->abilities[row.ability] >= minimum;
    case VelFeatDependInfo::kCasterLevel:
        return classId == kNoClass ||
               (ClassCasts(classId) &&
                GetCasterLevel(character, static_cast<std::uint16_t>(classId)) >= minimum);
    case VelFeatDependInfo::kClassPriestOrKnight:
        return classId == kNoClass || classId == VelIds::kClassPriest ||
               classId == VelIds::kClassHolyKnight;
    case VelFeatDependInfo::kClassWarriorLevel:
        return classId == kNoClass ||
               (classId == VelIds::kClassWarrior &&
                static_cast<std::int16_t>(character->GetClassLevel(VelIds::kClassWarrior)) >=
                    kWarriorPrerequisiteLevel);
    case VelFeatDependInfo::kClassScholar:
        return classId == kNoClass || classId == VelIds::kClassScholarCaster;
    case VelFeatDependInfo::kTotalLevel:
        return character->GetTotalLevel() >= minimum;
    default:
        // kAlwaysMet, and types this program does not know.
        return true;
    }
}

void ComputeInitiative(VelCharacter* character)
{
    character->SetStat(VelEntity::kInitiative, static_cast<std::uint32_t>(static_cast<std::int32_t>(
                                                   GetInitiative(character))));
}

void ComputeFeatHitPoints(VelCharacter* character)
{
    character->SetStat(VelEntity::kHitPoints, ComputeHitPoints(character, -1));
    UpdateAnimalMasterValues(character);
}

struct FeatEffect
{
    std::uint16_t featId;
    void (*apply)(VelCharacter*);
};
constexpr FeatEffect kFeatEffects[] = {
    {VelIds::kFeatLightArmorProficiency, ApplyArmorValues},
    {VelIds::kFeatMediumArmorProficiency, ApplyArmorValues},
    {VelIds::kFeatHeavyArmorProficiency, ApplyArmorValues},
    {VelIds::kFeatFortitudeBonus, ComputeSavingThrows},
    {VelIds::kFeatInitiativeBonus, ComputeInitiative},
    {VelIds::kFeatWillBonus, ComputeSavingThrows},
    {VelIds::kFeatReflexBonus, ComputeSavingThrows},
    {VelIds::kFeatExtraHitPoints, ComputeFeatHitPoints},
    {VelIds::kFeatRun, ComputeEncumbrance},
};
} // namespace

std::int32_t GetGeneralFeatsGained(const VelCharacter* character)
{
    if (!character)
        return 0;
    std::uint16_t levels = 0;
    std::uint16_t startingLevels = 0;
    character->GetLevelTotals(levels, startingLevels);
    const LevelGrant& grant =
        character->raceId == VelIds::kRaceVersatile ? kVersatileGeneralFeats : kGeneralFeats;
    return grant.Gained(levels, startingLevels);
}

std::int32_t GetClassBonusFeatsGained(const VelCharacter* character, std::uint16_t classId)
{
    const VelCharacterClass* entry = character ? character->FindClass(classId) : nullptr;
    return entry ? GainedFor(kClassBonusFeats, *entry) : 0;
}

void GrantLevelFeats(VelCharacter* character)
{
    if (!character)
        return;
    AddToValue(character, kValueFeatsAllowed, GetGeneralFeatsGained(character));
    VelRulesWalk::Each<VelCharacterClass>(
        character->classes,
        [](VelCharacterClass& entry)
        {
            entry.bonusFeats = static_cast<std::uint16_t>(
                std::max(0, entry.bonusFeats + GainedFor(kClassBonusFeats, entry)));
            return false;
        });
}

bool CanTakeFeat(const VelCharacter* character, std::uint16_t classId, std::uint16_t featId)
{
    if (!character)
        return false;
    const VelFeatInfo* feat = VelDatabase::FindFeat(featId);
    if (!feat)
        return false;
    if (feat->repeatable == 0 && character->HasFeat(featId, kNoChoice, -1))
        return false;
    if (feat->kind == VelFeatInfo::kKindSpellcasting &&
        !ClassCasts(static_cast<std::int16_t>(classId)))
        return false;
    for (const ProficiencyFeat& proficiency : kProficiencyFeats)
    {
        if (proficiency.featId == featId && character->proficiencies[proficiency.flag] != 0)
            return false;
    }
    return AreFeatPrerequisitesMet(character, static_cast<std::int16_t>(classId), featId);
}

bool AreFeatPrerequisitesMet(const VelCharacter* character, std::int16_t classId,
                             std::uint16_t featId)
{
    if (!character)
        return false;
    // The tracker's style feat asks only for its base attack bonus.
    const bool attackOnly = classId == VelIds::kClassTracker && featId == VelIds::kFeatTrackerStyle;
    bool met = true;
    VelDatabase::ForEach<VelFeatDependInfo>(
        VelDatabase::kTagFeatDepend,
        [&](const VelFeatDependInfo& row)
        {
            if (!met || static_cast<std::uint16_t>(row.key) != featId)
                return;
            if (attackOnly && row.type != VelFeatDependInfo::kBaseAttack)
                return;
            met = IsPrerequisiteMet(character, classId, row);
        });
    return met;
}

void AddFeat(VelCharacter* character, std::uint16_t featId, std::uint16_t choice,
             std::uint16_t secondChoice, bool asBonus)
{
    if (!character)
        return;
    auto* feat = new VelCharacterFeat(featId, choice, secondChoice, character->currentClassId);
    if (asBonus)
        feat->flags |= VelCharacterFeat::kBonusFeat;
    if (VelCharacterFeat* held = character->FindFeatEntry(*feat))
        ++held->count;
    else
        character->InsertFeat(feat);
    feat->Release();
    if (asBonus)
    {
        // Never below none: the count is unsigned.
        if (VelCharacterClass* entry = character->FindClass(character->currentClassId);
            entry && entry->bonusFeats > 0)
            --entry->bonusFeats;
    }
    else
        AddToValue(character, kValueGeneralFeatsUsed, 1);
    ApplyFeatEffect(character, featId);
}

void RemoveFeat(VelCharacter* character, VelCharacterFeat* feat)
{
    if (!character || !feat)
        return;
    const std::uint16_t featId = feat->featId;
    if (feat->flags & VelCharacterFeat::kBonusFeat)
    {
        if (VelCharacterClass* entry = character->FindClass(feat->classId))
            entry->bonusFeats = static_cast<std::uint16_t>(entry->bonusFeats + feat->count);
    }
    else
        AddToValue(character, kValueGeneralFeatsUsed, -feat->count);
    character->EraseFeat(feat);
    ApplyFeatEffect(character, featId);
}

void ApplyFeatEffect(VelCharacter* character, std::uint16_t featId)
{
    if (!character)
        return;
    for (const FeatEffect& effect : kFeatEffects)
    {
        if (effect.featId == featId)
            effect.apply(character);
    }
}

std::int32_t GetSpecialChoicesGained(const VelCharacter* character, const VelCharacterClass* entry)
{
    return character && entry ? GainedFor(kSpecialChoices, *entry) : 0;
}

void GrantSpecialChoices(VelCharacter* character, VelCharacterClass* entry)
{
    if (!entry)
        return;
    entry->specialChoices = static_cast<std::uint16_t>(
        std::max(0, entry->specialChoices + GetSpecialChoicesGained(character, entry)));
}

bool IsSpecialChoiceAvailable(const VelCharacter* character, std::uint16_t enemyId)
{
    if (!character)
        return false;
    // Alignments with this bit may choose any enemy.
    constexpr std::uint16_t kAnyEnemyAlignmentBit = 16;
    if (character->alignmentId & kAnyEnemyAlignmentBit)
        return true;
    const VelEnemyInfo* enemy = VelDatabase::FindEnemy(enemyId);
    return !enemy || enemy->raceId != character->raceId;
}

bool HasSpecialOfKindFive(const VelCharacter* character, std::uint16_t value)
{
    return character && character->HasFeatureOfKind(VelFeatureInfo::kKindEnemy, value);
}

std::uint32_t CheckCharacterLimits(VelCharacter* character, std::uint32_t previousFlags,
                                   bool recomputeAll)
{
    if (!character)
        return previousFlags;
    const std::uint32_t mask = character->changeMask;
    auto changed = [&](std::uint32_t bits) { return recomputeAll || (mask & bits) != 0; };
    std::uint32_t flags = previousFlags;
    auto replace = [&](std::uint32_t bits, std::uint32_t found)
    { flags = (flags & ~bits) | (found & bits); };

    if (changed(VelCharacter::kChangedFeats))
        replace(VelLimitFlags::kGeneralFeats | VelLimitFlags::kFeatRequirements,
                CheckFeatLimits(character));
    if (changed(VelCharacter::kChangedSkillKinds | VelCharacter::kChangedSkills))
        replace(VelLimitFlags::kSkills,
                CheckSkillLimits(character, changed(VelCharacter::kChangedSkillKinds)));
    if (changed(VelCharacter::kChangedLanguages))
        replace(VelLimitFlags::kLanguages, CheckLanguageLimit(character));
    if (changed(VelCharacter::kChangedSpells))
        replace(VelLimitFlags::kSpellsChosen | VelLimitFlags::kProhibitedSpell,
                CheckSpellLimits(character));
    if (changed(VelCharacter::kChangedGod))
        replace(VelLimitFlags::kGod, CheckGodLimit(character));
    return flags;
}

std::uint32_t CheckFeatLimits(VelCharacter* character)
{
    if (!character)
        return 0;
    if (static_cast<std::int32_t>(character->values[kValueGeneralFeatsUsed]) >
        static_cast<std::int32_t>(character->values[kValueFeatsAllowed]))
        return VelLimitFlags::kGeneralFeats;
    std::uint32_t flags = 0;
    VelRulesWalk::Each<VelCharacterFeat>(
        character->feats,
        [&](VelCharacterFeat& feat)
        {
            if (feat.flags & VelCharacterFeat::kFixed)
                return false;
            if (AreFeatPrerequisitesMet(character, static_cast<std::int16_t>(feat.classId),
                                        feat.featId) &&
                IsFeatChoiceValid(character, &feat))
                feat.flags &= ~VelCharacterFeat::kHighlighted;
            else
            {
                feat.flags |= VelCharacterFeat::kHighlighted;
                flags = VelLimitFlags::kFeatRequirements;
            }
            return false;
        });
    return flags;
}

bool IsFeatChoiceValid(const VelCharacter* character, const VelCharacterFeat* feat)
{
    if (!character || !feat)
        return false;
    switch (feat->featId)
    {
    case VelIds::kFeatWiderCritical:
    case VelIds::kFeatWeaponTraining:
        return IsProficientWithWeapon(character, feat->choice);
    case VelIds::kFeatWeaponMastery:
        return character->HasFeat(VelIds::kFeatWeaponTraining, feat->choice, -1);
    default:
        return true;
    }
}
