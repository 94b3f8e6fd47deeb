#pragma once

#include "Fc/Devices/FCDisplayManager.h"

#include <cstdint>

struct SDL_Renderer;
struct SDL_Texture;
class WFCImageBufferX;

// The display on SDL: the program draws into a 5-6-5 back buffer of the
// mode's size, and each Flip copies it into the primary buffer and presents
// that through a streaming texture, scaled to the window with its aspect
// kept. Windowed by default; full screen is the desktop's full screen, so
// the desktop's own mode and depth never change and any depth works.
class WFCDisplayManagerX : public FCDisplayManager
{
public:
    WFCDisplayManagerX() = default;
    ~WFCDisplayManagerX() override;

    // Makes the renderer for the main window; false (with the last-error
    // text) when there is no window or no renderer.
    bool StartUp() override;
    // Any 16-bit mode the renderer's textures can hold.
    bool ModeExists(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) override;
    bool SetMode(std::int32_t width, std::int32_t height, std::int32_t bitsPerPixel) override;
    std::int32_t GetWidth() override { return width; }
    std::int32_t GetHeight() override { return height; }
    FCPoint GetSize() override { return FCPoint(width, height); }
    std::int32_t GetBitsPerPixel() override { return bitsPerPixel; }
    void Flip() override;
    void BlitToWindow() override;
    bool SetFullScreen() override;
    bool SetWindowed() override;
    void InvalidateScreen() override;
    bool CreateBuffers() override;
    bool ReleaseBuffers() override;
    // Surfaces in memory are never lost; the texture is made again, since a
    // reset render device takes its textures with it.
    bool RestoreBuffers() override;
    FCImageBuffer* CreateImageBuffer(std::int32_t width, std::int32_t height) override;

    SDL_Renderer* GetRenderer() const { return renderer; }

private:
    bool CreateTexture();
    // Copies the back buffer into the primary one and shows it; false when
    // the renderer refuses.
    bool Present();
    bool FailWith(const char* text);

    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    WFCImageBufferX* primary = nullptr;
    WFCImageBufferX* back = nullptr;
    // Keeps a run of failed flips to one log line.
    std::uint8_t flipFailed = 0;
};
