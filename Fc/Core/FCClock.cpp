#include "Fc/Core/FCClock.h"

#include <chrono>

namespace
{
FCClock* installedClock = nullptr;
} // namespace

std::uint32_t FCClock::Now()
{
    if (installedClock != nullptr)
    {
        return installedClock->GetMilliseconds();
    }
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
    // Truncation is the point: the reading wraps like the tick counter it replaces.
    return static_cast<std::uint32_t>(ms);
}

FCClock* FCClock::SetInstance(FCClock* clock)
{
    FCClock* previous = installedClock;
    installedClock = clock;
    return previous;
}

FCClock* FCClock::GetInstance()
{
    return installedClock;
}
