#include "Vel/Db/VelFamiliarFeatureInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelFamiliarFeatureInfo);
