#include "Vel/Db/VelFeatDependInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelFeatDependInfo);
