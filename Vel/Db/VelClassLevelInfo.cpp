#include "Vel/Db/VelClassLevelInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelClassLevelInfo);
