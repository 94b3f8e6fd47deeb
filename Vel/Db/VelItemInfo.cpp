#include "Vel/Db/VelItemInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelItemInfo);
