#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A feature an animal has or gives (list 265; key = animal id).
class VelAnimalFeatureInfo : public VelRecord<VelAnimalFeatureInfo>
{
public:
    static constexpr const char* kClassName = "VelAnimalFeatureInfo";

    template <class V> void Fields(V& v)
    {
        v("wordA", wordA);
        v("featureId", featureId);
        v("value", value);
        v("kindsMask", kindsMask);
    }

    std::uint16_t wordA = 0;
    // Key of the feature table.
    std::uint16_t featureId = 0;
    // The value given to the feature's text.
    std::uint16_t value = 0xFFFF;
    // Animal kind bits the row applies to.
    std::int16_t kindsMask = 0;
};
