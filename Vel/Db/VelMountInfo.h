#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A master-level range of the companion (list 290) or familiar (list 295)
// table and the bonuses it brings.
class VelMountInfo : public VelRecord<VelMountInfo>
{
public:
    static constexpr const char* kClassName = "VelMountInfo";

    template <class V> void Fields(V& v)
    {
        v("lowestLevel", lowestLevel);
        v("highestLevel", highestLevel);
        v("hitDiceBonus", hitDiceBonus);
        v("naturalArmorBonus", naturalArmorBonus);
        v("strengthBonus", strengthBonus);
        v("intScore", intScore);
    }

    std::uint16_t lowestLevel = 0;
    std::uint16_t highestLevel = 0;
    std::uint16_t hitDiceBonus = 0;
    std::uint16_t naturalArmorBonus = 0;
    std::uint16_t strengthBonus = 0;
    std::uint16_t intScore = 0;
};
