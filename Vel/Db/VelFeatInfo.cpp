#include "Vel/Db/VelFeatInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelFeatInfo);
