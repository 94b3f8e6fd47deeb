#include "Vel/Db/VelShieldInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelShieldInfo);
