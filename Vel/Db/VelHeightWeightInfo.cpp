#include "Vel/Db/VelHeightWeightInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelHeightWeightInfo);
