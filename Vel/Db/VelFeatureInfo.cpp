#include "Vel/Db/VelFeatureInfo.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFormat.h"
#include "Vel/Db/VelItemInfo.h"

#include <limits>

FC_REGISTER_CLASS(VelFeatureInfo);

namespace
{
// Record keys are signed 16-bit: a larger value names no record rather than
// whichever one its low bits happen to hit.
std::uint16_t ToRecordKey(std::int32_t value)
{
    return value <= std::numeric_limits<std::int16_t>::max() ? static_cast<std::uint16_t>(value)
                                                             : std::uint16_t{0xFFFF};
}
} // namespace

std::string VelFeatureInfo::FormatName(std::int32_t value) const
{
    if (value < 0)
    {
        return name;
    }
    switch (kind)
    {
    case kKindAbilityModifier:
        return name + VelFormat(" (3 + %d)", {value});
    case kKindItem:
        if (const VelItemInfo* item = VelDatabase::FindItem(ToRecordKey(value)))
        {
            return name + " " + item->name;
        }
        return name;
    case kKindEnemy:
        if (const VelEnemyInfo* enemy = VelDatabase::FindEnemy(ToRecordKey(value)))
        {
            return name + ": " + enemy->name;
        }
        return name;
    default:
        return VelFormat(name, {value});
    }
}

std::string VelFeatureInfo::FormatText(std::int32_t value) const
{
    if (value < 0)
    {
        return text;
    }
    if (formatKind == kFormatTwice)
    {
        return VelFormat(text, {value, value});
    }
    return VelFormat(text, {value});
}
