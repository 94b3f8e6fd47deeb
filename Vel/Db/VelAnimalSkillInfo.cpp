#include "Vel/Db/VelAnimalSkillInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelAnimalSkillInfo);
