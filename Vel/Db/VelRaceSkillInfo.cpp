#include "Vel/Db/VelRaceSkillInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelRaceSkillInfo);
