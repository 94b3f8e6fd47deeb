#pragma once

#include "Fc/Graphics/FCPixelFormat.h"

#include <cstdint>

// The 16-level blend table of the screen format: entry (level << 12 | a << 6
// | b) is ((15 - level) * b + (level + 1) * a) >> 4, a mix of two 6-bit
// channel values with weight (level + 1) / 16 on a. Built once at start-up
// for the back buffer's format, freed at shut-down.
struct FCBlendTable
{
    static constexpr std::uint32_t kSize = 65536;

    // Null until built.
    const std::uint8_t* entries = nullptr;
    std::uint16_t redShift = 0;
    std::uint16_t greenShift = 0;
    std::uint16_t blueShift = 0;
    // The green channel's mask, and the same mask moved up by six bits.
    std::uint32_t greenMask = 0;
    std::uint32_t greenMaskHigh = 0;
};

// Builds (or rebuilds) the table for a 16-bit format; other depths are
// refused and leave no table. True when built.
bool BuildBlendTable(const FCPixelFormat& format);
void FreeBlendTable();
const FCBlendTable& GetBlendTable();
