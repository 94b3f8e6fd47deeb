#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A feature a class grants from a level on (list 280, keyed by class id).
class VelClassFeatureInfo : public VelRecord<VelClassFeatureInfo>
{
public:
    static constexpr const char* kClassName = "VelClassFeatureInfo";

    // The feature's name filled in with this row's value; empty when the
    // feature does not exist.
    std::string GetText() const;

    template <class V> void Fields(V& v)
    {
        // The file has the level first.
        v("level", level);
        v("featureId", featureId);
        v("value", value);
    }

    // Key of the feature record (table 275).
    std::uint16_t featureId = 0;
    // Class level from which the feature is granted.
    std::uint16_t level = 0;
    // The feature's value; for a feature of kind 1 the feat granted with it.
    std::int16_t value = -1;
};
