#include "Vel/Db/VelAnimalSkillInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalSkillInfo);
