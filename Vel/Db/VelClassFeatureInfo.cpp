#include "Vel/Db/VelClassFeatureInfo.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"

FC_REGISTER_CLASS(VelClassFeatureInfo);

std::string VelClassFeatureInfo::GetText() const
{
    const VelFeatureInfo* feature = VelDatabase::FindFeature(featureId);
    return feature != nullptr ? feature->FormatName(value) : std::string();
}
