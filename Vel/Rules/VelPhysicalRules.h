#pragma once

#include <cstdint>

class VelCarryInfo;
class VelCharacter;

// Age, height, weight and carrying. A missing race, sex, strength or size
// record is logged and counts as neutral: nothing rolled, no limits, a
// carrying factor of 1, a light load.

// Load categories (character value 9). 3 is never used.
constexpr std::int16_t kLoadLight = 0;
constexpr std::int16_t kLoadMedium = 1;
constexpr std::int16_t kLoadHeavy = 2;
constexpr std::int16_t kLoadOverloaded = 4;

// Inches and pounds for the character's race and sex; false (both 0)
// without the record.
bool RollHeightWeight(const VelCharacter* character, std::int32_t& height, std::int32_t& weight);
bool GetHeightRange(const VelCharacter* character, std::int32_t& low, std::int32_t& high);
bool GetWeightRange(const VelCharacter* character, std::int32_t& low, std::int32_t& high);

// The race's adult age plus the dice of the first class's age column; 0
// without the race's age record.
std::int32_t RollStartingAge(const VelCharacter* character);
bool GetAgeRange(const VelCharacter* character, std::int32_t& low, std::int32_t& high);

// Light, medium and heavy limits in pounds for a strength score and a size;
// strengths above 29 multiply a lower row. False (limits 0) without the
// strength's row.
bool GetCarryingLimits(std::uint16_t strength, std::uint16_t sizeId, VelCarryInfo& carry);
// The first category whose limit the carried weight does not exceed.
std::int16_t GetLoadCategory(const VelCharacter* character);
