#include "Vel/Db/VelLanguageInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelLanguageInfo);
