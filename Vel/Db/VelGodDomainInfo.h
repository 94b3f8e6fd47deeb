#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A domain a god grants (ordered set 175; key = god id).
class VelGodDomainInfo : public VelRecord<VelGodDomainInfo>
{
public:
    static constexpr const char* kClassName = "VelGodDomainInfo";

    VelGodDomainInfo() = default;
    // Search record of the set lookup.
    VelGodDomainInfo(std::uint16_t godId, std::uint16_t domainId) : domainId(domainId)
    {
        key = static_cast<std::int16_t>(godId);
    }

    std::uint16_t GetSecondKey() const { return domainId; }

    template <class V> void Fields(V& v) { v("domainId", domainId); }

    std::uint16_t domainId = 0;
};
