#include "Vel/Db/VelNameInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelNameInfo);
