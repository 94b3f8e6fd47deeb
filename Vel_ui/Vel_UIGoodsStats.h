#pragma once

#include "Vel_ui/Vel_UIItemStatsFields.h"

#include <cstdint>

// The statistics box (10760 on the inventory page) of goods: their weight (a dash for goods that
// are not carried) and what they hold or how much there is.
class Vel_UIGoodsStats : public Vel_UIItemStatsFields<2, 10761>
{
public:
    static constexpr std::uint16_t kBoxId = 10760;

    Vel_UIGoodsStats() = default;
    Vel_UIGoodsStats(const Vel_UIGoodsStats& other) = default;
    ~Vel_UIGoodsStats() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    void ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                  std::uint32_t b) override;
};
