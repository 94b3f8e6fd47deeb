#include "support/MemoryDisplayManager.h"

#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Devices/FCSystem.h"

#include <cstring>
#include <string>

MemoryDisplayManager::MemoryDisplayManager(const FCPixelFormat& screenFormat, std::int32_t w,
                                           std::int32_t h)
    : format(screenFormat)
{
    if (SetMode(w, h, 16))
    {
        CreateBuffers();
    }
}

MemoryDisplayManager::~MemoryDisplayManager()
{
    ReleaseBuffers();
}

bool MemoryDisplayManager::ModeExists(std::int32_t w, std::int32_t h, std::int32_t bpp)
{
    return bpp == 16 && w > 0 && h > 0 && w <= 1600 && h <= 1600;
}

bool MemoryDisplayManager::SetMode(std::int32_t w, std::int32_t h, std::int32_t bpp)
{
    if (!ModeExists(w, h, bpp))
    {
        FCSystem::SetLastErrorText("This system does not support the required " +
                                   std::to_string(w) + " x " + std::to_string(h) + " " +
                                   std::to_string(bpp) + " bit video mode.");
        return false;
    }
    width = w;
    height = h;
    bitsPerPixel = bpp;
    return true;
}

void MemoryDisplayManager::CopyBackToPrimary()
{
    if (primary == nullptr || back == nullptr)
    {
        return;
    }
    const std::size_t bytes =
        static_cast<std::size_t>(back->GetPitch()) * static_cast<std::size_t>(back->GetHeight());
    if (bytes != 0)
    {
        std::memcpy(primary->GetPixels(), back->GetPixels(), bytes);
    }
}

void MemoryDisplayManager::Flip()
{
    ++flipCount;
    CopyBackToPrimary();
}

void MemoryDisplayManager::BlitToWindow()
{
    ++blitToWindowCount;
    CopyBackToPrimary();
}

void MemoryDisplayManager::InvalidateScreen()
{
    if (IsFullScreen())
    {
        FCDisplayPageStack::Invalidate(FCRect(0, 0, width, height));
    }
}

bool MemoryDisplayManager::CreateBuffers()
{
    ReleaseBuffers();
    primary = FCImageBuffer::Create(width, height, format);
    back = FCImageBuffer::Create(width, height, format);
    if (primary == nullptr || back == nullptr)
    {
        ReleaseBuffers();
        FCSystem::SetLastErrorText("Creation of BackBuffer Failed!");
        return false;
    }
    primary->Clear(0);
    back->Clear(0);
    SetPrimaryBuffer(primary);
    SetBackBuffer(back);
    return true;
}

bool MemoryDisplayManager::ReleaseBuffers()
{
    if (GetPrimaryBuffer() == primary)
    {
        SetPrimaryBuffer(nullptr);
    }
    if (GetBackBuffer() == back)
    {
        SetBackBuffer(nullptr);
    }
    if (primary != nullptr)
    {
        primary->Release();
        primary = nullptr;
    }
    if (back != nullptr)
    {
        back->Release();
        back = nullptr;
    }
    return true;
}

bool MemoryDisplayManager::RestoreBuffers()
{
    ++restoreCount;
    return true;
}

FCImageBuffer* MemoryDisplayManager::CreateImageBuffer(std::int32_t w, std::int32_t h)
{
    return FCImageBuffer::Create(w, h, format);
}
