#include "Platform/WFCDisplayManagerX.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Devices/FCSystem.h"
#include "Platform/WFCImageBufferX.h"
#include "Platform/WFCSystem.h"

#include <SDL.h>

#include <string>

namespace
{
constexpr std::int32_t kScreenDepth = 16;
constexpr const char* kNotStarted = "The display has not been started.";

std::string ModeText(const char* format, std::int32_t w, std::int32_t h, std::int32_t bpp)
{
    char text[160];
    std::snprintf(text, sizeof text, format, static_cast<int>(w), static_cast<int>(h),
                  static_cast<int>(bpp));
    return text;
}
} // namespace

WFCDisplayManagerX::~WFCDisplayManagerX()
{
    ReleaseBuffers();
    if (renderer)
        SDL_DestroyRenderer(renderer);
}

bool WFCDisplayManagerX::FailWith(const char* text)
{
    FCSystem::SetLastErrorText(text);
    FC_LOG("%s\r\n", text);
    return false;
}

bool WFCDisplayManagerX::StartUp()
{
    if (renderer)
        return true;
    SDL_Window* window = WFCSystem::GetMainWindow();
    if (!window)
        return FailWith("Could not start the display: the program has no window.");
    // A renderer that waits for the display's refresh would pace the main
    // loop as well; the loop keeps its own 16 ms beat instead.
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer)
        return FailWith((std::string("Could not start the display: ") + SDL_GetError()).c_str());
    return true;
}

bool WFCDisplayManagerX::ModeExists(std::int32_t w, std::int32_t h, std::int32_t bpp)
{
    if (bpp != kScreenDepth || w <= 0 || h <= 0)
        return false;
    SDL_RendererInfo info{};
    if (renderer && SDL_GetRendererInfo(renderer, &info) == 0)
    {
        if ((info.max_texture_width > 0 && w > info.max_texture_width) ||
            (info.max_texture_height > 0 && h > info.max_texture_height))
            return false;
    }
    return true;
}

bool WFCDisplayManagerX::SetMode(std::int32_t w, std::int32_t h, std::int32_t bpp)
{
    if (IsFullScreen())
    {
        FC_LOG("Testing for Video Mode %d x %d %d bit\r\n", w, h, bpp);
    }
    if (!ModeExists(w, h, bpp))
    {
        const std::string text =
            ModeText("This system does not support the required %d x %d %d bit video mode.", w, h,
                     bpp);
        return FailWith(text.c_str());
    }
    if (IsFullScreen())
    {
        FC_LOG("Switching Video Mode %d x %d %d bit\r\n", w, h, bpp);
    }
    // Only a new size resizes the window: the mode is set again on every
    // activation, and a window the user has resized keeps its size.
    SDL_Window* window = WFCSystem::GetMainWindow();
    if (window && !IsFullScreen() && (w != width || h != height))
        SDL_SetWindowSize(window, w, h);
    if (renderer && SDL_RenderSetLogicalSize(renderer, w, h) != 0)
    {
        FC_LOG("SDL_RenderSetLogicalSize: %s\r\n", SDL_GetError());
        const std::string text = ModeText(
            "Unable to switch to the required %d x %d %d bit video mode.Try manually changing to "
            "this video mode and running the application again.",
            w, h, bpp);
        width = w;
        height = h;
        return FailWith(text.c_str());
    }
    width = w;
    height = h;
    bitsPerPixel = bpp;
    return true;
}

bool WFCDisplayManagerX::SetFullScreen()
{
    SDL_Window* window = WFCSystem::GetMainWindow();
    if (!renderer || !window)
    {
        FCSystem::SetLastErrorText(kNotStarted);
        return false;
    }
    if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
    {
        return FailWith((std::string("Unable to switch to full screen mode: ") + SDL_GetError()).c_str());
    }
    return FCDisplayManager::SetFullScreen();
}

bool WFCDisplayManagerX::SetWindowed()
{
    SDL_Window* window = WFCSystem::GetMainWindow();
    if (!renderer || !window)
    {
        FCSystem::SetLastErrorText(kNotStarted);
        return false;
    }
    if (SDL_SetWindowFullscreen(window, 0) != 0)
    {
        FC_LOG("SDL_SetWindowFullscreen: %s\r\n", SDL_GetError());
        return false;
    }
    return FCDisplayManager::SetWindowed();
}

void WFCDisplayManagerX::InvalidateScreen()
{
    if (IsFullScreen())
        FCDisplayPageStack::Invalidate(FCRect(0, 0, width, height));
}

bool WFCDisplayManagerX::CreateTexture()
{
    if (texture)
        SDL_DestroyTexture(texture);
    texture = nullptr;
    if (!renderer)
        return false;
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                width, height);
    if (!texture)
        FC_LOG("SDL_CreateTexture: %s\r\n", SDL_GetError());
    return texture != nullptr;
}

bool WFCDisplayManagerX::CreateBuffers()
{
    ReleaseBuffers();
    if (!CreateTexture())
        return FailWith("Creation of PrimaryBuffer Failed!");
    primary = WFCImageBufferX::Create(width, height);
    if (!primary)
        return FailWith("Creation of PrimaryBuffer Failed!");
    SetPrimaryBuffer(primary);
    back = WFCImageBufferX::Create(width, height);
    if (!back)
        return FailWith("Creation of BackBuffer Failed!");
    SetBackBuffer(back);
    primary->Clear(0);
    back->Clear(0);
    return true;
}

bool WFCDisplayManagerX::ReleaseBuffers()
{
    if (GetPrimaryBuffer() == primary)
        SetPrimaryBuffer(nullptr);
    if (GetBackBuffer() == back)
        SetBackBuffer(nullptr);
    if (primary)
        primary->Release();
    if (back)
        back->Release();
    primary = nullptr;
    back = nullptr;
    if (texture)
        SDL_DestroyTexture(texture);
    texture = nullptr;
    return true;
}

bool WFCDisplayManagerX::RestoreBuffers()
{
    FC_LOG("Restoring Buffers.\r\n");
    if (primary && !CreateTexture())
        FC_LOG("Restoring Primary Buffers Failed.\r\n");
    return true;
}

bool WFCDisplayManagerX::Present()
{
    if (!primary || !back || !texture)
        return false;
    primary->FCImageBuffer::Blit(FCPoint(0, 0), back, back->GetBounds(), 0);
    if (SDL_UpdateTexture(texture, nullptr, primary->GetPixels(), primary->GetPitch()) != 0)
        return false;
    // Black bars where the window's shape differs from the screen's.
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    if (SDL_RenderClear(renderer) != 0 || SDL_RenderCopy(renderer, texture, nullptr, nullptr) != 0)
        return false;
    SDL_RenderPresent(renderer);
    return true;
}

void WFCDisplayManagerX::Flip()
{
    if (Present())
    {
        flipFailed = 0;
        return;
    }
    if (!flipFailed)
    {
        if (FCDebugLog* log = FCDebugLog::GetInstance())
            log->Printf("Flip Failed.\r\n");
    }
    flipFailed = 1;
}

void WFCDisplayManagerX::BlitToWindow()
{
    Present();
}

FCImageBuffer* WFCDisplayManagerX::CreateImageBuffer(std::int32_t w, std::int32_t h)
{
    return WFCImageBufferX::Create(w, h);
}
