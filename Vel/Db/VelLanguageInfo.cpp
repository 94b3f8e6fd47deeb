#include "Vel/Db/VelLanguageInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelLanguageInfo);
