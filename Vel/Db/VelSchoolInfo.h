#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A school of magic (table 180, keyed by school id).
class VelSchoolInfo : public VelRecord<VelSchoolInfo>
{
public:
    static constexpr const char* kClassName = "VelSchoolInfo";

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("iconFile", iconFile);
        v("prohibitionWeight", prohibitionWeight);
        v("description", description);
    }

    std::string name;
    // Looked up under "\Icons\".
    std::string iconFile;
    // Weighed by the choice of prohibited schools.
    std::int16_t prohibitionWeight = 0;
    std::string description;
};
