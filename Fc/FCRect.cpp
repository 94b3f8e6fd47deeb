#include "Fc/FCRect.h"

#include <algorithm>
#include <limits>

namespace
{
std::int32_t Saturate(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}
} // namespace

bool FCRect::Intersect(const FCRect& a, const FCRect& b)
{
    left = std::max(a.left, b.left);
    top = std::max(a.top, b.top);
    right = std::min(a.right, b.right);
    bottom = std::min(a.bottom, b.bottom);
    return left < right && top < bottom;
}

void FCRect::Union(const FCRect& a, const FCRect& b)
{
    left = std::min(a.left, b.left);
    top = std::min(a.top, b.top);
    right = std::max(a.right, b.right);
    bottom = std::max(a.bottom, b.bottom);
}

FCPoint FCRect::Centre() const
{
    // The sum of two edges can exceed 32 bits; >> on a negative value is an
    // arithmetic shift in C++20.
    return FCPoint(static_cast<std::int32_t>((std::int64_t{left} + right) >> 1),
                   static_cast<std::int32_t>((std::int64_t{top} + bottom) >> 1));
}

void FCRect::Offset(std::int32_t dx, std::int32_t dy)
{
    left = Saturate(std::int64_t{left} + dx);
    right = Saturate(std::int64_t{right} + dx);
    top = Saturate(std::int64_t{top} + dy);
    bottom = Saturate(std::int64_t{bottom} + dy);
}
