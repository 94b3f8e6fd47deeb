#pragma once

#include "Fc/Core/FCObjectVector.h"
#include "Fc/Core/FCOwnership.h"
#include "Vel/Character/VelEntity.h"

#include <cstdint>
#include <string>

class VelAnimalFeatureInfo;
class VelCharacter;
class VelEntityFeature;
class VelFamiliarFeatureInfo;

// An animal of the character: a familiar, a companion or a mount.
class VelCharacterAnimal : public VelEntity
{
public:
    static constexpr const char* kClassName = "VelCharacterAnimal";
    // Kinds.
    static constexpr std::uint16_t kFamiliar = 1;
    // Stands for a group of small animals (GetGroupSize).
    static constexpr std::uint16_t kCompanion = 2;
    static constexpr std::uint16_t kMount = 4;

    VelCharacterAnimal() = default;
    VelCharacterAnimal(std::uint16_t animalId, std::uint16_t secondKey);
    // Copies the keys, text, owner, kind and features (each cloned into a
    // list of its own); the entity part starts fresh, as every entity copy.
    VelCharacterAnimal(const VelCharacterAnimal& other);
    VelCharacterAnimal& operator=(const VelCharacterAnimal&) = delete;
    ~VelCharacterAnimal() override;

    // A new feature with the row's feature id and value, appended to the
    // animal's features; the list holds it.
    VelEntityFeature* AddAnimalFeature(const VelAnimalFeatureInfo& row);
    VelEntityFeature* AddFamiliarFeature(const VelFamiliarFeatureInfo& row);
    // A feature whose record has the kind and which has the value.
    bool HasFeatureOfKind(std::uint16_t featureKind, std::uint16_t featureValue) const;
    // How many animals the entry stands for: more than 1 only for a
    // companion of less than 2 hit dice.
    std::uint16_t GetGroupSize() const;

    // The entity body, the keys, text and kind, then the features. Read
    // features stay in this list's own mode; anything but a feature in the
    // stored list fails the archive.
    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterAnimal(*this); }
    FCObject* CreateNew() const override { return new VelCharacterAnimal(); }
    // Animal id, then second key.
    bool IsLess(const FCObject& other) const override;

    // Key of the animal table.
    std::uint16_t animalId = 0xFFFF;
    // The class that grants the animal.
    std::uint16_t secondKey = 0xFFFF;
    std::string text;
    // Not a reference: the character owns its animals.
    VelCharacter* owner = nullptr;
    FCObjectVector features{FCOwnership::kRefCounted};
    std::uint16_t kind = 0;
};
