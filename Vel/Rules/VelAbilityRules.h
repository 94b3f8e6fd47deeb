#pragma once

#include <cstdint>

// The modifier of an ability score: score / 2 - 5, truncating toward zero.
std::int16_t GetAbilityModifier(std::int16_t score);
