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

// Without a display SDL would fall back to drawing nowhere, and the program
// would run unseen and never end; unless a driver is asked for by name.
bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"})
    {
        const char* value = std::getenv(name);
        if (value && value[0] != '\0')
            return true;
    }
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
    if (!HasDisplay())
    {
        std::fprintf(stderr, "stavelorn: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set)\n");
        return kExitStartUpFailed;
    }
    FCApp* app = FCApp::GetInstance();
    if (!app)
    {
        std::fprintf(stderr, "stavelorn: no application object\n");
        return kExitStartUpFailed;
    }

    WFCInstanceLock lock;
    const WFCInstanceLock::Result locked = lock.Acquire(WFCInstanceLock::DefaultPath());
    if (locked == WFCInstanceLock::Result::kHeldElsewhere)
    {
        WFCSystem::ShowMessageBox(app->GetName(), "The selected program is already running.");
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
