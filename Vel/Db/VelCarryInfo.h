#pragma once

#include "Vel/Db/VelRecord.h"

// Carrying limits for a strength score (table 130, keyed by the score).
class VelCarryInfo : public VelRecord<VelCarryInfo>
{
public:
    static constexpr const char* kClassName = "VelCarryInfo";

    template <class V> void Fields(V& v)
    {
        v("lightLimit", lightLimit);
        v("mediumLimit", mediumLimit);
        v("heavyLimit", heavyLimit);
    }

    // Pounds.
    float lightLimit = 0.0f;
    float mediumLimit = 0.0f;
    float heavyLimit = 0.0f;
};
