#include "Vel/Db/VelAgeInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAgeInfo);
