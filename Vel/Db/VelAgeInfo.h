#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Ages of a race (table 120, keyed by race id).
class VelAgeInfo : public VelRecord<VelAgeInfo>
{
public:
    static constexpr const char* kClassName = "VelAgeInfo";

    template <class V> void Fields(V& v)
    {
        v("thresholds", thresholds);
        // The file keeps each column's count and sides together.
        for (std::size_t column = 0; column < diceCount.size(); ++column)
        {
            v("diceCount", diceCount[column]);
            v("diceSides", diceSides[column]);
        }
    }

    // Adult age (the lowest starting age), then three rising thresholds;
    // the second bounds the starting age.
    std::array<std::uint16_t, 4> thresholds{};
    // Age dice added to the adult age, by a class's age column.
    std::array<std::uint16_t, 4> diceCount{};
    std::array<std::uint16_t, 4> diceSides{};
};
