#include "Vel/Db/VelSpellInfo.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelUpperFirst.h"

FC_REGISTER_CLASS(VelSpellInfo);

std::uint32_t VelSpellInfo::GetKindValue(std::uint16_t castingKind) const
{
    if (castingKind == kCastingKind2 && itemPriceKind2 != 0)
    {
        return itemPriceKind2;
    }
    return itemPrice;
}

void VelSpellInfo::AfterLoad()
{
    VelUpperFirst(displayName);
}
