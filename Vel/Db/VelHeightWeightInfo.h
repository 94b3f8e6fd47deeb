#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// Height and weight of a race and sex (table 115, keyed by the pair).
class VelHeightWeightInfo : public VelRecord<VelHeightWeightInfo>
{
public:
    static constexpr const char* kClassName = "VelHeightWeightInfo";

    template <class V> void Fields(V& v)
    {
        v("baseHeight", baseHeight);
        v("baseWeight", baseWeight);
        v("heightDiceCount", heightDiceCount);
        v("heightDiceSides", heightDiceSides);
        v("weightDiceCount", weightDiceCount);
        v("weightDiceSides", weightDiceSides);
    }

    // Inches.
    std::uint16_t baseHeight = 0;
    // Pounds.
    std::uint16_t baseWeight = 0;
    std::uint16_t heightDiceCount = 0;
    std::uint16_t heightDiceSides = 4;
    std::uint16_t weightDiceCount = 0;
    std::uint16_t weightDiceSides = 4;
};
