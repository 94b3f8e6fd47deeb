#include "Vel/Db/VelSpokenLanguageInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSpokenLanguageInfo);
