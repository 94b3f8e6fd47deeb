#pragma once

#include "Vel/Character/VelEntityFeature.h"

#include <cstdint>
#include <string>

// A feature granted to the character by one of its classes.
class VelCharacterFeature : public VelEntityFeature
{
public:
    static constexpr const char* kClassName = "VelCharacterFeature";
    // Bit of extra: granted by the class's levels, not chosen; it stays.
    static constexpr std::uint32_t kFixed = 0x08;

    VelCharacterFeature() = default;
    VelCharacterFeature(const VelCharacterFeature& other) = default;
    ~VelCharacterFeature() override;

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterFeature(*this); }
    FCObject* CreateNew() const override { return new VelCharacterFeature(); }

    // Key of the class-feature record that granted it.
    std::uint16_t source = 0;
};
