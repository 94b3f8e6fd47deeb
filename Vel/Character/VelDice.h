#pragma once

#include <cstdint>

// Dice rolls of the rules, drawn from the program's global generator.

// One die: 1 to sides; 0, without drawing, for a die of no sides.
std::uint16_t RollDie(std::int16_t sides);
// The sum of count dice, in 16 bits; the count is the argument's low 16
// bits. No dice: 0, without drawing.
std::uint16_t RollDice(std::int16_t sides, std::int32_t count);
