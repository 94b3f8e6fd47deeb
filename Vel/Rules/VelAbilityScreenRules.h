#pragma once

#include "Vel/Character/VelEntity.h"

#include <array>
#include <cstdint>

class VelCharacter;

// What the ability roller reads from the rule set about a character.

using VelAbilityOrder = std::array<std::uint16_t, VelEntity::kAbilityCount>;
using VelAbilityAdjustments = std::array<std::int16_t, VelEntity::kAbilityCount>;

// The first class's priority of the six abilities, most important first.
// Without a first class, or when its order does not name each ability
// exactly once, the abilities in their natural order (logged), so that
// every value still lands on exactly one ability.
VelAbilityOrder GetAbilityPriorityOrder(const VelCharacter* character);
// The race's adjustment of each ability; none (logged) without the race.
VelAbilityAdjustments GetRaceAbilityAdjustments(const VelCharacter* character);
// What of each score is given rather than bought or rolled: the race's
// adjustment and the familiar's gifts. New scores keep it; points never pay
// for it.
VelAbilityAdjustments GetGivenAbilityAdjustments(const VelCharacter* character);
