#include "Vel/Db/VelAnimalInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalInfo);
