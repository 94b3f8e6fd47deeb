#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>

// Spells per day (ordered set 215) or spells known (ordered set 220) of a
// class at a class level (key = class id).
class VelSpellsPerInfo : public VelRecord<VelSpellsPerInfo>
{
public:
    static constexpr const char* kClassName = "VelSpellsPerInfo";

    VelSpellsPerInfo() = default;
    // Search record of the set lookup.
    VelSpellsPerInfo(std::uint16_t classId, std::uint16_t level)
        : classLevel(static_cast<std::int16_t>(level))
    {
        key = static_cast<std::int16_t>(classId);
    }

    std::uint16_t GetSecondKey() const { return static_cast<std::uint16_t>(classLevel); }

    template <class V> void Fields(V& v)
    {
        v("classLevel", classLevel);
        v("spells", spells);
        v("bonusOnlyLevel", bonusOnlyLevel);
    }

    std::int16_t classLevel = -1;
    // By spell level 0 to 9; negative: no spells of that level.
    std::array<std::int16_t, 10> spells{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // The spell level given only to a caster with a bonus spell of it.
    std::int16_t bonusOnlyLevel = -1;
};
