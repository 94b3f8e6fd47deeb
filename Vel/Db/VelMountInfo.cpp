#include "Vel/Db/VelMountInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelMountInfo);
