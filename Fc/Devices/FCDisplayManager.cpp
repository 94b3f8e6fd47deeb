#include "Fc/Devices/FCDisplayManager.h"

#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCScreenFormat.h"

namespace
{
FCDisplayManager* displayManagerInstance = nullptr;
FCImageBuffer* primaryBuffer = nullptr;
} // namespace

FCDisplayManager::FCDisplayManager()
{
    displayManagerInstance = this;
    primaryBuffer = nullptr;
    SetScreenBuffer(nullptr);
    // A previous display manager's pages must not linger underneath.
    while (FCDisplayPageStack::Pop() != nullptr)
    {
    }
    auto* page = new FCDoubleBuffer(false);
    FCDisplayPageStack::Push(page);
    page->Release(); // the stack holds the only reference
}

FCDisplayManager::~FCDisplayManager()
{
    while (FCDisplayPageStack::Pop() != nullptr)
    {
    }
    if (displayManagerInstance == this)
    {
        displayManagerInstance = nullptr;
        primaryBuffer = nullptr;
        SetScreenBuffer(nullptr);
    }
}

FCDisplayManager* FCDisplayManager::GetInstance()
{
    return displayManagerInstance;
}

FCImageBuffer* FCDisplayManager::GetPrimaryBuffer()
{
    return primaryBuffer;
}

FCImageBuffer* FCDisplayManager::GetBackBuffer()
{
    return GetScreenBuffer();
}

void FCDisplayManager::SetPrimaryBuffer(FCImageBuffer* buffer)
{
    primaryBuffer = buffer;
}

void FCDisplayManager::SetBackBuffer(FCImageBuffer* buffer)
{
    SetScreenBuffer(buffer);
}

bool FCDisplayManager::PushPage(FCDoubleBuffer* page)
{
    return FCDisplayPageStack::Push(page);
}

FCDoubleBuffer* FCDisplayManager::PopPage()
{
    return FCDisplayPageStack::Pop();
}

bool FCDisplayManager::SetFullScreen()
{
    if (fullScreen == 0)
    {
        fullScreen = 1;
        FCDisplayPageStack::RebuildAll(true);
    }
    return true;
}

bool FCDisplayManager::SetWindowed()
{
    if (fullScreen != 0)
    {
        fullScreen = 0;
        FCDisplayPageStack::RebuildAll(false);
    }
    return true;
}

void FCDisplayManager::FlipToGDISurface() {}

void FCDisplayManager::InvalidateScreen() {}
