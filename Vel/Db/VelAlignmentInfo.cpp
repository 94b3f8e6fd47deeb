#include "Vel/Db/VelAlignmentInfo.h"

#include "Fc/Core/FCClassRegistry.h"

#include <algorithm>

FC_REGISTER_CLASS(VelAlignmentInfo);

bool VelAlignmentInfo::IsCompatible(std::uint16_t alignmentId) const
{
    // "None" fills the unused compatible slots; it must not match them.
    if (alignmentId == kNone)
    {
        return false;
    }
    if (alignmentId == static_cast<std::uint16_t>(key))
    {
        return true;
    }
    return std::find(compatible.begin(), compatible.end(), alignmentId) != compatible.end();
}
