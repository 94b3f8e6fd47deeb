#include "Vel/Db/VelShieldInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelShieldInfo);
