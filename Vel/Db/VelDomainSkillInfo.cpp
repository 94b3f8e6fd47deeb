#include "Vel/Db/VelDomainSkillInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelDomainSkillInfo);
