#include "Vel/Db/VelWeaponInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelWeaponInfo);
