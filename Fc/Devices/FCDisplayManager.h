#pragma once

#include "Fc/Graphics/FCPoint.h"

#include <cstdint>

class FCDoubleBuffer;
class FCImageBuffer;

// The display device: video mode, the primary and back buffers, presenting
// each frame. The platform layer supplies the concrete class. The base keeps
// the windowed/full-screen switch of the display pages (one dirty list per
// page when windowed, two when flipping between buffers in full screen).
class FCDisplayManager
{
public:
    // Becomes the display-manager instance, clears the buffer pointers and
    // pushes the first display page.
    FCDisplayManager();
    // Pops every display page and clears the instance.
    virtual ~FCDisplayManager();
    FCDisplayManager(const FCDisplayManager&) = delete;
    FCDisplayManager& operator=(const FCDisplayManager&) = delete;

    static FCDisplayManager* GetInstance();
    // The buffers made by CreateBuffers; null before and after. All drawing
    // goes to the back buffer, and its format is the screen format.
    static FCImageBuffer* GetPrimaryBuffer();
    static FCImageBuffer* GetBackBuffer();

    // The display-page stack (see FCDisplayPageStack).
    static bool PushPage(FCDoubleBuffer* page);
    static FCDoubleBuffer* PopPage();

    virtual bool StartUp() = 0;
    virtual bool ModeExists(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) = 0;
    virtual bool SetMode(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) = 0;
    virtual std::int32_t GetWidth() = 0;
    virtual std::int32_t GetHeight() = 0;
    virtual FCPoint GetSize() = 0;
    virtual std::int32_t GetBitsPerPixel() = 0;
    virtual void Flip() = 0;
    virtual void BlitToWindow() = 0;
    // The concrete class switches the display and then calls these parts,
    // which rebuild every page's lists (pending areas are dropped).
    virtual bool SetFullScreen();
    virtual bool SetWindowed();
    virtual void FlipToGDISurface();
    virtual void InvalidateScreen();
    virtual bool CreateBuffers() = 0;
    virtual bool ReleaseBuffers() = 0;
    virtual bool RestoreBuffers() = 0;
    // A new buffer in the screen format, with one reference for the caller;
    // null when it cannot be made.
    virtual FCImageBuffer* CreateImageBuffer(std::int32_t width, std::int32_t height) = 0;

    bool IsFullScreen() const { return fullScreen != 0; }

protected:
    // For CreateBuffers and ReleaseBuffers; the concrete class owns the buffers.
    static void SetPrimaryBuffer(FCImageBuffer* buffer);
    static void SetBackBuffer(FCImageBuffer* buffer);

    std::uint8_t fullScreen = 0;
    // Left to the concrete class's Flip.
    std::uint8_t flipFlag = 1;
};
