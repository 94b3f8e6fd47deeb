#include "Vel/Db/VelProfWeaponInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelProfWeaponInfo);
