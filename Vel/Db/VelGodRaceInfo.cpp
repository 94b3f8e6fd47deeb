#include "Vel/Db/VelGodRaceInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodRaceInfo);
