#include "Vel/Db/VelGodRaceInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodRaceInfo);
