#include "Vel/Db/VelAnimalInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalInfo);
