#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A sub-skill of a skill (ordered set 146; key = skill id).
class VelSubSkillInfo : public VelRecord<VelSubSkillInfo>
{
public:
    static constexpr const char* kClassName = "VelSubSkillInfo";

    VelSubSkillInfo() = default;
    // Search record of the set lookup.
    VelSubSkillInfo(std::uint16_t skillId, std::uint16_t subSkillId) : subSkillId(subSkillId)
    {
        key = static_cast<std::int16_t>(skillId);
    }

    std::uint16_t GetSecondKey() const { return subSkillId; }

    template <class V> void Fields(V& v)
    {
        v("subSkillId", subSkillId);
        v("name", name);
        v("description", description);
    }

    std::uint16_t subSkillId = 0;
    std::string name;
    std::string description;
};
