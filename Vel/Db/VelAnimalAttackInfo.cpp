#include "Vel/Db/VelAnimalAttackInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalAttackInfo);
