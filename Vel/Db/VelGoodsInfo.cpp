#include "Vel/Db/VelGoodsInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGoodsInfo);
