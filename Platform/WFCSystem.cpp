#include "Platform/WFCSystem.h"

#include "Fc/Devices/FCApp.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCWindows1252.h"
#include "Platform/WFCDisplayManagerX.h"
#include "Platform/WFCInput.h"
#include "Platform/WFCKeyboard.h"
#include "Platform/WFCMoviePlayerBink.h"
#include "Platform/WFCPrinter.h"
#include "Platform/WFCSoundManager.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
SDL_Window* g_mainWindow = nullptr;

std::string ApplicationName()
{
    const FCApp* app = FCApp::GetInstance();
    return app ? app->GetName() : std::string();
}
} // namespace

WFCSystem::WFCSystem()
{
    g_mainWindow = nullptr;
}

WFCSystem::~WFCSystem()
{
    DestroyPrinter();
    DestroyMoviePlayer();
    DestroyKeyboard();
    DestroySoundManager();
    DestroyDisplayManager();
    DestroyMainWindow();
}

bool WFCSystem::IsHeadless()
{
    return std::getenv("STAVELORN_HEADLESS") != nullptr;
}

bool WFCSystem::IsOnWindowSystem()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

SDL_Window* WFCSystem::GetMainWindow()
{
    return g_mainWindow;
}

bool WFCSystem::CreateMainWindow(const std::string& title, std::int32_t width,
                                 std::int32_t height)
{
    DestroyMainWindow();
    // SDL's own double-click area (32 pixels, sized for touch screens) makes
    // quick presses on two neighbouring arrows one double click; desktops
    // allow a few pixels. A value set in the environment still wins.
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "4");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        FC_LOG("SDL video: %s\r\n", SDL_GetError());
        return false;
    }
    g_mainWindow = SDL_CreateWindow(Windows1252ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED,
                                    SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_RESIZABLE);
    if (!g_mainWindow)
    {
        FC_LOG("SDL_CreateWindow: %s\r\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

void WFCSystem::DestroyMainWindow()
{
    if (!g_mainWindow)
        return;
    SDL_DestroyWindow(g_mainWindow);
    g_mainWindow = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool WFCSystem::PumpMessages()
{
    bool quit = quitRequested != 0;
    quitRequested = 0;
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        if (HandleEvent(event))
            quit = true;
    }
    if (FCMoviePlayer* player = FCMoviePlayer::GetInstance())
        player->Update();
    if (sound)
        sound->DeliverEnds();
    const bool baseQuit = FCSystem::PumpMessages();
    return quit || baseQuit;
}

bool WFCSystem::HandleEvent(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_QUIT:
        return true;
    case SDL_WINDOWEVENT:
        switch (event.window.event)
        {
        case SDL_WINDOWEVENT_CLOSE:
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            Activate(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            Activate(false);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            if (FCDisplayManager* manager = FCDisplayManager::GetInstance())
                manager->BlitToWindow();
            break;
        default:
            break;
        }
        return false;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        if (FCDisplayManager* manager = FCDisplayManager::GetInstance())
            manager->RestoreBuffers();
        return false;
    default:
        if (FCApp* app = FCApp::GetInstance())
            WFCInput::Deliver(event, *app);
        return false;
    }
}

void WFCSystem::Activate(bool active)
{
    if (active)
        Resume();
    else
        Suspend();
    if (FCApp* app = FCApp::GetInstance())
        app->OnActivate(active);
}

void WFCSystem::WaitForMessages(std::uint32_t timeoutMs)
{
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
    {
        SDL_Delay(timeoutMs);
        return;
    }
    if (IsOnWindowSystem())
    {
        // Waits without taking the event, which the next pump handles.
        SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs));
        return;
    }
    // Elsewhere SDL would poll every millisecond until the timeout; sleeping
    // until the next frame instead delays input by at most that frame.
    SDL_PumpEvents();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_FALSE)
        SDL_Delay(timeoutMs);
}

void WFCSystem::RequestQuit()
{
    quitRequested = 1;
}

bool WFCSystem::OpenUrl(const std::string& url)
{
    if (!IsOpenableUrl(url))
    {
        FC_LOG("Address refused\n");
        return false;
    }
    if (SDL_OpenURL(url.c_str()) != 0)
    {
        FC_LOG("Cannot open %s: %s\n", url.c_str(), SDL_GetError());
        return false;
    }
    return true;
}

void WFCSystem::ShowMessage(const std::string& text)
{
    ShowMessageBox(ApplicationName(), text);
}

void WFCSystem::ShowMessageBox(const std::string& caption, const std::string& text)
{
    const std::string utf8Caption = Windows1252ToUtf8(caption);
    const std::string utf8Text = Windows1252ToUtf8(text);
    if (!IsHeadless() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8Caption.c_str(),
                                                  utf8Text.c_str(), g_mainWindow) == 0)
        return;
    std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
}

bool WFCSystem::CreateDisplayManager()
{
    if (FCDisplayManager::GetInstance())
        return true;
    display = new WFCDisplayManagerX();
    return display->StartUp();
}

void WFCSystem::DestroyDisplayManager()
{
    delete display;
    display = nullptr;
}

bool WFCSystem::CreateSoundManager()
{
    if (FCSoundManager::GetInstance())
        return true;
    sound = new WFCSoundManager();
    if (sound->StartUp())
        return true;
    DestroySoundManager();
    return false;
}

void WFCSystem::DestroySoundManager()
{
    delete sound;
    sound = nullptr;
}

bool WFCSystem::CreateKeyboard()
{
    if (!FCKeyboard::GetInstance())
        keyboard = new WFCKeyboard();
    return true;
}

void WFCSystem::DestroyKeyboard()
{
    delete keyboard;
    keyboard = nullptr;
}

bool WFCSystem::CreateMoviePlayer()
{
    if (FCMoviePlayer::GetInstance())
        return true;
    movies = new WFCMoviePlayerBink();
    return movies->StartUp();
}

void WFCSystem::DestroyMoviePlayer()
{
    delete movies;
    movies = nullptr;
}

bool WFCSystem::CreatePrinter()
{
    if (FCPrinter* existing = FCPrinter::GetInstance())
        return existing->Open();
    printer = new WFCPrinter();
    return printer->Open();
}

void WFCSystem::DestroyPrinter()
{
    if (!printer)
        return;
    printer->Close();
    printer->Release();
    printer = nullptr;
}
