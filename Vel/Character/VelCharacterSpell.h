#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <string>

// A spell the character has chosen for one casting class.
class VelCharacterSpell : public FCObject
{
public:
    static constexpr const char* kClassName = "VelCharacterSpell";
    // Bit of extra: the spells page may not remove the entry.
    static constexpr std::uint32_t kFixed = 0x08;

    VelCharacterSpell() = default;
    VelCharacterSpell(std::uint16_t spellId, std::uint16_t classId);
    VelCharacterSpell(const VelCharacterSpell& other) = default;
    ~VelCharacterSpell() override;

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterSpell(*this); }
    FCObject* CreateNew() const override { return new VelCharacterSpell(); }
    // Spell id, then class id.
    bool IsLess(const FCObject& other) const override;

    std::uint16_t spellId = 0xFFFF;
    // The casting class the spell was chosen for.
    std::uint16_t classId = 0xFFFF;
    // The spells page's level.
    std::int16_t thirdKey = -1;
    // The spells page's slot.
    std::int16_t spellLevel = 0;
    // The spells page's flags.
    std::uint32_t extra = 0;
};
