#pragma once

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIWindowManager.h"
#include "support/FakeDevices.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FCImageBuffer;
class UIControl;

// A whole headless screen: fake devices (hand-stepped clock, 800 x 600 5-6-5
// memory display, sound, keyboard), a file system whose "UI" folder holds
// the layouts a test writes, a resource manager and a window manager. Feeds
// pointer and key events, runs update and paint, steps time through the
// timer list, and reads pixels back from the back buffer. When the running
// test has failed, the back buffer is written as a PNG next to the build
// (ui-failures/<suite>.<test>.png) for a look at what was drawn.
class UiHarness
{
public:
    explicit UiHarness(std::int32_t width = 800, std::int32_t height = 600);
    ~UiHarness();
    UiHarness(const UiHarness&) = delete;
    UiHarness& operator=(const UiHarness&) = delete;

    // Writes UI/<name> for the window manager to load.
    void WriteLayout(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    UIControl* Open(const std::string& name, bool modal = false);

    void Press(std::int32_t x, std::int32_t y, std::uint32_t modifiers = 0);
    void Release(std::int32_t x, std::int32_t y, std::uint32_t modifiers = 0);
    void DoubleClick(std::int32_t x, std::int32_t y, std::uint32_t modifiers = 0);
    void Move(std::int32_t x, std::int32_t y, std::uint32_t modifiers = 0);
    void Click(std::int32_t x, std::int32_t y)
    {
        Press(x, y);
        Release(x, y);
    }
    void Key(std::uint16_t type, std::uint32_t code, std::uint32_t second = 0);

    void Update(std::uint32_t tick = 0);
    void Paint();
    // Paints the dirty areas and swaps the page's lists, as one frame does.
    void Frame();
    // Moves the clock on in steps, pumping the timer list after each (at
    // most one timer fires per pump, as in the main loop).
    void AdvanceTime(std::uint32_t milliseconds, std::uint32_t step = 10);

    // A pixel of the back buffer, as the 16-bit value stored there.
    std::uint16_t Pixel(std::int32_t x, std::int32_t y) const;
    // A 5-6-5 pixel value from 8-bit channels, for comparing with Pixel.
    static std::uint16_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void ClearScreen(std::uint16_t colour);
    // Empties both dirty lists of the current page.
    void ClearDirty();
    std::vector<FCRect> DirtyRects() const;
    bool SavePng(const std::string& path) const;

    FCImageBuffer* Back() const;
    UIWindowManager& Manager() { return *manager; }
    // Destroys the window manager (with every window) and makes a new one.
    void RecreateManager();
    FakeDevices& Devices() { return *devices; }
    FCFileSystem& Files() { return *fileSystem; }
    const TempFolder& Folder() const { return folder; }

private:
    void Pointer(std::uint16_t type, std::int32_t x, std::int32_t y, std::uint32_t modifiers);

    std::unique_ptr<FakeDevices> devices;
    TempFolder folder;
    std::unique_ptr<FCFileSystem> fileSystem;
    std::unique_ptr<FCResourceManager> resources;
    std::unique_ptr<UIWindowManager> manager;
};
