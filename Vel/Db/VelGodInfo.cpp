#include "Vel/Db/VelGodInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodInfo);
