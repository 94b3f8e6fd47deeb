#include "Vel/Db/VelSpecialCostInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSpecialCostInfo);
