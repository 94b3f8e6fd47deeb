#pragma once

#include "Fc/Devices/FCCursorProvider.h"
#include "Fc/Graphics/FCPoint.h"

#include <cstdint>
#include <string>
#include <string_view>

// Milliseconds since the application started, written by the main loop once
// per turn and read by the screens' frame handling.
extern std::uint32_t ApplicationTime;

// Base of the application object: the settings the platform layer makes the
// window and display from, the command line that may change them, and the
// hooks through which the platform hands on input and activation. One
// instance exists for the life of the program.
class FCApp
{
public:
    static constexpr std::int32_t kMinDimension = 1;
    static constexpr std::int32_t kMaxDimension = 1600;

    // Becomes the application instance and records the start time.
    FCApp();
    virtual ~FCApp();
    FCApp(const FCApp&) = delete;
    FCApp& operator=(const FCApp&) = delete;

    static FCApp* GetInstance();
    // Clock reading at construction: the time base of ApplicationTime.
    static std::uint32_t GetStartTime();

    // Splits the line at blanks and tabs, skips the first token (the program's
    // own path) and hands each further token to ParseArgument until one is
    // refused. True when none was refused; a null line counts as empty.
    virtual bool ParseCommandLine(const char* commandLine);
    // `rest` is the part of the line after the token; an option that takes a
    // value reads it from there with NextToken. Unknown tokens are accepted
    // and ignored.
    virtual bool ParseArgument(std::string_view token, std::string_view& rest);
    virtual void BeforeCreateWindow();
    virtual std::int16_t Run() = 0;
    virtual void AfterRun();
    virtual bool OnCommand(std::uint16_t id);
    virtual bool OnDropFiles(std::uintptr_t dropHandle);
    virtual bool HandleMouse(std::uint32_t message, const FCPoint* point, std::uint32_t keyFlags);
    virtual bool HandleKey(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    virtual bool OnActivate(bool active);
    virtual void OnPlatformHook(std::uintptr_t value);

    // The application's own cursor, or the system arrow when it has none.
    FCCursorHandle LoadCursor() const;

    // Takes the next blank- or tab-separated token off the front of `rest`;
    // empty when none is left.
    static std::string_view NextToken(std::string_view& rest);

    const std::string& GetName() const { return name; }
    const std::string& GetSecondName() const { return secondName; }
    std::int16_t GetWidth() const { return width; }
    std::int16_t GetHeight() const { return height; }
    std::int16_t GetBitsPerPixel() const { return bitsPerPixel; }
    bool IsWindowed() const { return windowed != 0; }
    bool HasMenu() const { return hasMenu != 0; }
    std::uint16_t GetMenuId() const { return menuId; }
    std::uint16_t GetIconId() const { return iconId; }
    std::uint16_t GetCursorId() const { return cursorId; }
    bool IsFullScreen() const { return fullScreen != 0; }
    bool IsActive() const { return active != 0; }

protected:
    std::string name = "Default App";
    std::string secondName;
    std::int16_t width = 640;
    std::int16_t height = 480;
    std::int16_t bitsPerPixel = 16;
    std::uint8_t windowed = 1;
    std::uint8_t hasMenu = 0;
    std::uint16_t menuId = 0;
    std::uint16_t iconId = 0;
    std::uint16_t cursorId = 0;
    std::uint8_t fullScreen = 0;
    std::uint8_t active = 0;
    std::uint32_t lastTickTime = 0;
    std::uint32_t reservedValue = 0;
};
