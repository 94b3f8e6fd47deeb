#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

class FCApp;

// Turns SDL's input events into the window messages the application's input
// hooks take: virtual-key codes, mouse messages with the one-value modifier
// word, and typed text as Windows-1252 characters.
class WFCInput
{
public:
    // Message numbers handed to FCApp::HandleKey and FCApp::HandleMouse.
    enum Message : std::uint32_t
    {
        kKeyDown = 0x100,
        kKeyUp = 0x101,
        kChar = 0x102,
        kMouseMove = 0x200,
        kLeftDown = 0x201,
        kLeftUp = 0x202,
        kLeftDoubleClick = 0x203,
        kRightDown = 0x204,
        kRightUp = 0x205,
    };

    // One value, not a set: 2 shift, else 4 left button held, else 1
    // control, else 0.
    static std::uint32_t MouseKeyFlags(bool shift, bool leftButton, bool control);
    // The virtual-key code of a key; 0 for keys the program has no code for.
    static std::int16_t VirtualKey(SDL_Keycode key);
    // Each character of UTF-8 text that Windows-1252 can hold, in order;
    // malformed sequences and other characters are dropped.
    static std::string TextToWindows1252(const char* utf8);

    // Hands the input in one event to the application; false when the event
    // carries no input the application takes.
    static bool Deliver(const SDL_Event& event, FCApp& app);
};
