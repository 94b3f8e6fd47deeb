#pragma once

#include <cstdint>
#include <vector>

class VelCharacter;
class VelCharacterClass;
class VelSkillInfo;

// Skill points and ranks, the skill modifier, and the character's languages.
// Missing records count as neutral: no points, no kind, no bonus.

// Points of one class entry over all its levels: 4 x p at the first level of
// the character's first class, p at every other level, where
// p = max(1, INT modifier + race bonus + class points per level).
std::uint16_t GetClassSkillPoints(const VelCharacter* character, const VelCharacterClass* entry);
// Stores every class entry's points as its available points; the sum.
std::uint16_t ComputeSkillPoints(VelCharacter* character);

// 0 not available, 1 class skill, 2 cross-class (VelSkillInfo kinds). A
// class id outside the skill's table is not available. A priest counts a
// skill of its domains as a class skill unless noDomains is set.
std::int32_t GetSkillClassKind(const VelCharacter* character, std::uint16_t classId,
                               const VelSkillInfo* skill, bool noDomains = false);
// The most ranks the character may hold: levels + 3 for a class skill,
// half that for a cross-class skill; never negative.
float GetMaxSkillRanks(const VelCharacter* character, std::uint16_t skillId);
// The maximum when one more step for the class stays below it, else 0.
float CanRaiseSkill(const VelCharacter* character, std::uint16_t classId, std::uint16_t skillId,
                    std::uint16_t subSkillId);
// Whether the entry's ranks may still grow through the class column.
bool IsSkillRaisable(const VelCharacter* character, std::uint16_t column, std::uint16_t skillId,
                     std::uint16_t subSkillId);
// Ranks + ability modifier + misc bonuses; each out pointer may be null.
float GetSkillModifier(const VelCharacter* character, std::uint16_t skillId,
                       std::uint16_t subSkillId, float* ranks, std::int16_t* abilityPart,
                       std::int16_t* miscPart);

// The INT modifier, at least 0 (the set-up stores it as value 7).
std::int32_t GetBonusLanguageCount(const VelCharacter* character);
// Gives the character, as fixed entries, the languages its race or classes
// speak automatically.
void AddAutomaticLanguages(VelCharacter* character);
bool CanChooseLanguage(const VelCharacter* character, std::uint16_t languageId);
// The ids of the language entries in id order, then the sub-skills of the
// language skill's entries.
void CollectKnownLanguages(const VelCharacter* character, std::vector<std::uint16_t>& out);

// VelLimitFlags::kSkills when a class spent more points than it has or an
// entry holds more ranks than allowed. With recheckAll every entry's
// over-limit flag is recomputed, else only the entries already flagged.
std::uint32_t CheckSkillLimits(VelCharacter* character, bool recheckAll);
// VelLimitFlags::kLanguages when more languages are chosen than allowed.
std::uint32_t CheckLanguageLimit(const VelCharacter* character);
