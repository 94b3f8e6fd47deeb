#include "Vel/Character/VelEntityFeature.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Character/VelEntity.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelFormat.h"
#include "Vel/Rules/VelAbilityRules.h"

FC_REGISTER_CLASS(VelEntityFeature);

VelEntityFeature::~VelEntityFeature() = default;

namespace
{
// A feature that counts an ability (3 + the modifier, times a day) shows the
// entity's CHA modifier as it is now, wherever it is shown or printed; the
// entry keeps the value its class row gave.
bool CountsAbility(const VelFeatureInfo& feature, const VelEntity* entity)
{
    return feature.kind == VelFeatureInfo::kKindAbilityModifier && entity;
}

std::int16_t ChaModifier(const VelEntity& entity)
{
    return GetAbilityModifier(static_cast<std::int16_t>(entity.abilities[VelEntity::kCha]));
}
} // namespace

std::string VelEntityFeature::GetText(const VelEntity* entity) const
{
    const VelFeatureInfo* feature = VelDatabase::FindFeature(featureId);
    if (!feature)
        return {};
    return feature->FormatText(CountsAbility(*feature, entity) ? ChaModifier(*entity) : value);
}

std::string VelEntityFeature::GetName(const VelEntity* entity) const
{
    const VelFeatureInfo* feature = VelDatabase::FindFeature(featureId);
    if (!feature)
        return {};
    if (!CountsAbility(*feature, entity))
        return feature->FormatName(value);
    const std::int16_t modifier = ChaModifier(*entity);
    // A penalty reads as one: "(3 - 2)", not "(3 + -2)".
    return modifier >= 0 ? feature->FormatName(modifier)
                         : feature->name + VelFormat(" (3 - %d)", {-modifier});
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
