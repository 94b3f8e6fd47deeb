#pragma once

#include <cstdint>

// The program's one millisecond clock. Readings are 32-bit and wrap after
// about 49.7 days, so every user subtracts them as unsigned 32-bit values.
// The system clock is monotonic; tests install a clock they step by hand.
class FCClock
{
public:
    virtual ~FCClock() = default;

    virtual std::uint32_t GetMilliseconds() = 0;

    // Reads the installed clock, or the system clock when none is installed.
    static std::uint32_t Now();

    // Installs a clock (null restores the system clock) and returns the
    // previously installed one so that it can be put back.
    static FCClock* SetInstance(FCClock* clock);
    static FCClock* GetInstance();
};
