#pragma once

#include "Vel/Rules/VelAbilityScreenRules.h"

#include <cstdint>

class VelAnimalInfo;
class VelCharacter;
class VelCharacterAnimal;
class VelCharacterClass;
class VelMountInfo;

// The animals that classes grant (familiars, companions, mounts), random
// names, the features that class levels bring, and what former members of a
// class lose. Animal kinds are VelCharacterAnimal's: a familiar and a mount
// take the level rows of their master's class, other kinds the plain record
// values. Missing records count as neutral and are logged.

// Whether the class entry brings an animal: the class record's animal flag,
// lost by former members of the nature-priest and holy-knight classes; the
// holy knight's comes at level 5.
bool ClassGrantsAnimal(const VelCharacterClass* entry);
bool HasAnimalClass(const VelCharacter* character);
// Whether the character may take the class's animal now: the holy knight
// from level 5, the innate and scholar casters when they can pay for it.
bool CanGetAnimal(const VelCharacter* character, std::uint16_t classId);
// A mount one size above the rider's race; the small rider has one animal.
bool IsSuitableMount(const VelCharacter* character, const VelAnimalInfo* animal);
// The first row of the familiar table (familiar) or the mount table whose
// level range holds the master's level; null when none does.
const VelMountInfo* FindAnimalBonusRow(std::int16_t masterLevel, bool familiar);

// Recomputes the animal's abilities, saves, hit points, armour class,
// initiative, speed, base attack and features from its record and its
// master. Unless isNew, the features are rebuilt from scratch.
void UpdateAnimalStats(VelCharacterAnimal* animal, bool isNew);
void UpdateAllAnimals(VelCharacter* character);
// Only the saves, hit points and base attack of each animal whose record is
// known: what follows its master's hit points, and what older files hold
// other figures for.
void UpdateAnimalMasterValues(VelCharacter* character);
// Stores the animal (the character takes a reference of its own), computes
// it and applies what a familiar gives its master.
void AddAnimal(VelCharacter* character, VelCharacterAnimal* animal);
// Withdraws the familiar's gifts, then removes the animal.
void RemoveAnimal(VelCharacter* character, VelCharacterAnimal* animal);
// A familiar costs (or refunds) 100 of the highest coin and changes its
// master's abilities and values by its features; the listener is told for
// every kind.
void ApplyFamiliarBenefits(VelCharacter* character, VelCharacterAnimal* animal, bool adding);
// What the familiars the character holds add to its ability scores now.
VelAbilityAdjustments GetFamiliarAbilityGifts(const VelCharacter* character);

// 10 + DEX modifier + natural armour + the size modifier of the animal's size.
std::int32_t ComputeAnimalArmorClass(const VelCharacterAnimal* animal);
// The hit dice shown for such an animal of a master of that level; 0
// without a record.
float GetAnimalHitDice(const VelAnimalInfo* animal, std::int16_t kind, std::int16_t masterLevel);

// A name from the name parts of the character's race and sex; empty when
// there are none.
void GenerateRandomName(VelCharacter* character);

// Adds or refreshes the features (and the feats they grant) of every class
// level. Unless isNew, the features the player chose stay after them.
void GrantClassFeatures(VelCharacter* character, bool isNew);
// Former members lose their class's animal; a former minstrel its spells.
void RemoveFormerClassBenefits(VelCharacter* character);
// The class record's spellcasting, lost by former nature priests and holy
// knights; false without a record.
bool ClassCastsSpells(const VelCharacterClass* entry);
bool HasSpellcastingClass(const VelCharacter* character);
