#pragma once

#include "Vel_ui/Vel_UIItemStats.h"

#include <array>
#include <cstddef>
#include <cstdint>

// A statistics box whose fields are Count text fields numbered from FirstId.
// A copy finds its own copied fields.
template <std::size_t Count, std::uint16_t FirstId>
class Vel_UIItemStatsFields : public Vel_UIItemStats
{
public:
    static constexpr std::uint16_t kFirstFieldId = FirstId;
    static constexpr std::size_t kFieldCount = Count;

    Vel_UIItemStatsFields() = default;
    Vel_UIItemStatsFields(const Vel_UIItemStatsFields& other) : Vel_UIItemStats(other)
    {
        BindFields(false);
    }

protected:
    void BindFields(bool logMissing) override { BindRange(fields, FirstId, logMissing); }

    std::array<UITextControl*, Count> fields{};
};
