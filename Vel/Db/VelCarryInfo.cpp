#include "Vel/Db/VelCarryInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelCarryInfo);
