#pragma once

#include "Fc/Devices/FCKeyboard.h"

#include <cstdint>

// The keyboard state as SDL last saw it (the message pump keeps it
// current), asked by virtual-key code.
class WFCKeyboard : public FCKeyboard
{
public:
    WFCKeyboard() = default;

    // SDL updates its key state while it pumps events; nothing to poll.
    void Update() override {}
    void Resume() override { enabled = 1; }
    void Suspend() override { enabled = 0; }
    // Held now, whether or not the keyboard is suspended. Also answers the
    // mouse buttons' codes (1 left, 2 right, 4 middle).
    bool IsKeyDown(std::int16_t virtualKey) override;
    // True while caps, num or scroll lock is on and the key itself is up.
    bool GetKeyState(std::int16_t virtualKey) override;

    bool IsEnabled() const { return enabled != 0; }

private:
    std::uint8_t enabled = 1;
};
