#include "Vel/Db/VelSchoolInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSchoolInfo);
