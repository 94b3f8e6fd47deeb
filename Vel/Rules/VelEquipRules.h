#pragma once

#include <cstdint>

class VelCharacter;
class VelCharacterEquip;
class VelCharacterItem;
class VelGoodsInfo;
class VelItemInfo;
class VelWeaponInfo;

// Items: who may use them, buying and selling, prices and weights, putting
// them on, the starting items, and how a weapon fits the hands.

// Makes GetItemPrice the price function of VelCharacter::RevalueOwnedItems,
// so that old character files are revalued at the real prices, and
// GetItemWeight the weight of the items on the body when a file is read. The client
// calls it once after loading the databases, before any character loads;
// calling it again does no harm.
void InstallItemPricer();

// For a character just read from a file: the load, speed, armour values and
// armour class follow from the gear on the body, not from the figures the
// file states, and so do the animals' base attacks from their hit dice or
// master. Nothing counts as changed: the change mask stays as read and the
// listener is not told.
void RecomputeLoadedGear(VelCharacter* character);

bool CanUseItem(const VelCharacter* character, const VelItemInfo* record);
// A new owned entry priced with GetItemPrice, its price added to the owned
// value and, with pay, taken from the money; null without a record or when
// the character has no item key left.
VelCharacterItem* BuyItem(VelCharacter* character, VelItemInfo* record, std::uint32_t options,
                          std::int32_t enhancement, std::uint32_t casterClass, bool pay);
// Refunds the price, takes the item off and removes the entry. A weapon
// first leaves every hand that holds it: the other hand keeps its weapon,
// and a set left empty goes unless it is the character's only empty set.
void SellItem(VelCharacter* character, VelCharacterItem* item);
// Whether the money can take the entry's price back: the highest coin stops
// at its limit, so a sale that would carry it past the limit would pay
// nothing, or part of the price, for the item.
bool CanSellItem(const VelCharacter* character, const VelCharacterItem* item);
// Puts the entry on the character and adds its weight; with recompute the
// encumbrance is recomputed and the listener notified. A second armour or a
// third shield is refused (false, nothing changes): one body wears one of
// each and two shields at most. True when the entry is on the body.
bool EquipItem(VelCharacter* character, VelCharacterItem* item, bool recompute);
void UnequipItem(VelCharacter* character, VelCharacterItem* item);

// The price in the record's coin kind. Masterwork (special-cost row of the
// record) takes precedence over enhancement (the item kind's row for the
// enhancement), which takes precedence over a spell-based price (spell key
// = enhancement, caster class = casterClass). A missing row, spell or class
// leaves the base price.
std::uint32_t GetItemPrice(const VelItemInfo* record, std::uint32_t options,
                           std::int32_t enhancement, std::uint32_t casterClass);
// Pounds; the small version weighs a quarter (goods) or half.
float GetItemWeight(const VelItemInfo* record, std::uint32_t options);
// The goods amount; a quarter for the small version.
float GetItemCapacity(const VelGoodsInfo* record, std::uint32_t options);
// An amount of a coin kind in the lowest coin; 0 for an unknown kind.
std::int64_t ToCopperValue(std::int64_t amount, std::int32_t coinKind);
// Prices every owned entry anew and sums the owned value (see
// VelCharacter::RevalueOwnedItems).
void RevalueOwnedItems(VelCharacter* character);
// What the character is worth in the highest coin: its money and the value
// of what it owns, added coin by coin and carried up (a leftover of lower
// coins below one highest coin does not count); 0 without a character.
std::int32_t GetWealth(const VelCharacter* character);

// Buys and carries the first class's starting item and the class items.
void GiveStartingItems(VelCharacter* character);
void AddDefaultEquipSet(VelCharacter* character);

// How a weapon fits the hands of a character of a given size:
//   0 unusable, 1 one hand, 2 two hands, 3 one or two hands, 6 two hands
//   (the alternative two-handed grip).
std::uint16_t GetWeaponHandCodeForSize(std::uint16_t sizeId, const VelWeaponInfo& weapon);
// The same for the size of the character's race; 0 without a weapon or a
// race record.
std::uint16_t GetWeaponHandCode(const VelCharacter* character, const VelWeaponInfo* weapon);
// One-hand weapons always; two-hand ones only into an empty set.
bool CanHoldWeaponInSlot(const VelCharacter* character, const VelWeaponInfo* weapon,
                         const VelCharacterEquip* set);
// Smaller than the character's size; false without a race record.
bool IsWeaponLight(const VelCharacter* character, const VelWeaponInfo* weapon);
// Too large to wield at all; true without a race record.
bool IsWeaponTooLarge(const VelCharacter* character, const VelWeaponInfo* weapon);
// The race's armour speed column (0 the normal speed); 0 without a race.
std::uint16_t GetRaceSpeedColumn(const VelCharacter* character);
