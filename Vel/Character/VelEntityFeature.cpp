#include "Vel/Character/VelEntityFeature.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Character/VelEntity.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Rules/VelAbilityRules.h"

#include <algorithm>

FC_REGISTER_CLASS(VelEntityFeature);

VelEntityFeature::~VelEntityFeature() = default;

std::string VelEntityFeature::GetText(const VelEntity* entity)
{
    const VelFeatureInfo* feature = VelDatabase::FindFeature(featureId);
    if (!feature)
    {
        return {};
    }
    if (feature->kind == VelFeatureInfo::kKindAbilityModifier && entity)
    {
        const auto score = static_cast<std::int16_t>(entity->abilities[VelEntity::kInt]);
        value = std::max<std::int16_t>(GetAbilityModifier(score), 0);
    }
    return feature->FormatText(value);
}

void VelEntityFeature::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(featureId);
        ar.WriteI16(value);
        ar.WriteU32(extra);
        return;
    }
    ar.ReadU16(featureId);
    ar.ReadI16(value);
    ar.ReadU32(extra);
}
