#include "Platform/WFCInput.h"

#include "Fc/Devices/FCApp.h"
#include "Fc/Core/FCWindows1252.h"

#include <array>
#include <utility>

namespace
{
struct KeyCode
{
    SDL_Keycode key;
    std::int16_t virtualKey;
};

// Keys outside the letter, digit and function-key runs.
constexpr std::array<KeyCode, 50> kKeyCodes{{
    {SDLK_BACKSPACE, 0x08},   {SDLK_TAB, 0x09},          {SDLK_RETURN, 0x0D},
    {SDLK_KP_ENTER, 0x0D},    {SDLK_LSHIFT, 0x10},       {SDLK_RSHIFT, 0x10},
    {SDLK_LCTRL, 0x11},       {SDLK_RCTRL, 0x11},        {SDLK_LALT, 0x12},
    {SDLK_RALT, 0x12},        {SDLK_PAUSE, 0x13},        {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},      {SDLK_SPACE, 0x20},        {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},    {SDLK_END, 0x23},          {SDLK_HOME, 0x24},
    {SDLK_LEFT, 0x25},        {SDLK_UP, 0x26},           {SDLK_RIGHT, 0x27},
    {SDLK_DOWN, 0x28},        {SDLK_INSERT, 0x2D},       {SDLK_DELETE, 0x2E},
    {SDLK_KP_0, 0x60},        {SDLK_KP_1, 0x61},         {SDLK_KP_2, 0x62},
    {SDLK_KP_3, 0x63},        {SDLK_KP_4, 0x64},         {SDLK_KP_5, 0x65},
    {SDLK_KP_6, 0x66},        {SDLK_KP_7, 0x67},         {SDLK_KP_8, 0x68},
    {SDLK_KP_9, 0x69},        {SDLK_KP_MULTIPLY, 0x6A},  {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},    {SDLK_KP_PERIOD, 0x6E},    {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},  {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},      {SDLK_COMMA, 0xBC},        {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},      {SDLK_SLASH, 0xBF},        {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_RIGHTBRACKET, 0xDD},
}};

// Keys whose press also types a control character, as on the platform the
// widgets were written for.
bool TypesControlCharacter(std::int16_t virtualKey)
{
    return virtualKey == 0x08 || virtualKey == 0x09 || virtualKey == 0x0D || virtualKey == 0x1B;
}

// Repeat count 1; bit 30 the key was down before, bit 31 it is being released.
std::intptr_t KeyParam(bool down, bool repeat)
{
    std::uint32_t value = 1;
    if (repeat || !down)
        value |= 1u << 30;
    if (!down)
        value |= 1u << 31;
    return static_cast<std::intptr_t>(value);
}

std::uint32_t CurrentFlags(bool leftButton)
{
    const SDL_Keymod mods = SDL_GetModState();
    return WFCInput::MouseKeyFlags((mods & KMOD_SHIFT) != 0, leftButton, (mods & KMOD_CTRL) != 0);
}

bool DeliverMouse(FCApp& app, std::uint32_t message, std::int32_t x, std::int32_t y,
                  bool leftButton)
{
    const FCPoint point(x, y);
    app.HandleMouse(message, &point, CurrentFlags(leftButton));
    return true;
}

bool DeliverButton(const SDL_MouseButtonEvent& button, FCApp& app)
{
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    std::uint32_t message = 0;
    bool leftHeld = (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
    if (button.button == SDL_BUTTON_LEFT)
    {
        // A second (fourth, ...) click in a row is a double click.
        message = !down ? WFCInput::kLeftUp
                  : (button.clicks % 2 == 0) ? WFCInput::kLeftDoubleClick
                                             : WFCInput::kLeftDown;
        leftHeld = down;
    }
    else if (button.button == SDL_BUTTON_RIGHT)
    {
        message = down ? WFCInput::kRightDown : WFCInput::kRightUp;
    }
    else
    {
        return false;
    }
    return DeliverMouse(app, message, button.x, button.y, leftHeld);
}

bool DeliverKey(const SDL_KeyboardEvent& key, FCApp& app)
{
    const std::int16_t virtualKey = WFCInput::VirtualKey(key.keysym.sym);
    if (virtualKey == 0)
        return false;
    const bool down = key.type == SDL_KEYDOWN;
    const auto wParam = static_cast<std::uintptr_t>(virtualKey);
    app.HandleKey(down ? WFCInput::kKeyDown : WFCInput::kKeyUp, wParam,
                  KeyParam(down, key.repeat != 0));
    if (down && TypesControlCharacter(virtualKey))
        app.HandleKey(WFCInput::kChar, wParam, KeyParam(true, key.repeat != 0));
    return true;
}

bool DeliverText(const char* text, FCApp& app)
{
    for (const char c : WFCInput::TextToWindows1252(text))
        app.HandleKey(WFCInput::kChar, static_cast<std::uint8_t>(c), KeyParam(true, false));
    return true;
}
} // namespace

std::uint32_t WFCInput::MouseKeyFlags(bool shift, bool leftButton, bool control)
{
    if (shift)
        return 2;
    if (leftButton)
        return 4;
    if (control)
        return 1;
    return 0;
}

std::int16_t WFCInput::VirtualKey(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<std::int16_t>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<std::int16_t>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return static_cast<std::int16_t>(0x70 + (key - SDLK_F1));
    if (key == SDLK_BACKSLASH)
        return 0xDC;
    if (key == SDLK_QUOTE)
        return 0xDE;
    for (const KeyCode& code : kKeyCodes)
    {
        if (code.key == key)
            return code.virtualKey;
    }
    return 0;
}

std::string WFCInput::TextToWindows1252(const char* utf8)
{
    std::string out;
    if (!utf8)
        return out;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p)
    {
        const unsigned char lead = *p;
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                   : (lead >> 3) == 0x1E ? 4 : 0;
        std::uint32_t codePoint = length == 1 ? lead
                                  : length == 2 ? (lead & 0x1Fu)
                                  : length == 3 ? (lead & 0x0Fu)
                                                : (lead & 0x07u);
        int taken = 1;
        for (; length > 1 && taken < length; ++taken)
        {
            if ((p[taken] & 0xC0) != 0x80)
                break;
            codePoint = (codePoint << 6) | (p[taken] & 0x3Fu);
        }
        // Overlong forms would smuggle in characters such as NUL.
        constexpr std::uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        std::uint8_t code = 0;
        if (length != 0 && taken == length && codePoint >= kSmallest[length] &&
            UnicodeToWindows1252(codePoint, code))
            out.push_back(static_cast<char>(code));
        p += taken;
    }
    return out;
}

bool WFCInput::Deliver(const SDL_Event& event, FCApp& app)
{
    switch (event.type)
    {
    case SDL_MOUSEMOTION:
        return DeliverMouse(app, kMouseMove, event.motion.x, event.motion.y,
                            (event.motion.state & SDL_BUTTON_LMASK) != 0);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return DeliverButton(event.button, app);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return DeliverKey(event.key, app);
    case SDL_TEXTINPUT:
        return DeliverText(event.text.text, app);
    default:
        return false;
    }
}
