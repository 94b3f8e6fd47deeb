#include "Vel/Db/VelSpecialCostInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSpecialCostInfo);
