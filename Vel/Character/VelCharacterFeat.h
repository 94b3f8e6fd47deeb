#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <string>

// A feat the character has taken, with what it was taken for.
class VelCharacterFeat : public FCObject
{
public:
    static constexpr const char* kClassName = "VelCharacterFeat";
    static constexpr std::uint16_t kNoChoice = 0xFFFF;
    static constexpr std::uint16_t kNoClass = 0xFFFF;
    // Bits of flags.
    static constexpr std::uint32_t kFixed = 0x08;
    static constexpr std::uint32_t kBonusFeat = 0x10;
    static constexpr std::uint32_t kHighlighted = 0x20;

    VelCharacterFeat() = default;
    VelCharacterFeat(std::uint16_t featId, std::uint16_t choice, std::uint16_t secondChoice,
                     std::uint16_t classId);
    VelCharacterFeat(const VelCharacterFeat& other) = default;
    ~VelCharacterFeat() override;

    // The feat's name, " xN" when taken N > 1 times, then what was chosen;
    // empty when the feat is not in the database.
    std::string GetName() const;

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterFeat(*this); }
    FCObject* CreateNew() const override { return new VelCharacterFeat(); }
    // Feat id, class id, choice, second choice, then plain before bonus.
    bool IsLess(const FCObject& other) const override;

    std::uint16_t featId = 0;
    // How many times taken.
    std::int16_t count = 1;
    // An item, skill, school or number, by the feat's choice kind.
    std::uint16_t choice = kNoChoice;
    // The sub-skill of a skill choice.
    std::uint16_t secondChoice = kNoChoice;
    // The class that was current when the feat was taken.
    std::uint16_t classId = kNoClass;
    std::uint32_t flags = 0;
};
