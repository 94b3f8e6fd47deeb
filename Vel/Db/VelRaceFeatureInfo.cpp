#include "Vel/Db/VelRaceFeatureInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelRaceFeatureInfo);
