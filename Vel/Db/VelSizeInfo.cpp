#include "Vel/Db/VelSizeInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSizeInfo);
