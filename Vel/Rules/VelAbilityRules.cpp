#include "Vel/Rules/VelAbilityRules.h"

std::int16_t GetAbilityModifier(std::int16_t score)
{
    // Truncation toward zero is the rule: scores 0 and 1 both give -5.
    return static_cast<std::int16_t>(score / 2 - 5);
}
