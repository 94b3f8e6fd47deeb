#pragma once

#include "Vel_ui/Vel_UIItem.h"

#include <cstdint>

// A row of the inventory lists: what it offers or what the character owns.
// Its category tells the two apart: kStockRow rows carry a database item
// key, kOwnedRow rows the key of the character's own entry.
class Vel_UIInvItem : public Vel_UIItem
{
public:
    static constexpr std::uint16_t kStockRow = 5;
    static constexpr std::uint16_t kOwnedRow = 10;

    Vel_UIInvItem() = default;
    Vel_UIInvItem(const Vel_UIInvItem& other) = default;
    ~Vel_UIInvItem() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    std::uint16_t itemKey = 0;
    // VelCharacterItem options: masterwork, small, enhanced, spell-based.
    std::uint32_t options = 0;
    // The enhancement bonus, or the spell key of a spell-based item.
    std::uint32_t valueA = 0;
    // The caster class of a spell-based item.
    std::uint32_t valueB = 0;
};
