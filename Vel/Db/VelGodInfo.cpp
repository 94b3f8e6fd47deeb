#include "Vel/Db/VelGodInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodInfo);
