#pragma once

#include <cstdint>

// The over-limit warnings that the character pages show, one bit each.
// CheckCharacterLimits combines them; each area's check returns its own.
namespace VelLimitFlags
{
constexpr std::uint32_t kGeneralFeats = 0x1;      // more general feats used than allowed
constexpr std::uint32_t kFeatRequirements = 0x2;  // a feat's prerequisites or choice fail
constexpr std::uint32_t kSkills = 0x10;           // points overspent or ranks above the maximum
constexpr std::uint32_t kSpellsChosen = 0x100;    // more spells chosen than known at a level
constexpr std::uint32_t kProhibitedSpell = 0x200; // a spellbook spell of a prohibited school
constexpr std::uint32_t kLanguages = 0x1000;      // more languages chosen than allowed
constexpr std::uint32_t kGod = 0x4000;            // god or domain unsuitable
} // namespace VelLimitFlags
