#include "Fc/Graphics/FCRect.h"

FCPoint FCRect::Centre() const
{
    // The sum of two edges can exceed 32 bits; >> on a negative value is an
    // arithmetic shift in C++20.
    return FCPoint(static_cast<std::int32_t>((std::int64_t{left} + right) >> 1),
                   static_cast<std::int32_t>((std::int64_t{top} + bottom) >> 1));
}
