#include "Vel/Db/VelCarryInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelCarryInfo);
