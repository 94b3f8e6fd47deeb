#include "Vel/Db/VelDomainSkillInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelDomainSkillInfo);
