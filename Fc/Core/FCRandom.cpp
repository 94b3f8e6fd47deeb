#include "Fc/Core/FCRandom.h"

#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCDebugLog.h"

#include <cinttypes>

FCRandom::FCRandom(std::int32_t s)
{
    Seed(s);
}

void FCRandom::Seed(std::int32_t s)
{
    // Unsigned arithmetic: the steps wrap modulo 2^32 by design.
    auto value = static_cast<std::uint32_t>(s);
    table[kTableSize - 1] = value;
    std::uint32_t k = 1;
    for (std::uint32_t n = 0; n < kTableSize; ++n)
    {
        const std::uint32_t idx = (21 * n) % kTableSize;
        table[idx] = k;
        k = value - k;
        value = table[idx];
    }
    seed = static_cast<std::int32_t>(value);
    for (int pass = 0; pass < 4; ++pass)
    {
        for (std::uint32_t n = 0; n < kTableSize; ++n)
            table[n] -= table[(n + 31) % kTableSize];
    }
    i = 0;
    j = 31;
}

std::uint32_t FCRandom::Next()
{
    i = static_cast<std::uint16_t>((i + 1) % kTableSize);
    j = static_cast<std::uint16_t>((j + 1) % kTableSize);
    table[i] -= table[j];
    return table[i];
}

std::uint32_t FCRandom::Range(std::uint32_t lo, std::uint32_t hi)
{
    if (hi <= lo)
        return 0;
    return lo + Next() % (hi - lo);
}

FCRandom& FCRandom::GetGlobal()
{
    static FCRandom global(kDefaultSeed);
    return global;
}

void RandomizeSeed()
{
    const auto seed = static_cast<std::int32_t>(FCClock::Now());
    FCRandom::GetGlobal().Seed(seed);
    FC_LOG("Random Seed = %" PRId32 "\r\n", seed);
}

std::uint32_t RandomRange(std::uint32_t lo, std::uint32_t hi)
{
    return FCRandom::GetGlobal().Range(lo, hi);
}

std::uint32_t RandomPercent()
{
    return RandomRange(0, 101);
}
