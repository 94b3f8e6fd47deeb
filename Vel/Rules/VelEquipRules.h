#pragma once

#include <cstdint>

class VelCharacter;
class VelWeaponInfo;

// How a weapon fits the hands of a character of a given size:
//   0 unusable, 1 one hand, 2 two hands, 3 one or two hands, 6 two hands
//   (the alternative two-handed grip).
std::uint16_t GetWeaponHandCodeForSize(std::uint16_t sizeId, const VelWeaponInfo& weapon);
// The same for the size of the character's race; 0 without a weapon or a
// race record.
std::uint16_t GetWeaponHandCode(const VelCharacter* character, const VelWeaponInfo* weapon);
