#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A feature a familiar gains from a master's class level on (list 300).
class VelFamiliarFeatureInfo : public VelRecord<VelFamiliarFeatureInfo>
{
public:
    static constexpr const char* kClassName = "VelFamiliarFeatureInfo";

    template <class V> void Fields(V& v)
    {
        v("lowestLevel", lowestLevel);
        v("featureId", featureId);
        v("value", value);
    }

    std::uint16_t lowestLevel = 0;
    std::uint16_t featureId = 0;
    std::uint16_t value = 0xFFFF;
};
