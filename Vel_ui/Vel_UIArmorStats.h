#pragma once

#include "Vel_ui/Vel_UIItemStatsFields.h"

#include <cstdint>

// The statistics box (10720 on the inventory page) of a suit of armour as bought: armour bonus,
// check penalty, arcane spell failure, maximum dexterity bonus, the wearer's speed in it and its
// weight.
class Vel_UIArmorStats : public Vel_UIItemStatsFields<6, 10721>
{
public:
    static constexpr std::uint16_t kBoxId = 10720;

    Vel_UIArmorStats() = default;
    Vel_UIArmorStats(const Vel_UIArmorStats& other) = default;
    ~Vel_UIArmorStats() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    void ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                  std::uint32_t b) override;
};
