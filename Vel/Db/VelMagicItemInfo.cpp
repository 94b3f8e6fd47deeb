#include "Vel/Db/VelMagicItemInfo.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelUpperFirst.h"

FC_REGISTER_CLASS(VelMagicItemInfo);

void VelMagicItemInfo::AfterLoad()
{
    VelUpperFirst(name);
}
