#include "Vel/Db/VelAnimalFeatureInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalFeatureInfo);
