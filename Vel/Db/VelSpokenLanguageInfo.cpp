#include "Vel/Db/VelSpokenLanguageInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSpokenLanguageInfo);
