#include "Vel/Db/VelClassAlignmentInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelClassAlignmentInfo);
