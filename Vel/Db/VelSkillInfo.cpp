#include "Vel/Db/VelSkillInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSkillInfo);
