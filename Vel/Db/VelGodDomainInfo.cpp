#include "Vel/Db/VelGodDomainInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodDomainInfo);
