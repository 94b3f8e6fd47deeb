#include "Vel/Db/VelAnimalFeatureInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalFeatureInfo);
