#include "Vel/Db/VelClassInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelClassInfo);
