#include "Vel/Db/VelSubSkillInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSubSkillInfo);
