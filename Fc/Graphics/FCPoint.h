#pragma once

#include <cstdint>

// A position or a size: two signed 32-bit integers, passed by value. Sizes use
// x for the width and y for the height.
struct FCPoint
{
    constexpr FCPoint() = default;
    constexpr FCPoint(std::int32_t px, std::int32_t py) : x(px), y(py) {}

    friend constexpr bool operator==(const FCPoint&, const FCPoint&) = default;

    std::int32_t x = 0;
    std::int32_t y = 0;
};
