#include "Vel/Db/VelDomainInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelDomainInfo);
