#include "Vel/Db/VelWeaponInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelWeaponInfo);
