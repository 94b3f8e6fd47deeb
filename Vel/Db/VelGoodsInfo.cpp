#include "Vel/Db/VelGoodsInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGoodsInfo);
