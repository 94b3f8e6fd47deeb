#include "Vel/Db/VelAnimalAttackInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalAttackInfo);
