#include "Vel/Db/VelRaceFeatureInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelRaceFeatureInfo);
