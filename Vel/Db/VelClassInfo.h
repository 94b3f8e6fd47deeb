#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>
#include <string>

// A character class (table 100, keyed by class id).
class VelClassInfo : public VelRecord<VelClassInfo>
{
public:
    static constexpr const char* kClassName = "VelClassInfo";

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("description", description);
        v("hitDie", hitDie);
        v("ageColumn", ageColumn);
        v("goodSaves", goodSaves);
        v("baseAttackColumn", baseAttackColumn);
        v("abilityPriority", abilityPriority);
        v("skillPoints", skillPoints);
        v("moneyDiceCount", moneyDiceCount);
        v("moneyDiceSides", moneyDiceSides);
        v("moneyMultiplier", moneyMultiplier);
        v("startingItem", startingItem);
        v("castingKind", castingKind);
        v("animalCompanion", animalCompanion);
        v("proficiencies", proficiencies);
        v("castingAbility", castingAbility);
        v("formerText", formerText);
        v("portraitFile", portraitFile);
    }

    std::string name;
    // Shown for the class on the set-up screen.
    std::string description;
    // Sides of the hit die rolled per level.
    std::uint16_t hitDie = 4;
    // Which of the race's age-dice columns gives the starting age.
    std::uint16_t ageColumn = 0;
    // Fortitude, Reflex, Will: non-zero is a good save.
    std::array<std::uint8_t, 3> goodSaves{};
    // Column (0 to 3) of the class-level records' base attack.
    std::uint16_t baseAttackColumn = 0;
    // Ability indexes, most important first.
    std::array<std::uint16_t, 6> abilityPriority{};
    std::uint16_t skillPoints = 0;
    // Starting money at first level: count d sides x multiplier.
    std::uint16_t moneyDiceCount = 0;
    std::uint16_t moneyDiceSides = 0;
    std::uint16_t moneyMultiplier = 0;
    // Item given at creation; 0xFFFF none.
    std::uint16_t startingItem = 0xFFFF;
    // 0: the class casts no spells; otherwise how it casts them.
    std::uint16_t castingKind = 0;
    // Non-zero: the class grants an animal companion.
    std::uint8_t animalCompanion = 0;
    // Simple, martial, light, medium, heavy armour, shields.
    std::array<std::uint8_t, 6> proficiencies{};
    // Ability that governs the class's spells; 0xFFFF none.
    std::uint16_t castingAbility = 0xFFFF;
    // Shown instead of the description for a former member.
    std::string formerText;
    // The class picture; "X-" goes before it for a former member and "_F"
    // before the extension for a female character.
    std::string portraitFile;
};
