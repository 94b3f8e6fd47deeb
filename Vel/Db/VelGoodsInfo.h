#pragma once

#include "Vel/Db/VelItemInfo.h"

#include <cstdint>

// Goods (item kind code 2003).
class VelGoodsInfo : public VelRecord<VelGoodsInfo, VelItemInfo>
{
public:
    static constexpr const char* kClassName = "VelGoodsInfo";

    VelGoodsInfo() { SetTypeCode(kGoodsCode); }

    template <class V> void Fields(V& v)
    {
        VelItemInfo::Fields(v);
        v("wordA", wordA);
        v("basePrice", basePrice);
        v("coinKind", coinKind);
        v("weight", weight);
        v("amount", amount);
        v("unit", unit);
        v("usable", usable);
        v("specialCostKey", specialCostKey);
        v("smallSize", smallSize);
        v("groupFlag", groupFlag);
    }

    std::uint16_t wordA = 0;
    // Capacity or quantity, counted in unit.
    float amount = 0.0f;
    std::uint16_t unit = 0;
    // Clear: a character cannot use the goods.
    std::uint8_t usable = 0;
    // Set: a small character gets the small version.
    std::uint8_t smallSize = 0;
    // Compared by the shop's goods filter.
    std::uint8_t groupFlag = 0;
};
