#include "Vel/Db/VelRaceSkillInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelRaceSkillInfo);
