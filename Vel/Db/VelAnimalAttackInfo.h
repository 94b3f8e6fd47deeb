#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// One attack of an animal (ordered set 255; key = animal id, then the
// attack index).
class VelAnimalAttackInfo : public VelRecord<VelAnimalAttackInfo>
{
public:
    static constexpr const char* kClassName = "VelAnimalAttackInfo";

    VelAnimalAttackInfo() = default;
    // Search record of the set lookup.
    VelAnimalAttackInfo(std::uint16_t animalId, std::uint16_t attackIndex)
        : attackIndex(static_cast<std::int16_t>(attackIndex))
    {
        key = static_cast<std::int16_t>(animalId);
    }

    std::uint16_t GetSecondKey() const { return static_cast<std::uint16_t>(attackIndex); }

    template <class V> void Fields(V& v)
    {
        v("attackIndex", attackIndex);
        v("name", name);
        v("wordA", wordA);
        v("diceCount", diceCount);
        v("dieSides", dieSides);
        v("strengthFactor", strengthFactor);
    }

    // 0 for the animal's first attack, then 1, 2 ...
    std::int16_t attackIndex = 0;
    std::string name;
    std::uint16_t wordA = 0;
    std::uint16_t diceCount = 0;
    // 1 or less: the damage is diceCount itself.
    std::uint16_t dieSides = 0;
    // Share of the STR modifier added to the damage.
    float strengthFactor = 0.0f;
};
