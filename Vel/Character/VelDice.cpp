#include "Vel/Character/VelDice.h"

#include "Fc/Core/FCRandom.h"

std::uint16_t RollDie(std::int16_t sides)
{
    if (sides <= 0)
    {
        return 0;
    }
    return static_cast<std::uint16_t>(RandomRange(1, static_cast<std::uint32_t>(sides) + 1));
}

std::uint16_t RollDice(std::int16_t sides, std::int32_t count)
{
    const std::uint16_t dice = static_cast<std::uint16_t>(count);
    std::uint32_t sum = 0;
    for (std::uint16_t i = 0; i < dice; ++i)
    {
        sum += RollDie(sides);
    }
    return static_cast<std::uint16_t>(sum);
}
