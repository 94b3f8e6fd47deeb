#include "Vel/Rules/VelEquipRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelPhysicalRules.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace
{
constexpr std::array<std::int64_t, VelCoins::kCoinCount> kCoinFactors{1, 10, 100};
constexpr float kSmallGoodsShare = 0.25f;
constexpr float kSmallItemShare = 0.5f;

bool IsCoin(std::int32_t coinKind)
{
    return coinKind >= 0 && static_cast<std::size_t>(coinKind) < VelCoins::kCoinCount;
}

std::uint32_t PriceOwnedItem(const VelItemInfo& record, std::uint32_t options)
{
    return GetItemPrice(&record, options, 0, 0);
}

// A special-cost row replaces the base price or adds to it.
std::uint32_t ApplySpecialCost(std::uint32_t base, const VelSpecialCostInfo* row)
{
    if (!row)
        return base;
    if (row->flag)
        return row->price;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(
        std::uint64_t{base} + row->price, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t SpellBasedPrice(const VelItemInfo& record, std::int32_t spellId,
                              std::uint32_t casterClass)
{
    // Both ids come from a file or a page: outside the key range they name
    // nothing.
    const VelSpellInfo* spell = spellId >= 0 && spellId <= std::numeric_limits<std::int16_t>::max()
                                    ? VelDatabase::FindSpell(static_cast<std::uint16_t>(spellId))
                                    : nullptr;
    if (!spell)
        return record.basePrice;
    const auto* magicItem = dynamic_cast<const VelMagicItemInfo*>(&record);
    if (magicItem && magicItem->magicKind == VelMagicItemInfo::kMagicKindSpellPriced)
        return spell->itemPriceMagicKind6;
    const VelClassInfo* casterRecord =
        casterClass <= static_cast<std::uint32_t>(std::numeric_limits<std::int16_t>::max())
            ? VelDatabase::FindClass(static_cast<std::uint16_t>(casterClass))
            : nullptr;
    return casterRecord ? spell->GetKindValue(casterRecord->castingKind) : record.basePrice;
}

void AddOwnedValue(VelCharacter* character, std::int32_t coinKind, std::int64_t amount)
{
    if (!IsCoin(coinKind))
    {
        FC_LOG("No coin kind %d for an item\n", static_cast<int>(coinKind));
        return;
    }
    std::int32_t& coins = character->ownedItemsValue.coins[static_cast<std::size_t>(coinKind)];
    coins = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(coins + amount, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
    character->ownedItemsValue.Normalize();
}

// Buys the item and carries it; a missing record buys nothing.
void GiveItem(VelCharacter* character, std::uint16_t itemId, bool pay, bool carry)
{
    VelItemInfo* record = VelDatabase::FindItem(itemId);
    if (!record)
    {
        FC_LOG("No starting item %u\n", static_cast<unsigned>(itemId));
        return;
    }
    VelCharacterItem* item = BuyItem(character, record, 0, 0, 0, pay);
    if (item && carry)
        EquipItem(character, item, false);
}

std::int32_t RaceSize(const VelCharacter* character, bool& found)
{
    const VelRaceInfo* race = VelDatabase::FindRace(character->raceId);
    found = race != nullptr;
    if (!race)
        FC_LOG("No race %u for a weapon's size\n", static_cast<unsigned>(character->raceId));
    return race ? static_cast<std::int16_t>(race->sizeId) : 0;
}

std::int32_t WeaponSize(const VelWeaponInfo& weapon)
{
    return weapon.size + VelIds::kWeaponSizeOffset;
}

std::uint32_t CountEmptySets(const VelCharacter& character)
{
    std::uint32_t empty = 0;
    for (std::uint32_t i = 0; i < character.equipSets.GetCount(); ++i)
    {
        const auto* set = static_cast<const VelCharacterEquip*>(
            character.equipSets.GetAt(static_cast<std::int32_t>(i)));
        empty += set && set->IsEmpty() ? 1 : 0;
    }
    return empty;
}

// The item leaves every hand that holds it; the other hand keeps its
// weapon and the grip follows. A set left empty goes, unless it would
// leave the character without an empty set to start the next one.
void TakeOutOfEquipSets(VelCharacter* character, std::uint16_t itemKey)
{
    std::vector<VelCharacterEquip*> emptied;
    for (std::uint32_t i = 0; i < character->equipSets.GetCount(); ++i)
    {
        auto* set = static_cast<VelCharacterEquip*>(
            character->equipSets.GetAt(static_cast<std::int32_t>(i)));
        if (!set || !set->HoldsItem(itemKey))
            continue;
        for (std::size_t hand = 0; hand < VelCharacterEquip::kSlotCount; ++hand)
            if (set->slots[hand] == itemKey)
                set->SetSlot(static_cast<std::int16_t>(hand), VelCharacterEquip::kEmptySlot);
        set->UpdateModes(character);
        if (set->IsEmpty())
            emptied.push_back(set);
    }
    for (VelCharacterEquip* set : emptied)
        if (CountEmptySets(*character) > 1)
            character->RemoveEquip(set);
}

std::int32_t SalePrice(const VelCharacterItem& item)
{
    return static_cast<std::int32_t>(
        std::min<std::uint32_t>(item.price, std::numeric_limits<std::int32_t>::max()));
}

// A figure the file states beside an item the database lacks stood if no
// lighter than the known items; it must also be a load the character can
// bear, or the known items' weight it is.
void BoundStatedWeight(VelCharacter& character)
{
    if (!character.CarriesUnknownItem())
        return;
    VelCarryInfo carry;
    const float known = character.WeighItemsOnBody();
    if (character.carriedWeight == known ||
        (GetCarryingLimits(character.abilities[VelEntity::kStr], character.GetSizeId(), carry) &&
         character.carriedWeight <= carry.heavyLimit))
        return;
    FC_LOG("Carried weight %g is beyond the heaviest load: %g\n",
           static_cast<double>(character.carriedWeight), static_cast<double>(known));
    character.carriedWeight = known;
}
} // namespace

void InstallItemPricer()
{
    VelCharacter::SetItemPricer(PriceOwnedItem);
    VelCharacter::SetItemWeigher([](const VelItemInfo& record, std::uint32_t options)
                                 { return GetItemWeight(&record, options); });
}

std::uint16_t GetWeaponHandCodeForSize(std::uint16_t sizeId, const VelWeaponInfo& weapon)
{
    // Sizes compare as signed numbers; the weapon's size is offset by 2 onto
    // the race's size scale.
    const std::int32_t weaponSize = weapon.size + 2;
    const std::int32_t raceSize = static_cast<std::int16_t>(sizeId);
    if (weaponSize < raceSize)
    {
        switch (weapon.handedness)
        {
        case 2:
            return 2;
        case 3:
            return 6;
        default:
            return 1;
        }
    }
    if (weaponSize == raceSize)
    {
        return weapon.handedness == 1 ? 1 : 3;
    }
    if (weaponSize == raceSize + 1)
    {
        return weapon.handedness == 3 ? 6 : 2;
    }
    return 0;
}

std::uint16_t GetWeaponHandCode(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    if (!character || !weapon)
    {
        return 0;
    }
    const VelRaceInfo* race = VelDatabase::FindRace(character->raceId);
    if (!race)
    {
        FC_LOG("No race %u for a weapon's grip\n", static_cast<unsigned>(character->raceId));
        return 0;
    }
    return GetWeaponHandCodeForSize(race->sizeId, *weapon);
}

bool CanUseItem(const VelCharacter* character, const VelItemInfo* record)
{
    if (!character || !record)
        return false;
    if (const auto* weapon = dynamic_cast<const VelWeaponInfo*>(record))
    {
        bool raceFound = false;
        const std::int32_t raceSize = RaceSize(character, raceFound);
        const std::int32_t size = WeaponSize(*weapon);
        if (!raceFound || size > raceSize + 1 || (weapon->handedness == 1 && size > raceSize))
            return false;
    }
    else if (const auto* goods = dynamic_cast<const VelGoodsInfo*>(record))
    {
        if (!goods->usable)
            return false;
    }
    return !(record->forbiddenToClass3 && character->HasClass(VelIds::kClassNaturePriest));
}

VelCharacterItem* BuyItem(VelCharacter* character, VelItemInfo* record, std::uint32_t options,
                          std::int32_t enhancement, std::uint32_t casterClass, bool pay)
{
    if (!character || !record)
        return nullptr;
    VelCharacterItem* item = character->AddItem(record);
    if (!item)
        return nullptr;
    item->options = options;
    item->count = static_cast<std::uint32_t>(enhancement);
    item->optionValue = casterClass;
    item->price = GetItemPrice(record, options, enhancement, casterClass);
    item->coinKind = static_cast<std::uint16_t>(record->coinKind);
    AddOwnedValue(character, record->coinKind, item->price);
    if (pay)
        character->SpendMoney(static_cast<std::int32_t>(std::min<std::uint32_t>(
                                  item->price, std::numeric_limits<std::int32_t>::max())),
                              record->coinKind);
    return item;
}

bool CanSellItem(const VelCharacter* character, const VelCharacterItem* item)
{
    if (!character || !item)
        return false;
    // A price in no coin is never paid: nothing the purse could not take.
    if (!IsCoin(item->coinKind))
        return true;
    VelCoins after = character->money;
    std::int32_t& coin = after.coins[static_cast<std::size_t>(item->coinKind)];
    const std::int64_t sum = std::int64_t{coin} + SalePrice(*item);
    if (sum > std::numeric_limits<std::int32_t>::max())
        return false;
    coin = static_cast<std::int32_t>(sum);
    after.Normalize();
    return after.coins[2] <= VelCharacter::kMaxHighCoins;
}

void SellItem(VelCharacter* character, VelCharacterItem* item)
{
    if (!character || !item)
        return;
    const std::uint16_t itemKey = item->itemKey;
    const auto coinKind = static_cast<std::int16_t>(item->coinKind);
    const std::int32_t price = SalePrice(*item);
    character->AddMoney(price, coinKind);
    AddOwnedValue(character, coinKind, -static_cast<std::int64_t>(price));
    if (dynamic_cast<const VelWeaponInfo*>(item->GetHeldObject()))
        TakeOutOfEquipSets(character, itemKey);
    if (item->placement != VelCharacterItem::kNotOnBody)
        UnequipItem(character, item);
    character->RemoveItem(itemKey);
}

bool EquipItem(VelCharacter* character, VelCharacterItem* item, bool recompute)
{
    if (!character || !item)
        return false;
    // Putting on what is already on would count its weight twice.
    if (item->placement != VelCharacterItem::kNotOnBody)
        return true;
    // Wearing over a filled slot would leave the entry it displaced marked as
    // worn, its weight counted, with nothing pointing at it.
    const VelItemInfo* record = item->GetHeldObject();
    const std::uint16_t code = record ? record->GetTypeCode() : 0;
    if ((code == VelItemInfo::kArmorCode && character->GetWornArmor()) ||
        (code == VelItemInfo::kShieldCode && character->GetFirstShield() && character->GetSecondShield()))
        return false;
    character->WearItem(item);
    character->AddCarriedWeight(0, GetItemWeight(item->GetHeldObject(), item->options));
    if (recompute)
    {
        ComputeEncumbrance(character);
        character->NotifyChanged();
    }
    return true;
}

void UnequipItem(VelCharacter* character, VelCharacterItem* item)
{
    if (!character || !item || item->placement == VelCharacterItem::kNotOnBody)
        return;
    character->TakeOffItem(item);
    character->AddCarriedWeight(0, -GetItemWeight(item->GetHeldObject(), item->options));
    // Rounding must not leave a weight below nothing.
    character->carriedWeight = std::max(character->carriedWeight, 0.0f);
    ComputeEncumbrance(character);
    character->NotifyChanged();
}

std::uint32_t GetItemPrice(const VelItemInfo* record, std::uint32_t options,
                           std::int32_t enhancement, std::uint32_t casterClass)
{
    if (!record)
        return 0;
    if (options & VelCharacterItem::kMasterwork)
        return ApplySpecialCost(record->basePrice,
                                VelDatabase::FindSpecialCost(record->specialCostKey));
    if (options & VelCharacterItem::kEnhanced)
    {
        const std::int16_t kind = record->GetItemKind();
        const bool known = kind >= 0 && enhancement >= 0 &&
                           enhancement <= std::numeric_limits<std::int16_t>::max();
        return ApplySpecialCost(
            record->basePrice,
            known ? VelDatabase::FindSpecialCost315(static_cast<std::uint16_t>(kind),
                                                    static_cast<std::uint16_t>(enhancement))
                  : nullptr);
    }
    if (options & VelCharacterItem::kSpellBased)
        return SpellBasedPrice(*record, enhancement, casterClass);
    return record->basePrice;
}

float GetItemWeight(const VelItemInfo* record, std::uint32_t options)
{
    if (!record)
        return 0.0f;
    if (!(options & VelCharacterItem::kSmall))
        return record->weight;
    const bool goods = record->GetTypeCode() == VelItemInfo::kGoodsCode;
    return record->weight * (goods ? kSmallGoodsShare : kSmallItemShare);
}

float GetItemCapacity(const VelGoodsInfo* record, std::uint32_t options)
{
    if (!record)
        return 0.0f;
    return (options & VelCharacterItem::kSmall) ? record->amount * kSmallGoodsShare
                                                : record->amount;
}

std::int64_t ToCopperValue(std::int64_t amount, std::int32_t coinKind)
{
    return IsCoin(coinKind) ? amount * kCoinFactors[static_cast<std::size_t>(coinKind)] : 0;
}

void RevalueOwnedItems(VelCharacter* character)
{
    if (!character)
        return;
    InstallItemPricer();
    character->RevalueOwnedItems();
}

void RecomputeLoadedGear(VelCharacter* character)
{
    if (!character)
        return;
    const std::uint32_t mask = character->changeMask;
    BoundStatedWeight(*character);
    ComputeEncumbrance(character);
    UpdateAnimalMasterValues(character);
    character->changeMask = mask;
}

void GiveStartingItems(VelCharacter* character)
{
    if (!character)
        return;
    if (const VelCharacterClass* first = character->GetClassAt(0))
    {
        const VelClassInfo* record = VelDatabase::FindClass(first->classId);
        if (!record)
            FC_LOG("No class %u: no starting item\n", static_cast<unsigned>(first->classId));
        else if (record->startingItem != VelIds::kNone)
            GiveItem(character, record->startingItem, true, true);
    }
    if (character->HasClass(VelIds::kClassScholarCaster))
        GiveItem(character, VelIds::kItemSpellbook, true, true);
    if (character->HasClass(VelIds::kClassMartialArtist))
        GiveItem(character, VelIds::kItemUnarmedStrike, false, false);
}

void AddDefaultEquipSet(VelCharacter* character)
{
    if (!character)
        return;
    if (VelCharacterEquip* set = character->AddEquip(VelCharacterEquip()))
        set->UpdateModes(character);
}

bool CanHoldWeaponInSlot(const VelCharacter* character, const VelWeaponInfo* weapon,
                         const VelCharacterEquip* set)
{
    switch (GetWeaponHandCode(character, weapon))
    {
    case 1:
    case 3:
        return true;
    case 2:
    case 6:
        return !set || set->IsEmpty();
    default:
        return false;
    }
}

bool IsWeaponLight(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    if (!character || !weapon)
        return false;
    bool raceFound = false;
    const std::int32_t raceSize = RaceSize(character, raceFound);
    return raceFound && WeaponSize(*weapon) < raceSize;
}

bool IsWeaponTooLarge(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    if (!character || !weapon)
        return true;
    bool raceFound = false;
    const std::int32_t raceSize = RaceSize(character, raceFound);
    return !raceFound || WeaponSize(*weapon) > raceSize + 1;
}

std::uint16_t GetRaceSpeedColumn(const VelCharacter* character)
{
    const VelRaceInfo* race = character ? VelDatabase::FindRace(character->raceId) : nullptr;
    return race ? race->speedColumn : 0;
}

std::int32_t GetWealth(const VelCharacter* character)
{
    if (!character)
        return 0;
    // Each amount carried up first leaves its lower coins at 0..9, so their
    // sums cannot overflow and the highest coins add in 64 bits.
    VelCoins money = character->money;
    VelCoins owned = character->ownedItemsValue;
    money.Normalize();
    owned.Normalize();
    const std::int64_t lowest = std::int64_t{money.coins[0]} + owned.coins[0];
    const std::int64_t middle = std::int64_t{money.coins[1]} + owned.coins[1] + lowest / 10;
    const std::int64_t highest = std::int64_t{money.coins[2]} + owned.coins[2] + middle / 10;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(highest, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}
