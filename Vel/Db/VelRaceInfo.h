#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>
#include <string>

// A race (table 105, keyed by race id).
class VelRaceInfo : public VelRecord<VelRaceInfo>
{
public:
    static constexpr const char* kClassName = "VelRaceInfo";

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("imageFile", imageFile);
        v("sizeId", sizeId);
        v("abilityAdjust", abilityAdjust);
        v("saveBonus", saveBonus);
        v("attackSizeModifier", attackSizeModifier);
        v("speedColumn", speedColumn);
        v("skillPoints", skillPoints);
        v("helpTextId", helpTextId);
    }

    std::string name;
    // Portrait; a female character's has "_F" before the extension.
    std::string imageFile;
    // Key of the size record (table 135).
    std::uint16_t sizeId = 0;
    // Racial adjustment by ability index.
    std::array<std::int16_t, 6> abilityAdjust{};
    // Fortitude, Reflex, Will.
    std::array<std::uint16_t, 3> saveBonus{};
    std::uint16_t attackSizeModifier = 0;
    // Which of the armour records' two speed columns applies.
    std::uint16_t speedColumn = 0;
    // Extra skill points per level.
    std::uint16_t skillPoints = 0;
    // String-table text the race screen shows for the race.
    std::uint16_t helpTextId = 0;
};
