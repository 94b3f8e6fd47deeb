#include "Vel/Rules/VelSkillRules.h"

#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterItem.h"
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
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "Vel/Rules/VelRulesWalk.h"

#include <algorithm>
#include <limits>

namespace
{
// The first class's first level is worth four levels of skill points.
constexpr std::int32_t kFirstLevelSkillMultiple = 4;
// Class skills go 3 ranks beyond the levels; cross-class ones half as far.
constexpr float kRanksAboveLevel = 3.0f;
constexpr float kCrossClassShare = 0.5f;
// Skills that are learnt or not: one rank at most.
constexpr std::uint16_t kSingleRankSkills[] = {VelIds::kSkillSpeakLanguage, VelIds::kSkillLiteracy};
constexpr float kSingleRankMaximum = 1.0f;
// Bonuses of the skill modifier.
constexpr std::int32_t kKeenSensesBonus = 2;
constexpr std::int32_t kSkillFeatBonus = 2;
constexpr float kEncumbrancePerPound = 0.2f;
// Value entries read here.
constexpr std::uint32_t kValueSkillBonus = 18;
constexpr std::uint32_t kValueArmorCheckPenalty = 13;
constexpr std::uint32_t kValueLanguagesAllowed = 7;
constexpr std::uint32_t kValueLanguagesChosen = 8;

std::int32_t Value(const VelCharacter* character, std::uint32_t index)
{
    return static_cast<std::int32_t>(character->values[index]);
}

std::int16_t AbilityModifier(const VelCharacter* character, std::int16_t ability)
{
    return GetAbilityModifier(
        static_cast<std::int16_t>(character->abilities[static_cast<std::size_t>(ability)]));
}

// A race row (race set) or a class row (race -1) that fits the character.
bool LanguageRowFits(const VelCharacter* character, const VelSpokenLanguageInfo& row)
{
    if (static_cast<std::int16_t>(row.raceId) >= 0)
        return row.raceId == character->raceId;
    return character->HasClass(row.classId);
}

bool SomeLanguageRowFits(const VelCharacter* character, std::uint16_t languageId)
{
    bool fits = false;
    VelDatabase::ForEach<VelSpokenLanguageInfo>(
        VelDatabase::kTagSpokenLanguage,
        [&](const VelSpokenLanguageInfo& row)
        {
            if (!fits && static_cast<std::uint16_t>(row.key) == languageId)
                fits = LanguageRowFits(character, row);
        });
    return fits;
}

std::uint16_t ClampU16(std::int64_t value)
{
    return static_cast<std::uint16_t>(
        std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::uint16_t>::max()));
}
} // namespace

std::uint16_t GetClassSkillPoints(const VelCharacter* character, const VelCharacterClass* entry)
{
    if (!character || !entry || entry->level < 1)
        return 0;
    const VelClassInfo* classRecord = VelDatabase::FindClass(entry->classId);
    if (!classRecord)
    {
        FC_LOG("No class %u: no skill points\n", static_cast<unsigned>(entry->classId));
        return 0;
    }
    const VelRaceInfo* race = VelDatabase::FindRace(character->raceId);
    const std::int32_t raceBonus = race ? static_cast<std::int16_t>(race->skillPoints) : 0;
    const std::int32_t perLevel =
        std::max<std::int32_t>(1, AbilityModifier(character, VelEntity::kInt) + raceBonus +
                                      static_cast<std::int16_t>(classRecord->skillPoints));
    const bool firstClass = character->GetClassAt(0) == entry;
    const std::int32_t firstLevel = firstClass ? kFirstLevelSkillMultiple * perLevel : perLevel;
    return ClampU16(firstLevel + static_cast<std::int64_t>(entry->level - 1) * perLevel);
}

std::uint16_t ComputeSkillPoints(VelCharacter* character)
{
    if (!character)
        return 0;
    std::int64_t sum = 0;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](VelCharacterClass& entry)
                                          {
                                              entry.skillPointsAvailable =
                                                  GetClassSkillPoints(character, &entry);
                                              sum += entry.skillPointsAvailable;
                                              return false;
                                          });
    return ClampU16(sum);
}

std::int32_t GetSkillClassKind(const VelCharacter* character, std::uint16_t classId,
                               const VelSkillInfo* skill, bool noDomains)
{
    // The class id indexes the skill's table: an id from a file may lie
    // outside it.
    if (!character || !skill || classId >= VelSkillInfo::kClassKindCount)
        return VelSkillInfo::kNotAvailable;
    const std::int32_t kind = skill->classKinds[classId];
    if (kind == VelSkillInfo::kCrossClassSkill && classId == VelIds::kClassPriest && !noDomains)
    {
        const auto skillId = static_cast<std::uint16_t>(skill->key);
        for (std::uint16_t domainId : character->domainIds)
        {
            if (domainId != VelIds::kNone && VelDatabase::FindDomainSkill(domainId, skillId))
                return VelSkillInfo::kClassSkill;
        }
    }
    if (kind != VelSkillInfo::kClassSkill && kind != VelSkillInfo::kCrossClassSkill)
        return VelSkillInfo::kNotAvailable;
    return kind;
}

