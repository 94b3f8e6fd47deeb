#include "Vel/Db/VelRaceInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelRaceInfo);
