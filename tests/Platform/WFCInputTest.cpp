#include "Platform/WFCInput.h"
#include "Platform/WFCSystem.h"
#include "support/RecordingApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
TEST(WFCInput, MouseKeyFlagsIsOneValueByPriority)
{
    struct Row
    {
        bool shift, left, control;
        std::uint32_t flags;
    };
    const Row rows[] = {{false, false, false, 0}, {true, true, true, 2}, {false, true, true, 4},
                        {false, false, true, 1},  {true, false, false, 2}};
    for (const Row& r : rows)
        EXPECT_EQ(WFCInput::MouseKeyFlags(r.shift, r.left, r.control), r.flags)
            << r.shift << r.left << r.control;
}

TEST(WFCInput, KeysBecomeVirtualKeyCodes)
{
    const std::pair<SDL_Keycode, std::int16_t> rows[] = {
        {SDLK_a, 0x41},      {SDLK_z, 0x5A},      {SDLK_0, 0x30},      {SDLK_9, 0x39},
        {SDLK_F1, 0x70},     {SDLK_F12, 0x7B},    {SDLK_RETURN, 0x0D}, {SDLK_KP_ENTER, 0x0D},
        {SDLK_BACKSPACE, 0x08}, {SDLK_ESCAPE, 0x1B}, {SDLK_LEFT, 0x25}, {SDLK_DOWN, 0x28},
        {SDLK_DELETE, 0x2E}, {SDLK_RSHIFT, 0x10}, {SDLK_LCTRL, 0x11}, {SDLK_KP_5, 0x65},
        {SDLK_BACKSLASH, 0xDC}, {SDLK_QUOTE, 0xDE}, {SDLK_F13, 0},     {SDLK_UNKNOWN, 0},
    };
    for (const auto& [key, code] : rows)
        EXPECT_EQ(WFCInput::VirtualKey(key), code) << SDL_GetKeyName(key);
}

TEST(WFCInput, TextBecomesWindows1252Characters)
{
    const std::pair<const char*, std::string> rows[] = {
        {"abc", "abc"},
        {"\xC3\xA9\xE2\x82\xAC", "\xE9\x80"}, // e acute, euro sign
        {"a\xE4\xB8\xAD" "b", "ab"},             // a character the code page lacks
        {"\xC0\x80x", "x"},                    // overlong NUL
        {"\xC3", ""},                          // cut short
    };
    for (const auto& [utf8, expected] : rows)
        EXPECT_EQ(WFCInput::TextToWindows1252(utf8), expected) << utf8;
}

class WFCInputEvents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseDummySdlDrivers();
        ASSERT_TRUE(system.CreateMainWindow("Input", 800, 600));
        window = SDL_GetWindowID(WFCSystem::GetMainWindow());
        system.PumpMessages(); // whatever the new window reported
        app.calls.clear();
        SDL_SetModState(KMOD_NONE);
    }
    void TearDown() override { SDL_SetModState(KMOD_NONE); }

    void Push(SDL_Event event)
    {
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }
    void Button(Uint32 type, Uint8 button, Uint8 clicks, int x, int y)
    {
        SDL_Event e{};
        e.button = {type, 0, window, 0, button, Uint8(type == SDL_MOUSEBUTTONDOWN), clicks, 0, x, y};
        Push(e);
    }
    void Key(Uint32 type, SDL_Keycode key)
    {
        SDL_Event e{};
        e.key.type = type;
        e.key.windowID = window;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = key;
        Push(e);
    }

    RecordingApp app;
    WFCSystem system;
    Uint32 window = 0;
};

TEST_F(WFCInputEvents, MouseEventsArriveAsMouseMessages)
{
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 10, 20);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 10, 20);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2, 10, 20);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 5, 6);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 5, 6);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 5, 6);
    SDL_Event move{};
    move.motion = {SDL_MOUSEMOTION, 0, window, 0, SDL_BUTTON_LMASK, 30, 40, 1, 1};
    Push(move);
    EXPECT_FALSE(system.PumpMessages());
    SDL_SetModState(KMOD_LSHIFT);
    move.motion.state = 0;
    Push(move);
    system.PumpMessages();

    const std::vector<std::string> expected = {
        "mouse 0x201 10,20 flags 4", "mouse 0x202 10,20 flags 0", "mouse 0x203 10,20 flags 4",
        "mouse 0x204 5,6 flags 0",   "mouse 0x205 5,6 flags 0",   "mouse 0x200 30,40 flags 4",
        "mouse 0x200 30,40 flags 2"};
    EXPECT_EQ(app.calls, expected);
}

TEST_F(WFCInputEvents, KeysAndTextArriveAsKeyMessages)
{
    Key(SDL_KEYDOWN, SDLK_a);
    Key(SDL_KEYUP, SDLK_a);
    Key(SDL_KEYDOWN, SDLK_BACKSPACE);
    Key(SDL_KEYDOWN, SDLK_F13); // no code: not delivered
    SDL_Event text{};
    text.text.type = SDL_TEXTINPUT;
    text.text.windowID = window;
    std::strcpy(text.text.text, "\xC3\xA9!");
    Push(text);
    system.PumpMessages();

    const std::vector<std::string> expected = {"key 0x100 65", "key 0x101 65", "key 0x100 8",
                                               "key 0x102 8",  "key 0x102 233", "key 0x102 33"};
    EXPECT_EQ(app.calls, expected);
}

TEST_F(WFCInputEvents, FocusSuspendsAndActivatesAndCloseEnds)
{
    SDL_Event focus{};
    focus.window = {SDL_WINDOWEVENT, 0, window, SDL_WINDOWEVENT_FOCUS_LOST, 0, 0, 0, 0, 0};
    Push(focus);
    EXPECT_FALSE(system.PumpMessages());
    EXPECT_TRUE(FCSystem::IsSuspended());
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    Push(focus);
    system.PumpMessages();
    EXPECT_FALSE(FCSystem::IsSuspended());
    EXPECT_EQ(app.calls, (std::vector<std::string>{"activate 0", "activate 1"}));

    focus.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(focus);
    EXPECT_TRUE(system.PumpMessages());
    system.RequestQuit();
    EXPECT_TRUE(system.PumpMessages());
    EXPECT_FALSE(system.PumpMessages());
}

TEST_F(WFCInputEvents, WaitingEndsAtOnceForAPendingEventElseSleepsTheTimeout)
{
    Key(SDL_KEYDOWN, SDLK_a);
    Uint64 start = SDL_GetTicks64();
    system.WaitForMessages(2000);
    EXPECT_LT(SDL_GetTicks64() - start, 1000u);
    system.PumpMessages();
    EXPECT_EQ(app.calls, (std::vector<std::string>{"key 0x100 65"}));

    start = SDL_GetTicks64();
    system.WaitForMessages(30);
    EXPECT_GE(SDL_GetTicks64() - start, 30u);
}
} // namespace
