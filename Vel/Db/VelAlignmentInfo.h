#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>
#include <string>

// An alignment (table 110, keyed by alignment id).
class VelAlignmentInfo : public VelRecord<VelAlignmentInfo>
{
public:
    static constexpr const char* kClassName = "VelAlignmentInfo";
    static constexpr std::uint16_t kNone = 0xFFFF;

    // True for the alignment itself and for the alignments it accepts.
    bool IsCompatible(std::uint16_t alignmentId) const;

    template <class V> void Fields(V& v)
    {
        v("firstValue", firstValue);
        v("name", name);
        v("secondValue", secondValue);
        v("compatible", compatible);
    }

    // Read by the alignment screen only.
    std::uint16_t firstValue = 0;
    std::string name;
    // Read by the alignment screen only. Always loaded, but a record that
    // never was still holds a defined value.
    std::uint16_t secondValue = 0;
    // Further alignment ids accepted; kNone when unset.
    std::array<std::uint16_t, 3> compatible{kNone, kNone, kNone};
};
