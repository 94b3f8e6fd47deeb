#include "Vel/App/VelApp.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCFileUtil.h"
#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Devices/FCSystem.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCRect.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Vel/App/VelClient.h"

#include <array>

namespace
{
// The platform's message numbers and the client's ids for them.
struct InputMessage
{
    std::uint32_t message;
    std::int16_t id;
};
constexpr std::array<InputMessage, 6> kMouseMessages = {{
    {0x200, 11}, // move
    {0x201, 6},  // left down
    {0x202, 7},  // left up
    {0x203, 8},  // left double click
    {0x204, 9},  // right down
    {0x205, 10}, // right up
}};
constexpr std::array<InputMessage, 3> kKeyMessages = {{
    {0x100, 12}, // key down
    {0x101, 13}, // key up
    {0x102, 14}, // character
}};

template <std::size_t N>
std::int16_t FindInput(const std::array<InputMessage, N>& table, std::uint32_t message)
{
    for (const InputMessage& entry : table)
    {
        if (entry.message == message)
            return entry.id;
    }
    return 0;
}

std::uint32_t ApplicationNow()
{
    return FCClock::Now() - FCApp::GetStartTime();
}
} // namespace

VelApp::VelApp()
{
    name = "Stavelorn";
    width = 800;
    height = 600;
    // The desktop's full screen unless "-win" asks for a window.
    windowed = 0;
    fullScreen = 1;
    iconId = 101;
    cursorId = 105;
}

VelApp::~VelApp() = default;

std::int16_t VelApp::Run()
{
    Init();
    MainLoop();
    Shutdown();
    return running ? kExitNormal : kExitStartUpFailed;
}

bool VelApp::Init()
{
    auto* files = new FCFileSystem();
    files->SetRootPath(GetWorkingDirectory() + "\\Resources\\");
    files->SetUseAlternateRoot(false);
    files->SetSearchMode(FCFileSystem::kLooseThenPackages);
    for (const char* dir : {"UI", "Art", "Sfx", "Audio"})
        files->AddSearchDirectory(dir);
    for (const char* dir : {"Icons", "Database"})
        files->AddPackage(dir);
    new FCResourceManager();
    new FCClassRegistry();
    client = new VelClient();
    running = client->StartUp() ? 1 : 0;
    if (!running)
    {
        if (FCSystem* system = FCSystem::GetInstance())
            system->RequestQuit();
    }
    return running != 0;
}

void VelApp::MainLoop()
{
    FCSystem* system = FCSystem::GetInstance();
    if (!system)
        return;
    ResetFrameClock();
    for (;;)
    {
        // A close of the window may first ask to save the character.
        if (system->PumpMessages() && (!running || !client || client->ConfirmQuit()))
            break;
        const std::uint32_t wait = Tick();
        if (wait > 0)
            system->WaitForMessages(wait);
    }
}

void VelApp::ResetFrameClock()
{
    lastTickTime = ApplicationNow() - kFrameMs;
}

std::uint32_t VelApp::Tick()
{
    if (!running)
        return kFrameMs;
    const std::uint32_t now = ApplicationNow();
    ApplicationTime = now;
    if (!active)
    {
        // No backlog of time builds up while in the background.
        lastTickTime = now;
        return kFrameMs;
    }
    std::uint32_t elapsed = now - lastTickTime;
    if (elapsed > kFrameMs)
    {
        if (client)
            client->Update(FrameTime{now, elapsed});
        lastTickTime = now;
        elapsed = 0;
    }
    // A frame runs once more than kFrameMs have passed.
    return kFrameMs + 1 - elapsed;
}

void VelApp::Shutdown()
{
    if (client)
    {
        client->Shutdown();
        client->Release();
        client = nullptr;
    }
    if (FCClassRegistry* registry = FCClassRegistry::GetInstance())
        registry->Release();
    delete FCResourceManager::GetInstance();
    delete FCFileSystem::GetInstance();
}

bool VelApp::HandleMouse(std::uint32_t message, const FCPoint* point, std::uint32_t keyFlags)
{
    const std::int16_t id = FindInput(kMouseMessages, message);
    if (!client || id == 0 || !point)
        return false;
    std::array<std::uint32_t, 3> record = {static_cast<std::uint32_t>(point->x),
                                           static_cast<std::uint32_t>(point->y), keyFlags};
    client->HandleMessage(id, record.data());
    return true;
}

bool VelApp::HandleKey(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    const std::int16_t id = FindInput(kKeyMessages, message);
    if (!client || id == 0)
        return false;
    std::array<std::uint32_t, 2> record = {static_cast<std::uint32_t>(wParam),
                                           static_cast<std::uint32_t>(lParam)};
    client->HandleMessage(id, record.data());
    return true;
}

bool VelApp::OnActivate(bool nowActive)
{
    if (nowActive == (active != 0))
        return true;
    active = nowActive ? 1 : 0;
    if (!nowActive)
    {
        FC_LOG("Deactivating ...\n");
        return true;
    }
    FC_LOG("Activating ...\n");
    FCDisplayManager* display = FCDisplayManager::GetInstance();
    if (!display || !client)
        return true;
    if (FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent())
        page->Add(FCRect(0, 0, width, height));
    client->SetDisplayMode();
    display->RestoreBuffers();
    if (FCImageBuffer* back = FCDisplayManager::GetBackBuffer())
        back->Clear(0);
    return true;
}
