#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <string>

// A language the character speaks.
class VelCharacterLanguage : public FCObject
{
public:
    static constexpr const char* kClassName = "VelCharacterLanguage";
    // Bit of extra: a language the character cannot drop.
    static constexpr std::uint32_t kFixed = 0x08;

    VelCharacterLanguage() = default;
    explicit VelCharacterLanguage(std::uint16_t languageId);
    VelCharacterLanguage(const VelCharacterLanguage& other) = default;
    ~VelCharacterLanguage() override;

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterLanguage(*this); }
    FCObject* CreateNew() const override { return new VelCharacterLanguage(); }

    std::uint16_t languageId = 0;
    std::uint32_t extra = 0;
};
