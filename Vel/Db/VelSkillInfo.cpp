#include "Vel/Db/VelSkillInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSkillInfo);
