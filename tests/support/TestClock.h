#pragma once

#include "Fc/Core/FCClock.h"

#include <cstdint>

// A clock that only moves when the test moves it. Installed for its own
// lifetime; the previous clock comes back when it is destroyed.
class TestClock : public FCClock
{
public:
    explicit TestClock(std::uint32_t start = 0);
    ~TestClock() override;
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    std::uint32_t GetMilliseconds() override { return now; }

    void Set(std::uint32_t milliseconds) { now = milliseconds; }
    // Wraps at 2^32 exactly as the real clock does.
    void Advance(std::uint32_t milliseconds) { now += milliseconds; }

private:
    std::uint32_t now = 0;
    FCClock* previous = nullptr;
};
