#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A god (table 165, keyed by god id).
class VelGodInfo : public VelRecord<VelGodInfo>
{
public:
    static constexpr const char* kClassName = "VelGodInfo";

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("iconFile", iconFile);
        v("alignment", alignment);
        v("excludedAlignment", excludedAlignment);
        v("raceRestricted", raceRestricted);
        v("description", description);
    }

    std::string name;
    // Looked up under "\Icons\".
    std::string iconFile;
    // Above 0: the alignment a follower's alignment must match.
    std::int16_t alignment = 4;
    // A follower's alignment must differ from it.
    std::uint16_t excludedAlignment = 0;
    // Set: only the races listed with the god (table 176) may follow it.
    std::uint8_t raceRestricted = 0;
    std::string description;
};
