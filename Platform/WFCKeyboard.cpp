#include "Platform/WFCKeyboard.h"

#include "Platform/WFCInput.h"

#include <SDL.h>

bool WFCKeyboard::IsKeyDown(std::int16_t virtualKey)
{
    const std::uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
    switch (virtualKey)
    {
    case 0x01:
        return (buttons & SDL_BUTTON_LMASK) != 0;
    case 0x02:
        return (buttons & SDL_BUTTON_RMASK) != 0;
    case 0x04:
        return (buttons & SDL_BUTTON_MMASK) != 0;
    default:
        break;
    }
    if (virtualKey <= 0)
        return false;
    // Several keys share a code (both shift keys are 0x10), so every held
    // key is asked for its code.
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < count; ++scancode)
    {
        if (state[scancode] &&
            WFCInput::VirtualKey(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode))) ==
                virtualKey)
            return true;
    }
    return false;
}

bool WFCKeyboard::GetKeyState(std::int16_t virtualKey)
{
    const SDL_Keymod mods = SDL_GetModState();
    bool on = false;
    switch (virtualKey)
    {
    case 0x14:
        on = (mods & KMOD_CAPS) != 0;
        break;
    case 0x90:
        on = (mods & KMOD_NUM) != 0;
        break;
    case 0x91:
        on = (mods & KMOD_SCROLL) != 0;
        break;
    default:
        return false;
    }
    return on && !IsKeyDown(virtualKey);
}
