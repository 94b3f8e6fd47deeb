#include "Vel/Db/VelAgeInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAgeInfo);
