#include "Vel/Db/VelHeightWeightInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelHeightWeightInfo);
