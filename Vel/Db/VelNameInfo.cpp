#include "Vel/Db/VelNameInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelNameInfo);
