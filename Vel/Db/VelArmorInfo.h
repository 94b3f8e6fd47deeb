#pragma once

#include "Vel/Db/VelItemInfo.h"

#include <cstdint>

// A suit of armour (item kind code 2001).
class VelArmorInfo : public VelRecord<VelArmorInfo, VelItemInfo>
{
public:
    static constexpr const char* kClassName = "VelArmorInfo";

    VelArmorInfo() { SetTypeCode(kArmorCode); }

    std::int16_t GetItemKind() const override { return 1; }

    template <class V> void Fields(V& v)
    {
        VelItemInfo::Fields(v);
        v("category", category);
        v("basePrice", basePrice);
        v("coinKind", coinKind);
        v("armorBonus", armorBonus);
        v("maxDexBonus", maxDexBonus);
        v("checkPenalty", checkPenalty);
        v("spellFailure", spellFailure);
        v("speed", speed);
        v("slowSpeed", slowSpeed);
        v("weight", weight);
        v("specialCostKey", specialCostKey);
        v("forbiddenToClass3", forbiddenToClass3);
    }

    // 0 light, 1 medium, 2 heavy.
    std::uint16_t category = 0;
    std::uint16_t armorBonus = 0;
    std::uint16_t maxDexBonus = 0;
    std::uint16_t checkPenalty = 0;
    // Percent.
    std::uint16_t spellFailure = 0;
    // Feet; slowSpeed for the races with the slow speed column.
    std::uint16_t speed = 0;
    std::uint16_t slowSpeed = 0;
};
