#pragma once

#include "Vel_ui/Vel_UIItemStats.h"

#include <array>
#include <cstdint>

// The statistics box (10700 on the inventory page) of a weapon: damage dice, critical range, range
// increment, its own weight, the first letter of its size and the kind of wound it deals.
class Vel_UIWeaponStats : public Vel_UIItemStats
{
public:
    static constexpr std::uint16_t kBoxId = 10700;
    static constexpr std::uint16_t kFirstFieldId = 10701;
    static constexpr std::size_t kFieldCount = 6;
    // Texts: the size names (their first letter is shown), and the kinds of
    // wound by the weapon's type.
    static constexpr std::int32_t kFirstSizeText = 10521;
    static constexpr std::int16_t kSizeCount = 4;
    static constexpr std::int32_t kFirstWoundText = 10580;

    Vel_UIWeaponStats() = default;
    Vel_UIWeaponStats(const Vel_UIWeaponStats& other);
    ~Vel_UIWeaponStats() override;

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
