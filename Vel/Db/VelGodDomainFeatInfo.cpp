#include "Vel/Db/VelGodDomainFeatInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodDomainFeatInfo);
