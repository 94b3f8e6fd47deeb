#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// One part of a random name (list 270; key = race id).
class VelNameInfo : public VelRecord<VelNameInfo>
{
public:
    static constexpr const char* kClassName = "VelNameInfo";

    static constexpr std::uint16_t kEitherSex = 2;
    // Part kinds.
    static constexpr std::uint16_t kFirstPart = 0;
    static constexpr std::uint16_t kSecondPart = 1;
    static constexpr std::uint16_t kWholeName = 2;

    template <class V> void Fields(V& v)
    {
        v("sex", sex);
        v("text", text);
        v("kind", kind);
    }

    std::uint16_t sex = 0xFFFF;
    std::string text;
    std::uint16_t kind = 0xFFFF;
};
