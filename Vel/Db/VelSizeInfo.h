#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A size (table 135, keyed by size id).
class VelSizeInfo : public VelRecord<VelSizeInfo>
{
public:
    static constexpr const char* kClassName = "VelSizeInfo";

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("carryFactor", carryFactor);
        v("sizeModifier", sizeModifier);
    }

    std::string name;
    // Multiplies the carrying limits.
    float carryFactor = 1.0f;
    // Added to attack and armour class.
    std::int16_t sizeModifier = 0;
};
