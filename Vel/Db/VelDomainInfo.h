#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A domain (table 170, keyed by domain id).
class VelDomainInfo : public VelRecord<VelDomainInfo>
{
public:
    static constexpr const char* kClassName = "VelDomainInfo";

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("iconFile", iconFile);
        // The file has the alignment mask between the second and third text.
        v("alignmentMask", alignmentMask);
        v("chosenText", chosenText);
        v("excludedDomain", excludedDomain);
        v("description", description);
    }

    std::string name;
    // Looked up under "\Icons\".
    std::string iconFile;
    // Shown beside the name of a chosen domain.
    std::string chosenText;
    // 0 or negative: any alignment; else the alignment id must share a bit.
    std::int16_t alignmentMask = 0;
    // A domain that cannot be held together with this one; -1 none.
    std::int16_t excludedDomain = -1;
    std::string description;
};
