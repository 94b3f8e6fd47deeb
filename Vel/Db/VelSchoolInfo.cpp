#include "Vel/Db/VelSchoolInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSchoolInfo);
