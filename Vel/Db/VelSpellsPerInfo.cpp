#include "Vel/Db/VelSpellsPerInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSpellsPerInfo);
