#pragma once

#include <cstdint>
#include <functional>
#include <string>

class FCImageBuffer;
class VelAnimalAttackInfo;
class VelCharacter;
class VelCharacterAnimal;
class VelCharacterEquip;
class VelItemInfo;
class VelWeaponInfo;

// The texts in which the pages and the character sheet show rule values.
// Bonuses always show their sign ("+0").

// "1st", "2nd", "3rd", every other number "th" ("11th", "21th").
std::string FormatOrdinal(std::int16_t n);
// "2d6"; empty for no dice.
std::string FormatDice(std::int16_t count, std::int16_t sides);
// "12 lb." or "0.5 lb.".
std::string FormatWeight(float pounds);
// The amount with the unit's singular name up to 1, its plural above:
// "3 flasks", "1.50 flasks".
std::string FormatAmountWithUnit(float amount, std::uint16_t unit);

// The attack sequence "+13/+8/+3": one attack per step of 5 (3 with
// reducedStep) of base attack, while the total stays above 0.
std::string FormatAttackBonus(const VelCharacter* character, bool ranged, bool reducedStep);
// The same sequence from a base attack and the first attack's total.
std::string FormatAttackSequence(std::int16_t base, std::int32_t total, std::int16_t step);
// "1d8", "1d6/1d6", or a fixed damage "3".
std::string FormatWeaponDamageDice(const VelCharacter* character, const VelWeaponInfo* weapon);
// "(1-8)+2" for the hand (1 primary, 0 off hand) of the set; "0" without dice.
std::string FormatDamageRange(const VelCharacter* character, const VelWeaponInfo* weapon,
                              const VelCharacterEquip* set, std::int16_t hand);
// "19-20/x2", "x3/x3".
std::string FormatCriticalRange(const VelCharacter* character, const VelWeaponInfo* weapon);
// "30 ft"; "-" for a weapon without range.
std::string FormatRangeIncrement(const VelCharacter* character, const VelWeaponInfo* weapon);
// "Bite: 1d6+3 Claw: 1d4+1", one attack per line with onePerLine.
std::string FormatAnimalAttacks(const VelCharacterAnimal* animal, bool onePerLine);
// The attacks of an animal kind in their order, each appended by add after a
// separator from the second on: a new line when onePerLine, else a space.
std::string JoinAnimalAttacks(
    std::uint16_t animalId, bool onePerLine,
    const std::function<void(std::string& text, const VelAnimalAttackInfo& attack)>& add);

// The race's portrait file; a female character's has "_F" before the
// extension. Empty without a race record.
std::string GetRacePortraitName(const VelCharacter* character);
// The class's portrait file, "X-" before the file name for a former member,
// "_F" for a female character; empty for an unknown class.
std::string GetClassPortraitName(const VelCharacter* character, std::uint16_t classId);
// A picture from "\Icons\", borrowed from the resource manager's cache;
// null when it cannot be loaded.
FCImageBuffer* LoadIcon(const std::string& fileName);
FCImageBuffer* GetItemIcon(const VelItemInfo* record);
