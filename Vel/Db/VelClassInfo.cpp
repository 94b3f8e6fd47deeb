#include "Vel/Db/VelClassInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelClassInfo);
