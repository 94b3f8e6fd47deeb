#include "Vel/Db/VelDomainInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelDomainInfo);
