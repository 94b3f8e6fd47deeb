#include "Vel/Db/VelEnemyInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelEnemyInfo);
