#pragma once

#include "Fc/Devices/FCKeyboard.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// A keyboard whose keys the test holds down by hand. Installed as the
// keyboard instance for its lifetime.
class FakeKeyboard : public FCKeyboard
{
public:
    void Update() override { ++updateCount; }
    void Resume() override;
    void Suspend() override;
    bool IsKeyDown(std::int16_t virtualKey) override { return keysDown.count(virtualKey) != 0; }
    bool GetKeyState(std::int16_t virtualKey) override
    {
        return keysToggled.count(virtualKey) != 0;
    }

    void Press(std::int16_t virtualKey) { keysDown.insert(virtualKey); }
    void ReleaseKey(std::int16_t virtualKey) { keysDown.erase(virtualKey); }

    std::set<std::int16_t> keysDown;
    std::set<std::int16_t> keysToggled;
    int updateCount = 0;
    int suspendCount = 0;
    int resumeCount = 0;
    // When set, Suspend and Resume are also written here as "keyboard.<call>",
    // so that a test can check the order across devices.
    std::vector<std::string>* journal = nullptr;
};
