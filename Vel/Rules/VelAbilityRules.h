#pragma once

#include <cstdint>
#include <vector>

class VelCharacter;

// Ability scores: modifiers, point-buy costs, rolling and assigning scores,
// the increases earned by levels, and setting a score with everything that
// depends on it.

// The only method that rolls; the others buy or enter scores on the page.
constexpr std::uint16_t kAbilityMethodRolled = 0;
// The lowest score that assignment leaves.
constexpr std::uint16_t kMinAssignedScore = 3;

// The modifier of an ability score: score / 2 - 5, truncating toward zero.
std::int16_t GetAbilityModifier(std::int16_t score);

// Points a score costs to buy: nothing below 8, then rising by 1, 2 and 3
// per point from 8, 15 and 17.
std::int32_t GetPointBuyCost(std::int16_t score);
std::int32_t GetPointBuyDelta(std::int16_t fromScore, std::int16_t toScore);
// Points spent on the six scores: not on the race's adjustments, the
// familiar's gifts or the increases.
std::uint16_t GetPointBuyTotal(const VelCharacter* character);

// Method 0 appends six scores of 4d6 less the lowest die; any other method
// leaves the vector alone.
void RollAbilityScores(std::uint16_t method, std::vector<std::uint16_t>& scores);
// Gives the largest rolled score to the first class's most important
// ability and so on down, adds the racial adjustments (every score at
// least kMinAssignedScore) and keeps the unadjusted scores as the base.
// Fewer than six scores assign nothing (false).
bool AssignRolledAbilities(VelCharacter* character, const std::vector<std::uint16_t>& scores);

// Increases earned by the levels added since the last set-up: one every
// four character levels.
std::uint16_t GetAbilityIncreases(const VelCharacter* character);

// Stores the score, recomputes what depends on the ability, sets its change
// bits and, with notify, tells the listener.
void SetAbilityScore(VelCharacter* character, std::int16_t ability, std::uint16_t score,
                     bool notify);
