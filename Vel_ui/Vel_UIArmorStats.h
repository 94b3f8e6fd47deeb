#pragma once

#include "Vel_ui/Vel_UIItemStats.h"

#include <array>
#include <cstdint>

// The statistics box (10720 on the inventory page) of a suit of armour as bought: armour bonus,
// check penalty, arcane spell failure, maximum dexterity bonus, the wearer's speed in it and its
// weight.
class Vel_UIArmorStats : public Vel_UIItemStats
{
public:
    static constexpr std::uint16_t kBoxId = 10720;
    static constexpr std::uint16_t kFirstFieldId = 10721;
    static constexpr std::size_t kFieldCount = 6;

    Vel_UIArmorStats() = default;
    Vel_UIArmorStats(const Vel_UIArmorStats& other);
    ~Vel_UIArmorStats() override;

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
