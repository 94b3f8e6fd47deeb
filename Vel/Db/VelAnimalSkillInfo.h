#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// An animal's ranks in a skill (ordered set 260; key = animal id).
class VelAnimalSkillInfo : public VelRecord<VelAnimalSkillInfo>
{
public:
    static constexpr const char* kClassName = "VelAnimalSkillInfo";

    VelAnimalSkillInfo() = default;
    // Search record of a set lookup.
    VelAnimalSkillInfo(std::uint16_t animalId, std::uint16_t skillId) : skillId(skillId)
    {
        key = static_cast<std::int16_t>(animalId);
    }

    std::uint16_t GetSecondKey() const { return skillId; }

    template <class V> void Fields(V& v)
    {
        v("skillId", skillId);
        v("ranks", ranks);
    }

    std::uint16_t skillId = 0xFFFF;
    std::int16_t ranks = 0;
};
