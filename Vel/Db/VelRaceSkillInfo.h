#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A race's bonus to a skill (ordered set 142; key = race id).
class VelRaceSkillInfo : public VelRecord<VelRaceSkillInfo>
{
public:
    static constexpr const char* kClassName = "VelRaceSkillInfo";

    VelRaceSkillInfo() = default;
    // Search record of the set lookup.
    VelRaceSkillInfo(std::uint16_t raceId, std::uint16_t skillId) : skillId(skillId)
    {
        key = static_cast<std::int16_t>(raceId);
    }

    // Unlike most records, a reset row belongs to no race either.
    void Reset() override
    {
        VelRecord::Reset();
        key = -1;
    }

    std::uint16_t GetSecondKey() const { return skillId; }

    template <class V> void Fields(V& v)
    {
        v("skillId", skillId);
        v("secondId", secondId);
        v("bonus", bonus);
    }

    std::uint16_t skillId = 0xFFFF;
    std::uint16_t secondId = 0xFFFF;
    // Added by the skill modifier rule.
    std::uint16_t bonus = 0;
};
