#pragma once

#include "Fc/Core/FCObject.h"

#include <array>
#include <cstdint>
#include <string>

class VelCharacter;

// A weapon set: what the two hands hold and how they hold it.
class VelCharacterEquip : public FCObject
{
public:
    static constexpr const char* kClassName = "VelCharacterEquip";
    static constexpr std::uint16_t kEmptySlot = 0xFFFF;
    static constexpr std::size_t kSlotCount = 2;

    // Grip modes.
    static constexpr std::int16_t kOneHand = 0;
    static constexpr std::int16_t kAnyGrip = 1;
    static constexpr std::int16_t kTwoHands = 2;
    static constexpr std::int16_t kTwoHandsAlt = 3;
    static constexpr std::int16_t kTwoWeapons = 4;

    // Bits of allowedModes: the weapon's hand-use code, then the two states
    // that do not depend on a weapon.
    static constexpr std::uint32_t kAllowsOneHand = 0x01;
    static constexpr std::uint32_t kAllowsTwoHands = 0x02;
    static constexpr std::uint32_t kAllowsTwoHandsAlt = 0x04;
    static constexpr std::uint32_t kBothHandsFull = 0x08;
    static constexpr std::uint32_t kBothHandsEmpty = 0x10;

    VelCharacterEquip() = default;
    VelCharacterEquip(const VelCharacterEquip& other) = default;
    ~VelCharacterEquip() override;

    // A slot out of range changes nothing.
    void SetSlot(std::int16_t slot, std::uint16_t itemKey);
    bool IsEmpty() const;
    bool HoldsItem(std::uint16_t itemKey) const;
    // Recomputes the allowed modes from what the hands hold; a grip mode no
    // longer allowed falls back to the default one. True when the grip mode
    // was allowed.
    bool UpdateModes(const VelCharacter* character);
    // Modes outside 0 to 4 count as allowed.
    bool IsModeAllowed(std::int16_t mode) const;

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterEquip(*this); }
    FCObject* CreateNew() const override { return new VelCharacterEquip(); }

    std::uint16_t setTag = 0;
    // Item keys of the character's items; slot 0 is the first hand.
    std::array<std::uint16_t, kSlotCount> slots{kEmptySlot, kEmptySlot};
    std::int16_t gripMode = kOneHand;
    std::uint32_t allowedModes = 0;
};
