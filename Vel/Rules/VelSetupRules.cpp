#include "Vel/Rules/VelSetupRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel/Rules/VelSpellRules.h"

#include <vector>

namespace
{
constexpr std::int16_t kHighestCoin = 2;

void RollAbilities(VelCharacter& character)
{
    std::vector<std::uint16_t> scores;
    RollAbilityScores(kAbilityMethodRolled, scores);
    character.SetValue(VelCharacter::kValueSetUpAsNew, 1);
    character.abilityMethod = kAbilityMethodRolled;
    AssignRolledAbilities(&character, scores);
}

void ComputeCombatValues(VelCharacter& character)
{
    ComputeSavingThrows(&character);
    character.SetStat(VelEntity::kBaseAttack,
                      static_cast<std::uint32_t>(GetBaseAttackBonus(&character)));
    character.SetStat(VelEntity::kInitiative,
                      static_cast<std::uint32_t>(GetInitiative(&character)));
    ApplyClassProficiencies(&character);
    for (std::uint32_t i = 0; i < character.classes.GetCount(); ++i)
    {
        if (VelCharacterClass* entry = character.GetClassAt(static_cast<std::int16_t>(i)))
            GrantSpecialChoices(&character, entry);
    }
}

void RollBody(VelCharacter& character)
{
    std::int32_t height = 0;
    std::int32_t weight = 0;
    RollHeightWeight(&character, height, weight);
    character.SetValue(VelCharacter::kValueHeight, static_cast<std::uint32_t>(height));
    character.SetValue(VelCharacter::kValueWeight, static_cast<std::uint32_t>(weight));
    character.SetValue(VelCharacter::kValueAge,
                       static_cast<std::uint32_t>(RollStartingAge(&character)));
}

void SetStartingMoney(VelCharacter& character, bool isNew)
{
    if (!isNew && character.GetTotalLevel() < 2)
        return;
    const std::uint32_t money = GetStartingMoney(&character);
    if (isNew)
        character.SetCoins(kHighestCoin, static_cast<std::int32_t>(money));
    character.startingMoney = money;
}

void ComputeLevelGains(VelCharacter& character, bool isNew)
{
    ComputeEncumbrance(&character);
    const std::uint16_t hitPoints = RollHitPointsForLevels(
        &character, isNew ? VelHitDiceMode::kRerollAll : VelHitDiceMode::kRollNewLevels,
        character.averageHitDice != 0);
    character.SetStat(VelEntity::kHitPoints, hitPoints);
    character.SetValue(VelCharacter::kValueIncreasesToAssign,
                       character.values[VelCharacter::kValueIncreasesToAssign] +
                           GetAbilityIncreases(&character));
    character.SetValue(VelCharacter::kValueExperience,
                       static_cast<std::uint32_t>(GetExperienceForCurrentLevel(&character)));
}

void ComputeSkillsFeatsAndSpells(VelCharacter& character)
{
    ComputeSkillPoints(&character);
    GrantLevelFeats(&character);
    character.SetValue(VelCharacter::kValueLanguagesAllowed,
                       static_cast<std::uint32_t>(GetBonusLanguageCount(&character)));
    AddAutomaticLanguages(&character);
    ComputeSpellsPerDay(&character);
    ComputeSpellsKnown(&character);
    if (character.HasClassMark(VelIds::kClassScholarCaster))
        AddLevelZeroSpells(&character);
}
} // namespace

void FinishCharacterSetup(VelCharacter* character, bool isNew)
{
    if (!character)
        return;
    if (isNew)
        RollAbilities(*character);
    ComputeCombatValues(*character);
    if (isNew)
    {
        RollBody(*character);
        // The money comes before the starting items, which are bought from it.
        SetStartingMoney(*character, true);
        GiveStartingItems(character);
        AddDefaultEquipSet(character);
    }
    else
    {
        SetStartingMoney(*character, false);
    }
    ComputeLevelGains(*character, isNew);
    ComputeSkillsFeatsAndSpells(*character);
    GrantClassFeatures(character, isNew);
    character->ClearClassMarks();
    if (!isNew)
    {
        RemoveFormerClassBenefits(character);
        UpdateAllAnimals(character);
    }
}
