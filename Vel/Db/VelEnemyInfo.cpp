#include "Vel/Db/VelEnemyInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelEnemyInfo);
