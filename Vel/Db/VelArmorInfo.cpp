#include "Vel/Db/VelArmorInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelArmorInfo);
