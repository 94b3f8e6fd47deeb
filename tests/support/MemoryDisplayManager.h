#pragma once

#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Graphics/FCPixelFormat.h"

#include <cstdint>

// A display in memory: the primary and back buffers are plain 16-bit image
// buffers (5-6-5 or 5-5-5), and Flip copies the back buffer into the primary
// one, so a test can look at "the screen". Constructed ready to draw: mode
// set and buffers made. Installed as the display manager (with a fresh page
// stack) for its lifetime.
class MemoryDisplayManager : public FCDisplayManager
{
public:
    explicit MemoryDisplayManager(const FCPixelFormat& format = FCFormat565,
                                  std::int32_t width = 800, std::int32_t height = 600);
    ~MemoryDisplayManager() override;

    bool StartUp() override { return true; }
    // Only 16-bit modes exist, up to 1600 x 1600.
    bool ModeExists(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) override;
    // Fails with a last-error text for a mode that does not exist.
    bool SetMode(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) override;
    std::int32_t GetWidth() override { return width; }
    std::int32_t GetHeight() override { return height; }
    FCPoint GetSize() override { return FCPoint(width, height); }
    std::int32_t GetBitsPerPixel() override { return bitsPerPixel; }
    void Flip() override;
    void BlitToWindow() override;
    // In full screen the whole screen goes into the current page.
    void InvalidateScreen() override;
    bool CreateBuffers() override;
    bool ReleaseBuffers() override;
    bool RestoreBuffers() override;
    FCImageBuffer* CreateImageBuffer(std::int32_t width, std::int32_t height) override;

    const FCPixelFormat& GetFormat() const { return format; }
    // The buffers this manager made (also reachable through the globals).
    FCImageBuffer* Primary() const { return primary; }
    FCImageBuffer* Back() const { return back; }

    int flipCount = 0;
    int blitToWindowCount = 0;
    int restoreCount = 0;

private:
    void CopyBackToPrimary();

    FCPixelFormat format;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;
    FCImageBuffer* primary = nullptr;
    FCImageBuffer* back = nullptr;
};
