#include "Vel/Db/VelGodDomainInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodDomainInfo);
