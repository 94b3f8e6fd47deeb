#pragma once

#include <array>
#include <cstdint>

class FCArchive;

// An amount of money as three coin counts: coin 1 is worth 10 of coin 0 and
// coin 2 worth 10 of coin 1.
class VelCoins
{
public:
    static constexpr std::size_t kCoinCount = 3;

    VelCoins() = default;
    VelCoins(std::int32_t coin0, std::int32_t coin1, std::int32_t coin2);

    // Borrows for negative lower coins and carries tens upward, so that
    // coins 0 and 1 end in 0..9; coin 2 takes what is left and may stay
    // negative. Counts that would leave the 32-bit range stop at its ends.
    void Normalize();
    // Three u32, coin 0 first, in either direction.
    void Serialize(FCArchive& ar);

    bool operator==(const VelCoins&) const = default;

    std::array<std::int32_t, kCoinCount> coins{};
};
