#include "Vel/Rules/VelAbilityRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelDice.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Rules/VelAbilityScreenRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel/Rules/VelSpellRules.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace
{
using C = VelCharacter;

constexpr std::uint16_t kDicePerScore = 4;
constexpr std::int16_t kScoreDieSides = 6;

void RecomputeStr(VelCharacter& c)
{
    ComputeEncumbrance(&c);
}

void RecomputeDex(VelCharacter& c)
{
    c.SetStat(VelEntity::kInitiative, static_cast<std::uint32_t>(GetInitiative(&c)));
    ComputeArmorClass(&c);
    c.SetStat(VelEntity::kReflexSave, static_cast<std::uint32_t>(GetSavingThrow(&c, kSaveReflex)));
}

void RecomputeCon(VelCharacter& c)
{
    c.SetStat(VelEntity::kFortitudeSave,
              static_cast<std::uint32_t>(GetSavingThrow(&c, kSaveFortitude)));
    c.SetStat(VelEntity::kHitPoints, ComputeHitPoints(&c, -1));
    // A familiar has half its master's hit points.
    UpdateAnimalMasterValues(&c);
}

void RecomputeInt(VelCharacter& c)
{
    ComputeSkillPoints(&c);
    c.SetValue(C::kValueLanguagesAllowed, static_cast<std::uint32_t>(GetBonusLanguageCount(&c)));
}

void RecomputeWis(VelCharacter& c)
{
    if (c.HasClass(VelIds::kClassMartialArtist))
        ComputeArmorClass(&c);
    c.SetStat(VelEntity::kWillSave, static_cast<std::uint32_t>(GetSavingThrow(&c, kSaveWill)));
}

void RecomputeCha(VelCharacter& c)
{
    if (c.HasClass(VelIds::kClassHolyKnight))
        ComputeSavingThrows(&c);
}

struct AbilityEffect
{
    std::uint32_t changeBits;
    void (*recompute)(VelCharacter&);
    // The casting abilities: spells per day and known follow them.
    bool spells;
};

// Every ability can be a feat's prerequisite, so every change re-checks feats.
constexpr std::array<AbilityEffect, VelEntity::kAbilityCount> kAbilityEffects{{
    {C::kChangedFeats | C::kChangedStr, RecomputeStr, false},
    {C::kChangedFeats | C::kChangedDex, RecomputeDex, false},
    {C::kChangedFeats | C::kChangedCon, RecomputeCon, false},
    {C::kChangedSpells | C::kChangedLanguages | C::kChangedSkills | C::kChangedFeats |
         C::kChangedInt,
     RecomputeInt, true},
    {C::kChangedSpells | C::kChangedFeats | C::kChangedWis, RecomputeWis, true},
    {C::kChangedSpells | C::kChangedFeats | C::kChangedCha, RecomputeCha, true},
}};
} // namespace

std::int16_t GetAbilityModifier(std::int16_t score)
{
    // Truncation toward zero is the rule: scores 0 and 1 both give -5.
    return static_cast<std::int16_t>(score / 2 - 5);
}

std::int32_t GetPointBuyCost(std::int16_t score)
{
    if (score < 8)
        return 0;
    if (score <= 14)
        return score - 8;
    if (score <= 16)
        return 2 * score - 22;
    return 3 * score - 38;
}

std::int32_t GetPointBuyDelta(std::int16_t fromScore, std::int16_t toScore)
{
    return GetPointBuyCost(toScore) - GetPointBuyCost(fromScore);
}

std::uint16_t GetPointBuyTotal(const VelCharacter* character)
{
    if (!character)
        return 0;
    const VelAbilityAdjustments adjust = GetGivenAbilityAdjustments(character);
    std::int32_t total = 0;
    for (std::size_t i = 0; i < VelEntity::kAbilityCount; ++i)
    {
        const auto bought = static_cast<std::int16_t>(character->abilities[i] -
                                                      character->abilityIncreases[i] - adjust[i]);
        total += GetPointBuyCost(bought);
    }
    return static_cast<std::uint16_t>(total);
}

void RollAbilityScores(std::uint16_t method, std::vector<std::uint16_t>& scores)
{
    if (method != kAbilityMethodRolled)
        return;
    for (std::size_t i = 0; i < VelEntity::kAbilityCount; ++i)
    {
        std::uint16_t sum = 0;
        std::uint16_t lowest = 999;
        for (std::uint16_t die = 0; die < kDicePerScore; ++die)
        {
            const std::uint16_t roll = RollDie(kScoreDieSides);
            sum = static_cast<std::uint16_t>(sum + roll);
            lowest = std::min(lowest, roll);
        }
        scores.push_back(static_cast<std::uint16_t>(sum - lowest));
    }
}

bool AssignRolledAbilities(VelCharacter* character, const std::vector<std::uint16_t>& scores)
{
    if (!character)
        return false;
    if (scores.size() < VelEntity::kAbilityCount)
    {
        FC_LOG("Only %u rolled scores to assign\n", static_cast<unsigned>(scores.size()));
        return false;
    }
    std::vector<std::uint16_t> sorted = scores;
    std::sort(sorted.begin(), sorted.end());
    const VelAbilityAdjustments adjust = GetRaceAbilityAdjustments(character);
    // Always a permutation, so every ability gets a score and no roll is lost.
    const VelAbilityOrder priority = GetAbilityPriorityOrder(character);
    for (std::size_t place = 0; place < VelEntity::kAbilityCount; ++place)
    {
        const std::uint16_t ability = priority[place];
        // Counted from the top, so extra rolls never push the best ones out.
        const std::uint16_t base = sorted[sorted.size() - 1 - place];
        const std::int32_t score =
            std::max<std::int32_t>(base + adjust[ability], kMinAssignedScore);
        const auto index = static_cast<std::int16_t>(ability);
        character->SetAbility(index, static_cast<std::uint16_t>(score));
        character->SetBaseAbility(index, base);
    }
    return true;
}

std::uint16_t GetAbilityIncreases(const VelCharacter* character)
{
    if (!character)
        return 0;
    std::uint16_t levels = 0;
    std::uint16_t applied = 0;
    character->GetLevelTotals(levels, applied);
    // Levels taken away since the last set-up earn nothing back.
    const std::int32_t earned = levels / 4 - (applied > 0 ? applied / 4 : 0);
    return static_cast<std::uint16_t>(std::max(earned, 0));
}

void SetAbilityScore(VelCharacter* character, std::int16_t ability, std::uint16_t score,
                     bool notify)
{
    if (!character)
        return;
    character->SetAbility(ability, score);
    if (ability >= 0 && static_cast<std::size_t>(ability) < kAbilityEffects.size())
    {
        const AbilityEffect& effect = kAbilityEffects[static_cast<std::size_t>(ability)];
        character->changeMask |= effect.changeBits;
        effect.recompute(*character);
        if (effect.spells)
        {
            ComputeSpellsPerDay(character);
            ComputeSpellsKnown(character);
        }
    }
    if (notify)
        character->NotifyChanged();
}
