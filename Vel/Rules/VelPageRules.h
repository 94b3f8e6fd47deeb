#pragma once

#include <cstdint>
#include <string>

class VelCharacter;
class VelCharacterAnimal;

// Texts the character window shows that no other rule file makes.

// The portrait file of the class and its caption: the class's name as the
// character holds it ("Ex-" in front for a former member). False, with both
// texts empty, without a character or a class record.
bool GetClassPortraitName(const VelCharacter* character, std::uint16_t classId,
                          std::string& imageName, std::string& caption);

// Each attack of the animal with its name and signed attack bonus (base
// attack, STR modifier, or a familiar's better of STR and DEX, and the size
// modifier of the animal's size), one bonus each; a later attack that adds
// half the STR bonus strikes 5 lower: "Claws +13 Bite +8", one attack per
// line with onePerLine.
std::string FormatAnimalAttackBonuses(const VelCharacterAnimal* animal, bool onePerLine);