float GetMaxSkillRanks(const VelCharacter* character, std::uint16_t skillId)
{
    if (!character)
        return 0.0f;
    const VelSkillInfo* skill = VelDatabase::FindSkill(skillId);
    if (!skill)
    {
        FC_LOG("No skill %u: no ranks\n", static_cast<unsigned>(skillId));
        return 0.0f;
    }
    std::int32_t kind = VelSkillInfo::kCrossClassSkill;
    bool closedToSomeClass = false;
    std::int32_t classSkillLevels = 0;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              const std::int32_t classKind = GetSkillClassKind(
                                                  character, entry.classId, skill);
                                              if (classKind == VelSkillInfo::kNotAvailable)
                                                  closedToSomeClass = true;
                                              else if (classKind == VelSkillInfo::kClassSkill)
                                              {
                                                  kind = VelSkillInfo::kClassSkill;
                                                  classSkillLevels += entry.level;
                                              }
                                              return false;
                                          });
    const std::int32_t levels = closedToSomeClass ? classSkillLevels : character->GetTotalLevel();
    float maximum = static_cast<float>(levels) + kRanksAboveLevel;
    if (kind != VelSkillInfo::kClassSkill)
        maximum *= kCrossClassShare;
    if (std::find(std::begin(kSingleRankSkills), std::end(kSingleRankSkills), skillId) !=
        std::end(kSingleRankSkills))
        maximum = std::min(maximum, kSingleRankMaximum);
    return std::max(maximum, 0.0f);
}

float CanRaiseSkill(const VelCharacter* character, std::uint16_t classId, std::uint16_t skillId,
                    std::uint16_t subSkillId)
{
    const float maximum = GetMaxSkillRanks(character, skillId);
    if (maximum <= 0.0f)
        return 0.0f;
    const VelCharacterSkill* entry = character->FindSkill(skillId, subSkillId);
    if (!entry)
        return maximum;
    // A class-skill step is a whole rank, a cross-class step half a rank.
    const bool classSkill =
        GetSkillClassKind(character, classId, VelDatabase::FindSkill(skillId)) ==
        VelSkillInfo::kClassSkill;
    const float ranks = static_cast<float>(entry->GetTotalRanks()) + (classSkill ? 0.5f : 0.0f);
    return ranks < maximum ? maximum : 0.0f;
}

bool IsSkillRaisable(const VelCharacter* character, std::uint16_t column, std::uint16_t skillId,
                     std::uint16_t subSkillId)
{
    if (!character)
        return false;
    const VelCharacterSkill* entry = character->FindSkill(skillId, subSkillId);
    if (!entry)
        return true;
    const auto classColumn = static_cast<std::int16_t>(column);
    const float columnRanks = entry->GetRanks(classColumn, VelCharacterSkill::kClassRanks) +
                              entry->GetRanks(classColumn, VelCharacterSkill::kCrossClassRanks);
    if (columnRanks > 0.0f)
        return false;
    return entry->GetTotalRanks() < GetMaxSkillRanks(character, skillId);
}

