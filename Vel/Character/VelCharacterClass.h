#pragma once

#include "Fc/Core/FCObject.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// One class the character has taken, with its levels and what they granted.
class VelCharacterClass : public FCObject
{
public:
    static constexpr const char* kClassName = "VelCharacterClass";
    static constexpr std::size_t kSpellLevelCount = 10;
    // Bit of flags: the class mark the set-up pages set and test.
    static constexpr std::uint8_t kClassMark = 0x01;
    // spellsPerDay: the level cannot be cast.
    static constexpr std::int16_t kNoSpells = -1;

    VelCharacterClass() = default;
    VelCharacterClass(std::uint16_t classId, std::uint16_t level);
    VelCharacterClass(const VelCharacterClass& other) = default;
    ~VelCharacterClass() override;

    // The class record's name, "Ex-" in front for a former member; empty
    // when the class is not in the database.
    std::string GetName() const;

    // Starting level and flags are not stored: they read back as 0.
    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterClass(*this); }
    FCObject* CreateNew() const override { return new VelCharacterClass(); }

    std::uint16_t classId = 0;
    std::uint16_t level = 0;
    // The level when the set-up pages were last entered.
    std::uint16_t startingLevel = 0;
    // Sum of this class's hit-die results.
    std::uint16_t hitPointsRolled = 0;
    std::uint16_t skillPointsAvailable = 0;
    std::uint16_t skillPointsSpent = 0;
    // Class bonus feats not used yet.
    std::uint16_t bonusFeats = 0;
    // By spell level 0 to 9.
    std::array<std::int16_t, kSpellLevelCount> spellsPerDay{
        kNoSpells, kNoSpells, kNoSpells, kNoSpells, kNoSpells,
        kNoSpells, kNoSpells, kNoSpells, kNoSpells, kNoSpells};
    std::array<std::uint16_t, kSpellLevelCount> spellsChosen{};
    std::array<std::uint16_t, kSpellLevelCount> spellsKnown{};
    std::uint8_t formerMember = 0;
    std::uint16_t specialChoices = 0;
    std::uint8_t flags = 0;
};
