#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>
#include <string>

// A spell (table 210, keyed by spell id).
class VelSpellInfo : public VelRecord<VelSpellInfo>
{
public:
    static constexpr const char* kClassName = "VelSpellInfo";
    // The casting kind with its own item price.
    static constexpr std::uint16_t kCastingKind2 = 2;

    const std::string& GetDisplayName() const { return SelectDisplayName(name, displayName); }
    // Price of an item made from the spell for a caster of the casting kind.
    std::uint32_t GetKindValue(std::uint16_t castingKind) const;

    void AfterLoad();

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("displayName", displayName);
        v("schoolId", schoolId);
        v("words", words);
        v("description", description);
        v("itemPrice", itemPrice);
        v("itemPriceKind2", itemPriceKind2);
        v("itemPriceMagicKind6", itemPriceMagicKind6);
    }

    std::string name;
    // Shown in lists when not empty; its first letter is upper-cased on load.
    std::string displayName;
    std::uint16_t schoolId = 0;
    // Spell words A to E, held for the screens.
    std::array<std::uint16_t, 5> words{};
    std::string description;
    // Price of a spell-based magic item; positive: the spell is offered.
    std::uint32_t itemPrice = 0;
    // Used instead of itemPrice for casting kind 2 when non-zero.
    std::uint32_t itemPriceKind2 = 0;
    // Price of a magic item of magic kind 6 made from the spell.
    std::uint32_t itemPriceMagicKind6 = 0;
};
