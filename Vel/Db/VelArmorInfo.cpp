#include "Vel/Db/VelArmorInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelArmorInfo);
