#pragma once

#include <cstdint>

class FCObjectVector;
class VelArmorInfo;
class VelCharacter;
class VelCharacterClass;
class VelCharacterEquip;
class VelShieldInfo;
class VelWeaponInfo;

// Combat values: saving throws, attack, initiative, armour class, load and
// speed, armour and shield penalties, proficiency and the per-hand attack
// and damage of an equipment set. A missing record is logged and counts as
// neutral (no bonus, no proficiency, no penalty).

// Saving-throw types.
constexpr std::int16_t kSaveFortitude = 0;
constexpr std::int16_t kSaveReflex = 1;
constexpr std::int16_t kSaveWill = 2;

// Hands of an equipment set (its slot indexes).
constexpr std::int16_t kOffHand = 0;
constexpr std::int16_t kMainHand = 1;

// The character's proficiency flags, in stored order.
constexpr std::int32_t kProficiencySimpleWeapons = 0;
constexpr std::int32_t kProficiencyMartialWeapons = 1;
constexpr std::int32_t kProficiencyLightArmor = 2;
constexpr std::int32_t kProficiencyMediumArmor = 3;
constexpr std::int32_t kProficiencyHeavyArmor = 4;
constexpr std::int32_t kProficiencyShields = 5;

// GetWornArmorCategory without armour.
constexpr std::int16_t kNoArmorShieldOnly = -1;
constexpr std::int16_t kNoArmorNoShield = -2;

// Sets the proficiency flags that the character's classes grant; never
// clears one.
void ApplyClassProficiencies(VelCharacter* character);

// Saving throws; a type outside 0 to 2 is 0.
std::int16_t GetSavingThrow(const VelCharacter* character, std::int16_t type);
void GetSavingThrowParts(const VelCharacter* character, std::int16_t type, std::int16_t& base,
                         std::int16_t& ability, std::int16_t& misc);
// level / 2 + 2 on a good progression, else level / 3.
std::int16_t GetClassBaseSave(const VelCharacterClass* entry, std::int16_t type);
// Stores the three saves as the entity's stats.
void ComputeSavingThrows(VelCharacter* character);

// Sum of the classes' base attack.
std::int16_t GetBaseAttackBonus(const VelCharacter* character);
std::int16_t GetClassBaseAttack(std::uint16_t classId, std::uint16_t level);
// Base (stat 6), STR or (ranged) DEX, size and gear penalty; their sum.
std::int16_t GetAttackBonusParts(const VelCharacter* character, bool ranged, std::int16_t& base,
                                 std::int16_t& ability, std::int16_t& size, std::int16_t& misc);
std::int16_t GetInitiative(const VelCharacter* character);
std::int16_t GetInitiativeParts(const VelCharacter* character, std::int16_t& dexPart,
                                std::int16_t& misc);

// 10 + armour + shield + DEX + class and size bonus, stored as stat 0.
void ComputeArmorClass(VelCharacter* character);
// The DEX modifier, capped by the load and armour (value 10) when that is
// 0 or more.
std::int16_t GetDexBonusToArmorClass(const VelCharacter* character);
// The martial artist's unarmoured bonus, plus the size modifier unless
// classOnly.
std::int16_t GetClassAndSizeArmorBonus(const VelCharacter* character, bool classOnly);
std::int16_t GetSizeModifier(const VelCharacter* character);
// The worn armour's category, else kNoArmorShieldOnly or kNoArmorNoShield.
std::int16_t GetWornArmorCategory(const VelCharacter* character);

// Load category, maximum DEX, speed and run multiplier; then the armour
// values and the armour class.
void ComputeEncumbrance(VelCharacter* character);
// Armour and shield bonuses and check penalties, the gear attack penalty;
// then the armour class.
void ApplyArmorValues(VelCharacter* character);

// Record values with how the item was bought (VelCharacterItem options)
// and its enhancement. Check penalties are 0 or negative; the masterwork
// +1 never makes one positive.
std::int16_t GetArmorBonus(const VelArmorInfo* armor, std::uint32_t options,
                           std::int32_t enhancement);
std::int16_t GetArmorCheckPenalty(const VelArmorInfo* armor, std::uint32_t options);
std::int16_t GetShieldBonus(const VelShieldInfo* shield, std::uint32_t options,
                            std::int32_t enhancement);
std::int16_t GetShieldCheckPenalty(const VelShieldInfo* shield, std::uint32_t options);
// Everything a sheet or a statistics box shows of an armour or shield, as the
// item entry (options, enhancement) makes it; the armour's speed follows the
// character's race column. False, with every output 0, without a record.
bool GetArmorStats(const VelCharacter* character, const VelArmorInfo* armor, std::uint32_t options,
                   std::int32_t enhancement, std::int16_t& armorBonus, std::int16_t& maxDexBonus,
                   std::int16_t& checkPenalty, std::int16_t& spellFailure, std::int16_t& speed);
bool GetShieldStats(const VelCharacter* character, const VelShieldInfo* shield, std::uint32_t options,
                    std::int32_t enhancement, std::int16_t& shieldBonus, std::int16_t& checkPenalty,
                    std::int16_t& spellFailure);

// Proficiency; ids are item ids.
bool IsProficientWithWeapon(const VelCharacter* character, std::uint16_t weaponId);
bool IsProficientWithArmor(const VelCharacter* character, std::uint16_t armorId);
// True when no armour is worn.
bool IsProficientWithWornArmor(const VelCharacter* character);
bool HasShieldProficiency(const VelCharacter* character);
bool HasWornArmor(const VelCharacter* character);
// A race or class row of the weapon familiarity table fits the character.
bool HasWeaponFamiliarity(const VelCharacter* character, std::uint16_t weaponId);
// Empties the vector, then adds every weapon record the character is
// proficient with, in item order. The records stay the database's.
void CollectProficientWeapons(const VelCharacter* character, FCObjectVector& out);

// Per hand of an equipment set (kOffHand, kMainHand).
// DEX for a ranged weapon, else STR; the better one with the dexterous
// attack feat for the weapon; 0 without a weapon.
std::int16_t GetWeaponAbilityModifier(const VelCharacter* character, const VelWeaponInfo* weapon);
std::int16_t GetTwoWeaponPenalty(const VelCharacter* character, const VelCharacterEquip* set,
                                 std::int16_t hand);
std::int16_t GetHandAttackAdjustment(const VelCharacter* character, const VelCharacterEquip* set,
                                     std::int16_t hand);
// The attack penalty of armour and shields worn without proficiency, which
// every attack takes.
std::int16_t GetArmorAttackPenalty(const VelCharacter* character);
// Size, proficiency, quality and racial parts of the hand's weapon, and the
// armour's attack penalty.
std::int16_t GetWeaponAttackBonus(const VelCharacter* character, const VelCharacterEquip* set,
                                  std::int16_t hand);
std::int16_t GetDamageBonus(const VelCharacter* character, const VelCharacterEquip* set,
                            std::int16_t hand);
// The weapon's two damage dice (count and sides each); -1 where unset. The
// martial artist's unarmed strike takes its first dice from the level.
void GetWeaponDamageDice(const VelCharacter* character, const VelWeaponInfo* weapon,
                         std::int16_t& count1, std::int16_t& sides1, std::int16_t& count2,
                         std::int16_t& sides2);
