#include "Vel/Db/VelFeatDependInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelFeatDependInfo);
