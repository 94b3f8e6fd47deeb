#include "Vel/Db/VelRaceInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelRaceInfo);
