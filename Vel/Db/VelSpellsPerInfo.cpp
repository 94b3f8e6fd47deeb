#include "Vel/Db/VelSpellsPerInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSpellsPerInfo);
