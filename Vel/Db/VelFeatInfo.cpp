#include "Vel/Db/VelFeatInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelFeatInfo);
