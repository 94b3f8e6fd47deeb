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
        v("sortOrder", sortOrder);
        v("name", name);
        v("helpTextId", helpTextId);
        v("compatible", compatible);
    }

    // Place in the alignment screen's list.
    std::uint16_t sortOrder = 0;
    std::string name;
    // String-table text shown for the alignment. Always loaded, but a
    // record that never was still holds a defined value.
    std::uint16_t helpTextId = 0;
    // Further alignment ids accepted; kNone when unset.
    std::array<std::uint16_t, 3> compatible{kNone, kNone, kNone};
};
