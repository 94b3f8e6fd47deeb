#pragma once

#include "Vel_ui/Vel_UIItemStatsFields.h"

#include <cstdint>

// The statistics box (10700 on the inventory page) of a weapon: damage dice, critical range, range
// increment, its own weight, the first letter of its size and the kind of wound it deals.
class Vel_UIWeaponStats : public Vel_UIItemStatsFields<6, 10701>
{
public:
    static constexpr std::uint16_t kBoxId = 10700;
    // Texts: the size names (their first letter is shown), and the kinds of
    // wound by the weapon's type.
    static constexpr std::int32_t kFirstSizeText = 10521;
    static constexpr std::int16_t kSizeCount = 4;
    static constexpr std::int32_t kFirstWoundText = 10580;

    Vel_UIWeaponStats() = default;
    Vel_UIWeaponStats(const Vel_UIWeaponStats& other) = default;
    ~Vel_UIWeaponStats() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    void ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                  std::uint32_t b) override;
};
