#pragma once

#include <cstdint>

class VelCharacter;

// Character level, experience, hit dice, hit points and starting money.

// Which hit dice RollHitPointsForLevels rolls.
enum class VelHitDiceMode : std::uint8_t
{
    // Every level anew; the first character level takes the full die (a
    // new character).
    kRerollAll,
    // Only the levels added since the last set-up (an existing character).
    kRollNewLevels,
    // None: the hit points are summed again from the stored results.
    kKeepRolls,
};

// Experience needed for a level: 1000 x (1 + 2 + ... + level - 1).
std::int32_t GetExperienceForLevel(std::int16_t level);
std::int32_t GetExperienceForCurrentLevel(const VelCharacter* character);
// 0 at the level cap.
std::int32_t GetExperienceForNextLevel(const VelCharacter* character);

// Rolls (or takes d / 2 + 1 with average) the hit dice of the levels added
// since the last set-up into the hit-die results and the entries' sums;
// the sum of all entries' sums.
std::uint16_t RollHitDice(VelCharacter* character, bool average);
// Rolls every level again: the first character level takes the full die.
std::uint16_t RerollAllHitDice(VelCharacter* character, bool average);
// Updates the hit dice as the mode says; the hit points with the
// character's own CON.
std::uint16_t RollHitPointsForLevels(VelCharacter* character, VelHitDiceMode mode, bool average);

// Each level's die plus the CON modifier (at least 1 a level), the feat
// bonus and the character's hit-point bonus. A conScore of 0 or less means
// the character's own CON.
std::uint16_t ComputeHitPoints(const VelCharacter* character, std::int16_t conScore);
// 3 for every time the extra hit points feat was taken without choices.
std::uint16_t GetFeatHitPointBonus(const VelCharacter* character);

// At character level 1 the first class's money dice times its multiplier,
// otherwise the wealth of the total level; in the highest coin.
std::uint32_t GetStartingMoney(const VelCharacter* character);
