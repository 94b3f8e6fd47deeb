#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// The level at which a class, or a holder of a domain, casts a spell
// (ordered set 225; key = spell id). A row is either a class row or a
// domain row: exactly one of classId and domainId is set.
class VelSpellLevelInfo : public VelRecord<VelSpellLevelInfo>
{
public:
    static constexpr const char* kClassName = "VelSpellLevelInfo";

    VelSpellLevelInfo() = default;
    // Search record of the lookups, which then set classId or domainId.
    explicit VelSpellLevelInfo(std::uint16_t spellId) { key = static_cast<std::int16_t>(spellId); }

    // A spell's class rows by class id, then its domain rows by domain id,
    // then rows with neither.
    bool IsLess(const FCObject& other) const override;
    // A row with both ids or neither would break that order.
    bool IsWellFormed() const override;

    template <class V> void Fields(V& v)
    {
        v("classId", classId);
        v("domainId", domainId);
        v("level", level);
    }

    // -1 in a domain row.
    std::int16_t classId = -1;
    // -1 in a class row.
    std::int16_t domainId = -1;
    std::uint16_t level = 0xFFFF;
};
