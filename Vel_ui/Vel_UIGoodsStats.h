#pragma once

#include "Vel_ui/Vel_UIItemStats.h"

#include <array>
#include <cstdint>

// The statistics box (10760 on the inventory page) of goods: their weight (a dash for goods that
// are not carried) and what they hold or how much there is.
class Vel_UIGoodsStats : public Vel_UIItemStats
{
public:
    static constexpr std::uint16_t kBoxId = 10760;
    static constexpr std::uint16_t kFirstFieldId = 10761;
    static constexpr std::size_t kFieldCount = 2;

    Vel_UIGoodsStats() = default;
    Vel_UIGoodsStats(const Vel_UIGoodsStats& other);
    ~Vel_UIGoodsStats() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    void ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                  std::uint32_t b) override;

protected:
    void BindFields(bool logMissing) override;

    std::array<UITextControl*, kFieldCount> fields{};
};
