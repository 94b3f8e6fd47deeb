#pragma once

#include "Vel_ui/Vel_UIItemStatsFields.h"

#include <cstdint>

// The statistics box (10740 on the inventory page) of a shield as bought: shield bonus, check
// penalty, arcane spell failure and its weight; the two armour-only fields show a dash.
class Vel_UIShieldStats : public Vel_UIItemStatsFields<6, 10741>
{
public:
    static constexpr std::uint16_t kBoxId = 10740;

    Vel_UIShieldStats() = default;
    Vel_UIShieldStats(const Vel_UIShieldStats& other) = default;
    ~Vel_UIShieldStats() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    void ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                  std::uint32_t b) override;
};
