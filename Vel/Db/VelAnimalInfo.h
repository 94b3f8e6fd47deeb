#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>
#include <string>

// A kind of animal (table 250, keyed by animal id).
class VelAnimalInfo : public VelRecord<VelAnimalInfo>
{
public:
    static constexpr const char* kClassName = "VelAnimalInfo";

    // Animal kind bits of kindsMask.
    static constexpr std::uint16_t kKindFamiliar = 1;
    static constexpr std::uint16_t kKindGroup = 2;
    static constexpr std::uint16_t kKindCompanion = 4;

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("iconFile", iconFile);
        v("sizeId", sizeId);
        v("kindsMask", kindsMask);
        v("hitDice", hitDice);
        v("valueA", valueA);
        v("goodSaves", goodSaves);
        v("speed", speed);
        v("thirdText", thirdText);
        v("naturalArmor", naturalArmor);
        v("abilities", abilities);
        v("fourthText", fourthText);
        v("fifthText", fifthText);
        v("description", description);
    }

    std::string name;
    // Looked up under "\Icons\".
    std::string iconFile;
    // Key of the size table.
    std::int16_t sizeId = 0;
    // The kinds the animal may be chosen as.
    std::uint16_t kindsMask = 0;
    // May be below 1.
    float hitDice = 0.0f;
    // Held for the screens; not interpreted.
    std::uint32_t valueA = 0;
    // Fortitude, Reflex, Will: non-zero is a good save.
    std::array<std::uint8_t, 3> goodSaves{};
    // Feet.
    std::int16_t speed = 0;
    std::string thirdText;
    std::uint16_t naturalArmor = 0;
    // STR, DEX, CON, INT, WIS, CHA.
    std::array<std::uint16_t, 6> abilities{};
    std::string fourthText;
    std::string fifthText;
    std::string description;
};
