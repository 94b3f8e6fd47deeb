#include "Vel/Character/VelCoins.h"

#include "Fc/Core/FCArchive.h"

#include <algorithm>
#include <limits>

namespace
{
std::int32_t Clamp32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

// Borrows from the next coin until the lower one is no longer negative:
// k = |lower| / 9 + 1 coins of the next kind become 10 * k of the lower.
void Borrow(std::int64_t& lower, std::int64_t& higher)
{
    if (lower < 0)
    {
        const std::int64_t k = -lower / 9 + 1;
        higher -= k;
        lower += 10 * k;
    }
}
} // namespace

VelCoins::VelCoins(std::int32_t coin0, std::int32_t coin1, std::int32_t coin2) : coins{coin0, coin1, coin2} {}

void VelCoins::Normalize()
{
    // 64-bit working values: the borrow of the most negative count would
    // overflow 32 bits.
    std::int64_t c0 = coins[0];
    std::int64_t c1 = coins[1];
    std::int64_t c2 = coins[2];
    Borrow(c0, c1);
    Borrow(c1, c2);
    c1 += c0 / 10;
    c0 %= 10;
    c2 += c1 / 10;
    c1 %= 10;
    coins = {Clamp32(c0), Clamp32(c1), Clamp32(c2)};
}

void VelCoins::Serialize(FCArchive& ar)
{
    for (std::int32_t& coin : coins)
    {
        if (ar.IsStoring())
        {
            ar.WriteU32(static_cast<std::uint32_t>(coin));
        }
        else
        {
            std::uint32_t value = 0;
            if (ar.ReadU32(value))
            {
                coin = static_cast<std::int32_t>(value);
            }
        }
    }
}
