#include "Vel/Db/VelFamiliarFeatureInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelFamiliarFeatureInfo);
