#pragma once

#include "Fc/Graphics/FCPoint.h"

#include <algorithm>
#include <cstdint>

// A rectangle with exclusive right and bottom edges. It is empty when
// right <= left or bottom <= top.
struct FCRect
{
    constexpr FCRect() = default;
    constexpr FCRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b)
    {
    }

    // This becomes the intersection of a and b, even when that is empty;
    // true when it is not empty. Inline: every draw call clips several times.
    constexpr bool Intersect(const FCRect& a, const FCRect& b)
    {
        left = std::max(a.left, b.left);
        top = std::max(a.top, b.top);
        right = std::min(a.right, b.right);
        bottom = std::min(a.bottom, b.bottom);
        return left < right && top < bottom;
    }
    // This becomes the bounding box of a and b; empty inputs count like any other.
    constexpr void Union(const FCRect& a, const FCRect& b)
    {
        left = std::min(a.left, b.left);
        top = std::min(a.top, b.top);
        right = std::max(a.right, b.right);
        bottom = std::max(a.bottom, b.bottom);
    }

    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    // Width and height as 64-bit values, so that no pair of 32-bit edges overflows.
    constexpr std::int64_t Width() const { return std::int64_t{right} - left; }
    constexpr std::int64_t Height() const { return std::int64_t{bottom} - top; }
    // Rounds toward minus infinity, like an arithmetic shift of the edge sum
    // (which can exceed 32 bits; >> on a negative value is arithmetic in
    // C++20). Inline: merging dirty areas asks for it once per stored area.
    constexpr FCPoint Centre() const
    {
        return FCPoint(static_cast<std::int32_t>((std::int64_t{left} + right) >> 1),
                       static_cast<std::int32_t>((std::int64_t{top} + bottom) >> 1));
    }
    // Half-open test: the right and bottom edges are outside.
    constexpr bool Contains(FCPoint p) const
    {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    // Whether every point of other lies inside this rectangle.
    constexpr bool Encloses(const FCRect& other) const
    {
        return left <= other.left && other.right <= right && top <= other.top &&
               other.bottom <= bottom;
    }
    // Moves the rectangle; edges saturate at the 32-bit range instead of wrapping.
    constexpr void Offset(std::int32_t dx, std::int32_t dy)
    {
        left = Saturate(std::int64_t{left} + dx);
        right = Saturate(std::int64_t{right} + dx);
        top = Saturate(std::int64_t{top} + dy);
        bottom = Saturate(std::int64_t{bottom} + dy);
    }

    friend constexpr bool operator==(const FCRect&, const FCRect&) = default;

    // Clamps to the 32-bit range.
    static constexpr std::int32_t Saturate(std::int64_t v)
    {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    }

    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};
