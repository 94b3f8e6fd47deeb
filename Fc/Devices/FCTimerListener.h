#pragma once

#include <cstdint>

// Receives the ticks of the timers it was registered for (FCSystem::AddTimer).
// Ticks arrive from the message pump on the main thread.
class FCTimerListener
{
public:
    virtual ~FCTimerListener() = default;

    virtual void OnTimer(std::uint16_t id) = 0;
};
