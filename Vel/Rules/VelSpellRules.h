#pragma once

#include <cstdint>

class VelCharacter;
class VelCharacterClass;
class VelClassInfo;
class VelDomainInfo;
class VelGodInfo;

// Gods, domains and spells: what suits the character, what a god and its
// domains grant, and how many spells a casting class has.

// What GetSpellSaveDifficulty returns for a class that casts with no ability.
constexpr std::int16_t kNoSaveDifficulty = -1;

// Extra spells of a spell level for an ability score; never negative.
std::int16_t GetBonusSpells(std::int16_t spellLevel, std::int16_t score);
// 0 for a class that casts no spells or that the character lacks.
std::int16_t GetCasterLevel(const VelCharacter* character, std::uint16_t classId);
// 10 + spell level + the casting ability's modifier; kNoSaveDifficulty
// without a class record or a valid casting ability.
std::int16_t GetSpellSaveDifficulty(const VelCharacter* character, const VelClassInfo* classRecord,
                                    std::int16_t spellLevel);

// Rewrite the spells per day and spells known of every casting class entry.
void ComputeSpellsPerDay(VelCharacter* character);
void ComputeSpellsKnown(VelCharacter* character);
// Gives the spellbook class every level-0 spell of a school not given up,
// as fixed entries.
void AddLevelZeroSpells(VelCharacter* character);
// The spellbook class's level-0 spells after a change of the schools given
// up: those of a school given up go, the rest come back. True when any
// entry came or went; the caller sets the change bit and notifies.
bool UpdateLevelZeroSpells(VelCharacter* character);
// The highest spell level with a positive spells-per-day value; -1 none.
std::int16_t HighestSpellLevel(const VelCharacterClass* entry);
// The same from the class's spells-per-day row of that level.
std::int16_t GetHighestSpellLevelAt(std::uint16_t classId, std::uint16_t level);

bool IsGodAllowed(const VelCharacter* character, const VelGodInfo* god);
bool MatchesAlignmentMask(const VelCharacter* character, const VelDomainInfo* domain);
bool IsGodDomain(std::uint16_t godId, std::uint16_t domainId);

// Store the choice (-1 clears it), grant or withdraw the feats it brings,
// and notify the listener on a change.
void SetGod(VelCharacter* character, std::int16_t godId);
void SetDomain(VelCharacter* character, std::int16_t slot, std::int16_t domainId);
// Grants or withdraws the feats of the god for the two domains; true when
// any feat entry changed.
bool UpdateDomainFeats(VelCharacter* character, std::uint16_t godId, std::uint16_t firstDomain,
                       std::uint16_t secondDomain, bool grant);

// VelLimitFlags::kProhibitedSpell and kSpellsChosen.
std::uint32_t CheckSpellLimits(const VelCharacter* character);
std::uint32_t CheckClassSpellLimits(const VelCharacter* character, const VelCharacterClass* entry);
// VelLimitFlags::kGod when the god or a domain does not suit the character.
std::uint32_t CheckGodLimit(const VelCharacter* character);

// Whether no class-alignment row forbids the pair.
bool IsAlignmentAllowedForClass(std::uint16_t classId, std::uint16_t alignmentId);
bool IsAlignmentAllowedForClasses(const VelCharacter* character, std::uint16_t alignmentId);
