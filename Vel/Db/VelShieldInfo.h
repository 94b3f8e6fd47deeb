#pragma once

#include "Vel/Db/VelItemInfo.h"

#include <cstdint>

// A shield (item kind code 2002).
class VelShieldInfo : public VelRecord<VelShieldInfo, VelItemInfo>
{
public:
    static constexpr const char* kClassName = "VelShieldInfo";

    VelShieldInfo() { SetTypeCode(kShieldCode); }

    std::int16_t GetItemKind() const override { return 2; }

    template <class V> void Fields(V& v)
    {
        VelItemInfo::Fields(v);
        v("basePrice", basePrice);
        v("coinKind", coinKind);
        v("shieldBonus", shieldBonus);
        v("checkPenalty", checkPenalty);
        v("spellFailure", spellFailure);
        v("weight", weight);
        v("byteA", byteA);
        v("byteB", byteB);
        v("specialCostKey", specialCostKey);
        v("forbiddenToClass3", forbiddenToClass3);
    }

    std::uint16_t shieldBonus = 0;
    std::uint16_t checkPenalty = 0;
    // Percent.
    std::uint16_t spellFailure = 0;
    std::uint8_t byteA = 0;
    std::uint8_t byteB = 0;
};
