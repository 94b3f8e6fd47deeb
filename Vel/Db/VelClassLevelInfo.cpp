#include "Vel/Db/VelClassLevelInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelClassLevelInfo);
