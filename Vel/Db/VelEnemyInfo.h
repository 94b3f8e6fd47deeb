#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A kind of enemy (table 285, keyed by enemy id).
class VelEnemyInfo : public VelRecord<VelEnemyInfo>
{
public:
    static constexpr const char* kClassName = "VelEnemyInfo";

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("raceId", raceId);
        v("description", description);
    }

    std::string name;
    // Not offered to a character of this race; 0xFFFF none.
    std::uint16_t raceId = 0xFFFF;
    std::string description;
};
