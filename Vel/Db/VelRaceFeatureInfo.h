#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A feature of a race (list 140).
class VelRaceFeatureInfo : public VelRecord<VelRaceFeatureInfo>
{
public:
    static constexpr const char* kClassName = "VelRaceFeatureInfo";

    template <class V> void Fields(V& v)
    {
        v("raceId", raceId);
        v("name", name);
        v("description", description);
    }

    // The race the feature belongs to.
    std::uint16_t raceId = 0xFFFF;
    std::string name;
    std::string description;
};
