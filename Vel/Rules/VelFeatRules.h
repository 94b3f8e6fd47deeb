#pragma once

#include <cstdint>

class VelCharacter;
class VelCharacterClass;
class VelCharacterFeat;

// Feats: how many a character gains, whether one may be taken, taking and
// giving them back with their effects; special-ability choices; and the
// over-limit checks of all the character pages.

// General feats gained by the levels added since the last set-up.
std::int32_t GetGeneralFeatsGained(const VelCharacter* character);
// Class bonus feats gained by the class entry's added levels; 0 without it.
std::int32_t GetClassBonusFeatsGained(const VelCharacter* character, std::uint16_t classId);
// Adds the general feats gained to value 5 and each entry's bonus feats.
void GrantLevelFeats(VelCharacter* character);

// Whether the feat may be taken (again) for the class: repeatability,
// spellcasting, proficiencies already held, then the prerequisites.
bool CanTakeFeat(const VelCharacter* character, std::uint16_t classId, std::uint16_t featId);
// Every prerequisite row of the feat holds. Class-bound rows are skipped
// when classId is -1.
bool AreFeatPrerequisitesMet(const VelCharacter* character, std::int16_t classId,
                             std::uint16_t featId);

// Takes the feat for the current class, as a class bonus feat or a general
// one, and applies its effect.
void AddFeat(VelCharacter* character, std::uint16_t featId, std::uint16_t choice,
             std::uint16_t secondChoice, bool asBonus);
// Gives the feat back to the slot it came from and removes its effect.
void RemoveFeat(VelCharacter* character, VelCharacterFeat* feat);
// Recomputes what the feat changes (armour, saves, initiative, hit points).
void ApplyFeatEffect(VelCharacter* character, std::uint16_t featId);

// Special-ability choices gained by the entry's added levels.
std::int32_t GetSpecialChoicesGained(const VelCharacter* character, const VelCharacterClass* entry);
void GrantSpecialChoices(VelCharacter* character, VelCharacterClass* entry);
// Whether a chosen-enemy choice may be offered.
bool IsSpecialChoiceAvailable(const VelCharacter* character, std::uint16_t enemyId);
// Whether the character holds a chosen-enemy feature with this value.
bool HasSpecialOfKindFive(const VelCharacter* character, std::uint16_t value);

// The over-limit flags (VelLimitFlags). With recomputeAll every check runs;
// otherwise only those the change mask names, the other bits kept from
// previousFlags.
std::uint32_t CheckCharacterLimits(VelCharacter* character, std::uint32_t previousFlags,
                                   bool recomputeAll);
// kGeneralFeats, or kFeatRequirements with the failing entries highlighted.
std::uint32_t CheckFeatLimits(VelCharacter* character);
// Whether the feat's chosen weapon still fits the character.
bool IsFeatChoiceValid(const VelCharacter* character, const VelCharacterFeat* feat);
