#pragma once

#include <cstdint>

// Subtractive generator over 55 values (lags 24 and 55). One global instance
// serves every roll of the program; it is reseeded from the clock once at
// start-up and the seed is logged so that a run can be reproduced.
class FCRandom
{
public:
    static constexpr std::int32_t kDefaultSeed = 161803398;
    static constexpr std::uint16_t kTableSize = 55;

    explicit FCRandom(std::int32_t seed);

    void Seed(std::int32_t s);
    std::uint32_t Next();
    // lo .. hi - 1; 0 without drawing when hi <= lo.
    std::uint32_t Range(std::uint32_t lo, std::uint32_t hi);

    // The program's generator, seeded with kDefaultSeed until RandomizeSeed.
    static FCRandom& GetGlobal();

private:
    std::int32_t seed = 0;
    std::uint32_t table[kTableSize] = {};
    std::uint16_t i = 0;
    std::uint16_t j = 0;
};

// Seeds the global generator from the millisecond clock and logs the seed.
void RandomizeSeed();
std::uint32_t RandomRange(std::uint32_t lo, std::uint32_t hi);
// 0 to 100 inclusive.
std::uint32_t RandomPercent();
