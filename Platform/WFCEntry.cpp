#include "Platform/WFCEntry.h"

#include "Fc/Devices/FCApp.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileUtil.h"
#include "Platform/WFCInstanceLock.h"
#include "Platform/WFCSystem.h"

#include <SDL.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{
constexpr int kExitNormal = 0;
constexpr int kExitAlreadyRunning = 1;
constexpr int kExitStartUpFailed = 2;

std::string CommandLine(int argc, char** argv)
{
    std::string line;
    for (int i = 0; i < argc; ++i)
    {
        if (i > 0)
            line += ' ';
        line += argv[i];
    }
    return line;
}

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && value[0] != '\0';
}

// The displays the environment names, quoted, for the message when none
// answers: ":97", or ":97" or "wayland-1".
std::string NamedDisplays()
{
    std::string named;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (IsSet(name))
            named += (named.empty() ? "\"" : " or \"") + std::string(std::getenv(name)) + '"';
    return named;
}

// Where no window system answers, SDL falls back to drawing into memory and
// the program would run unseen, holding its lock, until it is killed; a
// driver asked for by name is taken as it is. Video stays started for the
// window, which then reuses the connection made here. False once the reason
// is on standard error.
bool StartVideo()
{
    const bool driverNamed = IsSet("SDL_VIDEODRIVER");
    if (!driverNamed && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY"))
    {
        std::fprintf(stderr, "stavelorn: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set)\n");
        return false;
    }
    const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (started && (driverNamed || WFCSystem::IsOnWindowSystem()))
        return true;
    if (driverNamed)
        std::fprintf(stderr, "stavelorn: cannot open a window: %s\n", SDL_GetError());
    else
        std::fprintf(stderr, "stavelorn: cannot open the display %s\n", NamedDisplays().c_str());
    SDL_Quit();
    return false;
}

// The program's paths are relative to the folder that holds Resources/,
// which is the executable's own folder.
void EnterProgramFolder()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return;
    if (::chdir(base) != 0)
        FC_LOG("Cannot enter the program folder %s\n", base);
    SDL_free(base);
}
} // namespace

int WFCMain(int argc, char** argv)
{
    FCApp* app = FCApp::GetInstance();
    if (!app)
    {
        std::fprintf(stderr, "stavelorn: no application object\n");
        return kExitStartUpFailed;
    }
    if (!StartVideo())
        return kExitStartUpFailed;

    WFCInstanceLock lock;
    const WFCInstanceLock::Result locked = lock.Acquire(WFCInstanceLock::DefaultPath());
    if (locked == WFCInstanceLock::Result::kHeldElsewhere)
    {
        WFCSystem::ShowMessageBox(app->GetName(), "The selected program is already running.");
        SDL_Quit();
        return kExitAlreadyRunning;
    }
    // A lock that cannot be made (a read-only folder) must not keep the
    // program from starting; Acquire has logged why.

    // Opened only now: a second copy must leave the running copy's log be.
    FCDebugLog::OpenRunLog();

    int result = kExitNormal;
    // The host's own form of the folder, to return to it exactly.
    std::error_code noFolder;
    const std::filesystem::path savedDirectory = std::filesystem::current_path(noFolder);
    {
        WFCSystem system;
        EnterProgramFolder();
        app->BeforeCreateWindow();
        app->ParseCommandLine(CommandLine(argc, argv).c_str());
        if (!system.CreateMainWindow(app->GetName(), app->GetWidth(), app->GetHeight()))
        {
            std::fprintf(stderr, "stavelorn: cannot open a window: %s\n", SDL_GetError());
            result = kExitStartUpFailed;
        }
        else
        {
            // A new window starts with the focus; the first frame must not
            // wait for a focus event that some desktops never send.
            system.Activate(true);
            const std::int16_t ran = app->Run();
            result = ran >= 0 && ran <= 255 ? ran : kExitStartUpFailed;
        }
        if (!savedDirectory.empty() && ::chdir(savedDirectory.c_str()) != 0)
            FC_LOG("Cannot return to %s\n", savedDirectory.c_str());
        app->AfterRun();
    }
    SDL_Quit();
    return result;
}
