#pragma once

#include <cstdint>

// An opaque cursor made by the platform layer; null stands for none.
using FCCursorHandle = void*;

// Makes and shows mouse cursors. The platform layer installs its provider
// at start-up; until then (and in headless tests) cursor requests give null
// and change nothing.
class FCCursorProvider
{
public:
    // Standard cursor ids.
    static constexpr std::uint16_t kArrow = 32512;
    static constexpr std::uint16_t kWait = 32514;

    virtual ~FCCursorProvider() = default;

    // A cursor from the program's own resources.
    virtual FCCursorHandle LoadAppCursor(std::uint16_t id) = 0;
    // One of the system's standard cursors (kArrow, kWait, ...).
    virtual FCCursorHandle LoadSystemCursor(std::uint16_t id) = 0;
    virtual void SetCurrentCursor(FCCursorHandle cursor) = 0;

    // Installs a provider (null removes it) and returns the previous one.
    static FCCursorProvider* SetInstance(FCCursorProvider* provider);
    static FCCursorProvider* GetInstance();
};

// The cursor functions the rest of the program calls; each is harmless when
// no provider is installed.
FCCursorHandle LoadAppCursor(std::uint16_t id);
FCCursorHandle LoadSystemCursor(std::uint16_t id);
void SetCurrentCursor(FCCursorHandle cursor);
