#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <string>

class VelEntity;

// A special feature of a character or an animal: a feature record and the
// number its text shows.
class VelEntityFeature : public FCObject
{
public:
    static constexpr const char* kClassName = "VelEntityFeature";

    VelEntityFeature() = default;
    VelEntityFeature(const VelEntityFeature& other) = default;
    ~VelEntityFeature() override;

    // The feature record's text and name with the value filled in; a
    // feature that counts an ability shows the entity's CHA modifier
    // instead. Empty when the feature is not in the database.
    std::string GetText(const VelEntity* entity) const;
    std::string GetName(const VelEntity* entity) const;

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelEntityFeature(*this); }
    FCObject* CreateNew() const override { return new VelEntityFeature(); }

    // Key of the feature table.
    std::uint16_t featureId = 0;
    std::int16_t value = -1;
    std::uint32_t extra = 0;
};
