#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// One prerequisite of a feat (list 205; key = feat id). All rows of a feat
// must hold.
class VelFeatDependInfo : public VelRecord<VelFeatDependInfo>
{
public:
    static constexpr const char* kClassName = "VelFeatDependInfo";

    // Prerequisite types.
    static constexpr std::uint16_t kHasFeat = 0;
    static constexpr std::uint16_t kHasSkill = 1;
    static constexpr std::uint16_t kBaseAttack = 2;
    static constexpr std::uint16_t kAlwaysMet = 3;
    static constexpr std::uint16_t kAbilityScore = 4;
    static constexpr std::uint16_t kCasterLevel = 5;
    // Met only when the feat is taken for one of these classes.
    static constexpr std::uint16_t kClassPriestOrKnight = 6;
    static constexpr std::uint16_t kClassWarriorLevel = 7;
    static constexpr std::uint16_t kClassScholar = 8;
    static constexpr std::uint16_t kTotalLevel = 9;

    template <class V> void Fields(V& v)
    {
        v("type", type);
        v("ability", ability);
        v("feat", feat);
        v("skill", skill);
        v("minimum", minimum);
    }

    std::uint16_t type = 0;
    std::uint16_t ability = 0xFFFF;
    std::uint16_t feat = 0xFFFF;
    std::uint16_t skill = 0xFFFF;
    // The least value of the base attack, ability, caster or total level.
    std::uint32_t minimum = 0;
};
