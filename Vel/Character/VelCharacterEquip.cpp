#include "Vel/Character/VelCharacterEquip.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelEquipRules.h"

#include <algorithm>

FC_REGISTER_CLASS(VelCharacterEquip);

namespace
{
// The hand-use code of the one weapon the set holds; 0 (no grip of its own)
// when the key names no owned weapon.
std::uint16_t HeldWeaponHandCode(const VelCharacter* character, std::uint16_t itemKey)
{
    const VelCharacterItem* entry = character ? character->FindItem(itemKey) : nullptr;
    const auto* weapon =
        entry ? dynamic_cast<const VelWeaponInfo*>(entry->GetHeldObject()) : nullptr;
    if (!weapon)
    {
        FC_LOG("Hand holds item %u, which is no owned weapon\n", static_cast<unsigned>(itemKey));
        return 0;
    }
    return GetWeaponHandCode(character, weapon);
}
} // namespace

VelCharacterEquip::~VelCharacterEquip() = default;

void VelCharacterEquip::SetSlot(std::int16_t slot, std::uint16_t itemKey)
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= kSlotCount)
    {
        FC_LOG("No hand slot %d\n", static_cast<int>(slot));
        return;
    }
    slots[static_cast<std::size_t>(slot)] = itemKey;
}

bool VelCharacterEquip::IsEmpty() const
{
    return std::all_of(slots.begin(), slots.end(),
                       [](std::uint16_t key) { return key == kEmptySlot; });
}

bool VelCharacterEquip::HoldsItem(std::uint16_t itemKey) const
{
    return std::find(slots.begin(), slots.end(), itemKey) != slots.end();
}

bool VelCharacterEquip::UpdateModes(const VelCharacter* character)
{
    const bool first = slots[0] != kEmptySlot;
    const bool second = slots[1] != kEmptySlot;
    std::int16_t defaultMode = kOneHand;
    if (first && second)
    {
        allowedModes = kBothHandsFull;
        defaultMode = kTwoWeapons;
    }
    else if (!first && !second)
    {
        allowedModes = kBothHandsEmpty;
    }
    else
    {
        allowedModes = HeldWeaponHandCode(character, first ? slots[0] : slots[1]);
        if ((allowedModes & kAllowsTwoHands) && !(allowedModes & kAllowsOneHand))
        {
            defaultMode = (allowedModes & kAllowsTwoHandsAlt) ? kTwoHandsAlt : kTwoHands;
        }
    }
    const bool wasAllowed = IsModeAllowed(gripMode);
    if (!wasAllowed)
    {
        gripMode = defaultMode;
    }
    return wasAllowed;
}

bool VelCharacterEquip::IsModeAllowed(std::int16_t mode) const
{
    switch (mode)
    {
    case kOneHand:
        return (allowedModes & (kAllowsOneHand | kBothHandsEmpty)) != 0;
    case kAnyGrip:
        return true;
    case kTwoHands:
        return (allowedModes & kAllowsTwoHands) != 0;
    case kTwoHandsAlt:
        return (allowedModes & kAllowsTwoHandsAlt) != 0;
    case kTwoWeapons:
        return (allowedModes & kBothHandsFull) != 0;
    default:
        return true;
    }
}

void VelCharacterEquip::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(setTag);
        ar.WriteU16(slots[0]);
        ar.WriteU16(slots[1]);
        ar.WriteI16(gripMode);
        ar.WriteU32(allowedModes);
        return;
    }
    ar.ReadU16(setTag);
    ar.ReadU16(slots[0]);
    ar.ReadU16(slots[1]);
    ar.ReadI16(gripMode);
    ar.ReadU32(allowedModes);
}
