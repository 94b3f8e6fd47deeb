#pragma once

#include "Fc/Devices/FCCursorProvider.h"

#include <cstdint>
#include <map>
#include <vector>

// Hands out distinct dummy cursors and records which were asked for and
// which were made current. Installed for its lifetime; the previous
// provider comes back afterwards.
class FakeCursorProvider : public FCCursorProvider
{
public:
    FakeCursorProvider();
    ~FakeCursorProvider() override;
    FakeCursorProvider(const FakeCursorProvider&) = delete;
    FakeCursorProvider& operator=(const FakeCursorProvider&) = delete;

    FCCursorHandle LoadAppCursor(std::uint16_t id) override;
    FCCursorHandle LoadSystemCursor(std::uint16_t id) override;
    void SetCurrentCursor(FCCursorHandle cursor) override { currentCursors.push_back(cursor); }

    // The handle given out for an application or a system cursor id.
    FCCursorHandle AppCursor(std::uint16_t id) { return &appCursors[id]; }
    FCCursorHandle SystemCursor(std::uint16_t id) { return &systemCursors[id]; }

    std::vector<std::uint16_t> appLoads;
    std::vector<std::uint16_t> systemLoads;
    std::vector<FCCursorHandle> currentCursors;

private:
    // Node-based, so the addresses used as handles stay put.
    std::map<std::uint16_t, char> appCursors;
    std::map<std::uint16_t, char> systemCursors;
    FCCursorProvider* previous = nullptr;
};
