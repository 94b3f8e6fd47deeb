#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A skill that a domain makes a class skill (ordered set 305; key = domain
// id).
class VelDomainSkillInfo : public VelRecord<VelDomainSkillInfo>
{
public:
    static constexpr const char* kClassName = "VelDomainSkillInfo";

    VelDomainSkillInfo() = default;
    // Search record of the set lookup.
    VelDomainSkillInfo(std::uint16_t domainId, std::uint16_t skillId) : skillId(skillId)
    {
        key = static_cast<std::int16_t>(domainId);
    }

    // A reset row belongs to no domain either.
    void Reset() override
    {
        VelRecord::Reset();
        key = -1;
    }

    std::uint16_t GetSecondKey() const { return skillId; }

    template <class V> void Fields(V& v)
    {
        v("skillId", skillId);
        v("secondValue", secondValue);
    }

    std::uint16_t skillId = 0xFFFF;
    std::uint16_t secondValue = 0xFFFF;
};
