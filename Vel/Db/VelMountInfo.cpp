#include "Vel/Db/VelMountInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelMountInfo);
