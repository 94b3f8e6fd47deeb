#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>

// What a level brings (table 125, keyed by level).
class VelClassLevelInfo : public VelRecord<VelClassLevelInfo>
{
public:
    static constexpr const char* kClassName = "VelClassLevelInfo";

    template <class V> void Fields(V& v)
    {
        v("baseAttack", baseAttack);
        // The file keeps each column's count and sides together.
        v("unarmedDiceCount0", unarmedDiceCount[0]);
        v("unarmedDiceSides0", unarmedDiceSides[0]);
        v("unarmedDiceCount1", unarmedDiceCount[1]);
        v("unarmedDiceSides1", unarmedDiceSides[1]);
        v("speedValues", speedValues);
        v("wealth", wealth);
    }

    // Base attack bonus by base-attack column.
    std::array<std::uint16_t, 4> baseAttack{};
    // Special unarmed attack dice by size column.
    std::array<std::uint16_t, 2> unarmedDiceCount{};
    std::array<std::uint16_t, 2> unarmedDiceSides{};
    // Speed bonuses read by two classes' speed rules.
    std::array<std::uint16_t, 2> speedValues{};
    // Starting wealth of a character created at this level.
    std::uint32_t wealth = 0;
};
