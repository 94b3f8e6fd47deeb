#pragma once

#include <cstdint>

// The keyboard state, polled once per message pump. Key codes are the
// virtual-key numbers the rest of the program uses (0x10 shift, 0x11 control).
class FCKeyboard
{
public:
    static constexpr std::int16_t kShiftKey = 0x10;
    static constexpr std::int16_t kControlKey = 0x11;

    // Becomes the keyboard instance; the destructor clears it.
    FCKeyboard();
    virtual ~FCKeyboard();
    FCKeyboard(const FCKeyboard&) = delete;
    FCKeyboard& operator=(const FCKeyboard&) = delete;

    static FCKeyboard* GetInstance();

    virtual void Update() = 0;
    virtual void Resume() = 0;
    virtual void Suspend() = 0;
    // True while the key is held down.
    virtual bool IsKeyDown(std::int16_t virtualKey) = 0;
    // True while a toggle key (caps lock and the like) is on.
    virtual bool GetKeyState(std::int16_t virtualKey) = 0;
};
