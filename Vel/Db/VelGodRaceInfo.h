#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A race allowed to follow a god (ordered set 176; key = god id).
class VelGodRaceInfo : public VelRecord<VelGodRaceInfo>
{
public:
    static constexpr const char* kClassName = "VelGodRaceInfo";

    VelGodRaceInfo() = default;
    // Search record of the set lookup.
    VelGodRaceInfo(std::uint16_t godId, std::uint16_t raceId)
        : raceId(raceId)
    {
        key = static_cast<std::int16_t>(godId);
    }

    std::uint16_t GetSecondKey() const { return raceId; }

    template <class V>
    void Fields(V& v)
    {
        v("raceId", raceId);
    }

    std::uint16_t raceId = 0;
};