float GetSkillModifier(const VelCharacter* character, std::uint16_t skillId,
                       std::uint16_t subSkillId, float* ranks, std::int16_t* abilityPart,
                       std::int16_t* miscPart)
{
    float entryRanks = 0.0f;
    std::int32_t ability = 0;
    std::int32_t misc = 0;
    const VelCharacterSkill* entry =
        character ? character->FindSkill(skillId, subSkillId) : nullptr;
    const VelSkillInfo* skill = entry ? VelDatabase::FindSkill(skillId) : nullptr;
    if (entry)
        entryRanks = static_cast<float>(entry->GetTotalRanks());
    if (entry && !skill)
        FC_LOG("No skill %u: no modifier\n", static_cast<unsigned>(skillId));
    if (skill)
    {
        constexpr auto kNoChoice = VelCharacterFeat::kNoChoice;
        if ((skillId == VelIds::kSkillKeenSenseA || skillId == VelIds::kSkillKeenSenseB) &&
            character->HasFeat(VelIds::kFeatKeenSenses, kNoChoice, -1))
            misc += kKeenSensesBonus;
        if (skillId == VelIds::kSkillValue18)
            misc += Value(character, kValueSkillBonus);
        if (skillId == VelIds::kSkillEncumbered)
            // Kept within 16 bits, so the bonuses added after it cannot overflow.
            misc = TruncateToInteger<std::int16_t>(static_cast<float>(misc) -
                                                   character->carriedWeight * kEncumbrancePerPound);
        if (character->HasFeat(VelIds::kFeatSkillBonus, skillId,
                               static_cast<std::int16_t>(subSkillId)))
            misc += kSkillFeatBonus;
        if (const VelRaceSkillInfo* raceSkill =
                VelDatabase::FindRaceSkill(character->raceId, skillId))
            misc += static_cast<std::int16_t>(raceSkill->bonus);
        const std::int32_t checkPenalty = Value(character, kValueArmorCheckPenalty);
        if (skill->armorCheck)
            misc += checkPenalty;
        if (skill->armorCheckTwice && HasWornArmor(character) &&
            !IsProficientWithWornArmor(character))
            misc += checkPenalty;
        // The index comes from data: outside the six abilities it is none.
        if (skill->ability >= 0 &&
            static_cast<std::size_t>(skill->ability) < VelEntity::kAbilityCount)
            ability = AbilityModifier(character, skill->ability);
    }
    if (ranks)
        *ranks = entryRanks;
    if (abilityPart)
        *abilityPart = static_cast<std::int16_t>(ability);
    if (miscPart)
        *miscPart = static_cast<std::int16_t>(misc);
    return static_cast<float>(ability + misc) + entryRanks;
}

std::int32_t GetBonusLanguageCount(const VelCharacter* character)
{
    if (!character)
        return 0;
    return std::max<std::int32_t>(0, AbilityModifier(character, VelEntity::kInt));
}

void AddAutomaticLanguages(VelCharacter* character)
{
    if (!character)
        return;
    VelDatabase::ForEach<VelSpokenLanguageInfo>(
        VelDatabase::kTagSpokenLanguage,
        [&](const VelSpokenLanguageInfo& row)
        {
            const auto languageId = static_cast<std::uint16_t>(row.key);
            if (row.automatic != 1 || character->FindLanguage(languageId) ||
                !LanguageRowFits(character, row))
                return;
            auto* language = new VelCharacterLanguage(languageId);
            language->extra |= VelCharacterLanguage::kFixed;
            character->AddLanguage(language);
            language->Release();
        });
}

bool CanChooseLanguage(const VelCharacter* character, std::uint16_t languageId)
{
    if (!character)
        return false;
    const VelLanguageInfo* language = VelDatabase::FindLanguage(languageId);
    if (!language)
        return false;
    const bool openToRace = character->raceId == VelIds::kRaceVersatile ||
                            character->raceId == VelIds::kRaceAnyLanguage;
    if (openToRace && language->restricted == 0)
        return true;
    return SomeLanguageRowFits(character, languageId);
}

void CollectKnownLanguages(const VelCharacter* character, std::vector<std::uint16_t>& out)
{
    out.clear();
    if (!character)
        return;
    VelRulesWalk::Each<VelCharacterLanguage>(character->languages,
                                             [&](const VelCharacterLanguage& language)
                                             {
                                                 out.push_back(language.languageId);
                                                 return false;
                                             });
    VelRulesWalk::Each<VelCharacterSkill>(character->skills,
                                          [&](const VelCharacterSkill& skill)
                                          {
                                              if (skill.skillId == VelIds::kSkillSpeakLanguage)
                                                  out.push_back(skill.subSkillId);
                                              return false;
                                          });
}

std::uint32_t CheckSkillLimits(VelCharacter* character, bool recheckAll)
{
    if (!character)
        return 0;
    std::uint32_t flags = 0;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              if (entry.skillPointsSpent >
                                                  entry.skillPointsAvailable)
                                                  flags = VelLimitFlags::kSkills;
                                              return flags != 0;
                                          });
    VelRulesWalk::Each<VelCharacterSkill>(
        character->skills,
        [&](VelCharacterSkill& entry)
        {
            if (!recheckAll && (entry.flags & VelCharacterSkill::kOverLimit) == 0)
                return false;
            // Without its record the entry's maximum is unknown: it is left
            // as it is rather than flagged.
            if (!VelDatabase::FindSkill(entry.skillId))
                return false;
            if (entry.GetTotalRanks() > GetMaxSkillRanks(character, entry.skillId))
            {
                entry.flags |= VelCharacterSkill::kOverLimit;
                flags = VelLimitFlags::kSkills;
            }
            else
                entry.flags &= ~VelCharacterSkill::kOverLimit;
            return false;
        });
    return flags;
}

std::uint32_t CheckLanguageLimit(const VelCharacter* character)
{
    if (character &&
        Value(character, kValueLanguagesChosen) > Value(character, kValueLanguagesAllowed))
        return VelLimitFlags::kLanguages;
    return 0;
}
