#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// An alignment listed for a class (ordered set 111; key = class id).
class VelClassAlignmentInfo : public VelRecord<VelClassAlignmentInfo>
{
public:
    static constexpr const char* kClassName = "VelClassAlignmentInfo";

    VelClassAlignmentInfo() = default;
    // Search record of the set lookup.
    VelClassAlignmentInfo(std::uint16_t classId, std::uint16_t alignmentId)
        : alignmentId(alignmentId)
    {
        key = static_cast<std::int16_t>(classId);
    }

    std::uint16_t GetSecondKey() const { return alignmentId; }

    template <class V> void Fields(V& v) { v("alignmentId", alignmentId); }

    std::uint16_t alignmentId = 0;
};
