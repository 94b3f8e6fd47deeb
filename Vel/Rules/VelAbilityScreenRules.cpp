#include "Vel/Rules/VelAbilityScreenRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Rules/VelCompanionRules.h"

namespace
{
constexpr VelAbilityOrder kNaturalOrder = {0, 1, 2, 3, 4, 5};

bool IsPermutation(const VelAbilityOrder& order)
{
    std::array<bool, VelEntity::kAbilityCount> seen{};
    for (std::uint16_t ability : order)
    {
        if (ability >= VelEntity::kAbilityCount || seen[ability])
            return false;
        seen[ability] = true;
    }
    return true;
}
} // namespace

VelAbilityOrder GetAbilityPriorityOrder(const VelCharacter* character)
{
    const VelCharacterClass* first = character ? character->GetClassAt(0) : nullptr;
    const VelClassInfo* record = first ? VelDatabase::FindClass(first->classId) : nullptr;
    if (!record)
    {
        FC_LOG("No first class: abilities in their natural order\n");
        return kNaturalOrder;
    }
    if (!IsPermutation(record->abilityPriority))
    {
        FC_LOG("Class %u ranks its abilities twice or not at all: natural order\n",
               static_cast<unsigned>(first->classId));
        return kNaturalOrder;
    }
    return record->abilityPriority;
}

VelAbilityAdjustments GetRaceAbilityAdjustments(const VelCharacter* character)
{
    const VelRaceInfo* race = character ? VelDatabase::FindRace(character->raceId) : nullptr;
    if (race)
        return race->abilityAdjust;
    FC_LOG("No race record: no racial adjustments\n");
    return {};
}

VelAbilityAdjustments GetGivenAbilityAdjustments(const VelCharacter* character)
{
    VelAbilityAdjustments given = GetRaceAbilityAdjustments(character);
    const VelAbilityAdjustments gifts = GetFamiliarAbilityGifts(character);
    for (std::size_t i = 0; i < given.size(); ++i)
        given[i] = static_cast<std::int16_t>(given[i] + gifts[i]);
    return given;
}
