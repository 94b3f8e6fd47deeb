#include "Vel/Db/VelGodDomainFeatInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelGodDomainFeatInfo);
