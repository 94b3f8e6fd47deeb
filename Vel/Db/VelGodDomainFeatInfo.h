#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A feat given to a follower of a god who holds one of its domains
// (list 310; key = god id).
class VelGodDomainFeatInfo : public VelRecord<VelGodDomainFeatInfo>
{
public:
    static constexpr const char* kClassName = "VelGodDomainFeatInfo";

    // A reset row belongs to no god either.
    void Reset() override
    {
        VelRecord::Reset();
        key = -1;
    }

    template <class V> void Fields(V& v)
    {
        v("domainId", domainId);
        v("featId", featId);
        v("featChoice", featChoice);
    }

    std::uint16_t domainId = 0xFFFF;
    std::uint16_t featId = 0xFFFF;
    // 0xFFFF: the feat takes no choice.
    std::uint16_t featChoice = 0xFFFF;
};
