#include "Vel/Db/VelClassAlignmentInfo.h"

#include "Fc/FCClassRegistry.h"

FC_REGISTER_CLASS(VelClassAlignmentInfo);
