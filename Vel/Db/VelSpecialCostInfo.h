#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// A special price row (ordered sets 315 and 320; key, then second key).
class VelSpecialCostInfo : public VelRecord<VelSpecialCostInfo>
{
public:
    static constexpr const char* kClassName = "VelSpecialCostInfo";

    VelSpecialCostInfo() = default;
    // Search record of the set lookup.
    VelSpecialCostInfo(std::uint16_t key, std::uint16_t secondKey) : secondKey(secondKey)
    {
        this->key = static_cast<std::int16_t>(key);
    }

    std::uint16_t GetSecondKey() const { return secondKey; }

    template <class V> void Fields(V& v)
    {
        v("secondKey", secondKey);
        v("price", price);
        v("unit", unit);
        v("flag", flag);
    }

    std::uint16_t secondKey = 0;
    std::uint32_t price = 0;
    std::uint16_t unit = 2;
    // Whether the price replaces the item's base price or adds to it.
    std::uint8_t flag = 0;
};
