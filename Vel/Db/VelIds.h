#pragma once

#include <cstdint>

// Record ids that the rules and pages rely on by number. The rule data must
// give these records these ids; the content compiler checks that it does.
// The names say what the rules do with a record, not what the data calls it.
namespace VelIds
{
// The common "none" of 16-bit ids in records and characters.
constexpr std::uint16_t kNone = 0xFFFF;

// Class ids. Eleven classes; per-class tables (skill kinds, skill ranks)
// are indexed by them.
constexpr std::uint16_t kClassCount = 11;
constexpr std::uint16_t kClassBerserker = 0;     // fast movement outside heavy armour
constexpr std::uint16_t kClassMinstrel = 1;      // spells known, lost by former members
constexpr std::uint16_t kClassPriest = 2;        // domains; cross-class skills count as class skills
constexpr std::uint16_t kClassNaturePriest = 3;  // barred from some items; spells lost by former members
constexpr std::uint16_t kClassWarrior = 4;       // bonus feats every second level
constexpr std::uint16_t kClassMartialArtist = 5; // unarmed strike, unarmoured bonuses
constexpr std::uint16_t kClassHolyKnight = 6;    // CHA to saves, a mount from level 5
constexpr std::uint16_t kClassTracker = 7;       // chosen enemies, its own style feat
constexpr std::uint16_t kClassSkirmisher = 8;    // bonus feats from level 10
constexpr std::uint16_t kClassInnateCaster = 9;  // spells known, no spellbook
constexpr std::uint16_t kClassScholarCaster = 10; // schools, spellbook, level-0 spells

// Race ids.
constexpr std::uint16_t kRaceVersatile = 0; // one more feat at first level
constexpr std::uint16_t kRaceSmallRider = 1; // rides only the one suitable mount animal; small speeds
constexpr std::uint16_t kRaceLightBlade = 6; // +1 with one-handed light weapons
constexpr std::uint16_t kRaceAnyLanguage = 4; // like kRaceVersatile, may learn any open language

// Alignment ids are bit sets, one bit of each axis (see the core rule
// file); domain masks use the same bits.
constexpr std::uint16_t kAlignmentDefault = 9; // a new character's alignment
constexpr std::uint16_t kAlignmentEvilBit = 16; // may choose its own race as an enemy

// Size ids.
constexpr std::uint16_t kSizeSmall = 3;
// Weapon sizes are compared as size + this with a race's size id.
constexpr std::int16_t kWeaponSizeOffset = 2;

// Skill ids.
constexpr std::uint16_t kSkillKeenSenseA = 26; // +2 with kFeatKeenSenses
constexpr std::uint16_t kSkillKeenSenseB = 39; // +2 with kFeatKeenSenses
constexpr std::uint16_t kSkillValue18 = 27;    // adds the character's value 18
constexpr std::uint16_t kSkillEncumbered = 40; // less a fifth of the carried weight
constexpr std::uint16_t kSkillSpeakLanguage = 37; // its sub-skills are languages
constexpr std::uint16_t kSkillLiteracy = 45;   // for the berserker class
constexpr std::uint16_t kSkillHeading7 = 7;    // skills with their own list heading
constexpr std::uint16_t kSkillHeading22 = 22;
constexpr std::uint16_t kSkillHeading31 = 31;

// Feat ids.
constexpr std::uint16_t kFeatKeenSenses = 1;
constexpr std::uint16_t kFeatOffHandTraining = 2;
constexpr std::uint16_t kFeatLightArmorProficiency = 3;
constexpr std::uint16_t kFeatMediumArmorProficiency = 4;
constexpr std::uint16_t kFeatHeavyArmorProficiency = 5;
constexpr std::uint16_t kFeatExoticWeaponProficiency = 13;
constexpr std::uint16_t kFeatFortitudeBonus = 18;
constexpr std::uint16_t kFeatWiderCritical = 19;
constexpr std::uint16_t kFeatInitiativeBonus = 20;
constexpr std::uint16_t kFeatWillBonus = 24;
constexpr std::uint16_t kFeatReflexBonus = 25;
constexpr std::uint16_t kFeatMartialWeaponProficiency = 26;
constexpr std::uint16_t kFeatLongRange = 33;
constexpr std::uint16_t kFeatRun = 35;
constexpr std::uint16_t kFeatShieldProficiency = 44;
constexpr std::uint16_t kFeatSimpleWeaponProficiency = 45;
constexpr std::uint16_t kFeatSkillBonus = 46;
constexpr std::uint16_t kFeatSchoolFocus = 47;
constexpr std::uint16_t kFeatExtraHitPoints = 49;
constexpr std::uint16_t kFeatTwoWeaponStyle = 51;
constexpr std::uint16_t kFeatTrackerStyle = 52;
constexpr std::uint16_t kFeatDexterousAttack = 53;
constexpr std::uint16_t kFeatWeaponTraining = 54;
constexpr std::uint16_t kFeatIntellectGrant = 72;
constexpr std::uint16_t kFeatWeaponMastery = 73;

// Feature ids: what a familiar gives its master.
constexpr std::uint16_t kFeatureFamiliarSkill = 6;        // value 18 (skill 27)
constexpr std::uint16_t kFeatureFamiliarFortitude = 7;    // value 16
constexpr std::uint16_t kFeatureFamiliarReflex = 8;       // value 17
constexpr std::uint16_t kFeatureFamiliarConstitution = 9; // the CON score
// The names the printed sheet gives the six proficiency flags: this id plus
// the flag's index (simple and martial weapons, light, medium and heavy
// armour, shields).
constexpr std::uint16_t kFeatureProficiencyNames = 89;
constexpr std::uint16_t kFeatureProficiencyNameCount = 6;

// Item ids.
constexpr std::uint16_t kItemUnarmedStrike = 83;
constexpr std::uint16_t kItemSpellbook = 1517;
// Weapon Finesse may be taken for these besides the light weapons, by a
// character of medium size: the rapier (held in one hand) and the spiked
// chain.
constexpr std::uint16_t kItemRapier = 31;
constexpr std::uint16_t kItemMithralRapier = 103;
constexpr std::uint16_t kItemSpikedChain = 70;

// Animal ids.
constexpr std::uint16_t kAnimalSmallRiderMount = 46;

// School ids. School 0 is never a specialty nor prohibited.
constexpr std::uint16_t kSchoolUniversal = 0;

// God ids.
constexpr std::uint16_t kGodAnyDomain = 0; // every domain counts as the god's
} // namespace VelIds
