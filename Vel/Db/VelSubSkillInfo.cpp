#include "Vel/Db/VelSubSkillInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSubSkillInfo);
