#include "Vel/Character/VelCharacterAnimal.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelEntityFeature.h"
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFamiliarFeatureInfo.h"
#include "Vel/Db/VelFeatureInfo.h"

#include <limits>
#include <utility>

FC_REGISTER_CLASS(VelCharacterAnimal);

namespace
{
// Hit dice at or above which an animal counts alone.
constexpr float kGroupHitDice = 2.0f;
// Smallest stored element record: a null object marker.
constexpr std::uint32_t kMinElementSize = 2;

// The caller's reference passes to the list.
void AppendFeature(FCObjectVector& features, FCObject* feature)
{
    features.Append(feature);
    if (features.GetMode() == FCOwnership::kRefCounted)
    {
        feature->Release();
    }
}
} // namespace

VelCharacterAnimal::VelCharacterAnimal(std::uint16_t animalId, std::uint16_t secondKey)
    : animalId(animalId), secondKey(secondKey)
{
}

VelCharacterAnimal::VelCharacterAnimal(const VelCharacterAnimal& other)
    : VelEntity(other), animalId(other.animalId), secondKey(other.secondKey), text(other.text),
      owner(other.owner), kind(other.kind)
{
    for (std::uint32_t i = 0; i < other.features.GetCount(); ++i)
    {
        if (const FCObject* feature = other.features.GetAt(static_cast<std::int32_t>(i)))
        {
            AppendFeature(features, feature->Clone());
        }
    }
}

VelCharacterAnimal::~VelCharacterAnimal() = default;

VelEntityFeature* VelCharacterAnimal::AddAnimalFeature(const VelAnimalFeatureInfo& row)
{
    auto* feature = new VelEntityFeature();
    feature->featureId = row.featureId;
    feature->value = static_cast<std::int16_t>(row.value);
    AppendFeature(features, feature);
    return feature;
}

VelEntityFeature* VelCharacterAnimal::AddFamiliarFeature(const VelFamiliarFeatureInfo& row)
{
    auto* feature = new VelEntityFeature();
    feature->featureId = row.featureId;
    feature->value = static_cast<std::int16_t>(row.value);
    AppendFeature(features, feature);
    return feature;
}

bool VelCharacterAnimal::HasFeatureOfKind(std::uint16_t featureKind,
                                          std::uint16_t featureValue) const
{
    for (std::uint32_t i = 0; i < features.GetCount(); ++i)
    {
        const auto* feature =
            dynamic_cast<const VelEntityFeature*>(features.GetAt(static_cast<std::int32_t>(i)));
        if (!feature || static_cast<std::uint16_t>(feature->value) != featureValue)
        {
            continue;
        }
        const VelFeatureInfo* record = VelDatabase::FindFeature(feature->featureId);
        if (record && record->kind == featureKind)
        {
            return true;
        }
    }
    return false;
}

std::uint16_t VelCharacterAnimal::GetGroupSize() const
{
    if (kind != kCompanion)
    {
        return 1;
    }
    const VelAnimalInfo* animal = VelDatabase::FindAnimal(animalId);
    // No record, no hit dice or nonsense hit dice: one animal, never a
    // division by zero.
    if (!animal || !(animal->hitDice > 0.0f) || animal->hitDice >= kGroupHitDice)
    {
        return 1;
    }
    const float size = kGroupHitDice / animal->hitDice;
    constexpr auto kMost = static_cast<float>(std::numeric_limits<std::int16_t>::max());
    return static_cast<std::uint16_t>(size < kMost ? size : kMost);
}

void VelCharacterAnimal::Serialize(FCArchive& ar)
{
    VelEntity::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(animalId);
        ar.WriteU16(secondKey);
        ar.WriteString(text);
        ar.WriteU16(kind);
        features.Serialize(ar);
        return;
    }
    ar.ReadU16(animalId);
    ar.ReadU16(secondKey);
    std::string loadedText;
    if (ar.ReadString(loadedText))
    {
        text = std::move(loadedText);
    }
    ar.ReadU16(kind);
    // The list keeps its own mode whatever the file says, and holds only
    // features: the rest of the program casts its elements.
    const std::int32_t count = ar.ReadContainerHeader(kMinElementSize);
    for (std::int32_t i = 0; i < count && !ar.HasFailed(); ++i)
    {
        FCObject* object = ar.ReadObject();
        if (!object)
        {
            continue;
        }
        if (!dynamic_cast<VelEntityFeature*>(object))
        {
            FC_LOG("Animal feature list holds a %s\n", object->GetClassName().c_str());
            ar.SetFailed("Unexpected object in an animal's features");
            object->Release();
            return;
        }
        AppendFeature(features, object);
    }
}

bool VelCharacterAnimal::IsLess(const FCObject& other) const
{
    const auto* that = FCObjectAs<VelCharacterAnimal>(other);
    if (!that)
    {
        return GetClassName() < other.GetClassName();
    }
    const auto key = [](const VelCharacterAnimal& a)
    {
        return std::pair(static_cast<std::int16_t>(a.animalId),
                         static_cast<std::int16_t>(a.secondKey));
    };
    return key(*this) < key(*that);
}
