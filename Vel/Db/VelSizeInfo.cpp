#include "Vel/Db/VelSizeInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSizeInfo);
