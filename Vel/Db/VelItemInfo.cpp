#include "Vel/Db/VelItemInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelItemInfo);
