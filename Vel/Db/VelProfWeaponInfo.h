#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A class or race familiar with a weapon (list 240; key = weapon item id).
class VelProfWeaponInfo : public VelRecord<VelProfWeaponInfo>
{
public:
    static constexpr const char* kClassName = "VelProfWeaponInfo";

    template <class V> void Fields(V& v)
    {
        // The file has the minimum size before the race.
        v("classId", classId);
        v("minSize", minSize);
        v("raceId", raceId);
    }

    // Negative: the row is a race row.
    std::int16_t classId = -1;
    std::uint16_t raceId = 0xFFFF;
    // Least size id of the character's race for a class row; negative: any.
    std::int16_t minSize = -1;
};
