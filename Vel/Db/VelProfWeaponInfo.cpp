#include "Vel/Db/VelProfWeaponInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelProfWeaponInfo);
